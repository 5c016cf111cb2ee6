#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "model/document_file.h"
#include "model/string_table.h"
#include "platform/files.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/recording_messages.h"

namespace ravelo {
namespace {

using testing::FolderEntries;
using testing::ScratchFolder;
using testing::WriteFileBytes;

unsigned ModeOf(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
}

TEST(WorkFolder, CreatesTheRootAndASubFolderPrivateToTheUser) {
  ScratchFolder scratch;
  testing::RecordingMessages messages;
  const std::string root = scratch / "Ravelo";

  EXPECT_EQ(WorkFolder(messages, root), root);
  EXPECT_EQ(WorkFolder(messages, root, "undo"), root + "/undo");

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(ModeOf(root), 0700u);
  EXPECT_EQ(ModeOf(root + "/undo"), 0700u);
}

TEST(WorkFolder, ClosesAnExistingFolderOfOurOwnToOthers) {
  ScratchFolder scratch;
  testing::RecordingMessages messages;
  const std::string root = scratch / "Ravelo";
  ASSERT_EQ(mkdir(root.c_str(), 0777), 0);
  ASSERT_EQ(chmod(root.c_str(), 0777), 0);
  WriteFileBytes(root + "/kept", "kept");

  EXPECT_EQ(WorkFolder(messages, root), root);
  EXPECT_EQ(ModeOf(root), 0700u);
  EXPECT_EQ(FolderEntries(root), std::vector<std::string>{"kept"});
}

TEST(WorkFolder, RefusesWhatIsNoFolderOfOurOwn) {
  ScratchFolder scratch;
  std::filesystem::create_directory(scratch / "elsewhere");
  std::filesystem::create_directory_symlink(scratch / "elsewhere", scratch / "link");
  WriteFileBytes(scratch / "file", "");
  for (const auto& [root, sub] : {std::pair<std::string, std::string>{scratch / "link", ""},
                                  {scratch / "file", ""},
                                  {scratch / "missing/Ravelo", ""},
                                  {scratch.path(), "file"}}) {
    SCOPED_TRACE(root + " " + sub);
    testing::RecordingMessages messages;
    EXPECT_EQ(WorkFolder(messages, root, sub), "");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, ResourceText(kMsgWorkFolderUnavailable));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
  }
  EXPECT_TRUE(FolderEntries(scratch / "elsewhere").empty());
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value != nullptr)
      setenv(name, value, 1);
    else
      unsetenv(name);
  }
  ~ScopedEnvironment() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DefaultWorkRoot, LivesInTheRuntimeFolderElseInTmpPerUser) {
  const std::string perUser = "/tmp/Ravelo-" + std::to_string(geteuid());
  {
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", "/run/user/1234");
    EXPECT_EQ(files::DefaultWorkRoot(), "/run/user/1234/Ravelo");
  }
  {
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(files::DefaultWorkRoot(), perUser);
  }
  {
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", "relative/folder");
    EXPECT_EQ(files::DefaultWorkRoot(), perUser);
  }
}

TEST(CreateUniqueFile, MakesDistinctFilesWithTheAccessAsked) {
  ScratchFolder scratch;
  const mode_t mask = umask(022);
  const std::string privateFile = files::CreateUniqueFile(scratch / "w-", files::FileAccess::Private);
  const std::string documentFile = files::CreateUniqueFile(scratch / "w-", files::FileAccess::Default);
  umask(mask);

  EXPECT_EQ(privateFile.rfind(scratch / "w-", 0), 0u);
  EXPECT_NE(privateFile, documentFile);
  EXPECT_EQ(ModeOf(privateFile), 0600u);
  EXPECT_EQ(ModeOf(documentFile), 0644u);
  EXPECT_EQ(files::CreateUniqueFile(scratch / "missing/w-", files::FileAccess::Private), "");
}

TEST(BackupPath, ReplacesTheExtensionOfTheFileName) {
  const std::pair<const char*, const char*> cases[] = {
      {"/d/a.rvl", "/d/a(back).RVL"},
      {"/d/a.b.rvl", "/d/a.b(back).RVL"},
      {"/d/a.", "/d/a(back).RVL"},
      {"/d/.rvl", "/d/(back).RVL"},
      {"/d/plain", ""},
      {"/d.x/plain", ""},
      {"/d/a(back).RVL", "/d/a(back)(back).RVL"},
  };
  for (const auto& [path, backup] : cases) EXPECT_EQ(BackupPath(path), backup) << path;
}

}  // namespace
}  // namespace ravelo
