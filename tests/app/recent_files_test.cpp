#include "app/recent_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/support/memory_settings.h"

namespace ravelo {
namespace {

using ::testing::ElementsAre;
using testing::MemorySettings;

std::string Stored(const MemorySettings& s, int number) {
  return s.values.at({"Recent File List", "File" + std::to_string(number)});
}

TEST(RecentFileList, ReadsUpToTheFirstEmptyEntry) {
  MemorySettings s;
  s.values[{"Recent File List", "File1"}] = "/a.rvl";
  s.values[{"Recent File List", "File2"}] = "/b.rvl";
  s.values[{"Recent File List", "File4"}] = "/d.rvl";
  EXPECT_THAT(RecentFileList(s).entries(), ElementsAre("/a.rvl", "/b.rvl"));
}

TEST(RecentFileList, AddPutsThePathFirstOnceAndKeepsTen) {
  MemorySettings s;
  RecentFileList list(s);
  for (int i = 1; i <= 11; ++i) list.Add("/" + std::to_string(i) + ".rvl");
  ASSERT_EQ(list.entries().size(), 10u);
  EXPECT_EQ(list.entries().front(), "/11.rvl");
  EXPECT_EQ(list.entries().back(), "/2.rvl");

  list.Add("/5.rvl");
  EXPECT_EQ(list.entries().size(), 10u);
  EXPECT_EQ(list.entries()[0], "/5.rvl");
  EXPECT_EQ(std::count(list.entries().begin(), list.entries().end(), "/5.rvl"), 1);
  EXPECT_EQ(Stored(s, 1), "/5.rvl");
  EXPECT_EQ(Stored(s, 10), "/2.rvl");
  EXPECT_THAT(RecentFileList(s).entries(), ::testing::ContainerEq(list.entries()));
}

TEST(RecentFileList, PathsDifferingInCaseAreDifferentDocuments) {
  MemorySettings s;
  RecentFileList list(s);
  list.Add("/d/A.rvl");
  list.Add("/d/a.rvl");
  EXPECT_THAT(list.entries(), ElementsAre("/d/a.rvl", "/d/A.rvl"));
}

TEST(RecentFileList, RemovingClosesTheGapInTheStore) {
  MemorySettings s;
  RecentFileList list(s);
  list.Add("/c.rvl");
  list.Add("/b.rvl");
  list.Add("/a.rvl");
  list.Remove(1);
  list.Remove(7);  // no such entry
  EXPECT_THAT(list.entries(), ElementsAre("/a.rvl", "/c.rvl"));
  EXPECT_EQ(Stored(s, 2), "/c.rvl");
  EXPECT_EQ(Stored(s, 3), "");
  list.Clear();
  EXPECT_TRUE(RecentFileList(s).entries().empty());
}

}  // namespace
}  // namespace ravelo
