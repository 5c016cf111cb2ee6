#include "app/document_session.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

#include "platform/cab/gcab_cabinet.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"

namespace ravelo {
namespace {

using testing::AddNode;
using ::testing::ElementsAre;
using testing::MemorySettings;
using testing::RecordingMessages;
using testing::ScratchFolder;

class FixedClock final : public Clock {
 public:
  int64_t Now() const override { return 1234; }
};

// File dialogs answered from a list, each request noted as "open FOLDER" or "save FOLDER NAME".
class ListedFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> ChooseDocumentToOpen(const std::string& folder) override {
    return Next("open " + folder);
  }
  std::optional<std::string> ChooseDocumentToSave(const std::string& folder,
                                                  const std::string& suggestedName) override {
    return Next("save " + folder + " " + suggestedName);
  }
  std::optional<std::string> ChoosePictureToOpen() override { return Next("picture"); }

  std::deque<std::optional<std::string>> choices;
  std::vector<std::string> asked;

 private:
  std::optional<std::string> Next(std::string request) {
    asked.push_back(std::move(request));
    if (choices.empty()) return std::nullopt;
    std::optional<std::string> choice = choices.front();
    choices.pop_front();
    return choice;
  }
};

class Session : public ::testing::Test {
 protected:
  Session() {
    session.SetDocumentsFolder(folder.path() + "/");
    session.New();
  }

  // A document with two nodes saved at path, the session then shown a new document again.
  void SaveTwoNodes(const std::string& path) {
    AddNode(diagram, 1);
    AddNode(diagram, 2, {1});
    dialogs.choices.push_back(path);
    ASSERT_TRUE(session.SaveAsCommand({0, 0}));
    session.New();
    dialogs.asked.clear();
    messages.shown.clear();
  }

  ScratchFolder folder;
  Diagram diagram;
  RandomSource random;
  FixedClock clock;
  RecordingMessages messages;
  NoProgress progress;
  OpaquePictureCodec codec;
  MemorySettings settings;
  GcabCabinet cabinet;
  DocumentServices services{messages, progress, codec, settings, cabinet, folder / "work"};
  RecentFileList recent{settings};
  ListedFileDialogs dialogs;
  DocumentSession session{diagram, random, clock, services, recent, dialogs};
};

TEST_F(Session, ANewDocumentIsUntitledAndUnmodified) {
  EXPECT_EQ(session.Title(), "無題");
  EXPECT_EQ(session.WindowTitle(), "無題 - ラヴェロ");
  EXPECT_FALSE(session.modified());
  EXPECT_EQ(diagram.header.CurrentObject, -1);
}

TEST_F(Session, SavingAnUntitledDocumentAsksWhereAndGivesTheNameTheDocumentExtension) {
  AddNode(diagram, 1);
  session.MarkModified();
  dialogs.choices.push_back(folder / "plan");
  ASSERT_TRUE(session.SaveCommand({0, 0}));
  EXPECT_THAT(dialogs.asked, ElementsAre("save " + folder.path() + "/ 無題.rvl"));
  EXPECT_EQ(session.path(), folder / "plan.rvl");
  EXPECT_EQ(session.WindowTitle(), "plan.rvl - ラヴェロ");
  EXPECT_FALSE(session.modified());
  EXPECT_THAT(recent.entries(), ElementsAre(folder / "plan.rvl"));
  EXPECT_EQ(settings.ReadString("Last", "FilePath", ""), folder / "plan.rvl");

  // Saved again it goes to its own path without asking, and the save as dialog starts beside it.
  ASSERT_TRUE(session.SaveCommand({0, 0}));
  EXPECT_EQ(dialogs.asked.size(), 1u);
  session.SaveAsCommand({0, 0});
  EXPECT_EQ(dialogs.asked.back(), "save " + folder.path() + "/ plan.rvl");
}

TEST_F(Session, AnExistingFileIsReplacedOnlyAfterTheUserAgreed) {
  testing::WriteFileBytes(folder / "taken.rvl", "keep me");
  dialogs.choices.push_back(folder / "taken");
  messages.answer = MessageAnswer::No;
  EXPECT_FALSE(session.SaveAsCommand({0, 0}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, folder / "taken.rvl" + " は既に存在します。\n上書きしますか?");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(testing::ReadFileBytes(folder / "taken.rvl"), "keep me");
  EXPECT_TRUE(session.path().empty());

  dialogs.choices.push_back(folder / "taken.rvl");
  messages.answer = MessageAnswer::Yes;
  EXPECT_TRUE(session.SaveAsCommand({0, 0}));
  EXPECT_NE(testing::ReadFileBytes(folder / "taken.rvl"), "keep me");
}

TEST_F(Session, TheQuestionAboutUnsavedChanges) {
  EXPECT_TRUE(session.SaveModified({0, 0})) << "nothing to ask for an unmodified document";
  EXPECT_TRUE(messages.shown.empty());

  session.MarkModified();
  messages.answer = MessageAnswer::Cancel;
  EXPECT_FALSE(session.SaveModified({0, 0}));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "無題 への変更を保存しますか?");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNoCancel);

