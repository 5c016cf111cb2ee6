// The selection rules: clicks with their exact key flags, Tab, the selection commands and the
// rubber band with each SelPart.
#include "view/selection.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/diagram_builder.h"

namespace ravelo {
namespace {

using testing::AddArc;
using testing::AddNode;

constexpr unsigned kLeft = kLeftButton;
constexpr unsigned kCtrl = kLeftButton | kCtrlKey;
constexpr unsigned kShift = kLeftButton | kShiftKey;

// A parent node 0 over end node 1 and parent node 2, which holds end node 3; an arc 4 from 1 to 2;
// an end node 5 on its own.
class SelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddNode(d, 10);
    AddNode(d, 11, {10});
    AddNode(d, 12, {10});
    AddNode(d, 13, {12});
    AddArc(d, 11, 12);
    AddNode(d, 14);
    d.header.CurrentObject = -1;
  }
  std::vector<int> Selected() const {
    std::vector<int> selected;
    for (int i = 0; i < d.count(); ++i)
      if (d.state(i).Selected != 0) selected.push_back(i);
    return selected;
  }
  void Select(std::initializer_list<int> indexes, int main) {
    for (int i : indexes) d.state(i).Selected = 1;
    d.header.CurrentObject = main;
  }

  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  ViewState view;
};

struct ClickCase {
  const char* what;
  std::vector<int> before;
  int main;
  int clicked;
  unsigned flags;
  std::vector<int> after;
  int mainAfter;
  bool moves;
};

TEST_F(SelectionTest, ClickSelectFollowsTheExactKeyFlags) {
  const ClickCase cases[] = {
      {"nothing selected", {}, -1, 1, kLeft, {1}, 1, true},
      {"Ctrl with nothing selected", {}, -1, 1, kCtrl, {1}, 1, true},
      {"an unselected node", {1, 2}, 1, 5, kLeft, {5}, 5, true},
      {"Ctrl adds", {1, 2}, 1, 5, kCtrl, {1, 2, 5}, 5, false},
      {"Ctrl with Shift too is no Ctrl", {1, 2}, 1, 5, kCtrl | kShiftKey, {5}, 5, true},
      {"Ctrl with the right button too is no Ctrl", {1, 2}, 1, 5, kCtrl | kRightButton, {5}, 5, true},
      {"Shift on an unselected node clears first", {1, 2}, 1, 5, kShift, {5}, 5, true},
      {"Shift takes a selected one away", {1, 2, 5}, 5, 2, kShift, {1, 5}, 5, false},
      {"Shift on the main one: the lowest left takes over", {1, 2, 5}, 5, 5, kShift, {1, 2}, 1, false},
      {"Shift on the only one keeps it named", {2}, 2, 2, kShift, {}, 2, false},
      {"a selected node becomes main", {1, 2}, 1, 2, kLeft, {1, 2}, 2, true},
      {"Ctrl on a selected node makes it main", {1, 2}, 1, 2, kCtrl, {1, 2}, 2, true},
      {"a link arc never moves", {}, -1, 4, kLeft, {4}, 4, false},
  };
  for (const ClickCase& c : cases) {
    for (int i = 0; i < d.count(); ++i) d.state(i).Selected = 0;
    for (int i : c.before) d.state(i).Selected = 1;
    d.header.CurrentObject = c.main;
    EXPECT_EQ(ClickSelect(d, c.clicked, c.flags), c.moves) << c.what;
    EXPECT_EQ(Selected(), c.after) << c.what;
    EXPECT_EQ(d.header.CurrentObject, c.mainAfter) << c.what;
  }
}

TEST_F(SelectionTest, TabMovesTheMainSelectionRoundTheTable) {
  EXPECT_FALSE(CycleMainSelection(d, false)) << "without a main selection";
  Select({5, 1}, 5);
  EXPECT_TRUE(CycleMainSelection(d, false));
  EXPECT_EQ(d.header.CurrentObject, 0) << "from the last object to the first";
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(CycleMainSelection(d, true));
  EXPECT_EQ(d.header.CurrentObject, 5);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 5}));
}

TEST_F(SelectionTest, SelectByKindAddsAndMakesTheLowestNewOneMain) {
  Select({1}, 1);
  SelectByKind(d, SelectKind::EndNodes);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(d.header.CurrentObject, 3);
  SelectByKind(d, SelectKind::LinkArcs);
  EXPECT_EQ(d.header.CurrentObject, 4);
  SelectByKind(d, SelectKind::ParentNodes);
  EXPECT_EQ(d.header.CurrentObject, 0);
  SelectByKind(d, SelectKind::All);
  EXPECT_EQ(d.header.CurrentObject, -1) << "everything was selected already";
  EXPECT_EQ(Selected().size(), 6u);
}

TEST_F(SelectionTest, DescendantsLevelAndArcEnds) {
  Select({0}, 0);
  SelectDescendants(d);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1, 2, 3}));

  for (int i = 0; i < d.count(); ++i) d.state(i).Selected = 0;
  d.state(1).Level = d.state(2).Level = d.state(4).Level = 1;
  Select({1}, 1);
  EXPECT_TRUE(SelectSameLevel(d));
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2})) << "the arc on that level is no node";
  EXPECT_FALSE(SelectSameLevel(d)) << "nothing more to add";

  for (int i = 0; i < d.count(); ++i) d.state(i).Selected = 0;
  Select({4}, 4);
  SelectArcEndNodes(d);
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 4}));
}

