// Hierarchy levels and the child lists they are read from.
#include "model/levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/hierarchy.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/recording_progress.h"

namespace ravelo::testing {
namespace {

class LevelsTest : public ::testing::Test {
 protected:
  int Level(int index) const { return diagram->state(index).Level; }
  int Seq(int index) const { return diagram->state(index).LevelSeq; }
  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
};

TEST_F(LevelsTest, DepthFirstNumberingOfATree) {
  const int a = AddNode(*diagram, 1);
  const int b = AddNode(*diagram, 2, {1});
  const int c = AddNode(*diagram, 3, {1});
  const int d = AddNode(*diagram, 4, {2});
  const int lone = AddNode(*diagram, 5);
  ComputeLevels(*diagram);
  EXPECT_EQ(Level(a), 0);
  EXPECT_EQ(Level(b), 1);
  EXPECT_EQ(Level(d), 2);
  EXPECT_EQ(Level(c), 1);
  EXPECT_EQ(Level(lone), 0);
  // B's child is numbered before B's sibling C.
  EXPECT_EQ(Seq(a), 0);
  EXPECT_EQ(Seq(b), 1);
  EXPECT_EQ(Seq(d), 2);
  EXPECT_EQ(Seq(c), 3);
  EXPECT_EQ(Seq(lone), 4);
  EXPECT_EQ(diagram->LevelCount, 3);
}

TEST_F(LevelsTest, EndNodesSitBelowTheirDeepestParentAndPullTheirParentsDown) {
  // Node e is a child of box b (level 1) and of the root r; the root is pulled down beside b.
  const int r = AddNode(*diagram, 30);
  const int b = AddNode(*diagram, 31, {30});
  const int e = AddNode(*diagram, 32, {31, 30});
  ComputeLevels(*diagram);
  EXPECT_EQ(Level(e), 2);
  EXPECT_EQ(Level(b), 1);
  EXPECT_EQ(Level(r), 1);
  EXPECT_EQ(diagram->LevelCount, 3);
}

TEST_F(LevelsTest, ABoxWithSeveralParentsKeepsTheValuesOfItsLastVisit) {
  // Box c is a child of root a and of a's child b: reached first under b (level 2), then again
  // directly under a (level 1); its child d follows it each time.
  const int a = AddNode(*diagram, 1);
  const int b = AddNode(*diagram, 2, {1});
  const int c = AddNode(*diagram, 3, {1, 2});
  const int d = AddNode(*diagram, 4, {3});
  ComputeLevels(*diagram);
  EXPECT_EQ(Level(a), 0);
  EXPECT_EQ(Level(b), 1);
  EXPECT_EQ(Level(c), 1);
  EXPECT_EQ(Seq(c), 4);
  EXPECT_EQ(Level(d), 2);
  EXPECT_EQ(Seq(d), 5);
  EXPECT_EQ(diagram->LevelCount, 3);
}

TEST_F(LevelsTest, SeveralRootsAreNumberedOneAfterAnotherInTableOrder) {
  const int first = AddNode(*diagram, 1);
  const int firstChild = AddNode(*diagram, 2, {1});
  const int lone = AddNode(*diagram, 3);
  const int second = AddNode(*diagram, 4);
  const int secondChild = AddNode(*diagram, 5, {4});
  const int grandchild = AddNode(*diagram, 6, {5});
  ComputeLevels(*diagram);
  const std::vector<std::pair<int, int>> levelAndSeq = {{Level(first), Seq(first)},
                                                        {Level(firstChild), Seq(firstChild)},
                                                        {Level(lone), Seq(lone)},
                                                        {Level(second), Seq(second)},
                                                        {Level(secondChild), Seq(secondChild)},
                                                        {Level(grandchild), Seq(grandchild)}};
  EXPECT_EQ(levelAndSeq, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}, {0, 2}, {0, 3}, {1, 4}, {2, 5}}));
  EXPECT_EQ(diagram->LevelCount, 3);
}

