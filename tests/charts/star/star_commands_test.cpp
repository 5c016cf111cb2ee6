#include "charts/star/star_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/charts/star/star_fixture.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

class StarCommandTest : public testing::StarTest {
 protected:
  testing::ScratchFolder scratch;
  OpaquePictureCodec codec;
  UndoHistory history{scratch.path() + "/work", codec};
  testing::RecordingMessages messages;
};

TEST_F(StarCommandTest, ResetAsksThenTakesASnapshotAndLaysOut) {
  const int a = Node(1, {10, 10}, "A");
  const int b = Node(2, {20, 20}, "B", {1});
  auto context = Context();
  ASSERT_TRUE(ResetStarChart(context, messages, history, 1));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(
      messages.shown[0].text,
      "ノード位置が最初の状態に戻りますがよろしいですか\n※ 直後であれば、アンドゥボタンで戻すことができます");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(StarPos(a), (Point{500, 400}));
  EXPECT_EQ(StarPos(b), (Point{500, 200}));
  ASSERT_TRUE(history.Undo(*diagram));
  EXPECT_EQ(StarPos(a), (Point{10, 10}));
  EXPECT_EQ(StarPos(b), (Point{20, 20}));
}

TEST_F(StarCommandTest, ResetDeclinedChangesNothingAndTakesNoSnapshot) {
  const int a = Node(1, {10, 10}, "A");
  Node(2, {20, 20}, "B", {1});
  messages.answer = MessageAnswer::No;
  auto context = Context();
  EXPECT_FALSE(ResetStarChart(context, messages, history, 1));
  EXPECT_EQ(StarPos(a), (Point{10, 10}));
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(StarCommandTest, ResetDoesNothingInTheBoxChart) {
  const int a = Node(1, {10, 10}, "A");
  Node(2, {20, 20}, "B", {1});
  diagram->header.CurrentChart = BoxChart;
  auto context = Context();
  EXPECT_FALSE(ResetStarChart(context, messages, history, 1));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(StarPos(a), (Point{10, 10}));
  EXPECT_FALSE(history.CanUndo());
}

// Around C at (300, 300) in a document whose rings hold 25 nodes from a radius of 100.
class RingTest : public StarCommandTest {
 protected:
  void SetUp() override {
    StarCommandTest::SetUp();
    diagram->header.StarFirstRing = 25;
    diagram->header.StarMinRadius = 100;
    grandparent = Node(1, {0, 0}, "G");
    parent = Node(2, {0, 0}, "P", {1});
    centre = Node(3, {300, 300}, "C", {2});
    child1 = Node(4, {0, 0}, "K1", {3});
    child2 = Node(5, {0, 0}, "K2", {3});
    grandchild = Node(6, {0, 0}, "GK", {4});
    other = Node(7, {0, 0}, "O");
    testing::AddArc(*diagram, 3, 7);
    diagram->header.CurrentObject = centre;
  }
  int grandparent, parent, centre, child1, child2, grandchild, other;
};

TEST_F(RingTest, DirectNeighboursGoOnASpiralFromTheMinimumRadius) {
  ASSERT_TRUE(PlaceOnRing(*diagram, RingNodes::Neighbours, history));
  // Three nodes, one turn of three slots: the radius grows by 100 / 6 + 5 with each node.
  EXPECT_EQ(StarPos(parent), (Point{404, 360}));
  EXPECT_EQ(StarPos(child1), (Point{178, 371}));
  EXPECT_EQ(StarPos(child2), (Point{300, 137}));
  EXPECT_EQ(StarPos(grandparent), (Point{0, 0}));
  EXPECT_EQ(StarPos(grandchild), (Point{0, 0}));
  EXPECT_EQ(StarPos(centre), (Point{300, 300}));
  EXPECT_TRUE(history.CanUndo());
}

TEST_F(RingTest, DescendantsAndSelectedNodesAreTakenInTableOrder) {
  ASSERT_TRUE(PlaceOnRing(*diagram, RingNodes::Descendants, history));
  EXPECT_EQ(StarPos(child1), (Point{404, 360}));
  EXPECT_EQ(StarPos(child2), (Point{178, 371}));
  EXPECT_EQ(StarPos(grandchild), (Point{300, 137}));
  EXPECT_EQ(StarPos(parent), (Point{0, 0}));

  // The main selection is selected too, but stays the middle of its own ring.
  for (int i : {centre, grandparent, other, 7}) State(i).Selected = 1;
  ASSERT_TRUE(PlaceOnRing(*diagram, RingNodes::Selected, history));
  EXPECT_EQ(StarPos(centre), (Point{300, 300}));
  EXPECT_EQ(StarPos(grandparent), (Point{300, 430}));
  EXPECT_EQ(StarPos(other), (Point{300, 140}));
  EXPECT_EQ(Object(7).Pos[StarChart], (Point{0, 0})) << "a selected link arc is not a node";
}

TEST_F(RingTest, ManyNodesMakeFurtherTurnsOfATenthMoreSlots) {
  diagram->header.StarFirstRing = 10;
  diagram->header.ObjectCount = 0;
  centre = Node(1, {300, 300}, "C");
  std::vector<int> children;
  for (int s = 2; s <= 13; ++s) children.push_back(Node(s, {0, 0}, "K", {1}));
  diagram->header.CurrentObject = centre;
  ASSERT_TRUE(PlaceOnRing(*diagram, RingNodes::Neighbours, history));
  const std::vector<Point> expected{{364, 212}, {414, 263}, {423, 340}, {382, 413}, {300, 450}, {206, 429},
                                    {139, 352}, {129, 245}, {189, 147}, {300, 100}, {412, 125}, {498, 210}};
  for (std::size_t k = 0; k < children.size(); ++k) EXPECT_EQ(StarPos(children[k]), expected[k]) << k;
}

TEST_F(RingTest, WithoutAMainSelectionOrNodesToMoveNothingHappens) {
  diagram->header.CurrentObject = -1;
  EXPECT_FALSE(PlaceOnRing(*diagram, RingNodes::Neighbours, history));
  diagram->header.CurrentObject = grandchild;
  EXPECT_FALSE(PlaceOnRing(*diagram, RingNodes::Descendants, history));
  diagram->header.CurrentObject = 7;  // the link arc from C
  EXPECT_FALSE(PlaceOnRing(*diagram, RingNodes::Neighbours, history));
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(StarPos(child1), (Point{0, 0}));
}

TEST_F(StarCommandTest, ViewSizeScalesPlacedNodesPerAxis) {
  const int a = Node(1, {300, 200}, "A");
  const int b = Node(2, {999, 1}, "B");
  const int unplaced = Node(3, kUnsetPoint, "U");
  testing::AddArc(*diagram, 1, 2);
  Object(3).Pos[StarChart] = {50, 50};
  ScaleStarPositions(*diagram, 1000, 800, 1500, 600);
  EXPECT_EQ(StarPos(a), (Point{450, 150}));
  EXPECT_EQ(StarPos(b), (Point{1498, 0}));
  EXPECT_EQ(StarPos(unplaced), kUnsetPoint);
  EXPECT_EQ(Object(3).Pos[StarChart], (Point{50, 50})) << "link arcs keep theirs";
  ScaleStarPositions(*diagram, 0, 800, 1500, 600);
  EXPECT_EQ(StarPos(a), (Point{450, 150}));
}

}  // namespace
}  // namespace ravelo