TEST_F(SelectionTest, ClearSelectionForgetsEverySelectedPart) {
  Select({1, 2}, 2);
  view.headlineSelected = view.memoSelected = true;
  ClearSelection(d, view);
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(d.header.CurrentObject, -1);
  EXPECT_FALSE(view.headlineSelected);
  EXPECT_FALSE(view.memoSelected);
}

// Node 1: title 100..140 × 100..120 in a body 90..150 × 90..130; node 2 the same 200 further right;
// the arc between them along y = 110.
class RubberBandTest : public SelectionTest {
 protected:
  void SetUp() override {
    SelectionTest::SetUp();
    for (int k : {1, 2}) {
      const int dx = (k - 1) * 200;
      d.state(k).ObjectRect = {100 + dx, 100, 140 + dx, 120};
      d.state(k).BodyRect = {90 + dx, 90, 150 + dx, 130};
    }
    d.state(4).ArcPoints[0] = {140, 110};
    d.state(4).ArcPoints[1] = {300, 110};
    d.state(4).ArcPoints[2] = kUnsetPoint;
    for (int k : {0, 3, 5}) d.state(k).BodyRect = d.state(k).ObjectRect = {900, 900, 950, 950};
  }
};

TEST_F(RubberBandTest, EachSelPartDecidesWhatANodeNeedsInside) {
  struct Case {
    int selPart;
    Rect band;
    std::vector<int> selected;
  };
  const Case cases[] = {
      {0, {89, 89, 151, 131}, {1}},        // the whole body
      {0, {95, 95, 145, 125}, {}},         // the title only
      {1, {95, 95, 145, 125}, {1}},        // the title is enough for SelPart 1
      {1, {101, 95, 145, 125}, {}},        // not the whole title
      {2, {115, 105, 200, 200}, {1}},      // the body's centre (120, 110)
      {2, {121, 105, 200, 200}, {}},       // just right of it
      {0, {80, 80, 400, 140}, {1, 2, 4}},  // both nodes and the arc between them
  };
  for (const Case& c : cases) {
    for (int i = 0; i < d.count(); ++i) d.state(i).Selected = 0;
    EXPECT_TRUE(RubberBandSelect(d, c.band, c.selPart));
    EXPECT_EQ(Selected(), c.selected) << "SelPart " << c.selPart;
  }
}

TEST_F(RubberBandTest, TheMainSelectionIsTheLastEndNodeInTheBand) {
  RubberBandSelect(d, {80, 80, 400, 140}, 0);
  EXPECT_EQ(d.header.CurrentObject, 1) << "node 2, later, is a parent node";
  for (int i = 0; i < d.count(); ++i) d.state(i).Selected = 0;
  RubberBandSelect(d, {139, 100, 301, 120}, 0);
  EXPECT_EQ(Selected(), (std::vector<int>{4}));
  EXPECT_EQ(d.header.CurrentObject, 4) << "no end node: the arc";
}

TEST_F(RubberBandTest, ABandTenPixelsWideSelectsNothing) {
  EXPECT_FALSE(RubberBandSelect(d, {100, 0, 110, 500}, 2));
  EXPECT_FALSE(RubberBandSelect(d, {0, 100, 500, 110}, 2));
  EXPECT_TRUE(Selected().empty());
  EXPECT_TRUE(RubberBandSelect(d, {100, 100, 111, 111}, 2));
}

TEST_F(RubberBandTest, AnArcWithoutAPathLiesInNoBand) {
  d.state(4).ArcPoints[0] = kUnsetPoint;
  RubberBandSelect(d, {0, 0, 1000, 1000}, 0);
  EXPECT_EQ(d.state(4).Selected, 0);
}

TEST(BandBetween, NormalisesTheTwoPoints) { EXPECT_EQ(BandBetween({50, 10}, {20, 40}), (Rect{20, 10, 50, 40})); }

TEST_F(SelectionTest, ThePaneShowsWhatIsSelected) {
  EXPECT_EQ(PaneTypeOf(d, view, false), kPaneChart) << "the Box chart";
  Select({4}, 4);
  EXPECT_EQ(PaneTypeOf(d, view, false), kPaneLinkArc);
  view.selectedArcEnd = 9;
  EXPECT_EQ(PaneTypeOf(d, view, false), kPaneArcEnd);
  d.header.CurrentObject = 1;
  EXPECT_EQ(PaneTypeOf(d, view, false), kPaneNode);
  EXPECT_EQ(PaneTypeOf(d, view, true), kPaneImage);
  view.memoSelected = true;
  EXPECT_EQ(PaneTypeOf(d, view, false), kPaneMemo);
  view.headlineSelected = true;
  EXPECT_EQ(PaneTypeOf(d, view, false), kPaneHeadline);
}

}  // namespace
}  // namespace ravelo
