// Fitting the view to its content: when it grows, where the content moves, and the cap at 5000.
// An "AB" node's body is its 26 × 18 title rectangle grown by half its frame (1) on every side.
#include "charts/flow/fit_view.h"

#include <gtest/gtest.h>

#include "tests/charts/flow/flow_fixture.h"

namespace ravelo::testing {
namespace {

// The margins of the Flow layout without headline: X0 = 120 and F = 50, 20 more each.
constexpr FitMargins kLayoutMargins{false, 120, 50, 20, 20};

class FitViewTest : public FlowTest {
 protected:
  int PlacedNode(int32_t serial, Point pos) {
    const int index = FlowNode(serial);
    Object(index).Pos[FlowChart] = pos;
    return index;
  }
  void SetView(int width, int height) {
    diagram->header.ViewWidth[FlowChart] = width;
    diagram->header.ViewHeight[FlowChart] = height;
  }
  bool Fit(FitMargins margins = kLayoutMargins) {
    RenderContext context = Context();
    return FitViewToContent(context, margins);
  }
  Size View() { return {diagram->header.ViewWidth[FlowChart], diagram->header.ViewHeight[FlowChart]}; }
};

TEST_F(FitViewTest, ContentInsideTheViewStaysWhereItIs) {
  SetView(500, 500);
  const int node = PlacedNode(1, {300, 300});
  EXPECT_FALSE(Fit());
  EXPECT_EQ(FlowPos(node), (Point{300, 300}));
  EXPECT_EQ(View(), (Size{500, 500}));
}

TEST_F(FitViewTest, TheExtraMarginCountsAsContent) {
  // The body ends at 314; with 200 more it passes the view's 500.
  SetView(500, 500);
  const int node = PlacedNode(1, {300, 100});
  EXPECT_FALSE(Fit({true, 120, 50, 20, 20})) << "the view needs no more room";
  EXPECT_EQ(FlowPos(node), (Point{154, 80})) << "moved to the margins";
}

TEST_F(FitViewTest, ContentBeyondTheMarginsMovesBackToThem) {
  // Body (586, 90, 614, 110) passes the right edge: the view keeps its size (168 × 90 is enough)
  // and the content starts at the margins, 140 and 70.
  SetView(500, 500);
  const int node = PlacedNode(1, {600, 100});
  EXPECT_FALSE(Fit());
  EXPECT_EQ(FlowPos(node), (Point{154, 80}));
  EXPECT_EQ(View(), (Size{500, 500}));
}

TEST_F(FitViewTest, WideContentMakesTheViewGrowByWhatItNeeds) {
  // Bodies from 86 to 1414: 1328 plus the margins 140 makes the view 1468 wide; the left edge
  // lies within the margin and stays, the top moves up to it.
  SetView(1000, 500);
  const int a = PlacedNode(1, {100, 100});
  const int b = PlacedNode(2, {1400, 100});
  EXPECT_TRUE(Fit());
  EXPECT_EQ(View(), (Size{1468, 500}));
  EXPECT_EQ(FlowPos(a), (Point{100, 80}));
  EXPECT_EQ(FlowPos(b), (Point{1400, 80}));
}

TEST_F(FitViewTest, ContentBeforeTheViewMovesInsideIt) {
  // Body (-64, -60, -36, -40): shifted by 64 and 60 onto the view's edges, not to the margins.
  SetView(500, 500);
  const int node = PlacedNode(1, {-50, -50});
  EXPECT_FALSE(Fit());
  EXPECT_EQ(FlowPos(node), (Point{14, 10}));
}

TEST_F(FitViewTest, ContentWiderThanTheLargestViewIsScaledIntoIt) {
  // 6068 units are needed: the view stops at 5000 and every position is scaled by
  // 5000 / 6168 across and 1500 / 190 down (the view's height over the content's need).
  SetView(1500, 1500);
  const int a = PlacedNode(1, {100, 100});
  const int b = PlacedNode(2, {6000, 100});
  EXPECT_TRUE(Fit());
  EXPECT_EQ(View(), (Size{5000, 1500}));
  EXPECT_EQ(FlowPos(a), (Point{81, 631}));
  EXPECT_EQ(FlowPos(b), (Point{4863, 631}));
}

TEST_F(FitViewTest, AnEmptyChartChangesNothing) {
  SetView(500, 500);
  EXPECT_FALSE(Fit({true, 120, 50, 20, 20}));
  EXPECT_EQ(View(), (Size{500, 500}));
}

TEST_F(FitViewTest, TheBoxChartMovesItsEndNodesAndLeavesTheBoxesToFollowThem) {
  diagram->header.CurrentChart = BoxChart;
  diagram->header.ViewWidth[BoxChart] = 500;
  const int box = Node(1, {-1, -1}, "B");
  const int end = Node(2, {700, 300}, "AB", {1});
  RenderContext context = Context();
  FitViewToContent(context, kLayoutMargins);
  EXPECT_EQ(Object(box).Pos[BoxChart], (Point{-1, -1}));
  EXPECT_LT(Object(end).Pos[BoxChart].X, 700);
}

}  // namespace
}  // namespace ravelo::testing
