#include "app/frame_housekeeping.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/memory_settings.h"

namespace ravelo {
namespace {

namespace fs = std::filesystem;
using testing::MemorySettings;

TEST(HoverAnimationKey, SwitchesOffInMemoryAndBackOnWithTheStoredCount) {
  MemorySettings s;
  SystemSettings held;
  held.PlayAnime = 5;
  EXPECT_EQ(ToggleHoverAnimation(held, s), "アニメポインタを表示しないように設定しました");
  EXPECT_EQ(held.PlayAnime, 0);
  EXPECT_EQ(ToggleHoverAnimation(held, s), "アニメポインタを表示するように設定しました");
  EXPECT_EQ(held.PlayAnime, 3) << "nothing stored: the default";
  s.values[{"SYS", "PlayAnime"}] = "8";
  held.PlayAnime = 0;
  ToggleHoverAnimation(held, s);
  EXPECT_EQ(held.PlayAnime, 8);
  EXPECT_TRUE(s.values.size() == 1) << "the key writes nothing";
}

class UndoFileCleanup : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) / ("cleanup-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }
  void Touch(const std::string& name) { std::ofstream(folder / name) << "x"; }

  fs::path folder;
};

TEST_F(UndoFileCleanup, DeletesFilesBeginningWithRvlInAnyCaseOnly) {
  for (const char* name : {"RVLa1b2c3", "rvlundo", "RvL", "RV", "a.rvl", "sample.RVL", "xRVL"}) Touch(name);
  fs::create_directory(folder / "RVLfolder");
  RemoveLeftoverUndoFiles(folder.string());
  EXPECT_FALSE(fs::exists(folder / "RVLa1b2c3"));
  EXPECT_FALSE(fs::exists(folder / "rvlundo"));
  EXPECT_FALSE(fs::exists(folder / "RvL"));
  for (const char* kept : {"RV", "a.rvl", "sample.RVL", "xRVL", "RVLfolder"})
    EXPECT_TRUE(fs::exists(folder / kept)) << kept;
}

TEST_F(UndoFileCleanup, ExaminesAtMostTheFirstHundredEntries) {
  for (int i = 0; i < 150; ++i) Touch("RVL" + std::to_string(i));
  RemoveLeftoverUndoFiles(folder.string());
  const auto left = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
  EXPECT_EQ(left, 50);
}

TEST_F(UndoFileCleanup, AMissingFolderIsNoError) {
  RemoveLeftoverUndoFiles((folder / "absent").string());
  SUCCEED();
}

}  // namespace
}  // namespace ravelo
