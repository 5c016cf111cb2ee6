// Runs the real ravelo-cli binary on documents written by the model.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "resources/builtin_pictures.h"
#include "tests/support/memory_settings.h"
#include "model/cp932.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::RunTool;

class CliTest : public ::testing::Test {
 protected:
  std::string WriteDocument(Diagram& d, const std::string& name) {
    const std::string path = folder_ + "/" + name;
    testing::RecordingMessages messages;
    testing::MemorySettings settings;
    NoProgress progress;
    OpaquePictureCodec codec;
    GcabCabinet cabinet;
    EXPECT_TRUE(SaveDocument(d, path, {0, 0}, {messages, progress, codec, settings, cabinet, folder_ + "/work"}));
    return path;
  }

  testing::ScratchFolder scratch_;
  const std::string folder_ = scratch_.path();
};

Diagram SmallDiagram() {
  Diagram d;
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  testing::AddNode(d, 1, {}, Utf8ToCp932("家族").text);
  testing::AddNode(d, 2, {1}, Utf8ToCp932("父 \"太郎\"").text);
  testing::AddNode(d, 3, {1});
  testing::AddArc(d, 2, 3);
  auto picture = std::make_unique<Picture>();
  const std::span<const uint8_t> png = BuiltInPicturePng(1);
  picture->fileBytes.assign(png.begin(), png.end());
  SetPicture(d, 2, std::move(picture));
  return d;
}

TEST_F(CliTest, InfoPrintsTheObjectCounts) {
  Diagram d = SmallDiagram();
  const testing::ToolRun r = RunTool(std::string(RAVELO_CLI) + " info " + WriteDocument(d, "a.rvl"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.output, "Arc 1(0) P-Node 1(0) E-Node 2(1) Object 4\n");
}

TEST_F(CliTest, DumpIsValidJsonWithTheRecordFieldNames) {
  Diagram d = SmallDiagram();
  const std::string path = WriteDocument(d, "a.rvl");
  const testing::ToolRun r = RunTool(std::string(RAVELO_CLI) + " dump " + path);
  ASSERT_EQ(r.status, 0) << r.output;
  for (const std::string& expected : std::vector<std::string>{"\"ObjectCount\":4", "\"Title\":\"家族\"", "\"Title\":\"父 \\\"太郎\\\"\"",
        "\"ParentSerials\":[1,0,0,0,0,0,0,0,0,0]", "\"Pos\":[{\"X\":0,\"Y\":0}", "\"Image\":true,\"ImageBytes\":" + std::to_string(BuiltInPicturePng(1).size()),
        "\"ChildMark\":[\"S\",\"S\",\"S\",\"S\"]", "\"Zoom\":[1,1,1,1]", "\"Rad\":0", "\"End\":[{\"EndStyle\":0"}) {
    EXPECT_NE(r.output.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(r.output.find("reserved"), std::string::npos);
  std::ofstream(folder_ + "/dump.json") << r.output;
  EXPECT_EQ(RunTool("python3 -m json.tool " + folder_ + "/dump.json > /dev/null").status, 0);
}

TEST_F(CliTest, ConvertWritesACabinetWhoseMemberIsNamedAfterTheOutput) {
  Diagram d = SmallDiagram();
  const std::string in = WriteDocument(d, "in.rvl");
  const std::string out = folder_ + "/out.rvl";
  ASSERT_EQ(RunTool("cd " + folder_ + " && " + RAVELO_CLI + " convert in.rvl out.rvl").status, 0);
  const testing::ToolRun listing = RunTool("cabextract -l " + out);
  EXPECT_NE(listing.output.find("| out.rvl"), std::string::npos) << listing.output;
  EXPECT_EQ(RunTool(std::string(RAVELO_CLI) + " dump " + in).output, RunTool(std::string(RAVELO_CLI) + " dump " + out).output);
}

TEST_F(CliTest, FailuresExitNonZeroWithTheProgramsMessage) {
  std::ofstream(folder_ + "/junk.rvl") << "not a document";
  const testing::ToolRun junk = RunTool(std::string(RAVELO_CLI) + " info " + folder_ + "/junk.rvl");
  EXPECT_NE(junk.status, 0);
  EXPECT_NE(junk.output.find("[File Copy]\nファイルの展開に失敗しました"), std::string::npos) << junk.output;
  const testing::ToolRun text = RunTool(std::string(RAVELO_CLI) + " info " + folder_ + "/notes.txt");
  EXPECT_NE(text.status, 0);
  EXPECT_NE(text.output.find("not a .rvl document"), std::string::npos) << text.output;
  EXPECT_NE(RunTool(std::string(RAVELO_CLI) + " frobnicate x").status, 0);
  EXPECT_NE(RunTool(std::string(RAVELO_CLI) + " info " + folder_ + "/missing.rvl").status, 0);
}

}  // namespace
}  // namespace ravelo