TEST_F(LevelsTest, ADeepChainGetsOneLevelPerLink) {
  // As deep as the table allows: every node the only child of the one before.
  AddNode(*diagram, 1);
  for (int32_t serial = 2; serial <= kMaxObjects; ++serial) AddNode(*diagram, serial, {serial - 1});
  ComputeLevels(*diagram);
  for (int i = 0; i < kMaxObjects; ++i) {
    ASSERT_EQ(Level(i), i);
    ASSERT_EQ(Seq(i), i);
  }
  EXPECT_EQ(diagram->LevelCount, kMaxObjects);
}

TEST_F(LevelsTest, ArcsAndUnresolvedParentsDoNotCount) {
  const int a = AddNode(*diagram, 1);
  const int orphan = AddNode(*diagram, 2, {99});  // its parent was deleted
  AddArc(*diagram, 1, 2);
  ComputeLevels(*diagram);
  EXPECT_EQ(Level(a), 0);
  EXPECT_EQ(Level(orphan), 0);
  EXPECT_EQ(diagram->LevelCount, 1);
}

TEST_F(LevelsTest, EmptyTableHasOneLevel) {
  diagram->LevelCount = 7;
  ComputeLevels(*diagram);
  EXPECT_EQ(diagram->LevelCount, 1);
}

TEST_F(LevelsTest, ProgressRunsOverTheObjects) {
  AddNode(*diagram, 1);
  AddNode(*diagram, 2, {1});
  RecordingProgress progress;
  ComputeLevels(*diagram, &progress);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"range 2", "pos 0", "pos 0", "pos 1", "pos 0"}));
}

TEST_F(LevelsTest, DamagedCycleEnds) {
  const int root = AddNode(*diagram, 3);
  const int a = AddNode(*diagram, 1, {2, 3});
  const int b = AddNode(*diagram, 2, {1});
  diagram->object(a).IsEndNode = 0;
  diagram->object(b).IsEndNode = 0;
  ComputeLevels(*diagram);
  EXPECT_EQ(Level(root), 0);
  EXPECT_LE(diagram->LevelCount, diagram->count() + 1);
}

TEST_F(LevelsTest, HierarchyThatJoinsAndPartsOnEveryLayerEnds) {
  // Forty layers of two boxes, each the child of both boxes above: numbered on every path, the
  // visits would double with every layer.
  int32_t serial = 1;
  AddNode(*diagram, serial++);
  AddNode(*diagram, serial++);
  for (int layer = 1; layer < 40; ++layer) {
    const int32_t left = serial - 2, right = serial - 1;
    AddNode(*diagram, serial++, {left, right});
    AddNode(*diagram, serial++, {left, right});
  }
  ComputeLevels(*diagram);
  EXPECT_GE(diagram->LevelCount, 2);
}

TEST(ChildListsTest, ChildrenInTableOrderAndDescendantsThroughFirstSerials) {
  auto diagram = std::make_unique<Diagram>();
  const int top = AddNode(*diagram, 1);
  const int box = AddNode(*diagram, 2, {1});
  const int leaf = AddNode(*diagram, 3, {2, 2});  // listed twice, counted once
  const int other = AddNode(*diagram, 4, {1});
  const ChildLists children(*diagram);
  EXPECT_EQ(std::vector<int>(children.ChildrenOf(1).begin(), children.ChildrenOf(1).end()),
            (std::vector<int>{box, other}));
  EXPECT_EQ(children.ChildrenOf(2).size(), 1u);
  std::vector<int> descendants = children.DescendantsOf(top);
  std::sort(descendants.begin(), descendants.end());
  EXPECT_EQ(descendants, (std::vector<int>{box, leaf, other}));
  EXPECT_TRUE(children.DescendantsOf(leaf).empty());
  EXPECT_EQ(children.NodeOf(3), leaf);
  EXPECT_EQ(children.NodeOf(9), -1);
}

}  // namespace
}  // namespace ravelo::testing
