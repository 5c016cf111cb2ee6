// The file browser opened on the folder of a path, and the message when it cannot be.
#include "model/show_folder.h"

#include <gtest/gtest.h>

#include "model/string_table.h"
#include "tests/support/recording_messages.h"

namespace ravelo {
namespace {

class RecordingDesktop final : public Desktop {
 public:
  bool ShowFolder(const std::string& folder) override {
    folders.push_back(folder);
    return works;
  }
  bool OpenWithDefaultApplication(const std::string&) override { return works; }

  std::vector<std::string> folders;
  bool works = true;
};

TEST(ShowFolderInExplorerTest, TheFolderPartOfThePathIsShown) {
  RecordingDesktop desktop;
  testing::RecordingMessages messages;
  EXPECT_TRUE(ShowFolderInExplorer(desktop, messages, "/home/user/データ/team.csv"));
  EXPECT_TRUE(ShowFolderInExplorer(desktop, messages, "/top.csv"));
  EXPECT_EQ(desktop.folders, (std::vector<std::string>{"/home/user/データ", "/"}));
  EXPECT_TRUE(messages.shown.empty());
}

TEST(ShowFolderInExplorerTest, ABrowserThatDoesNotStartIsReported) {
  RecordingDesktop desktop;
  desktop.works = false;
  testing::RecordingMessages messages;
  EXPECT_FALSE(ShowFolderInExplorer(desktop, messages, "/a/b.csv"));
  EXPECT_FALSE(ShowFolderInExplorer(desktop, messages, "b.csv"));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, ResourceText(kMsgExplorerFailed));
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
}

}  // namespace
}  // namespace ravelo
