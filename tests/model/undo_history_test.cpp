#include "model/undo_history.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/support/diagram_builder.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

namespace fs = std::filesystem;

class UndoTest : public ::testing::Test {
 protected:
  int SnapshotFiles() const {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder_))
      if (entry.path().filename().string().rfind("RVL", 0) == 0) ++files;
    return files;
  }

  // One edit: a snapshot, then a new node whose serial tells the step.
  void Edit(UndoHistory& history, int step) {
    history.TakeSnapshot(d);
    testing::AddNode(d, step);
  }

  testing::ScratchFolder scratch_;
  const std::string folder_ = scratch_.path();
  OpaquePictureCodec codec;
  Diagram d;
};

TEST_F(UndoTest, TwentyEditsLeaveNineteenStepsToUndo) {
  UndoHistory history(folder_, codec);
  for (int step = 1; step <= 20; ++step) Edit(history, step);
  EXPECT_EQ(history.UndoCount(), 19);
  int undone = 0;
  for (int i = 0; i < 20; ++i) undone += history.Undo(d) ? 1 : 0;
  EXPECT_EQ(undone, 19);
  EXPECT_EQ(d.count(), 1) << "the state after the first edit";
  EXPECT_EQ(d.object(0).Serial, 1);
  EXPECT_EQ(history.RedoCount(), 19);
  EXPECT_EQ(SnapshotFiles(), 19) << "consumed and dropped snapshots are deleted";
}

TEST_F(UndoTest, AnEditAfterUndoDiscardsRedo) {
  UndoHistory history(folder_, codec);
  Edit(history, 1);
  Edit(history, 2);
  ASSERT_TRUE(history.Undo(d));
  EXPECT_TRUE(history.CanRedo());
  Edit(history, 3);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_FALSE(history.Redo(d));
  EXPECT_EQ(d.count(), 2);
  EXPECT_EQ(SnapshotFiles(), history.UndoCount());
}

TEST_F(UndoTest, UndoThenRedoReturnsToTheSameStateAndSelection) {
  UndoHistory history(folder_, codec);
  Edit(history, 1);
  Edit(history, 2);
  Edit(history, 3);
  d.state(1).Selected = 1;
  d.state(2).Selected = 1;
  const std::vector<DiagramObject> before(d.table.objects.begin(), d.table.objects.begin() + 3);
  ASSERT_TRUE(history.Undo(d));
  EXPECT_EQ(d.count(), 2);
  ASSERT_TRUE(history.Redo(d));
  SelectLowestSelected(d);
  ASSERT_EQ(d.count(), 3);
  EXPECT_EQ(std::memcmp(before.data(), d.table.objects.data(), 3 * sizeof(DiagramObject)), 0);
  EXPECT_EQ(d.header.CurrentObject, 1);
}

TEST_F(UndoTest, PicturesComeBackByteForByte) {
  UndoHistory history(folder_, codec);
  testing::AddNode(d, 1);
  auto picture = std::make_unique<Picture>();
  for (int i = 0; i < 5000; ++i) picture->fileBytes.push_back(static_cast<uint8_t>(i * 7));
  const std::vector<uint8_t> bytes = picture->fileBytes;
  SetPicture(d, 0, std::move(picture));
  history.TakeSnapshot(d);
  SetPicture(d, 0, nullptr);
  ASSERT_TRUE(history.Undo(d));
  ASSERT_NE(d.table.pictures[0], nullptr);
  EXPECT_EQ(d.object(0).Image, 1);
  EXPECT_EQ(d.table.pictures[0]->fileBytes, bytes);
}

TEST_F(UndoTest, AMissingWorkFolderIsMade) {
  UndoHistory history(folder_ + "/work", codec);
  Edit(history, 1);
  EXPECT_TRUE(history.CanUndo());
  EXPECT_EQ(fs::status(folder_ + "/work").permissions(), fs::perms::owner_all);
}

TEST_F(UndoTest, AWorkFolderThatCannotBeMadeLosesTheStepsSilently) {
  std::ofstream(folder_ + "/taken") << "a file where the folder should be";
  UndoHistory history(folder_ + "/taken", codec);
  Edit(history, 1);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(d.count(), 1);
}

TEST_F(UndoTest, ADamagedSnapshotLeavesTheDiagramAsItIs) {
  UndoHistory history(folder_, codec);
  Edit(history, 1);
  Edit(history, 2);
  for (const auto& entry : fs::directory_iterator(folder_)) fs::resize_file(entry.path(), 100);
  ASSERT_TRUE(history.Undo(d));
  EXPECT_EQ(d.count(), 2);
  EXPECT_EQ(d.object(1).Serial, 2);
  EXPECT_EQ(history.UndoCount(), 1) << "the lost step still moves the counts";
}

TEST_F(UndoTest, ClearForgetsBothLists) {
  UndoHistory history(folder_, codec);
  Edit(history, 1);
  Edit(history, 2);
  history.Undo(d);
  history.Clear();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_FALSE(history.CanRedo());
}

}  // namespace
}  // namespace ravelo
