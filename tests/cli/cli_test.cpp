// Runs the real ravelo-cli binary on documents written by the model.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
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
#include "tests/cli/cli_fixture.h"

namespace ravelo {
namespace {

using testing::RunTool;

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

// One node filled orange, with wide margins, on a light blue view of 300 × 200.
Diagram RenderDiagram() {
  Diagram d;
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  DocumentHeader& h = d.header;
  h.ViewWidth[BoxChart] = 300;
  h.ViewHeight[BoxChart] = 200;
  h.ViewBackColor[BoxChart] = Rgb(200, 220, 240);
  h.ViewFrameColor[BoxChart] = kNoColour;
  h.Headline[BoxChart].Show = 0;
  const int node = testing::AddNode(d, 1, {}, "A");
  DiagramObject& o = d.object(node);
  o.Pos[BoxChart] = {100, 60};
  o.FontSize = 9;
  o.refMen = Rgb(250, 200, 100);
  std::fill(std::begin(o.Margin), std::end(o.Margin), 30);
  return d;
}

TEST_F(CliTest, RenderWritesThePictureOfTheChartAtTheZoom) {
  Diagram d = RenderDiagram();
  const std::string doc = WriteDocument(d, "chart.rvl");
  const std::string png = folder_ + "/chart.png";
  const testing::ToolRun r = RunTool(std::string(RAVELO_CLI) + " render " + doc + " -o " + png + " --zoom 2");
  ASSERT_EQ(r.status, 0) << r.output;
  // Read back by ImageMagick: the view rectangle times the zoom, the background, the node's fill
  // within its margins around (200, 120), and the background beyond them.
  EXPECT_EQ(RunTool("identify -format '%w %h %m' " + png).output, "600 400 PNG");
  const auto pixel = [&](int x, int y) {
    return RunTool("convert " + png + " -format '%[hex:p{" + std::to_string(x) + "," + std::to_string(y) +
                   "}]' info:")
        .output;
  };
  EXPECT_EQ(pixel(5, 5), "C8DCF0");
  EXPECT_EQ(pixel(200, 60), "FAC864");
  EXPECT_EQ(pixel(140, 120), "FAC864");
  EXPECT_EQ(pixel(200, 30), "C8DCF0");
  EXPECT_EQ(pixel(599, 399), "C8DCF0");

  ASSERT_EQ(RunTool(std::string(RAVELO_CLI) + " render " + doc + " -o " + png).status, 0);
  EXPECT_EQ(RunTool("identify -format '%w %h' " + png).output, "300 200");
}

TEST_F(CliTest, RenderRefusesWhatItCannotDraw) {
  Diagram d = RenderDiagram();
  const std::string doc = WriteDocument(d, "chart.rvl");
  const std::string cli = std::string(RAVELO_CLI) + " render " + doc;
  struct Case {
    std::string arguments;
    std::string message;
  } cases[] = {
      {" -o " + folder_ + "/a.png --zoom 9", "the zoom must lie between 0.08 and 4"},
      {" -o " + folder_ + "/a.png --zoom two", "two: not a zoom factor"},
      {" -o " + folder_ + "/a.png --chart circle", "circle: not a chart that can be drawn"},
      {" -o " + folder_ + "/a.txt", "name the image .png"},
      {"", "the image file must be named with -o"},
      {" -o", "-o: a value must follow"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    const testing::ToolRun r = RunTool(cli + c.arguments);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.output.find(c.message), std::string::npos) << r.output;
  }
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/a.png"));
  const std::string missing = folder_ + "/missing.rvl";
  EXPECT_NE(RunTool(std::string(RAVELO_CLI) + " render " + missing + " -o " + folder_ + "/b.png").status, 0);
}

// The small diagram never shown in the Action chart, its view 400 × 300.
Diagram UnplacedActionDiagram() {
  Diagram d = SmallDiagram();
  d.header.ViewWidth[ActionChart] = 400;
  d.header.ViewHeight[ActionChart] = 300;
  for (int i = 0; i < d.count(); ++i) d.object(i).Pos[ActionChart] = kUnsetPoint;
  d.header.CurrentObject = 2;
  return d;
}

TEST_F(CliTest, DumpLaysTheActionChartOutAroundTheMainSelection) {
  Diagram d = UnplacedActionDiagram();
  const std::string doc = WriteDocument(d, "action.rvl");
  const std::string json = folder_ + "/action.json";
  // In a subshell, so that only the JSON goes to the file and the messages stay apart.
  const std::string dump = std::string(RAVELO_CLI) + " dump " + doc + " --chart action";
  const testing::ToolRun r = RunTool("(" + dump + " > " + json + ")");
  ASSERT_EQ(r.status, 0) << r.output;
  // Per node: its place in the chart (the final one, no animation), its level and sequence number.
  std::ofstream(folder_ + "/check.py") << R"(import json, sys
d = json.load(open(sys.argv[1]))
h, o = d["header"], d["objects"]
print(h["CurrentChart"], h["ActCenterObject"], h["ActCenterX"], h["ActCenterY"], h["ActRingCount"])
for n in o:
    if n["Kind"] == 2:
        assert n["ChartPos"] == n["ActCurrent"] == n["ActTarget"] == n["ActStart"] == n["Pos"][2], n
        print(n["Serial"], n["Level"], n["LevelSeq"], n["ActDistance"])
    else:
        assert "ChartPos" not in n
print(o[2]["ChartPos"])
)";
  const testing::ToolRun checked = RunTool("python3 " + folder_ + "/check.py " + json);
  ASSERT_EQ(checked.status, 0) << checked.output;
  EXPECT_EQ(checked.output,
            "2 2 200 150 2\n"  // the centre in the middle of the view inside its margins; two levels
            "1 0 0 1\n"
            "2 1 1 0\n"
            "3 1 2 0\n"
            "{'X': 200, 'Y': 150}\n");
  const testing::ToolRun wrong = RunTool(std::string(RAVELO_CLI) + " dump " + doc + " --chart sideways");
  EXPECT_NE(wrong.status, 0);
  EXPECT_NE(wrong.output.find("sideways: not a chart that can be laid out"), std::string::npos) << wrong.output;
}

TEST_F(CliTest, RenderDrawsTheActionChartWithItsRings) {
  Diagram d = UnplacedActionDiagram();
  DocumentHeader& h = d.header;
  h.ViewBackColor[ActionChart] = Rgb(255, 255, 255);
  h.ViewFrameColor[ActionChart] = kNoColour;
  h.Headline[ActionChart].Show = 0;
  h.CircleColor = Rgb(255, 0, 0);
  h.CircleWidth = 3;
  const std::string doc = WriteDocument(d, "action.rvl");
  const std::string png = folder_ + "/action.png";
  ASSERT_EQ(RunTool(std::string(RAVELO_CLI) + " render " + doc + " -o " + png + " --chart action").status, 0);
  EXPECT_EQ(RunTool("identify -format '%w %h' " + png).output, "400 300");
  // Two rings around (200, 150), 95 and 190 units out along x: the outer one crosses the middle row
  // near x = 10, left of the nodes.
  const testing::ToolRun row = RunTool("convert " + png + " -crop 30x1+0+150 -format '%c' histogram:info:");
  EXPECT_NE(row.output.find("#FF0000"), std::string::npos) << row.output;
}

// A root with two children filled orange with wide margins, no Flow positions yet, on a Flow
// chart without headline.
Diagram FlowDiagram() {
  Diagram d;
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  d.header.Headline[FlowChart].Show = 0;
  d.header.ViewBackColor[FlowChart] = Rgb(200, 220, 240);
  for (int32_t serial = 1; serial <= 3; ++serial) {
    const int node = serial == 1 ? testing::AddNode(d, serial, {}, "R") : testing::AddNode(d, serial, {1}, "C");
    d.object(node).FontSize = 9;
    d.object(node).refMen = Rgb(250, 200, 100);
    std::fill(std::begin(d.object(node).Margin), std::end(d.object(node).Margin), 30);
    d.object(node).Pos[FlowChart] = kUnsetPoint;
  }
  return d;
}

// Writes the Flow chart's dump of the document to dump.json (stdout alone: a sanitizer's notes go
// to stderr) and answers the Python expression over its objects o.
std::string FlowDumpQuery(const std::string& folder, const std::string& doc, const std::string& expression) {
  const std::string json = folder + "/dump.json";
  if (RunTool("(" + std::string(RAVELO_CLI) + " dump " + doc + " --chart flow >" + json + ")").status != 0)
    return "failed";
  return RunTool("python3 -c \"import json; d = json.load(open('" + json + "')); o = d['objects']; print(" +
                 expression + ")\"")
      .output;
}

TEST_F(CliTest, DumpOfTheFlowChartLaysItOutFirst) {
  Diagram d = FlowDiagram();
  const std::string doc = WriteDocument(d, "flow.rvl");
  const testing::ToolRun plain = RunTool(std::string(RAVELO_CLI) + " dump " + doc);
  ASSERT_EQ(plain.status, 0) << plain.output;
  EXPECT_EQ(plain.output.find("\"Level\""), std::string::npos) << "only a chart's dump adds levels";
  EXPECT_EQ(FlowDumpQuery(folder_, doc, "d['header']['CurrentChart'], [(x['Level'], x['LevelSeq']) for x in o]"),
            "3 [(0, 0), (1, 1), (1, 2)]\n");
  // The widest layer (the children) side by side below the root, which stands over their middle;
  // the positions given are the Flow positions the layout set.
  EXPECT_EQ(FlowDumpQuery(folder_, doc,
                          "o[0]['ChartPos']['X'] == (o[1]['ChartPos']['X'] + o[2]['ChartPos']['X']) // 2, "
                          "o[1]['ChartPos']['Y'] == o[2]['ChartPos']['Y'] > o[0]['ChartPos']['Y'] > 0, "
                          "all(x['ChartPos'] == x['Pos'][3] for x in o)"),
            "True True True\n");
  EXPECT_NE(RunTool(std::string(RAVELO_CLI) + " dump " + doc + " --chart circle").status, 0);
}

TEST_F(CliTest, RenderOfTheFlowChartDrawsItsNodesWhereItsDumpPutsThem) {
  Diagram d = FlowDiagram();
  const std::string doc = WriteDocument(d, "flow.rvl");
  const std::string png = folder_ + "/flow.png";
  const testing::ToolRun r = RunTool(std::string(RAVELO_CLI) + " render " + doc + " -o " + png + " --chart flow");
  ASSERT_EQ(r.status, 0) << r.output;
  std::istringstream points(FlowDumpQuery(
      folder_, doc, "' '.join('%d,%d' % (x['ChartPos']['X'], x['ChartPos']['Y'] - 15) for x in o)"));
  std::string point;
  int nodes = 0;
  while (points >> point) {
    const std::string pixel = RunTool("convert " + png + " -format '%[hex:p{" + point + "}]' info:").output;
    EXPECT_EQ(pixel, "FAC864") << "the fill above the title of the node at " << point;
    ++nodes;
  }
  EXPECT_EQ(nodes, 3);
}

}  // namespace
}  // namespace ravelo
