// ravelo-cli render and dump with --chart star, run as the real binary on documents written by the
// model.
#include <gtest/gtest.h>

#include <string>

#include "model/document_file.h"
#include "platform/cab/gcab_cabinet.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::RunTool;

// A root and two children without Star positions, in a Star view of 400 × 300: the root goes to the
// middle (200, 150), its children on a circle of radius 75 above and below it. The nodes have no
// titles and margins of 30, so each is a 60 × 60 orange square; the relation arc is a green
// triangle 20 wide at its base.
class StarCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RandomSource random;
    ResetToNewDocument(diagram, random, 1);
    DocumentHeader& h = diagram.header;
    h.ViewWidth[StarChart] = 400;
    h.ViewHeight[StarChart] = 300;
    h.ViewBackColor[StarChart] = Rgb(200, 220, 240);
    h.ViewFrameColor[StarChart] = kNoColour;
    h.Headline[StarChart].Show = 0;
    h.ShowChildMark[StarChart] = 0;
    h.Relation[StarChart] = {.Type = 0, .FillColor = Rgb(0, 160, 0), .FrameColor = kNoColour, .Width = 20};
    for (int serial = 1; serial <= 3; ++serial) {
      const int index = serial == 1 ? testing::AddNode(diagram, 1) : testing::AddNode(diagram, serial, {1});
      DiagramObject& o = diagram.object(index);
      for (Point& p : o.Pos) p = kUnsetPoint;
      o.FontSize = 9;
      o.refMen = Rgb(250, 200, 100);
      o.refLine = kNoColour;
      std::fill(std::begin(o.Margin), std::end(o.Margin), 30);
    }
  }

  std::string Write() {
    const std::string path = folder + "/star.rvl";
    testing::RecordingMessages messages;
    testing::MemorySettings settings;
    NoProgress progress;
    OpaquePictureCodec codec;
    GcabCabinet cabinet;
    EXPECT_TRUE(SaveDocument(diagram, path, {0, 0},
                             {messages, progress, codec, settings, cabinet, folder + "/work"}));
    return path;
  }

  testing::ScratchFolder scratch;
  const std::string folder = scratch.path();
  Diagram diagram;
};

TEST_F(StarCliTest, DumpLaysTheChartOutAndAddsPositionsAndLevels) {
  const testing::ToolRun r = RunTool(std::string(RAVELO_CLI) + " dump " + Write() + " --chart star");
  ASSERT_EQ(r.status, 0) << r.output;
  for (const char* expected : {
           R"("ChartPos":{"X":200,"Y":150},"Level":0,"LevelSeq":0})",
           R"("ChartPos":{"X":200,"Y":75},"Level":1,"LevelSeq":1})",
           R"("ChartPos":{"X":200,"Y":225},"Level":1,"LevelSeq":2})",
           R"("CurrentChart":1)",
       }) {
    EXPECT_NE(r.output.find(expected), std::string::npos) << expected;
  }
}

TEST_F(StarCliTest, DumpKeepsPositionsTheUserGave) {
  diagram.object(0).Pos[StarChart] = {30, 40};
  const testing::ToolRun r = RunTool(std::string(RAVELO_CLI) + " dump " + Write() + " --chart star");
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find(R"("ChartPos":{"X":30,"Y":40},"Level":0)"), std::string::npos);
  EXPECT_NE(r.output.find(R"("ChartPos":{"X":-1,"Y":-1},"Level":1)"), std::string::npos);
  EXPECT_NE(RunTool(std::string(RAVELO_CLI) + " dump " + Write() + " --chart sun").status, 0);
}

TEST_F(StarCliTest, RenderDrawsTheLaidOutChart) {
  const std::string png = folder + "/star.png";
  const testing::ToolRun r =
      RunTool(std::string(RAVELO_CLI) + " render " + Write() + " -o " + png + " --chart star");
  ASSERT_EQ(r.status, 0) << r.output;
  EXPECT_EQ(RunTool("identify -format '%w %h' " + png).output, "400 300");
  const auto pixel = [&](int x, int y) {
    return RunTool("convert " + png + " -format '%[hex:p{" + std::to_string(x) + "," + std::to_string(y) +
                   "}]' info:")
        .output;
  };
  EXPECT_EQ(pixel(5, 5), "C8DCF0");
  EXPECT_EQ(pixel(215, 150), "FAC864");  // the root
  EXPECT_EQ(pixel(215, 75), "FAC864");   // the child above
  EXPECT_EQ(pixel(215, 225), "FAC864");  // the child below
  EXPECT_EQ(pixel(200, 112), "00A000");  // the relation arc between the root and the child above
  EXPECT_EQ(pixel(260, 112), "C8DCF0");
}

}  // namespace
}  // namespace ravelo
