// ravelo-cli render to every image kind and to vectors, and ravelo-cli print, checked with tools the
// project does not write: ImageMagick, pdfinfo, pdftoppm, pdftotext, xmllint and rsvg-convert.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "model/cp932.h"
#include "tests/cli/cli_fixture.h"
#include "tests/support/diagram_builder.h"

namespace ravelo {
namespace {

using testing::RunTool;

// A light blue view of 1200 × 900 with a red node titled "山田太郎" near its top-left corner, its
// box from about (35, 42) to (165, 118).
class CliOutputTest : public CliTest {
 protected:
  void SetUp() override {
    RandomSource random;
    ResetToNewDocument(diagram_, random, 1);
    DocumentHeader& h = diagram_.header;
    h.ViewWidth[BoxChart] = 1200;
    h.ViewHeight[BoxChart] = 900;
    h.ViewBackColor[BoxChart] = Rgb(200, 220, 240);
    h.ViewFrameColor[BoxChart] = kNoColour;
    h.Headline[BoxChart].Show = 0;
    const int node = testing::AddNode(diagram_, 1, {}, Utf8ToCp932("山田太郎").text);
    DiagramObject& o = diagram_.object(node);
    o.Pos[BoxChart] = {100, 80};
    o.FontSize = 12;
    o.refMen = Rgb(255, 0, 0);
    std::fill(std::begin(o.Margin), std::end(o.Margin), 30);
    document_ = WriteDocument(diagram_, "chart.rvl");
  }

  std::string Cli(const std::string& arguments) { return std::string(RAVELO_CLI) + " " + arguments; }

  std::string Pixel(const std::string& image, int x, int y) {
    return RunTool("convert " + image + " -format '%[hex:p{" + std::to_string(x) + "," + std::to_string(y) +
                   "}]' info:")
        .output;
  }

  Diagram diagram_;
  std::string document_;
};

TEST_F(CliOutputTest, RenderWritesEachKindNamedByKind) {
  struct Case {
    std::string kind;
    std::string format;
  } cases[] = {{"bmp1", "BMP3 1"},    {"bmp4", "BMP3 4"},  {"bmp4rle", "BMP3 4"}, {"bmp8", "BMP3 8"},
               {"bmp8rle", "BMP3 8"}, {"bmp16", "BMP3 8"}, {"bmp24", "BMP3 8"},   {"bmp32", "BMP3 8"},
               {"jpeg", "JPEG 8"},    {"gif", "GIF 8"},    {"tgif", "GIF 8"},     {"png", "PNG 8"},
               {"tiff", "TIFF 8"}};
  const std::string out = folder_ + "/out.image";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    const testing::ToolRun run = RunTool(Cli("render " + document_ + " -o " + out + " --kind " + c.kind));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(RunTool("identify -format '%m %z %w %h' " + out).output, c.format + " 1200 900");
  }
  ASSERT_EQ(RunTool(Cli("render " + document_ + " -o " + out + " --kind jpeg --quality 20")).status, 0);
  EXPECT_EQ(RunTool("identify -format '%Q' " + out).output, "20");
}

TEST_F(CliOutputTest, RenderRefusesAnUnknownKindOrQualityAndKeepsTheOldFile) {
  const std::string out = folder_ + "/keep.png";
  ASSERT_EQ(RunTool(Cli("render " + document_ + " -o " + out)).status, 0);
  const std::string before = testing::ReadFileBytes(out);
  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {" --kind bmp2", "bmp2: not a kind of image"},
      {" --quality 101", "101: the quality must be a whole number from 0 to 100"},
      {" --quality high", "high: the quality must be"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const testing::ToolRun run = RunTool(Cli("render " + document_ + " -o " + out + c.arguments));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
  }
  EXPECT_EQ(testing::ReadFileBytes(out), before);
}

TEST_F(CliOutputTest, VectorsAreValidAndKeepTheJapaneseTitleAsText) {
  const std::string svg = folder_ + "/chart.svg", pdf = folder_ + "/chart.pdf";
  ASSERT_EQ(RunTool(Cli("render " + document_ + " -o " + svg)).status, 0);
  ASSERT_EQ(RunTool(Cli("render " + document_ + " -o " + pdf)).status, 0);
  const testing::ToolRun xml = RunTool("xmllint --noout " + svg);
  EXPECT_EQ(xml.status, 0) << xml.output;
  ASSERT_EQ(RunTool("rsvg-convert -o " + folder_ + "/svg.png " + svg).status, 0);
  EXPECT_EQ(RunTool("identify -format '%w %h' " + folder_ + "/svg.png").output, "1200 900");
  EXPECT_EQ(Pixel(folder_ + "/svg.png", 600, 600), "C8DCF0");
  // 1200 × 900 pixels of 96 dpi are 900 × 675 points.
  const std::string info = RunTool("pdfinfo " + pdf).output;
  EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +900 x 675 pts"))) << info;
  const std::string text = RunTool("pdftotext " + pdf + " -").output;
  EXPECT_NE(text.find("山田太郎"), std::string::npos) << text;
}

TEST_F(CliOutputTest, PrintCutsThePagesOfThePaper) {
  struct Case {
    std::string options;
    int pages;
    std::string size;
  } cases[] = {
      {"", 2, "595.276 x 841.89 pts \\(A4\\)"},
      {" --landscape", 4, "841.89 x 595.276 pts \\(A4\\)"},
      {" --landscape --one-page", 1, "841.89 x 595.276 pts \\(A4\\)"},
      {" --paper A3 --margins 0,0,0,0", 2, "841.89 x 1190.55 pts \\(A3\\)"},
      {" --paper Letter --margins 10,10,10,10", 2, "612 x 792 pts \\(letter\\)"},
      {" --paper B5 --margins 50,50,50,50 --landscape", 9, "728.504 x 515.906 pts"},
  };
  const std::string pdf = folder_ + "/pages.pdf";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    const testing::ToolRun run = RunTool(Cli("print " + document_ + " -o " + pdf + c.options));
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string info = RunTool("pdfinfo " + pdf).output;
    std::smatch pages;
    ASSERT_TRUE(std::regex_search(info, pages, std::regex("Pages: +([0-9]+)"))) << info;
    EXPECT_EQ(std::stoi(pages[1]), c.pages);
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +" + c.size))) << info;
  }
}

