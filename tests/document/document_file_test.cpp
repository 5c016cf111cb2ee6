#include "model/document_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cstring>
#include <limits>
#include <memory>
#include <sstream>

#include "model/body_io.h"
#include "model/string_table.h"
#include "platform/cab/gcab_cabinet.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"

namespace ravelo {
namespace {

using testing::AddArc;
using testing::AddNode;
using testing::FolderEntries;
using testing::Quoted;
using testing::ReadFileBytes;
using testing::RunTool;
using testing::ScratchFolder;
using testing::WriteFileBytes;

std::unique_ptr<Picture> PictureOf(const std::string& bytes) {
  auto picture = std::make_unique<Picture>();
  picture->fileBytes.assign(bytes.begin(), bytes.end());
  return picture;
}

// A document with a hierarchy, link arcs, pictures and settings away from the defaults.
void FillSample(Diagram& d, uint32_t seed) {
  RandomSource random;
  ResetToNewDocument(d, random, seed);
  d.header.CurrentChart = StarChart;
  d.header.Zoom[StarChart] = 1.5f;
  const int root = AddNode(d, 1, {}, "root");
  AddNode(d, 2, {1}, "child");
  AddNode(d, 3, {1, 2}, "grandchild");
  AddArc(d, 2, 3);
  for (int i = 0; i < d.count(); ++i) d.object(i).Pos[BoxChart] = {10 * i, 20 * i + static_cast<int>(seed)};
  SetPicture(d, root, PictureOf(std::string("\xFF\xD8 picture of the root\0 with a zero", 34)));
  SetPicture(d, 2, PictureOf(std::string(5000, 'p')));
}

void ExpectSameDocument(const Diagram& actual, const Diagram& expected) {
  EXPECT_EQ(std::memcmp(&actual.header, &expected.header, sizeof(DocumentHeader)), 0) << "header differs";
  ASSERT_EQ(actual.count(), expected.count());
  for (int i = 0; i < expected.count(); ++i) {
    EXPECT_EQ(std::memcmp(&actual.object(i), &expected.object(i), sizeof(DiagramObject)), 0)
        << "record " << i;
    const Picture* a = actual.table.pictures[static_cast<std::size_t>(i)].get();
    const Picture* e = expected.table.pictures[static_cast<std::size_t>(i)].get();
    ASSERT_EQ(a == nullptr, e == nullptr) << "picture " << i;
    if (e != nullptr) {
      EXPECT_EQ(a->fileBytes, e->fileBytes) << "picture " << i;
    }
  }
}

std::string Message(std::string_view prefix, int id) {
  return std::string(prefix) + std::string(ResourceText(id));
}

// Stands for a cabinet writer that breaks down half way: the target holds a cut cabinet.
class BreakingCabinet final : public Cabinet {
 public:
  bool Pack(const std::string& sourcePath, const std::string& memberName,
            const std::string& cabinetPath) override {
    if (real.Pack(sourcePath, memberName, cabinetPath))
      std::filesystem::resize_file(cabinetPath, std::filesystem::file_size(cabinetPath) / 2);
    return false;
  }
  bool ExtractFirst(const std::string& cabinetPath, const std::string& destinationPath,
                    uint64_t maxBytes) override {
    return real.ExtractFirst(cabinetPath, destinationPath, maxBytes);
  }
  GcabCabinet real;
};

class DocumentFileTest : public ::testing::Test {
 protected:
  DocumentFileTest() { std::filesystem::create_directory(docs); }

  DocumentServices Services(Cabinet& cabinet) {
    return {messages, progress, codec, settings, cabinet, workRoot};
  }
  bool Save(Diagram& d, const std::string& path, Point scroll = {0, 0}) {
    return SaveDocument(d, path, scroll, Services(gcab));
  }
  bool Open(Diagram& d, const std::string& path) { return OpenDocument(d, path, Services(gcab)); }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages.shown) texts.push_back(m.text);
    return texts;
  }
  bool LastPathStored() const { return settings.values.count({"Last", "FilePath"}) > 0; }

  // A saved sample document at docs/name.
  std::string SavedSample(const std::string& name, Diagram& d) {
    FillSample(d, 5);
    const std::string path = docs + "/" + name;
    EXPECT_TRUE(Save(d, path));
    messages.shown.clear();
    settings.values.clear();
    return path;
  }

