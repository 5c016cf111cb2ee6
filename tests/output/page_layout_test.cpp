// Cutting a chart into printed pages: the paper table, the page grid and where each page's tile
// lands on the paper.
#include "output/page_layout.h"

#include <gtest/gtest.h>

#include <set>

namespace ravelo {
namespace {

TEST(Papers, StoredCodesGiveTheirSizeNameAndToolkitPaper) {
  struct Case {
    int code;
    std::string_view text;
    double width, height;
    int toolkitId;  // wxPAPER_A4 is 3, wxPAPER_A3 12, wxPAPER_B4 15, wxPAPER_B5 16, wxPAPER_LETTER 1
  } cases[] = {
      {9, "A4Sheet, 210x297mm", 210, 297, 3},      {8, "A3Sheet, 297x420mm", 297, 420, 12},
      {12, "B4Sheet, 250x354mm", 250, 354, 15},    {13, "B5Sheet, 182x257mm", 182, 257, 16},
      {1, "Letter, 81/2x11inch", 215.9, 279.4, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const Paper* paper = PaperOfCode(c.code);
    ASSERT_NE(paper, nullptr);
    EXPECT_EQ(paper->text, c.text);
    EXPECT_NEAR(paper->widthMm, c.width, 1e-9);
    EXPECT_NEAR(paper->heightMm, c.height, 1e-9);
    EXPECT_EQ(paper->toolkitId, c.toolkitId);
    EXPECT_EQ(PaperOfToolkitId(c.toolkitId), paper);
  }
  EXPECT_EQ(PaperText(42), "etc.");
  EXPECT_EQ(PaperOfCode(0), nullptr);
  std::set<int> codes, ids;
  for (const Paper& paper : Papers()) {
    EXPECT_TRUE(codes.insert(paper.code).second) << paper.code;
    EXPECT_TRUE(ids.insert(paper.toolkitId).second) << paper.code;
  }
  EXPECT_EQ(Papers().size(), 41u);
}

TEST(PageGrid, AcrossAndDownForChartPaperMarginsAndOrientation) {
  struct Case {
    int paper;
    Orientation orientation;
    Margins margins;
    int chartWidth, chartHeight;
    bool onePage;
    int across, down;
  } cases[] = {
      {9, Orientation::Portrait, {}, 500, 500, false, 1, 1},
      // 960 pixels are 254 mm, exactly the printable width: still two pages across.
      {8, Orientation::Portrait, {25, 25, 18, 10}, 960, 300, false, 2, 1},
      {9, Orientation::Landscape, {}, 2000, 1000, false, 3, 2},
      {9, Orientation::Portrait, {}, 2000, 1000, false, 4, 2},
      // The whole Letter sheet without margins: 816 × 1056 pixels fill it exactly.
      {1, Orientation::Portrait, {0, 0, 0, 0}, 816, 1056, false, 2, 2},
      {13, Orientation::Portrait, {50, 50, 50, 50}, 400, 400, false, 2, 1},
      {12, Orientation::Landscape, {25, 25, 10, 10}, 9000, 9000, true, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.paper << " " << c.chartWidth << "x" << c.chartHeight);
    const PrintSheet sheet = SheetOf(*PaperOfCode(c.paper), c.orientation, c.margins);
    const PageGrid grid = ComputePageGrid(sheet, c.chartWidth, c.chartHeight, c.onePage);
    EXPECT_EQ(grid.across, c.across);
    EXPECT_EQ(grid.down, c.down);
  }
}

TEST(PlacePage, EachPageShowsItsTileInsideTheMargins) {
  // A4 portrait with margins of 25.4 mm left and top (96 pixels) and 12.7 mm right and bottom.
  PrintSheet sheet = SheetOf(*PaperOfCode(9), Orientation::Portrait, {});
  sheet.margins = {25, 25, 10, 10};
  const double mm = 96 / 25.4;
  const double areaWidth = (210 - 35) * mm, areaHeight = (297 - 35) * mm;
  const PageGrid grid{3, 2};
  const PagePlacement first = PlacePage(sheet, 1800, 1500, false, grid, 1);
  EXPECT_TRUE(first.clipped);
  EXPECT_NEAR(first.clipX, 25 * mm, 1e-9);
  EXPECT_NEAR(first.clipY, 25 * mm, 1e-9);
  EXPECT_NEAR(first.clipWidth, areaWidth, 1e-9);
  EXPECT_NEAR(first.clipHeight, areaHeight, 1e-9);
  EXPECT_NEAR(first.originX, 25 * mm, 1e-9);
  EXPECT_NEAR(first.originY, 25 * mm, 1e-9);
  EXPECT_EQ(first.scale, 1);
  // Page 5 is the second column of the second row.
  const PagePlacement fifth = PlacePage(sheet, 1800, 1500, false, grid, 5);
  EXPECT_NEAR(fifth.originX, 25 * mm - areaWidth, 1e-9);
  EXPECT_NEAR(fifth.originY, 25 * mm - areaHeight, 1e-9);
}

TEST(PlacePage, OnePageFitsTheChartAndCentresItAcrossTheOtherDirection) {
  PrintSheet sheet = SheetOf(*PaperOfCode(9), Orientation::Landscape, {20, 20, 20, 20});
  const double mm = 96 / 25.4;
  const double areaWidth = (297 - 40) * mm, areaHeight = (210 - 40) * mm;
  // Twice as wide as high: as wide as the print area, centred vertically.
  const PagePlacement wide = PlacePage(sheet, 4000, 2000, true, {}, 1);
  EXPECT_NEAR(wide.scale, areaWidth / 4000, 1e-12);
  EXPECT_NEAR(wide.originX, 20 * mm, 1e-9);
  EXPECT_NEAR(wide.originY, 20 * mm + (areaHeight - 2000 * wide.scale) / 2, 1e-9);
  // A small tall chart is enlarged to the print area's height, centred horizontally.
  const PagePlacement tall = PlacePage(sheet, 100, 400, true, {}, 1);
  EXPECT_NEAR(tall.scale, areaHeight / 400, 1e-12);
  EXPECT_NEAR(tall.originX, 20 * mm + (areaWidth - 100 * tall.scale) / 2, 1e-9);
  EXPECT_NEAR(tall.originY, 20 * mm, 1e-9);
}

TEST(DraggedMargin, WholeMillimetresBetweenTheOffsetAndFifty) {
  const double pixelsPerMm = 2.5;
  EXPECT_EQ(DraggedMargin(30 * 2.5 + 2, pixelsPerMm, 0), 30) << "truncated";
  EXPECT_EQ(DraggedMargin(49 * 2.5 + 1, pixelsPerMm, 0), 50) << "49 becomes 50";
  EXPECT_EQ(DraggedMargin(80 * 2.5, pixelsPerMm, 0), 50);
  EXPECT_EQ(DraggedMargin(-10, pixelsPerMm, 4), 4) << "not beyond the printer's offset";
  EXPECT_EQ(DraggedMargin(2 * 2.5, pixelsPerMm, 4), 4);
}

TEST(PagesToPrint, TheRangeModesOverTheGrid) {
  const PageGrid grid{3, 2};
  using Pages = std::vector<int>;
  EXPECT_EQ(PagesToPrint(PrintRange::All, grid, 4, 1, 1, false), (Pages{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(PagesToPrint(PrintRange::Current, grid, 4, 1, 1, false), (Pages{4}));
  EXPECT_EQ(PagesToPrint(PrintRange::Pages, grid, 1, 2, 4, false), (Pages{2, 3, 4}));
  EXPECT_EQ(PagesToPrint(PrintRange::Pages, grid, 1, 0, 99, false), (Pages{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(PagesToPrint(PrintRange::Pages, grid, 1, 5, 2, false), (Pages{}));
  EXPECT_EQ(PagesToPrint(PrintRange::Pages, grid, 1, 2, 4, true), (Pages{1}));
}

}  // namespace
}  // namespace ravelo