TEST_F(CliOutputTest, ThePrintedFirstPageShowsTheTopLeftCornerInsideTheMargins) {
  const std::string pdf = folder_ + "/pages.pdf";
  ASSERT_EQ(RunTool(Cli("print " + document_ + " -o " + pdf + " --margins 20,30,10,10")).status, 0);
  ASSERT_EQ(RunTool("pdftoppm -r 96 -f 1 -l 1 -singlefile -png " + pdf + " " + folder_ + "/page").status, 0);
  const std::string page = folder_ + "/page.png";
  EXPECT_EQ(RunTool("identify -format '%w %h' " + page).output, "794 1123");
  // Left margin 20 mm = 75.6 pixels, top 30 mm = 113.4 pixels: white left of and above them, the
  // chart's corner just inside, and the red node where the chart has it, moved by the margins.
  EXPECT_EQ(Pixel(page, 70, 200), "FFFFFF");
  EXPECT_EQ(Pixel(page, 200, 108), "FFFFFF");
  EXPECT_EQ(Pixel(page, 78, 116), "C8DCF0");
  EXPECT_EQ(Pixel(page, 75 + 45, 113 + 50), "FF0000");
  EXPECT_EQ(Pixel(page, 75 + 25, 113 + 50), "C8DCF0");
  EXPECT_EQ(Pixel(page, 500, 700), "C8DCF0");
  EXPECT_NE(RunTool("pdftotext -f 1 -l 1 " + pdf + " -").output.find("山田太郎"), std::string::npos);
}

TEST_F(CliOutputTest, PrintRefusesWhatItCannotCut) {
  const struct {
    std::string arguments;
    std::string message;
  } cases[] = {
      {" -o " + folder_ + "/a.pdf --paper A5", "A5: not a paper"},
      {" -o " + folder_ + "/a.pdf --margins 10,10,10", "the margins are four whole millimetres"},
      {" -o " + folder_ + "/a.pdf --margins 10,10,10,60", "the margins are four whole millimetres"},
      {" -o " + folder_ + "/a.pdf --chart tree", "tree: not a chart"},
      {"", "the PDF file must be named with -o"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments);
    const testing::ToolRun run = RunTool(Cli("print " + document_ + c.arguments));
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
  }
}

}  // namespace
}  // namespace ravelo
