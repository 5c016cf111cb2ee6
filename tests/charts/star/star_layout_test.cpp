#include "charts/star/star_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawing/node_layout.h"
#include "geometry/geometry.h"
#include "tests/charts/star/star_fixture.h"

namespace ravelo {
namespace {

using testing::StarTest;

struct Expected {
  int index;
  Point position;
};

class StarPlaceTest : public StarTest {
 protected:
  void Expect(const std::vector<Expected>& table) {
    for (const Expected& e : table) EXPECT_EQ(StarPos(e.index), e.position) << "node " << e.index;
  }
};

TEST_F(StarPlaceTest, ChildrenCircleTheirParentAndOtherRootsTheMiddle) {
  // A (the most descendants) with B, C, D; B with E, F. G with H; I alone. Three roots: the two
  // that are not the centre sit at the top and the bottom of the outer circle.
  const int a = Unplaced(1, "A");
  const int b = Unplaced(2, "B", {1});
  const int c = Unplaced(3, "C", {1});
  const int d = Unplaced(4, "D", {1});
  const int e = Unplaced(5, "E", {2});
  const int f = Unplaced(6, "F", {2});
  const int g = Unplaced(7, "G");
  const int h = Unplaced(8, "H", {7});
  const int i = Unplaced(9, "I");
  ASSERT_TRUE(StarPlace(*diagram));
  Expect({{a, {500, 400}},
          {b, {500, 200}},  // straight above, then clockwise
          {c, {673, 499}},
          {d, {327, 500}},
          {e, {500, 100}},  // B's circle has half the radius
          {f, {500, 300}},
          {g, {500, 0}},     // the outer circle, radius 400, from the top
          {h, {500, -100}},  // a single child straight above, a quarter of the outer radius
          {i, {500, 800}}});
}

TEST_F(StarPlaceTest, ASingleRootUsesNoOuterCircle) {
  const int a = Unplaced(1, "A");
  const int b = Unplaced(2, "B", {1});
  const int c = Unplaced(3, "C", {1});
  ASSERT_TRUE(StarPlace(*diagram));
  Expect({{a, {500, 400}}, {b, {500, 200}}, {c, {500, 600}}});
}

TEST_F(StarPlaceTest, OfEqualRootsTheFirstIsTheCentre) {
  const int a = Unplaced(1, "A");
  const int b = Unplaced(2, "B", {1});
  const int c = Unplaced(3, "C");
  const int d = Unplaced(4, "D", {3});
  ASSERT_TRUE(StarPlace(*diagram));
  Expect({{a, {500, 400}}, {b, {500, 200}}, {c, {500, 0}}, {d, {500, -100}}});
}

TEST_F(StarPlaceTest, ANodeReachedTwiceKeepsItsLastPlace) {
  const int a = Unplaced(1, "A");
  Unplaced(2, "B", {1});
  Unplaced(3, "C", {1});
  const int shared = Unplaced(4, "D", {2, 3});
  ASSERT_TRUE(StarPlace(*diagram));
  // Through B (500, 200) first, then through C (500, 600) on a circle of radius 100.
  EXPECT_EQ(StarPos(a), (Point{500, 400}));
  EXPECT_EQ(StarPos(shared), (Point{500, 500}));
}

TEST_F(StarPlaceTest, ANodeNoCircleReachedGoesBesideItsFirstChild) {
  // B is marked an end node although it has a child C, so no circle reaches C; C is a level above
  // its child E, which is reached through D and F. C goes 100 units from E toward the middle.
  const int a = Unplaced(1, "A");
  const int b = Unplaced(2, "B", {1});
  const int d = Unplaced(3, "D", {1});
  const int f = Unplaced(4, "F", {3});
  const int c = Unplaced(5, "C", {2});
  const int e = Unplaced(6, "E", {4, 5});
  Object(b).IsEndNode = 1;
  ASSERT_TRUE(StarPlace(*diagram));
  EXPECT_EQ(State(c).Level, 2);
  Expect(
      {{a, {500, 400}}, {b, {500, 200}}, {d, {500, 600}}, {f, {500, 500}}, {e, {500, 450}}, {c, {500, 350}}});
}

TEST_F(StarPlaceTest, WithoutAHierarchyNothingIsPlaced) {
  const int a = Node(1, {40, 40}, "A");
  const int b = Node(2, {80, 80}, "B");
  testing::AddArc(*diagram, 1, 2);
  EXPECT_FALSE(StarPlace(*diagram));
  EXPECT_EQ(StarPos(a), kUnsetPoint);
  EXPECT_EQ(StarPos(b), kUnsetPoint);
  auto context = Context();
  EXPECT_FALSE(StarLayout(context, 1));
  EXPECT_EQ(StarPos(a), kUnsetPoint);
}

TEST_F(StarPlaceTest, AHierarchyWhoseParentsRunInACycleEndsPlacing) {
  // A damaged table: every node is a parent of the next and the last of the first, so each counts
  // as a root whose circles never end.
  constexpr int kNodes = 50;
  for (int s = 1; s <= kNodes; ++s) Unplaced(s, "N", {s == 1 ? kNodes : s - 1});
  for (int i = 0; i < kNodes; ++i) Object(i).IsEndNode = 0;
  EXPECT_TRUE(StarPlace(*diagram));
  for (int i = 0; i < kNodes; ++i) EXPECT_NE(StarPos(i), kUnsetPoint) << "node " << i;
}

class StarSpreadTest : public StarTest {
 protected:
  // The bodies of every node laid out where it is now.
  std::vector<Rect> Bodies() {
    auto context = Context();
    std::vector<Rect> bodies;
    for (int i = 0; i < diagram->count(); ++i) {
      LayoutEndNode(context, i);
      bodies.push_back(State(i).BodyRect);
    }
    return bodies;
  }
};

TEST_F(StarSpreadTest, StackedNodesAreSpreadApartWithinAHundredUnits) {
  // Each node leaves the stack of the nodes after it; the last has none after it and stays.
  constexpr int kNodes = 8;
  for (int s = 1; s <= kNodes; ++s) Node(s, {500, 400}, "N" + std::to_string(s));
  const Rect stack = Bodies().back();
  auto context = Context();
  StarSpread(context, 12345);
  const std::vector<Rect> bodies = Bodies();
  for (int i = 0; i < kNodes - 1; ++i) {
    const Point p = StarPos(i);
    EXPECT_TRUE(p.X >= 400 && p.X < 600 && p.Y >= 300 && p.Y < 500) << "node " << i;
    EXPECT_FALSE(RectsIntersect(bodies[i], stack)) << "node " << i;
  }
  EXPECT_EQ(StarPos(kNodes - 1), (Point{500, 400}));
}

TEST_F(StarSpreadTest, OverlapsAreFoundLeftOfTheOriginAndUnderAHugeNode) {
  const int a = Node(1, {-500, -500}, "A");
  Node(2, {-500, -500}, "B");
  const int c = Node(3, {300, 300}, "C");
  // Four lines of 11 letters in 144 points: a body of many grid cells, far larger than a node may
  // move.
  const std::string line(11, 'W');
  const int huge = Node(4, {300, 300}, line + "\n" + line + "\n" + line + "\n" + line);
  Object(huge).FontSize = 144;
  auto context = Context();
  StarSpread(context, 4);
  const std::vector<Rect> bodies = Bodies();
  EXPECT_NE(StarPos(a), (Point{-500, -500}));
  EXPECT_FALSE(RectsIntersect(bodies[0], bodies[1]));
  EXPECT_NE(StarPos(c), (Point{300, 300})) << "it tried to leave the huge node";
  EXPECT_TRUE(RectsIntersect(bodies[2], bodies[3])) << "but could not";
}

TEST_F(StarSpreadTest, NodesApartStayWhereTheyAre) {
  const int a = Node(1, {100, 100}, "A");
  const int b = Node(2, {300, 100}, "B");
  const int c = Node(3, {100, 300}, "C");
  auto context = Context();
  StarSpread(context, 99);
  EXPECT_EQ(StarPos(a), (Point{100, 100}));
  EXPECT_EQ(StarPos(b), (Point{300, 100}));
  EXPECT_EQ(StarPos(c), (Point{100, 300}));
}

TEST_F(StarSpreadTest, TheSameSeedSpreadsTheSameWay) {
  for (int s = 1; s <= 5; ++s) Node(s, {200, 200}, "N");
  const auto spread = [this](uint32_t seed) {
    for (int i = 0; i < 5; ++i) Object(i).Pos[StarChart] = {200, 200};
    auto context = Context();
    StarSpread(context, seed);
    std::vector<Point> positions;
    for (int i = 0; i < 5; ++i) positions.push_back(StarPos(i));
    return positions;
  };
  EXPECT_EQ(spread(7), spread(7));
  EXPECT_NE(spread(7), spread(8));
}

TEST_F(StarSpreadTest, TwoThousandStackedNodesThatCannotEscapeEndAfterTheLastAttempt) {
  // Titles far wider than the 200 units a node may move: every node tries all 199 places.
  const std::string wide(60, 'W');
  for (int s = 1; s <= kMaxObjects; ++s) Node(s, {500, 400}, wide);
  auto context = Context();
  StarSpread(context, 1);
  for (int i = 0; i < kMaxObjects; ++i) {
    const Point p = StarPos(i);
    ASSERT_TRUE(p.X >= 400 && p.X < 600 && p.Y >= 300 && p.Y < 500) << "node " << i;
  }
}

TEST_F(StarSpreadTest, FarOffPositionsOfADamagedTableDoNotOverflow) {
  Node(1, {INT32_MAX, INT32_MIN}, "A");
  Node(2, {INT32_MAX, INT32_MIN}, "B");
  Node(3, {INT32_MIN, INT32_MAX}, "C");
  auto context = Context();
  StarSpread(context, 3);
  StarClamp(context);
  SUCCEED();
}

struct ClampCase {
  Point position;
  float zoom;
  Point expected;
};

TEST_F(StarTest, ClampPullsNodesIntoTheView) {
  // The body of "A" reaches 11 units either side of its position and 10 above and below at zoom 1,
  // 18 and 16 canvas pixels at zoom 2.
  const std::vector<ClampCase> cases{
      {{500, 400}, 1.0f, {500, 400}},  // inside: unchanged
      {{3, 5}, 1.0f, {11, 10}},        // over the top-left corner
      {{998, 799}, 1.0f, {989, 790}},  // over the bottom-right corner
      {{-300, 400}, 1.0f, {11, 400}},  // far outside on the left
      {{3, 400}, 2.0f, {9, 400}},      // at zoom 2 the shift in canvas pixels is halved
      {{999, 400}, 2.0f, {991, 400}},
  };
  for (const ClampCase& c : cases) {
    diagram->header.ObjectCount = 0;
    const int a = Node(1, c.position, "A");
    SetZoom(c.zoom);
    auto context = Context();
    StarClamp(context);
    EXPECT_EQ(StarPos(a), c.expected) << c.position.X << ", " << c.position.Y << " at zoom " << c.zoom;
  }
}

TEST_F(StarSpreadTest, NodesPulledIntoTheViewAreSpreadWhereTheyStay) {
  // The second root sits on the top edge of the view and its child straight above it, beyond the
  // edge: pulled into the view both land on the top edge, and the spread must part them there.
  Unplaced(1, "A");
  Unplaced(2, "B", {1});
  const int root = Unplaced(3, "Root");
  const int child = Unplaced(4, "Child", {3});
  auto context = Context();
  ASSERT_TRUE(StarLayout(context, 21));
  const std::vector<Rect> bodies = Bodies();
  EXPECT_FALSE(RectsIntersect(bodies[root], bodies[child]));
  for (const Rect& body : bodies) {
    EXPECT_TRUE(body.left >= 0 && body.top >= 0 && body.right <= 1000 && body.bottom <= 800);
  }
}

TEST_F(StarTest, AutoLayoutRunsOnlyWhileNoNodeHasAPosition) {
  const int a = Unplaced(1, "A");
  const int b = Unplaced(2, "B", {1});
  auto context = Context();
  EXPECT_TRUE(StarAutoLayout(context, 5));
  EXPECT_EQ(StarPos(a), (Point{500, 400}));
  EXPECT_EQ(StarPos(b), (Point{500, 200}));
  Object(b).Pos[StarChart] = {10, 10};
  Object(a).Pos[StarChart] = kUnsetPoint;
  EXPECT_FALSE(StarAutoLayout(context, 5));
  EXPECT_EQ(StarPos(a), kUnsetPoint);
  EXPECT_EQ(StarPos(b), (Point{10, 10}));
}

}  // namespace
}  // namespace ravelo