  ScratchFolder scratch;
  std::string workRoot = scratch / "work";
  std::string docs = scratch / "docs";
  testing::RecordingMessages messages;
  testing::MemorySettings settings;
  NoProgress progress;
  OpaquePictureCodec codec;
  GcabCabinet gcab;
};

TEST_F(DocumentFileTest, SaveThenOpenGivesBackEveryByteAndPicture) {
  Diagram saved;
  FillSample(saved, 1);
  const std::string path = docs + "/b.rvl";

  ASSERT_TRUE(Save(saved, path, {120, 340}));

  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(saved.header.Scroll[StarChart], (Point{120, 340})) << "the chart shown keeps its scroll position";
  EXPECT_EQ(settings.ReadString("Last", "FilePath", ""), path);
  EXPECT_EQ(FolderEntries(docs), std::vector<std::string>{"b.rvl"});
  EXPECT_TRUE(FolderEntries(workRoot).empty()) << "the body file is removed after packing";
  struct stat work;
  ASSERT_EQ(stat(workRoot.c_str(), &work), 0);
  EXPECT_EQ(work.st_mode & 0777, 0700u);

  Diagram opened;
  FillSample(opened, 9);
  AddNode(opened, 44);
  ASSERT_TRUE(Open(opened, path));
  EXPECT_TRUE(messages.shown.empty());
  ExpectSameDocument(opened, saved);
  EXPECT_TRUE(FolderEntries(workRoot).empty()) << "the extracted body is removed after reading";
}

TEST_F(DocumentFileTest, CabextractRestoresTheBodyUnderTheDocumentName) {
  Diagram d;
  FillSample(d, 2);
  ASSERT_TRUE(Save(d, docs + "/b.rvl", {7, 8}));
  std::ostringstream body;
  ASSERT_TRUE(WriteBody(body, d, BodyServices{messages, progress, codec}));

  const auto listing = RunTool("cabextract -l " + Quoted(docs + "/b.rvl"));
  EXPECT_EQ(listing.status, 0) << listing.output;
  EXPECT_NE(listing.output.find("| b.rvl\n"), std::string::npos) << listing.output;
  EXPECT_NE(listing.output.find(std::to_string(body.str().size()) + " |"), std::string::npos)
      << listing.output;
  const auto extract = RunTool("cabextract -q -d " + Quoted(scratch / "out") + " " + Quoted(docs + "/b.rvl"));
  ASSERT_EQ(extract.status, 0) << extract.output;
  EXPECT_EQ(FolderEntries(scratch / "out"), std::vector<std::string>{"b.rvl"});
  EXPECT_TRUE(ReadFileBytes(scratch / "out/b.rvl") == body.str()) << "the member is not the body";
}

class ForeignDocumentTest : public DocumentFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ForeignDocumentTest, OpensABodyPackedByAnotherWriterUnderAnotherName) {
  Diagram d;
  FillSample(d, 3);
  std::ostringstream body;
  ASSERT_TRUE(WriteBody(body, d, BodyServices{messages, progress, codec}));
  WriteFileBytes(scratch / "other-name.dat", body.str());
  const auto made = RunTool("cd " + Quoted(scratch.path()) + " && gcab -c -n " + GetParam() + " " +
                            Quoted(docs + "/x.rvl") + " other-name.dat");
  ASSERT_EQ(made.status, 0) << made.output;

  Diagram opened;
  ASSERT_TRUE(Open(opened, docs + "/x.rvl"));
  EXPECT_TRUE(messages.shown.empty());
  ExpectSameDocument(opened, d);
}

INSTANTIATE_TEST_SUITE_P(Gcab, ForeignDocumentTest, ::testing::Values("-z", ""), [](const auto& info) {
  return std::string(info.param[0] ? "Mszip" : "Uncompressed");
});

struct BackupCase {
  const char* name;
  const char* document;  // under docs
  bool exists;           // whether a previous file is there
  int makeBackup;        // SYS/MakeBackup; -1 leaves it unset
  bool saved;
  const char* backup;  // expected backup under docs holding the previous file, or null
};

void PrintTo(const BackupCase& c, std::ostream* out) { *out << c.name; }

class BackupTest : public DocumentFileTest, public ::testing::WithParamInterface<BackupCase> {};