  messages.answer = MessageAnswer::No;
  EXPECT_TRUE(session.SaveModified({0, 0}));
  EXPECT_TRUE(dialogs.asked.empty());

  messages.answer = MessageAnswer::Yes;
  EXPECT_FALSE(session.SaveModified({0, 0})) << "the save dialog was cancelled";
  dialogs.choices.push_back(folder / "kept.rvl");
  EXPECT_TRUE(session.SaveModified({0, 0}));
  EXPECT_FALSE(session.modified());
  EXPECT_TRUE(std::filesystem::exists(folder / "kept.rvl"));
}

TEST_F(Session, NewAndOpenCommandsStopWhenTheUserKeepsTheChanges) {
  AddNode(diagram, 1);
  session.MarkModified();
  messages.answer = MessageAnswer::Cancel;
  EXPECT_EQ(session.NewCommand({0, 0}), CommandOutcome::Cancelled);
  EXPECT_EQ(diagram.count(), 1);

  dialogs.choices.push_back(folder / "other.rvl");
  EXPECT_EQ(session.OpenCommand({0, 0}), CommandOutcome::Cancelled);
  EXPECT_EQ(diagram.count(), 1);
  EXPECT_EQ(dialogs.asked.front(), "open " + folder.path() + "/");

  messages.answer = MessageAnswer::No;
  EXPECT_EQ(session.NewCommand({0, 0}), CommandOutcome::Done);
  EXPECT_EQ(diagram.count(), 0);
  EXPECT_FALSE(session.modified());
}

TEST_F(Session, OpeningReadsTheDocumentAndPutsItFirstInTheRecentList) {
  SaveTwoNodes(folder / "two.rvl");
  recent.Add(folder / "newer.rvl");
  dialogs.choices.push_back(folder / "two.rvl");
  EXPECT_EQ(session.OpenCommand({0, 0}), CommandOutcome::Done);
  EXPECT_EQ(diagram.count(), 2);
  EXPECT_EQ(diagram.LevelCount, 2) << "the levels the Box chart draws its boxes by";
  EXPECT_EQ(diagram.state(1).Level, 1);
  EXPECT_EQ(session.Title(), "two.rvl");
  EXPECT_EQ(recent.entries().front(), folder / "two.rvl");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Session, AFailedOpenLeavesANewDocument) {
  AddNode(diagram, 1);
  EXPECT_FALSE(session.Open(folder / "missing.rvl"));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, folder / "missing.rvl" + "\nファイルが見つかりません");
  EXPECT_EQ(diagram.count(), 0);
  EXPECT_TRUE(session.path().empty());
  EXPECT_EQ(diagram.header.Zoom[BoxChart], 1.0f) << "the header is that of a new document";
  EXPECT_TRUE(recent.entries().empty());
}

TEST_F(Session, ARecentDocumentThatNoLongerOpensIsTakenOffTheList) {
  SaveTwoNodes(folder / "two.rvl");
  recent.Add(folder / "gone.rvl");
  EXPECT_EQ(session.OpenRecentCommand(0, {0, 0}), CommandOutcome::Failed);
  EXPECT_THAT(recent.entries(), ElementsAre(folder / "two.rvl"));
  EXPECT_EQ(session.OpenRecentCommand(0, {0, 0}), CommandOutcome::Done);
  EXPECT_EQ(diagram.count(), 2);
  EXPECT_EQ(session.OpenRecentCommand(5, {0, 0}), CommandOutcome::Cancelled);
}

TEST(DocumentExtension, IsAddedWhereTheNameLacksIt) {
  EXPECT_EQ(WithDocumentExtension("/d/a"), "/d/a.rvl");
  EXPECT_EQ(WithDocumentExtension("/d/a.rvl"), "/d/a.rvl");
  EXPECT_EQ(WithDocumentExtension("/d/a.RvL"), "/d/a.RvL");
  EXPECT_EQ(WithDocumentExtension("/d/a.txt"), "/d/a.txt.rvl");
  EXPECT_EQ(WithDocumentExtension("/x.rvl/b"), "/x.rvl/b.rvl");
}

}  // namespace
}  // namespace ravelo

