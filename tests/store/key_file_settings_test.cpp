#include "platform/store/key_file_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/program_settings.h"

namespace ravelo {
namespace {

namespace fs = std::filesystem;

class KeyFileStore : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) / ("store-" + std::to_string(getpid()));
    fs::remove_all(folder);
    path = (folder / "Orvenda" / "Ravelo.ini").string();
  }
  void TearDown() override { fs::remove_all(folder); }
  std::string FileText() const {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path folder;
  std::string path;
};

TEST_F(KeyFileStore, MissingValuesReadAsTheirDefaultsAndNothingIsCreatedByReading) {
  KeyFileSettings store(path);
  EXPECT_EQ(Read(store, settings::kPlayAnime), 3);
  EXPECT_EQ(Read(store, settings::kApplicationLook), 210);
  EXPECT_EQ(Read(store, settings::kPrintDialogWidth), 640);
  EXPECT_EQ(Read(store, settings::kLastFilePath), "");
  EXPECT_EQ(ReadSystemSettings(store).HeadSize, 2);
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(KeyFileStore, ValuesLiveInTheFileAcrossInstances) {
  const std::string awkward = "/home/u/文書/a b=c;[x]\n#not a comment\\.rvl";
  {
    KeyFileSettings store(path);
    store.WriteInt("SYS", "FirstOpen", 1);
    store.WriteInt("SYS", "SpeedAnime", -4);
    store.WriteString("Recent File List", "File1", awkward);
    store.WriteString("Last", "FilePath", " leading and trailing ");
    EXPECT_TRUE(store.lastWriteStored());
  }
  KeyFileSettings again(path);
  EXPECT_EQ(again.ReadInt("SYS", "FirstOpen", 0), 1);
  EXPECT_EQ(again.ReadInt("SYS", "SpeedAnime", 0), -4);
  EXPECT_EQ(again.ReadString("Recent File List", "File1", ""), awkward);
  EXPECT_EQ(again.ReadString("Last", "FilePath", ""), " leading and trailing ");
  EXPECT_NE(FileText().find("[Recent File List]"), std::string::npos);
}

TEST_F(KeyFileStore, AValueThatIsNoNumberReadsAsTheFallback) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << "[SYS]\nPlayAnime=lots\nDspGuide=99999999999\nSelPart= 2\n";
  KeyFileSettings store(path);
  EXPECT_EQ(store.ReadInt("SYS", "PlayAnime", 3), 3);
  EXPECT_EQ(store.ReadInt("SYS", "DspGuide", 1), 1);
  EXPECT_EQ(store.ReadString("SYS", "PlayAnime", ""), "lots");
}

TEST_F(KeyFileStore, AFileWithBadLinesKeepsEveryReadableValueAndIsKeptAsideAsItWas) {
  fs::create_directories(fs::path(path).parent_path());
  const std::string damaged =
      "Stray=before any group\n[SYS]\nFirstOpen=1\nthis line is no setting\nMakeBackup=0\n"
      "[Recent File List]\nFile1=/a/\xff\xfe.rvl\nFile2=/b/c.rvl\n"
      "[Insatu\nPaperSize=8\n[Workspace]\nApplicationLook=212\n";
  std::ofstream(path) << damaged;
  KeyFileSettings store(path);
  EXPECT_EQ(store.keptAsidePath(), path + ".unreadable");
  EXPECT_EQ(store.ReadInt("SYS", "FirstOpen", 0), 1);
  EXPECT_EQ(store.ReadInt("SYS", "MakeBackup", 1), 0);
  EXPECT_EQ(store.ReadString("Recent File List", "File1", "none"), "none") << "a line that is no UTF-8";
  EXPECT_EQ(store.ReadString("Recent File List", "File2", ""), "/b/c.rvl");
  EXPECT_EQ(store.ReadInt("Recent File List", "PaperSize", 9), 9) << "no value lands in another group";
  EXPECT_EQ(store.ReadInt("Workspace", "ApplicationLook", 210), 212);
  EXPECT_EQ(store.ReadString("SYS", "Stray", "none"), "none");

  std::ifstream aside(path + ".unreadable", std::ios::binary);
  std::stringstream kept;
  kept << aside.rdbuf();
  EXPECT_EQ(kept.str(), damaged) << "the damaged file is kept byte for byte";
  KeyFileSettings reread(path);
  EXPECT_EQ(reread.keptAsidePath(), "") << "the readable values are in a whole file again";
  EXPECT_EQ(reread.ReadInt("SYS", "FirstOpen", 0), 1);
  EXPECT_EQ(reread.ReadString("Recent File List", "File2", ""), "/b/c.rvl");
}

TEST_F(KeyFileStore, ASecondDamagedFileNeverReplacesTheOneKeptBefore) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path) << "first damage\n";
  EXPECT_EQ(KeyFileSettings(path).keptAsidePath(), path + ".unreadable");
  std::ofstream(path) << "second damage\n";
  EXPECT_EQ(KeyFileSettings(path).keptAsidePath(), path + ".unreadable2");
  std::ifstream first(path + ".unreadable");
  std::string line;
  std::getline(first, line);
  EXPECT_EQ(line, "first damage");
}

TEST_F(KeyFileStore, WritesReplaceTheFileWithoutLeavingTemporaryFilesAndKeepItPrivate) {
  KeyFileSettings store(path);
  store.WriteInt("SYS", "FirstOpen", 1);
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  store.WriteInt("SYS", "FirstOpen", 0);
  struct stat after {};
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino) << "a new file is renamed over the old one";
  EXPECT_EQ(after.st_mode & 0777, 0600u);
  const auto entries =
      std::distance(fs::directory_iterator(fs::path(path).parent_path()), fs::directory_iterator());
  EXPECT_EQ(entries, 1);
}

TEST_F(KeyFileStore, MalformedUtf8IsStoredAsReplacementCharactersNotAsABrokenFile) {
  {
    KeyFileSettings store(path);
    store.WriteString("Last", "FilePath", "/a\x82\xa0.rvl");
  }
  KeyFileSettings again(path);
  EXPECT_EQ(again.ReadString("Last", "FilePath", ""), "/a\xEF\xBF\xBD\xEF\xBF\xBD.rvl");
}

TEST_F(KeyFileStore, NamesTheFormatCannotHoldAreRefusedAndReported) {
  KeyFileSettings store(path);
  store.WriteInt("SYS", "a=b", 1);
  EXPECT_FALSE(store.lastWriteStored());
  store.WriteString("[x]", "k", "v");
  EXPECT_FALSE(store.lastWriteStored());
  store.WriteInt("Search", "Goku0_1", 1);
  EXPECT_TRUE(store.lastWriteStored());
}

TEST_F(KeyFileStore, AFolderThatCannotBeMadeIsReportedAndTheValueStaysInMemory) {
  fs::create_directories(folder);
  std::ofstream(folder / "Orvenda") << "a file where the folder should be";
  KeyFileSettings store(path);
  store.WriteInt("SYS", "FirstOpen", 1);
  EXPECT_FALSE(store.lastWriteStored());
  EXPECT_EQ(store.ReadInt("SYS", "FirstOpen", 0), 1);
}

TEST(DefaultSettingsPath, LiesInTheUsersConfigFolder) {
  const std::string path = DefaultSettingsPath();
  EXPECT_TRUE(path.ends_with("/Orvenda/Ravelo.ini")) << path;
}

}  // namespace
}  // namespace ravelo
