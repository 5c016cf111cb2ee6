#include "charts/action/action_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "charts/action/action_view.h"
#include "tests/charts/action/action_test_support.h"

namespace ravelo::testing {
namespace {

class ActionDrawingTest : public ActionChartTest {
 protected:
  void SetUp() override {
    ActionChartTest::SetUp();
    parent = LevelNode(1, 0);
    child = LevelNode(2, 1, {1});
    DocumentHeader& h = diagram->header;
    h.ActCenterX = 505;
    h.ActCenterY = 405;
    h.ActRingCount = 2;
    h.ActRingStepX = 250;
    h.ActRingStepY = 200;
    h.CircleColor = Rgb(0, 80, 128);
    h.Relation[ActionChart].Width = 0;
    Object(parent).ActCurrent = {100, 100};
    Object(child).ActCurrent = {100, 300};
  }

  std::vector<SurfaceCall> CallsOf(SurfaceOp op) const {
    std::vector<SurfaceCall> found;
    std::copy_if(surface.calls.begin(), surface.calls.end(), std::back_inserter(found),
                 [op](const SurfaceCall& c) { return c.op == op; });
    return found;
  }

  void Draw() {
    RenderContext context = Context();
    DrawActionChart(context);
  }

  int parent = 0, child = 0;
};

TEST_F(ActionDrawingTest, RingsAroundTheCentreThenTheNodes) {
  Draw();
  const std::vector<SurfaceCall> rings = CallsOf(SurfaceOp::Ellipse);
  ASSERT_EQ(rings.size(), 2u);
  EXPECT_EQ(rings[0].rect, (Rect{255, 205, 755, 605}));
  EXPECT_EQ(rings[1].rect, (Rect{5, 5, 1005, 805}));
  EXPECT_EQ(rings[1].pen, (Pen{Rgb(0, 80, 128), 1, DashStyle::Solid}));
  EXPECT_EQ(rings[1].brush, Brush::Hollow());
  EXPECT_EQ(CallsOf(SurfaceOp::Text).size() + CallsOf(SurfaceOp::TextInRect).size(), 2u);
  // The nodes are laid out at their current places.
  EXPECT_EQ(State(child).ChartPos, (Point{100, 300}));
}

TEST_F(ActionDrawingTest, CircleWidthZeroHidesTheRingsOnly) {
  diagram->header.CircleWidth = 0;
  Draw();
  EXPECT_TRUE(CallsOf(SurfaceOp::Ellipse).empty());
  EXPECT_EQ(CallsOf(SurfaceOp::Text).size() + CallsOf(SurfaceOp::TextInRect).size(), 2u);
}

TEST_F(ActionDrawingTest, TriangleFromTheParentToTheChild) {
  diagram->header.CircleWidth = 0;
  RelationArcStyle& style = diagram->header.Relation[ActionChart];
  style = {0, Rgb(165, 214, 239), kNoColour, 5, 0, 50, 1, {}};
  Draw();
  const std::vector<SurfaceCall> triangles = CallsOf(SurfaceOp::Polygon);
  ASSERT_EQ(triangles.size(), 1u);
  const std::vector<Point>& p = triangles[0].points;
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(triangles[0].brush, Brush::Solid(Rgb(165, 214, 239)));
  // The base, 5 pixels wide, on the parent's bottom edge; the tip on the child's top edge.
  EXPECT_EQ(p[0].Y, p[2].Y);
  EXPECT_EQ(p[2].X - p[0].X, 4);
  EXPECT_EQ(p[1].X, 100);
  EXPECT_NEAR(p[0].Y, State(parent).ObjectRect.bottom, 1);
  EXPECT_NEAR(p[1].Y, State(child).ObjectRect.top, 1);
}

TEST_F(ActionDrawingTest, AngledAndCurvedRelationArcs) {
  diagram->header.CircleWidth = 0;
  RelationArcStyle& style = diagram->header.Relation[ActionChart];
  style = {1, kNoColour, Rgb(10, 20, 30), 1, 0, 50, 1, {}};
  Draw();
  ASSERT_EQ(CallsOf(SurfaceOp::Polyline).size(), 1u);
  EXPECT_EQ(CallsOf(SurfaceOp::Polyline)[0].points.size(), 7u);
  surface.calls.clear();
  style.Type = 6;
  Draw();
  ASSERT_EQ(CallsOf(SurfaceOp::PolyBezier).size(), 1u);
  EXPECT_EQ(CallsOf(SurfaceOp::PolyBezier)[0].points.size(), 10u);
}

TEST(ActionRelationPoints, BendTowardTheCentre) {
  const Point a{100, 0}, b{0, 100}, o{0, 0};
  const auto list = [](const RelationPoints& r) { return std::vector<Point>(r.points, r.points + r.count); };
  // Kinds 1 and 2: the bend runs through the foot of the middle of A-B on the line O-A.
  EXPECT_EQ(list(ActionRelationPoints(1, a, b, o, 50)),
            (std::vector<Point>{{100, 0}, {87, 0}, {75, 0}, {50, 25}, {25, 50}, {12, 75}, {0, 100}}));
  // Kinds 3 and 4: across to the line O-A, along it to the bend point and over to B's level.
  EXPECT_EQ(list(ActionRelationPoints(4, a, b, o, 50)),
            (std::vector<Point>{{100, 0}, {75, 0}, {50, 0}, {50, 50}, {50, 100}, {25, 100}, {0, 100}}));
  const RelationPoints s = ActionRelationPoints(5, a, b, o, 50);
  ASSERT_EQ(s.count, 10);
  EXPECT_EQ(s.points[0], a);
  EXPECT_EQ(s.points[9], b);
}

TEST(ActionDrop, OnlyTheActionChartRefuses) {
  EXPECT_TRUE(AnswerDrop(BoxChart, true).accepted);
  const DropAnswer refused = AnswerDrop(ActionChart, true);
  EXPECT_FALSE(refused.accepted);
  EXPECT_EQ(refused.statusText, "アクションチャートにはドラッグ＆ドロップできません");
  EXPECT_EQ(AnswerDrop(ActionChart, false).statusText, "");
}

TEST_F(ActionDrawingTest, FitScreenTakesTheClientSize) {
  diagram->header.Zoom[ActionChart] = 2.0f;
  diagram->header.ActCenterX = 505;
  diagram->header.ActCenterY = 405;
  Object(child).ActTarget = {505 + 100, 405};
  HeadlineStyle& headline = diagram->header.Headline[ActionChart];
  headline.X = 1000;  // beyond the new view
  headline.Y = 10;
  RenderContext context = Context();
  ActFitScreen(context, {1620, 820});
  const DocumentHeader& h = diagram->header;
  EXPECT_EQ(h.ViewWidth[ActionChart], 810);
  EXPECT_EQ(h.ViewHeight[ActionChart], 410);
  EXPECT_EQ(h.ActCenterX, 405);
  EXPECT_EQ(Object(child).ActTarget, (Point{405 + 80, 205}));
  EXPECT_LT(headline.X, 810);
}

}  // namespace
}  // namespace ravelo::testing