namespace ravelo {
namespace {

TEST_F(Session, UndoAndRedoStepThroughEditsAndMarkTheDocumentModified) {
  EXPECT_FALSE(session.CanUndo());
  EXPECT_FALSE(session.Undo());
  session.TakeSnapshot();
  AddNode(diagram, 1);
  session.TakeSnapshot();
  AddNode(diagram, 2, {1});
  diagram.state(0).Selected = 1;
  diagram.state(1).Selected = 1;
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(diagram.count(), 1);
  EXPECT_EQ(diagram.LevelCount, 1);
  EXPECT_EQ(diagram.header.CurrentObject, 0) << "the lowest selected object";
  EXPECT_TRUE(session.modified());
  EXPECT_TRUE(session.CanRedo());
  ASSERT_TRUE(session.Redo());
  EXPECT_EQ(diagram.count(), 2);
  EXPECT_EQ(diagram.LevelCount, 2) << "node 2 is a child of node 1 again";
  EXPECT_FALSE(session.CanRedo());
}

TEST_F(Session, AnotherDocumentEmptiesTheHistory) {
  SaveTwoNodes(folder / "two.rvl");
  session.TakeSnapshot();
  AddNode(diagram, 9);
  ASSERT_TRUE(session.CanUndo());
  ASSERT_TRUE(session.Open(folder / "two.rvl"));
  EXPECT_FALSE(session.CanUndo());
  session.TakeSnapshot();
  session.New();
  EXPECT_FALSE(session.CanUndo());
}

TEST_F(Session, ApplyingArcDefaultsIsAnEditThatCanBeUndone) {
  ObjectServices objects{settings, messages, random, {}, {}, {}};
  AddNode(diagram, 1);
  AddNode(diagram, 2);
  const int arc = testing::AddArc(diagram, 1, 2);
  EXPECT_FALSE(session.ApplyArcDefaultsCommand(objects)) << "no arc selected";
  EXPECT_FALSE(session.CanUndo());
  diagram.state(arc).Selected = 1;
  settings.WriteInt("ArcDef", "ArcType", 9);
  ASSERT_TRUE(session.ApplyArcDefaultsCommand(objects));
  EXPECT_EQ(diagram.object(arc).Arc[BoxChart].ArcType, 9);
  ASSERT_TRUE(session.Undo());
  EXPECT_EQ(diagram.object(arc).Arc[BoxChart].ArcType, 0);
}

}  // namespace
}  // namespace ravelo

namespace ravelo {
namespace {

TEST_F(Session, PictureCommandsAreEditsOfTheSelection) {
  PictureServices pictures{messages, settings};
  AddNode(diagram, 1);
  AddNode(diagram, 2);
  AddNode(diagram, 3);
  EXPECT_FALSE(session.SetPictureFromFileCommand(folder / "x.png", pictures)) << "no main selection";

  diagram.state(0).Selected = 1;
  diagram.state(2).Selected = 1;
  ASSERT_TRUE(session.SetBuiltInPictureCommand(8, pictures));
  EXPECT_EQ(diagram.object(0).DefImage, 8);
  EXPECT_EQ(diagram.object(1).Image, 0);
  EXPECT_EQ(diagram.object(2).DefImage, 8);
  EXPECT_TRUE(session.modified());
  ASSERT_TRUE(session.Undo());
  ASSERT_TRUE(session.Undo()) << "each object's picture is a step of its own";
  EXPECT_EQ(diagram.object(0).Image, 0);

  diagram.header.CurrentObject = 1;
  EXPECT_FALSE(session.SetPictureFromFileCommand(folder / "notes.txt", pictures));
  EXPECT_EQ(messages.shown.back().text, "イメージファイル以外は処理できません");
  messages.answer = MessageAnswer::No;
  EXPECT_FALSE(session.SetPictureFromFileCommand(folder / "photo.png", pictures));
  EXPECT_EQ(messages.shown.back().text, "現在セットされているイメージを変更しますか");
  messages.answer = MessageAnswer::Yes;
  EXPECT_TRUE(session.SetPictureFromFileCommand(folder / "missing.png", pictures));
  EXPECT_TRUE(session.CanUndo());
  EXPECT_EQ(diagram.object(1).Image, 0) << "a file that does not load leaves no picture";
}

}  // namespace
}  // namespace ravelo
