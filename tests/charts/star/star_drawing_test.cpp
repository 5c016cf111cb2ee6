#include "charts/star/star_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/charts/star/star_fixture.h"

namespace ravelo {
namespace {

using testing::SurfaceCall;
using testing::SurfaceOp;

// A parent at (500, 400) and its child up and to the right at (700, 200). Each title rectangle is
// 20 × 18 around its position, so the parent's top edge is y = 391 and the child's bottom edge y =
// 209.
class StarDrawTest : public testing::StarTest {
 protected:
  void SetUp() override {
    StarTest::SetUp();
    Node(1, {500, 400}, "A");
    Node(2, {700, 200}, "B", {1});
    RelationArcStyle& r = Relation();
    r.FillColor = Rgb(10, 20, 30);
    r.FrameColor = Rgb(200, 0, 0);
    r.Width = 1;
    r.FrameStyle = 0;
    r.BendPercent = 50;
    r.Connect = 0;  // the Star chart attaches through top and bottom whatever this says
    diagram->header.SetDirection = 1;
  }
  RelationArcStyle& Relation() { return diagram->header.Relation[StarChart]; }

  std::vector<SurfaceCall> Draw() {
    surface.calls.clear();
    auto context = Context();
    StarDraw(context);
    return surface.calls;
  }
  static std::vector<SurfaceCall> Of(const std::vector<SurfaceCall>& calls, SurfaceOp op) {
    std::vector<SurfaceCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [op](const SurfaceCall& c) { return c.op == op; });
    return found;
  }
};

TEST_F(StarDrawTest, TheTriangleSitsOnTheParentAndPointsAtTheChild) {
  // Along the line of centres from the parent's edge to the child's, a base 10 wide.
  Relation().Type = 0;
  Relation().Width = 10;
  const std::vector<SurfaceCall> calls = Draw();
  const std::vector<SurfaceCall> polygons = Of(calls, SurfaceOp::Polygon);
  ASSERT_FALSE(polygons.empty());
  const SurfaceCall& fill = polygons.front();
  EXPECT_EQ(fill.brush, Brush::Solid(Rgb(10, 20, 30)));
  EXPECT_EQ(fill.pen, kNullPen);
  ASSERT_EQ(fill.points.size(), 3u);
  const Point a = fill.points[0], tip = fill.points[1], c = fill.points[2];
  EXPECT_EQ(Midpoint(a, c).Y, 391 - 0) << "the base lies across the parent's top edge";
  EXPECT_GE(Distance(a, c), 9);
  EXPECT_LE(Distance(a, c), 11);
  EXPECT_EQ(tip.Y, 209);
  EXPECT_GT(tip.X, 600);
  // The relation arcs come before the nodes drawn over them.
  const auto first = [&calls](SurfaceOp op) {
    return std::find_if(calls.begin(), calls.end(), [op](const SurfaceCall& c) { return c.op == op; });
  };
  EXPECT_LT(first(SurfaceOp::Polygon), first(SurfaceOp::TextInRect));
}

TEST_F(StarDrawTest, ATriangleOfNoWidthIsStillDrawn) {
  Relation().Type = 0;
  Relation().Width = 0;
  const std::vector<SurfaceCall> polygons = Of(Draw(), SurfaceOp::Polygon);
  ASSERT_FALSE(polygons.empty());
  EXPECT_EQ(polygons.front().points[0], polygons.front().points[2]);
}

TEST_F(StarDrawTest, AngledArcsLeaveTheParentUpwardAndTheThreeBendOnesReachTheChildAcross) {
  struct Case {
    int type;
    SurfaceOp op;
    std::vector<Point> points;
  };
  // P is the upper attach point (the child's bottom), Q the parent's top.
  const std::vector<Case> cases{
      {1,
       SurfaceOp::Polyline,
       {{700, 209}, {650, 209}, {600, 209}, {550, 254}, {500, 300}, {500, 345}, {500, 391}}},
      {2,
       SurfaceOp::PolyBezier,
       {{700, 209}, {650, 209}, {600, 209}, {550, 254}, {500, 300}, {500, 345}, {500, 391}}},
      {3,
       SurfaceOp::Polyline,
       {{700, 209}, {700, 254}, {700, 300}, {600, 300}, {500, 300}, {500, 345}, {500, 391}}},
      {5,
       SurfaceOp::Polyline,
       {{700, 209},
        {700, 231},
        {700, 254},
        {650, 254},
        {600, 254},
        {550, 299},
        {550, 345},
        {550, 391},
        {525, 391},
        {500, 391}}},
  };
  for (const Case& c : cases) {
    Relation().Type = c.type;
    const std::vector<SurfaceCall> lines = Of(Draw(), c.op);
    ASSERT_FALSE(lines.empty()) << "type " << c.type;
    EXPECT_EQ(lines.front().points, c.points) << "type " << c.type;
    EXPECT_EQ(lines.front().pen.colour, Rgb(200, 0, 0));
  }
}

TEST_F(StarDrawTest, WithoutAFrameColourNoAngledArcIsDrawn) {
  Relation().Type = 1;
  Relation().FrameColor = kNoColour;
  EXPECT_TRUE(Of(Draw(), SurfaceOp::Polyline).empty());
}

TEST_F(StarDrawTest, TheChartOfTheSceneLaysOutUnplacedNodesFirst) {
  for (int i = 0; i < 2; ++i) Object(i).Pos[StarChart] = kUnsetPoint;
  auto context = Context();
  StarChartDrawing(1)(context);
  EXPECT_EQ(StarPos(0), (Point{500, 400}));
  EXPECT_EQ(StarPos(1), (Point{500, 200}));
  EXPECT_EQ(State(1).ChartPos, (Point{500, 200}));
}

}  // namespace
}  // namespace ravelo
