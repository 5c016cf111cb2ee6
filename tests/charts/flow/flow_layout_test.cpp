// The Flow chart's first layout, as tables of positions worked out by hand from the recording
// surface's text metric: Bw = 26 and Bh = 18 (every node "AB"), Sh = 20, Sv = 50, so that without
// a headline the first layer lies on y = 50 (F) and the first column on x = 120 (X0).
#include "charts/flow/flow_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "geometry/geometry.h"
#include "tests/charts/flow/flow_fixture.h"

namespace ravelo::testing {
namespace {

struct Expected {
  const char* name;
  int index;
  Point pos;
};

class FlowLayoutTest : public FlowTest {
 protected:
  void ExpectPositions(const std::vector<Expected>& table) {
    for (const Expected& e : table) EXPECT_EQ(FlowPos(e.index), e.pos) << e.name;
  }
  bool LayOut(uint32_t seed = 1) {
    RenderContext context = Context();
    return FlowLayout(context, seed);
  }
};

TEST_F(FlowLayoutTest, TopToBottomTheWidestLayerSetsTheRowAndTheOthersFollowIt) {
  // r over x, y, z (the widest layer); x over x1 and x2.
  const int r = FlowNode(1);
  const int x = FlowNode(2, {1});
  const int x1 = FlowNode(5, {2});
  const int x2 = FlowNode(6, {2});
  const int y = FlowNode(3, {1});
  const int z = FlowNode(4, {1});
  EXPECT_FALSE(LayOut()) << "the content fits the view";
  ExpectPositions({
      // Layer 1 on y = 50 + 68: side by side from x = 120, each 26 wide and 20 apart.
      {"x", x, {133, 118}},
      {"y", y, {179, 118}},
      {"z", z, {225, 118}},
      // The parent over the average of its children.
      {"r", r, {179, 50}},
      // Under x: the first child starts k * (Bw + Sh) / 2 = 46 before x's 133, the second 20
      // after the first one's right edge (113).
      {"x1", x1, {100, 186}},
      {"x2", x2, {146, 186}},
  });
}

TEST_F(FlowLayoutTest, LeftToRightTheLayersAreColumns) {
  diagram->header.SetDirection = 0;
  // r beside x, y, z (the widest layer); z beside z1 and z2.
  const int r = FlowNode(1);
  const int x = FlowNode(2, {1});
  const int y = FlowNode(3, {1});
  const int z = FlowNode(4, {1});
  const int z1 = FlowNode(5, {4});
  const int z2 = FlowNode(6, {4});
  LayOut();
  ExpectPositions({
      // Layer 1 on x = 120 + 46: one under another from y = 50, each 18 high and 50 apart.
      {"x", x, {166, 59}},
      {"y", y, {166, 127}},
      {"z", z, {166, 195}},
      {"r", r, {120, 127}},
      // Beside z: the first child starts k * (Bh + Sv) / 2 = 68 above z's 195, the second 50
      // below the first one's bottom edge (145).
      {"z1", z1, {212, 136}},
      {"z2", z2, {212, 204}},
  });
}

TEST_F(FlowLayoutTest, AChainStartsOnTheFirstLayerAndEachLinkStartsHalfARowBeforeItsParent) {
  // Every layer holds one node, so the first is the widest. A single child starts (Bw + Sh) / 2
  // before its parent and is centred half its own width after that: Sh / 2 left of its parent.
  const int root = FlowNode(1);
  const int child = FlowNode(2, {1});
  const int grandchild = FlowNode(3, {2});
  LayOut();
  ExpectPositions(
      {{"root", root, {133, 50}}, {"child", child, {123, 118}}, {"grandchild", grandchild, {113, 186}}});
}

TEST_F(FlowLayoutTest, TheHeadlineMovesTheFirstLayerBelowIt) {
  // The default headline: 48 points (64 pixels) high, centred on y = 100, margins 3: its bottom
  // is 135, so the first layer lies 50 below it.
  diagram->header.Headline[FlowChart].Show = 1;
  const int root = FlowNode(1);
  LayOut();
  EXPECT_EQ(FlowPos(root), (Point{133, 185}));
}

TEST_F(FlowLayoutTest, ANodeNoRuleCanPlaceGoesToAFreeRandomPlaceOnItsLayerLine) {
  // The lone root has no child to stand over: its x is w + r mod (Xe - w / 2) with the widest
  // layer's extent Xe = 258, and it keeps clear of the parent r placed on the same line.
  for (uint32_t seed : {1u, 2u, 3u, 99u, 12345u}) {
    SCOPED_TRACE(seed);
    diagram->header.ObjectCount = 0;
    const int r = FlowNode(1);
    for (int32_t serial = 2; serial <= 4; ++serial) FlowNode(serial, {1});
    const int lone = FlowNode(5);
    LayOut(seed);
    EXPECT_EQ(FlowPos(r), (Point{179, 50}));
    const Point p = FlowPos(lone);
    EXPECT_EQ(p.Y, 50);
    EXPECT_GE(p.X, 26);
    EXPECT_LT(p.X, 26 + 245);
    EXPECT_FALSE(RectsIntersect({p.X - 13, 41, p.X + 13, 59}, {166, 41, 192, 59})) << p.X;
  }
}

TEST_F(FlowLayoutTest, AParentAtAZeroAverageIsPlacedAtRandomToo) {
  // Left to right, x's first child would start 68 above x's 59 and land at y = 0: no rule places
  // it, so it lies on its column at a random y, as does its sibling, clear of each other.
  diagram->header.SetDirection = 0;
  FlowNode(1);
  const int x = FlowNode(2, {1});
  FlowNode(3, {1});
  FlowNode(4, {1});
  const int x1 = FlowNode(5, {2});
  const int x2 = FlowNode(6, {2});
  LayOut(7);
  EXPECT_EQ(FlowPos(x), (Point{166, 59}));
  for (int child : {x1, x2}) {
    EXPECT_EQ(FlowPos(child).X, 212);
    EXPECT_GE(FlowPos(child).Y, 18);
  }
  EXPECT_GE(std::abs(FlowPos(x1).Y - FlowPos(x2).Y), 18) << "kept apart";
}

TEST_F(FlowLayoutTest, AnEmptyDiagramHasNothingToPlace) {
  EXPECT_FALSE(LayOut());
  EXPECT_EQ(diagram->header.ViewWidth[FlowChart], 1500);
}

TEST_F(FlowLayoutTest, ContentBeyondTheViewMakesTheViewGrow) {
  // Sixty nodes side by side need 120 + 60 * 46 = 2880 units and more.
  const int root = FlowNode(1);
  for (int32_t serial = 2; serial <= 61; ++serial) FlowNode(serial, {1});
  EXPECT_TRUE(LayOut());
  EXPECT_GT(diagram->header.ViewWidth[FlowChart], 2880);
  EXPECT_EQ(diagram->header.ViewHeight[FlowChart], 1500);
  EXPECT_GT(FlowPos(root).X, 1000);
}

}  // namespace
}  // namespace ravelo::testing
