#include "charts/action/action_layout.h"

#include <gtest/gtest.h>

#include "tests/charts/action/action_test_support.h"

namespace ravelo::testing {
namespace {

constexpr Size kSmallBox{10, 6};
constexpr uint32_t kSeed = 12345;

// A root, two parent nodes under it and three end nodes under those; the parents come first in the
// table, so that no two placed boxes may meet.
class ActionLayoutTest : public ActionChartTest {
 protected:
  void SetUp() override {
    ActionChartTest::SetUp();
    root = LevelNode(1, 0);
    p1 = LevelNode(2, 1, {1});
    p2 = LevelNode(3, 1, {1});
    e1 = LevelNode(4, 2, {2});
    e2 = LevelNode(5, 2, {2});
    e3 = LevelNode(6, 2, {3});
  }

  void Layout(int centre, bool noAnimation = true, uint32_t seed = kSeed) {
    diagram->header.ActCenterObject = centre;
    ActLayout(*diagram, Boxes(kSmallBox), random, seed, noAnimation);
  }

  std::vector<Point> Targets() {
    std::vector<Point> targets;
    for (int i = 0; i < diagram->count(); ++i) targets.push_back(Object(i).ActTarget);
    return targets;
  }

  int root = 0, p1 = 0, p2 = 0, e1 = 0, e2 = 0, e3 = 0;
};

TEST_F(ActionLayoutTest, RingsAndBandsAroundEachCentre) {
  struct Case {
    const char* name;
    int centre;  // the table index
    int rings;
  };
  // Three levels; the rings count the larger side of the centre's level, itself included.
  const Case cases[] = {{"root", 0, 3}, {"middle", 1, 2}, {"deepest", 5, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int centre = c.centre;
    Layout(centre);
    const DocumentHeader& h = diagram->header;
    EXPECT_EQ(h.ActCenterX, 505);  // 5 + (1010 - 10) / 2
    EXPECT_EQ(h.ActCenterY, 405);
    EXPECT_EQ(h.ActRingCount, c.rings);
    EXPECT_EQ(h.ActRingStepX, 500 / c.rings);
    EXPECT_EQ(h.ActRingStepY, 400 / c.rings);
    EXPECT_EQ(Object(centre).ActTarget, (Point{505, 405}));
    EXPECT_EQ(Object(centre).ActDistance, 0);
    for (int i = 0; i < diagram->count(); ++i) {
      if (i == centre) continue;
      SCOPED_TRACE(i);
      const int r = std::abs(State(i).Level - State(centre).Level);
      EXPECT_EQ(Object(i).ActDistance, r);
      const double radius = BandRadius(Object(i).ActTarget);
      if (r == 0) {
        // The centre's own level: between a third of a step and one step out.
        EXPECT_GE(radius, 1.0 / 3 - 0.03);
        EXPECT_LE(radius, 1.03);
      } else {
        EXPECT_GE(radius, r - 0.03);
        EXPECT_LE(radius, r + 1.03);
      }
      EXPECT_EQ(Object(i).ActCurrent, Object(i).ActTarget);
      EXPECT_EQ(Object(i).ActStart, Object(i).ActTarget);
    }
  }
}

TEST_F(ActionLayoutTest, AnglesFollowTheParents) {
  Layout(root);
  for (const int parent : {p1, p2}) {
    EXPECT_LE(AngleBetween(AngleOf(Object(parent).ActTarget), State(parent).ActAngle), 2) << parent;
  }
  // An end node with one parent lies within 45 degrees of the parent's angle.
  EXPECT_LE(AngleBetween(AngleOf(Object(e1).ActTarget), State(p1).ActAngle), 47);
  EXPECT_LE(AngleBetween(AngleOf(Object(e2).ActTarget), State(p1).ActAngle), 47);
  EXPECT_LE(AngleBetween(AngleOf(Object(e3).ActTarget), State(p2).ActAngle), 47);
}

TEST_F(ActionLayoutTest, EndNodeWithParentsOnTwoLevelsFollowsTheOneNextToIt) {
  // Listed first is the root, two levels away; the parent one level up decides.
  const int both = LevelNode(7, 2, {1, 2});
  Layout(root);
  const double p1Angle = State(p1).ActAngle;
  State(root).ActAngle = std::fmod(p1Angle + 180, 360);  // the centre keeps what it holds
  Layout(root);
  ASSERT_EQ(State(p1).ActAngle, p1Angle);
  EXPECT_LE(AngleBetween(AngleOf(Object(both).ActTarget), p1Angle), 47);
}

TEST_F(ActionLayoutTest, PlacedBoxesDoNotMeet) {
  for (int k = 0; k < 20; ++k) LevelNode(100 + k, 2, {2});
  const Size box{40, 16};
  ActLayout(*diagram, Boxes(box), random, kSeed, true);
  for (int i = 0; i < diagram->count(); ++i) {
    for (int j = i + 1; j < diagram->count(); ++j) {
      EXPECT_FALSE(RectsIntersect(BoxAround(Object(i).ActTarget, box), BoxAround(Object(j).ActTarget, box)))
          << i << " meets " << j;
    }
  }
}

TEST_F(ActionLayoutTest, TheSeedDecides) {
  Layout(root, true, kSeed);
  const std::vector<Point> first = Targets();
  Layout(root, true, kSeed);
  EXPECT_EQ(Targets(), first);
  Layout(root, true, kSeed + 1);
  EXPECT_NE(Targets(), first);
}

TEST_F(ActionLayoutTest, AnimatedLayoutStartsFromTheOldPlaces) {
  Layout(root);
  const std::vector<Point> before = Targets();
  Layout(p1, false);
  for (int i = 0; i < diagram->count(); ++i) {
    EXPECT_EQ(Object(i).ActStart, before[static_cast<std::size_t>(i)]);
    EXPECT_EQ(Object(i).ActCurrent, Object(i).ActTarget);
  }
  EXPECT_EQ(Object(p1).ActTarget, (Point{505, 405}));
}

TEST_F(ActionLayoutTest, EndNodesStayInsideASmallView) {
  DocumentHeader& h = diagram->header;
  h.ViewWidth[ActionChart] = 200;
  h.ViewHeight[ActionChart] = 200;
  const Size big{120, 60};
  h.ActCenterObject = root;
  ActLayout(*diagram, Boxes(big), random, kSeed, true);
  for (const int end : {e1, e2, e3}) {
    const Point t = Object(end).ActTarget;
    EXPECT_GE(t.X, 60);
    EXPECT_LE(t.X, 140);
    EXPECT_GE(t.Y, 60);
    EXPECT_LE(t.Y, 140);
  }
}

TEST_F(ActionLayoutTest, RingStepsTooSmallForABandStillPlaceEveryNode) {
  DocumentHeader& h = diagram->header;
  h.ViewWidth[ActionChart] = 14;
  h.ViewHeight[ActionChart] = 14;
  diagram->LevelCount = 30;
  Layout(root);
  EXPECT_EQ(h.ActRingStepY, 0);
  for (int i = 0; i < diagram->count(); ++i) EXPECT_NE(Object(i).ActTarget, kUnsetPoint);
}

TEST_F(ActionLayoutTest, DamagedCentreFallsBackToTheFirstNode) {
  testing::AddArc(*diagram, 4, 5);
  std::swap(Object(0), Object(diagram->count() - 1));  // the arc first
  Layout(57);
  EXPECT_EQ(diagram->header.ActCenterObject, 1);
}

TEST(ActionLayoutEmpty, NothingHappens) {
  Diagram d;
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  d.header.ActRingCount = 7;
  ActLayout(d, {}, random, kSeed, true);
  EXPECT_EQ(d.header.ActRingCount, 7);
}

TEST(PlacedBoxes, MeetingAndTouching) {
  PlacedBoxes placed(1000, 800);
  placed.Add({100, 100, 140, 120});
  placed.Add({-300, 2000, -250, 2050});  // far outside the view
  EXPECT_TRUE(placed.Meets({139, 119, 200, 200}));
  EXPECT_FALSE(placed.Meets({140, 100, 200, 120}));  // touching edges share no pixel
  EXPECT_TRUE(placed.Meets({-260, 2040, -200, 2100}));
  EXPECT_FALSE(placed.Meets({-200, 2040, -150, 2100}));
  placed.Clear();
  EXPECT_FALSE(placed.Meets({100, 100, 140, 120}));
}

class ActionAutoLayoutTest : public ActionLayoutTest {
 protected:
  ActionLayout layout{clock};
};

TEST_F(ActionAutoLayoutTest, LaysOutOnlyWhenANodeHasNoPlace) {
  const int arc = testing::AddArc(*diagram, 4, 5);
  Object(arc).ActTarget = {7, 8};
  for (int i = 0; i < diagram->count(); ++i) Object(i).Pos[ActionChart] = {50, 50};
  RenderContext context = Context();
  EXPECT_FALSE(layout.AutoLayout(context));
  EXPECT_EQ(Object(p1).ActTarget, kUnsetPoint);

  Object(e2).Pos[ActionChart] = kUnsetPoint;
  diagram->header.CurrentObject = p2;
  EXPECT_TRUE(layout.AutoLayout(context));
  EXPECT_EQ(diagram->header.ActCenterObject, p2);
  EXPECT_EQ(Object(p2).ActTarget, (Point{505, 405}));
  for (int i = 0; i < diagram->count(); ++i) EXPECT_EQ(Object(i).Pos[ActionChart], Object(i).ActCurrent) << i;
  EXPECT_EQ(Object(arc).Pos[ActionChart], (Point{7, 8}));  // a link arc keeps its stored target
}

TEST_F(ActionAutoLayoutTest, WithoutMainSelectionTheFirstNodeIsTheCentre) {
  testing::AddArc(*diagram, 4, 5);
  std::swap(Object(0), Object(diagram->count() - 1));
  std::swap(State(0), State(diagram->count() - 1));
  diagram->header.CurrentObject = -1;
  RenderContext context = Context();
  EXPECT_TRUE(layout.AutoLayout(context));
  EXPECT_EQ(diagram->header.ActCenterObject, 1);
}

TEST_F(ActionAutoLayoutTest, TwoLayoutsInOneSecondDiffer) {
  RenderContext context = Context();
  diagram->header.ActCenterObject = root;
  layout.Layout(context, true);
  const std::vector<Point> first = Targets();
  layout.Layout(context, true);
  EXPECT_NE(Targets(), first);
}

TEST_F(ActionLayoutTest, RescaleMapsTargetsAboutTheCentre) {
  Layout(root);
  const std::vector<Point> before = Targets();
  ActRescale(*diagram, 1010, 810);
  EXPECT_EQ(Targets(), before);  // the same size changes nothing

  DocumentHeader& h = diagram->header;
  h.ViewWidth[ActionChart] = 2010;  // twice the inner width
  h.ViewHeight[ActionChart] = 410;  // half the inner height
  ActRescale(*diagram, 1010, 810);
  EXPECT_EQ(h.ActCenterX, 1005);
  EXPECT_EQ(h.ActCenterY, 205);
  EXPECT_EQ(h.ActRingStepX, 1000 / 3);
  EXPECT_EQ(h.ActRingStepY, 200 / 3);
  for (int i = 0; i < diagram->count(); ++i) {
    const Point old = before[static_cast<std::size_t>(i)];
    EXPECT_EQ(Object(i).ActTarget, (Point{1005 + 2 * (old.X - 505), 205 + (old.Y - 405) / 2})) << i;
    EXPECT_EQ(Object(i).ActCurrent, Object(i).ActTarget);
    EXPECT_EQ(Object(i).ActStart, Object(i).ActTarget);
  }
}

TEST(ActionConstrainDrag, KeepsThePointInItsBand) {
  DocumentHeader h{};
  h.Zoom[ActionChart] = 1.0f;
  h.ActCenterX = 500;
  h.ActCenterY = 400;
  h.ActRingStepX = 100;
  h.ActRingStepY = 80;
  // Band 1 lies between the ellipses of semi-axes (100, 80) and (200, 160).
  const auto inside = [](Point p, double a, double b) {
    const double x = (p.X - 500) / a, y = (p.Y - 400) / b;
    return x * x + y * y;
  };
  Point far{950, 400};
  EXPECT_TRUE(ActConstrainDrag(h, 1, far));
  EXPECT_LE(inside(far, 200, 160), 1.0);
  EXPECT_EQ(far.Y, 400);

  Point near{520, 410};
  EXPECT_TRUE(ActConstrainDrag(h, 1, near));
  EXPECT_GE(inside(near, 100, 80), 1.0);
  EXPECT_LE(inside(near, 200, 160), 1.0);

  Point within{650, 400};
  EXPECT_FALSE(ActConstrainDrag(h, 1, within));
  EXPECT_EQ(within, (Point{650, 400}));

  // Band 0 has no inner ellipse: near the centre nothing moves.
  Point centre{505, 402};
  EXPECT_FALSE(ActConstrainDrag(h, 0, centre));
  EXPECT_EQ(centre, (Point{505, 402}));
}

}  // namespace
}  // namespace ravelo::testing
