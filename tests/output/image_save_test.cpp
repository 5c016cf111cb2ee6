// The image save command with its questions: what is written, what is asked, and what a cancel or
// a failure leaves behind.
#include "output/image_save.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "model/cp932.h"
#include "platform/cairo/cairo_targets.h"
#include "tests/codec/picture_files.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"

namespace ravelo {
namespace {

// Records the messages and answers the questions in the order given (No once they run out).
class ScriptedMessages final : public Messages {
 public:
  MessageAnswer Show(std::string_view text, MessageIcon, MessageButtons buttons) override {
    shown.emplace_back(text);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::No;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<MessageAnswer> answers;
  std::vector<std::string> shown;
};

class ScriptedHost final : public ImageSaveHost {
 public:
  std::optional<ChosenImageFile> ChooseImageFile(const std::string& initialName) override {
    offeredName = initialName;
    return file;
  }
  std::optional<int> AskJpegQuality(int initial) override {
    qualityOffered = initial;
    return quality;
  }
  void SetBusy(bool busy) override { busyChanges.push_back(busy); }
  bool ShowFolder(const std::string& folder) override {
    shownFolder = folder;
    return true;
  }
  std::optional<ChosenImageFile> file;
  std::optional<int> quality = 55;
  std::string offeredName, shownFolder;
  int qualityOffered = -1;
  std::vector<bool> busyChanges;
};

constexpr std::string_view kSaved = "正常に保存しました\n保存場所を表示しますか";
constexpr std::string_view kOverwrite = "指定したファイルは既に存在します\n上書きしてもよろしいですか";
constexpr std::string_view kZoom = "このままの倍率で保存しますか\n等倍(100%)で保存する-「いいえ」\n中止-「キャンセル」";

class ImageSave : public ::testing::Test {
 protected:
  void SetUp() override {
    RandomSource random;
    ResetToNewDocument(diagram, random, 1);
    diagram.header.ViewWidth[BoxChart] = 150;
    diagram.header.ViewHeight[BoxChart] = 100;
    SetFieldText(diagram.header.Headline[BoxChart].Text, Utf8ToCp932("関係図").text, kTitleBytes);
    testing::AddNode(diagram, 1, {}, "A");
    diagram.state(0).Selected = 1;
  }

  bool Save(const std::string& name, int filterIndex) {
    host.file = ChosenImageFile{folder.File(name).string(), filterIndex};
    return SaveChartAsImage(diagram, {messages, settings, targets, host, {}, others});
  }
  std::string Identify(const std::string& name) {
    const testing::ToolResult result = testing::RunTool("identify -format '%m %w %h' " + folder.File(name).string());
    return std::string(result.output.begin(), result.output.end());
  }

  Diagram diagram;
  ScriptedMessages messages;
  testing::MemorySettings settings;
  CairoTargets targets;
  ScriptedHost host;
  OtherCharts others;
  testing::ScratchFolder folder;
};

TEST_F(ImageSave, WritesTheKindOfTheFilterAndOffersTheFolder) {
  messages.answers = {MessageAnswer::Yes};
  ASSERT_TRUE(Save("chart.bmp", 3));
  EXPECT_EQ(host.offeredName, "関係図");
  EXPECT_EQ(Identify("chart.bmp"), "BMP3 150 100");
  EXPECT_EQ(messages.shown, std::vector<std::string>{std::string(kSaved)});
  EXPECT_EQ(host.shownFolder, folder.File(".").parent_path().string());
  EXPECT_EQ(diagram.state(0).Selected, 0) << "no object stays selected";
  EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false})) << "the wait cursor while drawing and writing";
}

TEST_F(ImageSave, JpegAsksTheQualityKeepsItAndTheExtensionNamesTheEncoder) {
  settings.WriteInt("Last", "Quality", 70);
  ASSERT_TRUE(Save("chart.jpeg", 9));
  EXPECT_EQ(host.qualityOffered, 70);
  EXPECT_EQ(settings.ReadInt("Last", "Quality", 0), 55);
  EXPECT_EQ(Identify("chart.jpeg"), "JPEG 150 100");
  // The JPEG filter with a name ending in .png writes a PNG; .jpg names no encoder.
  ASSERT_TRUE(Save("typed.png", 9));
  EXPECT_EQ(Identify("typed.png"), "PNG 150 100");
  messages.shown.clear();
  EXPECT_FALSE(Save("typed.jpg", 9));
  EXPECT_EQ(messages.shown, std::vector<std::string>{"メモリの確保に失敗しました"});
  EXPECT_FALSE(std::filesystem::exists(folder.File("typed.jpg")));

  host.quality.reset();
  EXPECT_FALSE(Save("cancelled.jpeg", 9));
  EXPECT_FALSE(std::filesystem::exists(folder.File("cancelled.jpeg")));
}

TEST_F(ImageSave, TheZoomQuestionChoosesTheSizeOrCancels) {
  diagram.header.Zoom[BoxChart] = 2.0f;
  messages.answers = {MessageAnswer::Yes};
  ASSERT_TRUE(Save("zoomed.png", 12));
  EXPECT_EQ(Identify("zoomed.png"), "PNG 300 200");
  EXPECT_EQ(messages.shown.front(), kZoom);
  messages.answers = {MessageAnswer::No};
  ASSERT_TRUE(Save("natural.png", 12));
  EXPECT_EQ(Identify("natural.png"), "PNG 150 100");
  messages.answers = {MessageAnswer::Cancel};
  EXPECT_FALSE(Save("none.png", 12));
  EXPECT_FALSE(std::filesystem::exists(folder.File("none.png")));
  EXPECT_EQ(diagram.header.Zoom[BoxChart], 2.0f);
}

TEST_F(ImageSave, AnExistingFileIsKeptWhenNotOverwrittenOrWhenTheWriteFails) {
  const std::string path = folder.File("old.gif").string();
  std::ofstream(path) << "old";
  messages.answers = {MessageAnswer::No};
  EXPECT_FALSE(Save("old.gif", 11));
  EXPECT_EQ(messages.shown, std::vector<std::string>{std::string(kOverwrite)});
  EXPECT_EQ(testing::ReadFileBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));

  // A folder in the way of the file: the user hears of it, and the folder stays.
  std::filesystem::create_directories(folder.File("taken.bmp") / "inside");
  messages.shown.clear();
  messages.answers = {MessageAnswer::Yes};
  EXPECT_FALSE(Save("taken.bmp", 1));
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1], "ファイルオープンエラービットマップファイルの保存に失敗しました");
  EXPECT_TRUE(std::filesystem::exists(folder.File("taken.bmp") / "inside"));

  host.file.reset();
  EXPECT_FALSE(SaveChartAsImage(diagram, {messages, settings, targets, host, {}, others}));
}

TEST_F(ImageSave, VectorsFollowTheThirteenKinds) {
  ASSERT_TRUE(Save("chart.svg", 14));
  ASSERT_TRUE(Save("chart.pdf", 15));
  const std::vector<uint8_t> svg = testing::ReadFileBytes(folder.File("chart.svg").string());
  EXPECT_NE(std::string(svg.begin(), svg.end()).find("<svg"), std::string::npos);
  const testing::ToolResult pdf = testing::RunTool("pdfinfo " + folder.File("chart.pdf").string());
  EXPECT_NE(std::string(pdf.output.begin(), pdf.output.end()).find("112.5 x 75 pts"), std::string::npos);
}

}  // namespace
}  // namespace ravelo
