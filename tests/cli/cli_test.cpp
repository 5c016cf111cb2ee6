// Runs the real ravelo-cli binary on documents written by the model.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
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

namespace ravelo {
namespace {

struct CommandResult {
  int status;
  std::string out;
};

CommandResult RunCommand(const std::string& command) {
  CommandResult result{-1, {}};
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 4096> buffer;
  std::size_t got;
  while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), got);
  result.status = pclose(pipe);
  return result;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ravelo-cli-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { RunCommand("rm -rf '" + folder_ + "'"); }

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

  std::string folder_;
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
  const CommandResult r = RunCommand(std::string(RAVELO_CLI) + " info " + WriteDocument(d, "a.rvl"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "Arc 1(0) P-Node 1(0) E-Node 2(1) Object 4\n");
}

TEST_F(CliTest, DumpIsValidJsonWithTheRecordFieldNames) {
  Diagram d = SmallDiagram();
  const std::string path = WriteDocument(d, "a.rvl");
  const CommandResult r = RunCommand(std::string(RAVELO_CLI) + " dump " + path);
  ASSERT_EQ(r.status, 0) << r.out;
  for (const std::string& expected : std::vector<std::string>{"\"ObjectCount\":4", "\"Title\":\"家族\"", "\"Title\":\"父 \\\"太郎\\\"\"",
        "\"ParentSerials\":[1,0,0,0,0,0,0,0,0,0]", "\"Pos\":[{\"X\":0,\"Y\":0}", "\"Image\":true,\"ImageBytes\":" + std::to_string(BuiltInPicturePng(1).size()),
        "\"ChildMark\":[\"S\",\"S\",\"S\",\"S\"]", "\"Zoom\":[1,1,1,1]", "\"Rad\":0", "\"End\":[{\"EndStyle\":0"}) {
    EXPECT_NE(r.out.find(expected), std::string::npos) << expected;
  }
  EXPECT_EQ(r.out.find("reserved"), std::string::npos);
  std::ofstream(folder_ + "/dump.json") << r.out;
  EXPECT_EQ(RunCommand("python3 -m json.tool " + folder_ + "/dump.json > /dev/null").status, 0);
}

TEST_F(CliTest, ConvertWritesACabinetWhoseMemberIsNamedAfterTheOutput) {
  Diagram d = SmallDiagram();
  const std::string in = WriteDocument(d, "in.rvl");
  const std::string out = folder_ + "/out.rvl";
  ASSERT_EQ(RunCommand("cd " + folder_ + " && " + RAVELO_CLI + " convert in.rvl out.rvl").status, 0);
  const CommandResult listing = RunCommand("cabextract -l " + out);
  EXPECT_NE(listing.out.find("| out.rvl"), std::string::npos) << listing.out;
  EXPECT_EQ(RunCommand(std::string(RAVELO_CLI) + " dump " + in).out, RunCommand(std::string(RAVELO_CLI) + " dump " + out).out);
}

TEST_F(CliTest, FailuresExitNonZeroWithTheProgramsMessage) {
  std::ofstream(folder_ + "/junk.rvl") << "not a document";
  const CommandResult junk = RunCommand(std::string(RAVELO_CLI) + " info " + folder_ + "/junk.rvl");
  EXPECT_NE(junk.status, 0);
  EXPECT_NE(junk.out.find("[File Copy]\nファイルの展開に失敗しました"), std::string::npos) << junk.out;
  const CommandResult text = RunCommand(std::string(RAVELO_CLI) + " info " + folder_ + "/notes.txt");
  EXPECT_NE(text.status, 0);
  EXPECT_NE(text.out.find("not a .rvl document"), std::string::npos) << text.out;
  EXPECT_NE(RunCommand(std::string(RAVELO_CLI) + " frobnicate x").status, 0);
  EXPECT_NE(RunCommand(std::string(RAVELO_CLI) + " info " + folder_ + "/missing.rvl").status, 0);
}

}  // namespace
}  // namespace ravelo
