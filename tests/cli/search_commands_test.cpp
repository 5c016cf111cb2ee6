// ravelo-cli find and replace, run as a script would.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/cp932.h"
#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::Quoted;
using testing::RunTool;

class SearchCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto d = std::make_unique<Diagram>();
    RandomSource random;
    ResetToNewDocument(*d, random, 1);
    testing::AddNode(*d, 1, {}, Utf8ToCp932("東京支社").text);
    const int memo = testing::AddNode(*d, 2, {1}, "Tokyo");
    SetFieldText(d->object(memo).MemoText, Utf8ToCp932("本社は東京\r\n大阪にも").text, kMemoBytes);
    testing::RecordingMessages messages;
    testing::MemorySettings settings;
    NoProgress progress;
    OpaquePictureCodec codec;
    GcabCabinet cabinet;
    ASSERT_TRUE(SaveDocument(*d, document, {0, 0}, {messages, progress, codec, settings, cabinet, folder / "work"}));
  }
  testing::ToolRun Cli(const std::string& arguments) { return RunTool(std::string(RAVELO_CLI) + " " + arguments); }
  std::string Titles(const std::string& path) {
    const testing::ToolRun dump = Cli("dump " + Quoted(path));
    std::string titles;
    for (std::size_t at = dump.output.find("\"Title\":"); at != std::string::npos;
         at = dump.output.find("\"Title\":", at + 1))
      titles += dump.output.substr(at + 8, dump.output.find('"', at + 9) - at - 7) + " ";
    return titles;
  }

  testing::ScratchFolder folder;
  const std::string document = folder / "doc.rvl";
};

TEST_F(SearchCommandsTest, FindListsTheHitsAsThePaneDoes) {
  const testing::ToolRun run = Cli("find " + Quoted(document) + " 東京");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output,
            "「すべて」の中から「東京」を大文字・小文字を区別しないで検索…\n東京支社【タイトル】(0)\n本社は東京 "
            "大阪にも【記事】(1)\n検索オブジェクト数 2件、ヒット数 2件\n");
  EXPECT_NE(Cli("find " + Quoted(document) + " tokyo --in titles --match-case").output.find("ヒット数 0件"),
            std::string::npos);
  EXPECT_EQ(Cli("find " + Quoted(document) + " tokyo --in nowhere").status >> 8, 2);
}

TEST_F(SearchCommandsTest, ReplaceWritesTheChangedDocument) {
  const std::string out = folder / "out.rvl";
  const testing::ToolRun run = Cli("replace " + Quoted(document) + " " + Quoted(out) + " --from 東京 --to 名古屋");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(run.output.rfind("置換対象数 2件\n置換数 2件\n", 0), 0u) << run.output;
  EXPECT_EQ(Titles(out), "\"名古屋支社\" \"Tokyo\" ");
  EXPECT_EQ(Titles(document), "\"東京支社\" \"Tokyo\" ");
}

TEST_F(SearchCommandsTest, ReplaceByDictionaryAndBadDictionaries) {
  const std::string out = folder / "out.rvl";
  testing::WriteFileBytes(folder / "dic.txt", Utf8ToCp932("東京\t大阪\r\ntokyo\tOsaka\r\n").text);
  const testing::ToolRun run =
      Cli("replace " + Quoted(document) + " " + Quoted(out) + " --dictionary " + Quoted(folder / "dic.txt"));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(Titles(out), "\"大阪支社\" \"Osaka\" ");

  testing::WriteFileBytes(folder / "utf8.txt", "東京\t大阪\r\n");
  const testing::ToolRun utf8 = Cli("replace " + Quoted(document) + " " + Quoted(folder / "x.rvl") + " --dictionary " +
                                    Quoted(folder / "utf8.txt"));
  EXPECT_NE(utf8.status, 0);
  EXPECT_NE(utf8.output.find("シフトJIS(cp932)のテキストではない"), std::string::npos) << utf8.output;
  const testing::ToolRun folderGiven =
      Cli("replace " + Quoted(document) + " " + Quoted(folder / "x.rvl") + " --dictionary " + Quoted(folder.path()));
  EXPECT_NE(folderGiven.status, 0);
  EXPECT_NE(folderGiven.output.find("置換辞書のファイルではありません"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(folder / "x.rvl"));
}

}  // namespace
}  // namespace ravelo
