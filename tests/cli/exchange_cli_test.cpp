// ravelo-cli convert between documents and tables, run as a script would.
#include <gtest/gtest.h>

#include "model/cp932.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::Quoted;
using testing::RunTool;

class ConvertTableTest : public ::testing::Test {
 protected:
  // Runs the tool on arguments in the scratch folder. Its stderr is compared whole, so a leak
  // checker's list of suppressions must not be added to it.
  testing::ToolRun Convert(const std::string& arguments) {
    return RunTool("cd " + Quoted(scratch.path()) +
                   " && LSAN_OPTIONS=\"${LSAN_OPTIONS:+$LSAN_OPTIONS:}print_suppressions=0\" " +
                   std::string(RAVELO_CLI) + " convert " + arguments);
  }
  std::string Csv(const std::string& name, const std::string& utf8) {
    testing::WriteFileBytes(scratch / name, Utf8ToCp932(utf8).text);
    return name;
  }

  testing::ScratchFolder scratch;
};

TEST_F(ConvertTableTest, ACsvFileBecomesADocumentAndComesBackAsTheSameRows) {
  const std::string rows =
      ",家族,家の記事,,父,,母,夫婦,結婚\r\n"
      ",家族,家の記事,,母,\r\n"
      ",,,,ひとり,\r\n";
  Csv("team.csv", "見出し\r\n" + rows);
  const testing::ToolRun imported = Convert("team.csv team.rvl --header");
  ASSERT_EQ(imported.status, 0) << imported.output;
  EXPECT_EQ(imported.output, "");
  const testing::ToolRun info = RunTool(std::string(RAVELO_CLI) + " info " + Quoted(scratch / "team.rvl"));
  EXPECT_EQ(info.output, "Arc 1(0) P-Node 1(0) E-Node 3(0) Object 5\n");
  const testing::ToolRun dump = RunTool(std::string(RAVELO_CLI) + " dump " + Quoted(scratch / "team.rvl"));
  EXPECT_NE(dump.output.find("\"Text\":\"team\""), std::string::npos);

  ASSERT_EQ(Convert("team.rvl back.csv").status, 0);
  const std::string header =
      "親ノードイメージ,親ノードタイトル,親ノード記事,子ノードイメージ,子ノードタイトル,子ノード記事,"
      "リンク子ノード名,リンクアークタイトル,リンクアーク記事,\r\n";
  EXPECT_EQ(Cp932ToUtf8(testing::ReadFileBytes(scratch / "back.csv")), header + rows);
  ASSERT_EQ(Convert("team.rvl back.xlsx").status, 0);
  ASSERT_EQ(Convert("back.xlsx again.rvl --header").status, 0);
  EXPECT_EQ(RunTool(std::string(RAVELO_CLI) + " info " + Quoted(scratch / "again.rvl")).output, info.output);
}

TEST_F(ConvertTableTest, RowMessagesGoToStderrAndTheImportStillSucceeds) {
  Csv("rows.csv", ",親,,,\r\n,,,,子\r\n");
  const testing::ToolRun run = Convert("rows.csv rows.rvl --no-header");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output,
            "1行目\n子ノードタイトルのないデータはインポートできません\n"
            "1行目\n子ノードタイトルのないデータはインポートできません\n");
}

TEST_F(ConvertTableTest, RefusalsExitWithTheMessageAndWriteNothing) {
  testing::WriteFileBytes(scratch / "cut.xlsx", std::string("PK\x03\x04\x14\x00", 6));
  Csv("ok.csv", ",,,,x\r\n");
  const struct {
    std::string arguments;
    int status;
    std::string output;
  } cases[] = {
      {"cut.xlsx out.rvl --header", 1, "Excelからの読込みに失敗しました\n"},
      {"missing.csv out.rvl --header", 1, scratch / "missing.csv" + "\nファイルのオープンに失敗しました\n"},
      {"ok.csv out.rvl", 2, ""},
      {"ok.csv out.rvl --maybe", 2, ""},
      {"ok.csv out.txt --header", 2, ""},
      {"missing.rvl out.csv", 1, ""},
  };
  for (const auto& c : cases) {
    const testing::ToolRun run = Convert(c.arguments);
    EXPECT_EQ(WEXITSTATUS(run.status), c.status) << c.arguments << ": " << run.output;
    if (!c.output.empty()) {
      EXPECT_EQ(run.output, c.output) << c.arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(scratch / "out.rvl"));
    EXPECT_FALSE(std::filesystem::exists(scratch / "out.csv"));
  }
}

}  // namespace
}  // namespace ravelo