TEST_P(BackupTest, KeepsThePreviousFileAsTold) {
  const BackupCase& c = GetParam();
  const std::string path = docs + "/" + c.document;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  const std::string previous = "previous document";
  if (c.exists) WriteFileBytes(path, previous);
  WriteFileBytes(docs + "/a(back).RVL", "older backup");
  if (c.makeBackup >= 0) settings.WriteInt("SYS", "MakeBackup", c.makeBackup);
  Diagram d;
  FillSample(d, 4);

  EXPECT_EQ(Save(d, path), c.saved);

  if (c.saved) {
    EXPECT_TRUE(messages.shown.empty());
    Diagram opened;
    EXPECT_TRUE(Open(opened, path));
    ExpectSameDocument(opened, d);
  } else {
    EXPECT_EQ(Texts(), std::vector<std::string>{Message("", kMsgBackupFailed)});
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(ReadFileBytes(path), previous);
    EXPECT_FALSE(LastPathStored());
  }
  if (c.backup != nullptr)
    EXPECT_EQ(ReadFileBytes(docs + "/" + c.backup), previous);
  else
    EXPECT_EQ(ReadFileBytes(docs + "/a(back).RVL"), "older backup");
  EXPECT_TRUE(FolderEntries(workRoot).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupTest,
    ::testing::Values(BackupCase{"OnByDefault", "a.rvl", true, -1, true, "a(back).RVL"},
                      BackupCase{"On", "a.rvl", true, 1, true, "a(back).RVL"},
                      BackupCase{"Off", "a.rvl", true, 0, true, nullptr},
                      BackupCase{"OnlyOneMeansOn", "a.rvl", true, 2, true, nullptr},
                      BackupCase{"NothingToKeep", "a.rvl", false, 1, true, nullptr},
                      BackupCase{"LastDotOfTheName", "x.y.rvl", true, 1, true, "x.y(back).RVL"},
                      BackupCase{"NameWithoutDot", "plainrvl", true, 1, false, nullptr},
                      BackupCase{"DotOnlyInTheFolder", "my.folder/plainrvl", true, 1, false, nullptr},
                      BackupCase{"NameWithoutDotBackupsOff", "plainrvl", true, 0, true, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFileTest, ABackupCopyThatBreaksOffLeavesThePreviousBackupWhole) {
  // The previous document is larger than what the saving process may write to any one file, so the copy
  // to the backup breaks off, as on a full disk, while the new body (no objects) still fits.
  const std::string path = docs + "/a.rvl";
  const std::string previous(200000, 'd');
  WriteFileBytes(path, previous);
  WriteFileBytes(docs + "/a(back).RVL", "older backup");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100000, 100000};
    setrlimit(RLIMIT_FSIZE, &limit);
    Diagram d;
    RandomSource random;
    ResetToNewDocument(d, random, 1);
    const bool saved = Save(d, path);
    _exit(!saved && Texts() == std::vector<std::string>{Message("", kMsgBackupFailed)} ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save is refused with the backup message";
  EXPECT_EQ(ReadFileBytes(docs + "/a(back).RVL"), "older backup");
  EXPECT_TRUE(ReadFileBytes(path) == previous);
  EXPECT_EQ(FolderEntries(docs), (std::vector<std::string>{"a(back).RVL", "a.rvl"}))
      << "no copy is left behind";
}

TEST_F(DocumentFileTest, BackupWithoutDotInTheNameNeverLandsInAnotherFolder) {
  std::filesystem::create_directory(docs + "/my.folder");
  WriteFileBytes(docs + "/my.folder/plainrvl", "previous");
  Diagram d;
  FillSample(d, 4);
  EXPECT_FALSE(Save(d, docs + "/my.folder/plainrvl"));
  EXPECT_EQ(FolderEntries(docs), std::vector<std::string>{"my.folder"});
}

TEST_F(DocumentFileTest, APackingThatBreaksDownLeavesThePreviousDocumentWhole) {
  for (int makeBackup : {1, 0}) {
    SCOPED_TRACE(makeBackup);
    Diagram previousDocument;
    const std::string path = SavedSample("a.rvl", previousDocument);
    const std::string previous = ReadFileBytes(path);
    settings.WriteInt("SYS", "MakeBackup", makeBackup);
    BreakingCabinet breaking;
    Diagram d;
    FillSample(d, 8);

    EXPECT_FALSE(SaveDocument(d, path, {0, 0}, Services(breaking)));

    EXPECT_EQ(Texts(), std::vector<std::string>{Message("", kMsgNoWriteAccess)});
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
    EXPECT_TRUE(ReadFileBytes(path) == previous);
    const std::vector<std::string> expected =
        makeBackup ? std::vector<std::string>{"a(back).RVL", "a.rvl"} : std::vector<std::string>{"a.rvl"};
    EXPECT_EQ(FolderEntries(docs), expected) << "no part-written cabinet is left behind";
    EXPECT_FALSE(LastPathStored());
    EXPECT_TRUE(FolderEntries(workRoot).empty());
    Diagram opened;
    EXPECT_TRUE(Open(opened, path));
    ExpectSameDocument(opened, previousDocument);
    std::filesystem::remove_all(docs);
    std::filesystem::create_directory(docs);
    messages.shown.clear();
  }
}

TEST_F(DocumentFileTest, ACabinetThatCannotBeWrittenIsToldAndChangesNothing) {
  WriteFileBytes(docs + "/file", "a file, not a folder");
  std::filesystem::create_directory(docs + "/folder.rvl");
  WriteFileBytes(docs + "/folder.rvl/inside", "kept");
  settings.WriteInt("SYS", "MakeBackup", 0);
  for (const std::string& path : {docs + "/missing/a.rvl", docs + "/file/a.rvl", docs + "/folder.rvl"}) {
    SCOPED_TRACE(path);
    messages.shown.clear();
    Diagram d;
    FillSample(d, 6);
    EXPECT_FALSE(Save(d, path));
    EXPECT_EQ(Texts(), std::vector<std::string>{Message("", kMsgNoWriteAccess)});
    EXPECT_FALSE(LastPathStored());
    EXPECT_EQ(FolderEntries(docs), (std::vector<std::string>{"file", "folder.rvl"}));
    EXPECT_EQ(ReadFileBytes(docs + "/folder.rvl/inside"), "kept");
    EXPECT_TRUE(FolderEntries(workRoot).empty());
  }
}

TEST_F(DocumentFileTest, SaveStopsEarlyWhenTheWorkFolderOrTheBodyFileFails) {
  Diagram d;
  FillSample(d, 6);
  const std::string path = docs + "/a.rvl";
  WriteFileBytes(path, "previous");

  EXPECT_FALSE(Save(d, "a.rvl")) << "a path without a folder";
  EXPECT_TRUE(messages.shown.empty());

  std::filesystem::create_directories(workRoot + "/a.rvl");  // the body file cannot take this name
  EXPECT_FALSE(Save(d, path));
  EXPECT_EQ(Texts(), std::vector<std::string>{Message(workRoot + "/a.rvl\n", kMsgOpenFailed)});
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);

  messages.shown.clear();
  WriteFileBytes(scratch / "blocker", "");
  workRoot = scratch / "blocker/work";
  EXPECT_FALSE(Save(d, path));
  EXPECT_EQ(Texts(), std::vector<std::string>{Message("", kMsgWorkFolderUnavailable)});
  EXPECT_EQ(ReadFileBytes(path), "previous");
  EXPECT_FALSE(LastPathStored());
}

struct OpenCase {
  const char* name;
  const char* file;     // under docs
  const char* content;  // "<cabinet>" for a saved sample, "<folder>", "<fifo>", "<none>", "<text cabinet>"
  bool opened;
  const char* prefix;  // of the one message; "<path>" for the path and a line feed
  int message;         // 0 for none
};

void PrintTo(const OpenCase& c, std::ostream* out) { *out << c.name; }

class OpenTest : public DocumentFileTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenTest, OpensOrRefusesCleanly) {
  const OpenCase& c = GetParam();
  const std::string path = docs + "/" + c.file;
  const std::string content = c.content;
  Diagram sample;
  if (content == "<cabinet>") {
    std::filesystem::rename(SavedSample("saved.rvl", sample), path);
  } else if (content == "<folder>") {
    std::filesystem::create_directory(path);
  } else if (content == "<fifo>") {
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  } else if (content == "<text cabinet>") {
    WriteFileBytes(scratch / "notes.txt", "some notes");
    ASSERT_EQ(
        RunTool("cd " + Quoted(scratch.path()) + " && gcab -c -z " + Quoted(path) + " notes.txt").status, 0);
  } else if (content != "<none>") {
    WriteFileBytes(path, content);
  }
  Diagram d;
  FillSample(d, 12);  // a document is open already

  EXPECT_EQ(Open(d, path), c.opened);

  if (c.message == 0) {
    EXPECT_TRUE(messages.shown.empty());
  } else {
    const std::string prefix = std::string(c.prefix) == "<path>" ? path + "\n" : c.prefix;
    EXPECT_EQ(Texts(), std::vector<std::string>{Message(prefix, c.message)});
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Stop);
  }
  if (c.opened) {
    ExpectSameDocument(d, sample);
  } else {
    EXPECT_EQ(d.count(), 0) << "a failed open leaves no objects";
    for (const auto& picture : d.table.pictures) EXPECT_EQ(picture, nullptr);
  }
  EXPECT_TRUE(FolderEntries(workRoot).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenTest,
    ::testing::Values(OpenCase{"ExtensionInAnyCase", "a.RvL", "<cabinet>", true, "", 0},
                      OpenCase{"OtherExtensionSilently", "a.txt", "<cabinet>", false, "", 0},
                      OpenCase{"Missing", "none.rvl", "<none>", false, "<path>", kMsgFileNotFound},
                      OpenCase{"Folder", "dir.rvl", "<folder>", false, "", kMsgFolderCannotOpen},
                      OpenCase{"NotACabinet", "text.rvl", "plain text, no cabinet", false, "[File Copy]\n",
                               kMsgExtractFailed},
                      OpenCase{"Empty", "empty.rvl", "", false, "[File Copy]\n", kMsgExtractFailed},
                      OpenCase{"Pipe", "pipe.rvl", "<fifo>", false, "[File Copy]\n", kMsgExtractFailed},
                      OpenCase{"CabinetOfSomethingElse", "notes.rvl", "<text cabinet>", false, "",
                               kMsgWrongFileFormat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFileTest, OpenNeedsAFolderInThePathAndAWorkFolder) {
  Diagram sample;
  const std::string path = SavedSample("a.rvl", sample);
  Diagram d;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(docs);  // so that the file is found under the bare name
  EXPECT_FALSE(Open(d, "a.rvl"));
  std::filesystem::current_path(before);
  EXPECT_TRUE(messages.shown.empty());

  WriteFileBytes(scratch / "blocker", "");
  workRoot = scratch / "blocker/work";
  EXPECT_FALSE(Open(d, path));
  EXPECT_EQ(Texts(), std::vector<std::string>{Message("", kMsgWorkFolderUnavailable)});
}

TEST_F(DocumentFileTest, ACutOrDamagedCabinetIsRefusedCleanly) {
  Diagram sample;
  const std::string path = SavedSample("a.rvl", sample);
  const std::string cab = ReadFileBytes(path);
  const std::size_t data = static_cast<uint8_t>(cab[36]) | static_cast<uint8_t>(cab[37]) << 8;
  std::vector<std::string> damaged;
  for (std::size_t length : {4ul, 36ul, 50ul, data, data + 8, cab.size() / 2, cab.size() - 1})
    damaged.push_back(cab.substr(0, length));
  for (std::size_t at = data; at < cab.size(); at += 251) {
    damaged.push_back(cab);
    damaged.back()[at] = static_cast<char>(damaged.back()[at] ^ 0x01);
  }
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    SCOPED_TRACE(i);
    WriteFileBytes(path, damaged[i]);
    messages.shown.clear();
    Diagram d;
    FillSample(d, 12);
    EXPECT_FALSE(Open(d, path));
    EXPECT_EQ(Texts(), std::vector<std::string>{Message("[File Copy]\n", kMsgExtractFailed)});
    EXPECT_EQ(d.count(), 0);
    EXPECT_TRUE(FolderEntries(workRoot).empty());
  }
}

TEST_F(DocumentFileTest, ArcWidthsOutOfRangeAreRepairedOnOpen) {
  const int stored[] = {-1, 0, 20, 21, 1000};
  const int repaired[] = {3, 0, 20, 3, 3};
  Diagram d;
  FillSample(d, 13);
  for (int i = 0; i < d.count(); ++i)
    for (int c = 0; c < kChartCount; ++c) d.object(i).Arc[c].Haba = stored[(i + c) % 5];
  ASSERT_TRUE(Save(d, docs + "/a.rvl"));

  Diagram opened;
  ASSERT_TRUE(Open(opened, docs + "/a.rvl"));
  for (int i = 0; i < d.count(); ++i)
    for (int c = 0; c < kChartCount; ++c) EXPECT_EQ(opened.object(i).Arc[c].Haba, repaired[(i + c) % 5]);
}

TEST_F(DocumentFileTest, DamagedValuesAreRepairedOnOpenAndSoundOnesKept) {
  Diagram d;
  FillSample(d, 13);
  DocumentHeader& h = d.header;
  h.ViewWidth[BoxChart] = 2000000000;
  h.ViewHeight[StarChart] = -5;
  h.Zoom[BoxChart] = std::numeric_limits<float>::quiet_NaN();
  h.Zoom[StarChart] = 1e30f;
  h.Zoom[ActionChart] = 0.5f;
  h.Scroll[FlowChart] = {INT32_MIN, 40};
  DiagramObject& o = d.object(0);
  o.Pos[BoxChart] = {INT32_MAX, -7};
  o.Memo.MemoPos[BoxChart] = {INT32_MAX, -150};
  o.FontSize = 5000;
  o.Arc[BoxChart].Rad = std::numeric_limits<double>::infinity();
  o.Arc[StarChart].Rad = 1.25;
  o.Arc[BoxChart].End[1].EndSize = 1 << 30;
  o.Arc[BoxChart].End[0].EndLen = -3;
  o.Arc[BoxChart].ArcFutosa = 99;
  ASSERT_TRUE(Save(d, docs + "/a.rvl"));

  Diagram opened;
  ASSERT_TRUE(Open(opened, docs + "/a.rvl"));
  const DocumentHeader& oh = opened.header;
  EXPECT_EQ(oh.ViewWidth[BoxChart], 5000);
  EXPECT_EQ(oh.ViewHeight[StarChart], 1);
  EXPECT_EQ(oh.Zoom[BoxChart], 1.0f);
  EXPECT_EQ(oh.Zoom[StarChart], 4.0f);
  EXPECT_EQ(oh.Zoom[ActionChart], 0.5f);
  EXPECT_EQ(oh.Scroll[FlowChart], (Point{-1000000, 40}));
  const DiagramObject& oo = opened.object(0);
  EXPECT_EQ(oo.Pos[BoxChart], (Point{1000000, -7}));
  EXPECT_EQ(oo.Memo.MemoPos[BoxChart], (Point{200, -150}));
  EXPECT_EQ(oo.FontSize, 36);
  EXPECT_EQ(oo.Arc[BoxChart].Rad, 0.0);
  EXPECT_EQ(oo.Arc[StarChart].Rad, 1.25);
  EXPECT_EQ(oo.Arc[BoxChart].End[1].EndSize, 20);
  EXPECT_EQ(oo.Arc[BoxChart].End[0].EndLen, 0);
  EXPECT_EQ(oo.Arc[BoxChart].ArcFutosa, 20);

  // A sound document opens byte for byte as it was saved.
  Diagram sound;
  FillSample(sound, 14);
  ASSERT_TRUE(Save(sound, docs + "/b.rvl"));
  Diagram reopened;
  ASSERT_TRUE(Open(reopened, docs + "/b.rvl"));
  ExpectSameDocument(reopened, sound);
}

class FixedClock final : public Clock {
 public:
  int64_t Now() const override { return 1700000000; }
};

TEST_F(DocumentFileTest, NewDocumentReleasesEverythingAndSeedsTheColoursFromTheClock) {
  Diagram d;
  FillSample(d, 14);
  RandomSource random;
  EXPECT_TRUE(NewDocument(d, random, FixedClock()));

  Diagram expected;
  RandomSource reference;
  ResetToNewDocument(expected, reference, 1700000000u);
  ExpectSameDocument(d, expected);
  for (const auto& picture : d.table.pictures) EXPECT_EQ(picture, nullptr);
}

}  // namespace
}  // namespace ravelo
