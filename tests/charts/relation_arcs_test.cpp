// The relation arcs: their point lists, the triangle, and what the Flow chart draws for each kind.
#include "charts/relation_arcs.h"

#include <gtest/gtest.h>

#include <vector>

#include "charts/flow/flow_chart.h"
#include "tests/charts/flow/flow_fixture.h"

namespace ravelo::testing {
namespace {

using Points = std::vector<Point>;

TEST(RelationArcPoints, EachKindBendsWhereTheTablesSay) {
  const Point p{0, 0}, q{100, 100};
  struct Case {
    const char* name;
    int kind;
    int bend;
    bool vertical;
    Points points;
  } cases[] = {
      // A right angle at T = (Qx, Py) when the bend lies at the far end.
      {"one bend at 100",
       1,
       100,
       true,
       {{0, 0}, {50, 0}, {100, 0}, {100, 0}, {100, 0}, {100, 50}, {100, 100}}},
      // Straight from P to Q when it lies at the near end.
      {"one bend at 0", 1, 0, true, {{0, 0}, {0, 0}, {0, 0}, {50, 50}, {100, 100}, {100, 100}, {100, 100}}},
      {"one bend sideways",
       2,
       50,
       false,
       {{0, 0}, {0, 25}, {0, 50}, {25, 75}, {50, 100}, {75, 100}, {100, 100}}},
      {"two bends", 3, 50, true, {{0, 0}, {0, 25}, {0, 50}, {50, 50}, {100, 50}, {100, 75}, {100, 100}}},
      {"two bends sideways",
       4,
       25,
       false,
       {{0, 0}, {12, 0}, {25, 0}, {25, 25}, {25, 100}, {62, 100}, {100, 100}}},
      {"three bends",
       5,
       50,
       true,
       {{0, 0}, {12, 0}, {25, 0}, {25, 25}, {25, 50}, {50, 75}, {75, 75}, {100, 75}, {100, 87}, {100, 100}}},
      {"three bends sideways",
       6,
       50,
       false,
       {{0, 0}, {0, 12}, {0, 25}, {25, 25}, {50, 25}, {75, 50}, {75, 75}, {75, 100}, {87, 100}, {100, 100}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RelationArcPoints(c.kind, p, q, c.bend, c.vertical), c.points) << c.name;
  }
}

TEST(RelationTriangle, HasItsBaseAcrossTheLineAtTheParentAndItsTipAtTheChild) {
  using Corners = std::array<Point, 3>;
  EXPECT_EQ(RelationTriangle({100, 59}, {100, 141}, 10), (Corners{{{95, 59}, {100, 141}, {105, 59}}}));
  EXPECT_EQ(RelationTriangle({0, 0}, {30, 40}, 10), (Corners{{{-4, 3}, {30, 40}, {4, -3}}}));
  EXPECT_EQ(RelationTriangle({7, 7}, {7, 7}, 10), (Corners{{{7, 7}, {7, 7}, {7, 7}}}))
      << "no direction, no base";
}

// A parent and its child in the Flow chart, drawn on the recording surface; only the figures of
// the relation arc are looked at (the nodes draw rectangles and texts).
class FlowRelationTest : public FlowTest {
 protected:
  void SetUp() override {
    FlowTest::SetUp();
    diagram->header.ShowChildMark[FlowChart] = 0;
    parent = Node(1, {100, 50}, "AB");
    child = Node(2, {200, 150}, "AB", {1});
    style().FillColor = Rgb(1, 2, 3);
    style().FrameColor = Rgb(4, 5, 6);
    style().Width = 1;
    style().FrameStyle = 0;
  }
  RelationArcStyle& style() { return diagram->header.Relation[FlowChart]; }
  std::vector<SurfaceCall> Figures() {
    RenderContext context = Context();
    FlowDraw(context);
    std::vector<SurfaceCall> figures;
    for (const SurfaceCall& call : surface.calls) {
      if (call.op == SurfaceOp::Polygon || call.op == SurfaceOp::Polyline || call.op == SurfaceOp::PolyBezier)
        figures.push_back(call);
    }
    return figures;
  }
  int parent = 0, child = 0;
};

TEST_F(FlowRelationTest, AnAngledArcLeavesThroughTheBottomAndEntersThroughTheTop) {
  // Parent (87, 41, 113, 59), child (187, 141, 213, 159): P = (100, 59), Q = (200, 141).
  style().Type = 1;
  style().BendPercent = 100;
  style().Connect = 1;
  const std::vector<SurfaceCall> figures = Figures();
  ASSERT_EQ(figures.size(), 1u);
  EXPECT_EQ(figures[0].op, SurfaceOp::Polyline);
  EXPECT_EQ(figures[0].points,
            (Points{{100, 59}, {150, 59}, {200, 59}, {200, 59}, {200, 59}, {200, 100}, {200, 141}}));
  EXPECT_EQ(figures[0].pen.colour, Rgb(4, 5, 6));
}

TEST_F(FlowRelationTest, ConnectedSidewaysTheArcLeavesAndEntersThroughTheSides) {
  style().Type = 3;
  style().BendPercent = 50;
  style().Connect = 0;
  const std::vector<SurfaceCall> figures = Figures();
  ASSERT_EQ(figures.size(), 1u);
  EXPECT_EQ(figures[0].points,
            (Points{{113, 50}, {131, 50}, {150, 50}, {150, 100}, {150, 150}, {168, 150}, {187, 150}}));
}

TEST_F(FlowRelationTest, TheUpperEndComesFirstWhateverEndIsTheParent) {
  Object(parent).Pos[FlowChart] = {100, 150};
  Object(child).Pos[FlowChart] = {200, 50};
  style().Type = 1;
  style().BendPercent = 100;
  const std::vector<SurfaceCall> figures = Figures();
  ASSERT_EQ(figures.size(), 1u);
  EXPECT_EQ(figures[0].points.front(), (Point{200, 59}));
  EXPECT_EQ(figures[0].points.back(), (Point{100, 141}));
}

TEST_F(FlowRelationTest, CurvedKindsAreOnePolyBezier) {
  style().Type = 6;
  const std::vector<SurfaceCall> figures = Figures();
  ASSERT_EQ(figures.size(), 1u);
  EXPECT_EQ(figures[0].op, SurfaceOp::PolyBezier);
  EXPECT_EQ(figures[0].points.size(), 10u);
}

TEST_F(FlowRelationTest, TheTriangleIsFilledThenOutlined) {
  Object(child).Pos[FlowChart] = {100, 150};
  style().Type = 0;
  style().Width = 10;
  const std::vector<SurfaceCall> figures = Figures();
  ASSERT_EQ(figures.size(), 2u);
  EXPECT_EQ(figures[0].op, SurfaceOp::Polygon);
  EXPECT_EQ(figures[0].points, (Points{{95, 59}, {100, 141}, {105, 59}}));
  EXPECT_EQ(figures[0].brush, Brush::Solid(Rgb(1, 2, 3)));
  EXPECT_EQ(figures[0].pen, kNullPen);
  EXPECT_EQ(figures[1].op, SurfaceOp::Polyline);
  EXPECT_EQ(figures[1].points, (Points{{105, 59}, {95, 59}, {100, 141}, {105, 59}}));
  EXPECT_EQ(figures[1].pen.width, 1);
}

TEST_F(FlowRelationTest, NothingIsDrawnWithoutWidthOrLineColour) {
  style().Type = 0;
  style().Width = 0;
  EXPECT_TRUE(Figures().empty()) << "width 0";
  surface.calls.clear();
  style().Type = 2;
  style().Width = 3;
  style().FrameColor = kNoColour;
  EXPECT_TRUE(Figures().empty()) << "no line colour";
  surface.calls.clear();
  style().Type = 0;
  EXPECT_EQ(Figures().size(), 1u) << "the triangle's fill without its outline";
}

}  // namespace
}  // namespace ravelo::testing
