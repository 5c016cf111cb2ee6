#include "output/page_layout.h"

#include <algorithm>
#include <cmath>

namespace ravelo {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kScreenDpi = 96;

constexpr double Inches(double inches) { return inches * kMmPerInch; }

// Toolkit ids are the values of wxPaperSize; app/ checks the common ones against the toolkit.
constexpr Paper kPapers[] = {
    {1, "Letter, 81/2x11inch", Inches(8.5), Inches(11), 1},
    {2, "LetterSmall, 81/2x11inch", Inches(8.5), Inches(11), 7},
    {3, "Tabloid, 11x17inch", Inches(11), Inches(17), 8},
    {4, "Ledger, 17x11inch", Inches(17), Inches(11), 9},
    {5, "Legal, 81/2x14inch", Inches(8.5), Inches(14), 2},
    {6, "Statement, 51/2x81/2inch", Inches(5.5), Inches(8.5), 10},
    {7, "Executive, 71/4x101/2inch", Inches(7.25), Inches(10.5), 11},
    {8, "A3Sheet, 297x420mm", 297, 420, 12},
    {9, "A4Sheet, 210x297mm", 210, 297, 3},
    {10, "A4smallSheet, 210x297mm", 210, 297, 13},
    {11, "A5Sheet, 148x210mm", 148, 210, 14},
    {12, "B4Sheet, 250x354mm", 250, 354, 15},
    {13, "B5Sheet, 182x257mm", 182, 257, 16},
    {14, "Folio, 81/2x13inch", Inches(8.5), Inches(13), 17},
    {15, "Quarto, 215x275mm", 215, 275, 18},
    {16, "10x14inchSheet", Inches(10), Inches(14), 19},
    {17, "11x17inchSheet", Inches(11), Inches(17), 20},
    {18, "Note, 81/2x11inch", Inches(8.5), Inches(11), 21},
    {19, "#9Envelope, 37/8x87/8inch", Inches(3.875), Inches(8.875), 22},
    {20, "#10Envelope, 41/8x91/2inch", Inches(4.125), Inches(9.5), 23},
    {21, "#11Envelope, 41/2x103/8inch", Inches(4.5), Inches(10.375), 24},
    {22, "#12Envelope, 43/4x11inch", Inches(4.75), Inches(11), 25},
    {23, "#14Envelope, 5x111/2inch", Inches(5), Inches(11.5), 26},
    {24, "CSheet, 17x22inch", Inches(17), Inches(22), 4},
    {25, "DSheet, 22x34inch", Inches(22), Inches(34), 5},
    {26, "ESheet, 34x44inch", Inches(34), Inches(44), 6},
    {27, "DLEnvelope, 110x220mm", 110, 220, 27},
    {28, "C5Envelope, 162x229mm", 162, 229, 28},
    {29, "C3Envelope, 324x458mm", 324, 458, 29},
    {30, "C4Envelope, 229x324mm", 229, 324, 30},
    {31, "C6Envelope, 114x162mm", 114, 162, 31},
    {32, "C65Envelope, 114x229mm", 114, 229, 32},
    {33, "B4Envelope, 250x353mm", 250, 353, 33},
    {34, "B5Envelope, 176x250mm", 176, 250, 34},
    {35, "B6Envelope, 176x125mm", 176, 125, 35},
    {36, "ItalyEnvelope, 110x230mm", 110, 230, 36},
    {37, "MonarchEnvelope, 37/8x71/2inch", Inches(3.875), Inches(7.5), 37},
    {38, "63/4Envelope, 35/8x61/2inch", Inches(3.625), Inches(6.5), 38},
    {39, "USStdFanfold, 147/8x11inch", Inches(14.875), Inches(11), 39},
    {40, "GermanStdFanfold, 81/2x12inch", Inches(8.5), Inches(12), 40},
    {41, "GermanLegalFanfold, 81/2x13inch", Inches(8.5), Inches(13), 41},
};

double MmToPixels(double mm) { return mm / kMmPerInch * kScreenDpi; }

}  // namespace

std::span<const Paper> Papers() { return kPapers; }

const Paper* PaperOfCode(int code) {
  const auto* found =
      std::find_if(std::begin(kPapers), std::end(kPapers), [&](const Paper& p) { return p.code == code; });
  return found == std::end(kPapers) ? nullptr : found;
}

const Paper* PaperOfToolkitId(int toolkitId) {
  const auto* found =
      std::find_if(std::begin(kPapers), std::end(kPapers), [&](const Paper& p) { return p.toolkitId == toolkitId; });
  return found == std::end(kPapers) ? nullptr : found;
}

std::string_view PaperText(int code) {
  const Paper* paper = PaperOfCode(code);
  return paper == nullptr ? "etc." : paper->text;
}

PrintSheet SheetOf(const Paper& paper, Orientation orientation, Margins margins) {
  PrintSheet sheet;
  const bool turned = orientation == Orientation::Landscape;
  sheet.widthMm = turned ? paper.heightMm : paper.widthMm;
  sheet.heightMm = turned ? paper.widthMm : paper.heightMm;
  sheet.margins = margins;
  return sheet;
}

PageGrid ComputePageGrid(const PrintSheet& sheet, int chartWidth, int chartHeight, bool onePage) {
  if (onePage) return {};
  const double chartWidthMm = chartWidth * kMmPerInch / kScreenDpi;
  const double chartHeightMm = chartHeight * kMmPerInch / kScreenDpi;
  const double printableWidth = sheet.widthMm - sheet.margins.left - sheet.margins.right;
  const double printableHeight = sheet.heightMm - sheet.margins.top - sheet.margins.bottom;
  // A sheet whose margins leave nothing prints everything on one page rather than dividing by zero.
  if (printableWidth <= 0 || printableHeight <= 0) return {};
  return {static_cast<int>(chartWidthMm / printableWidth) + 1, static_cast<int>(chartHeightMm / printableHeight) + 1};
}

PagePlacement PlacePage(const PrintSheet& sheet, int chartWidth, int chartHeight, bool onePage, const PageGrid& grid,
                        int page) {
  const double left = MmToPixels(sheet.margins.left + sheet.offsetXMm);
  const double top = MmToPixels(sheet.margins.top + sheet.offsetYMm);
  const double width =
      std::max(0.0, MmToPixels(sheet.widthMm) - left - MmToPixels(sheet.margins.right + sheet.offsetXMm));
  const double height =
      std::max(0.0, MmToPixels(sheet.heightMm) - top - MmToPixels(sheet.margins.bottom + sheet.offsetYMm));
  PagePlacement placement;
  placement.clipped = true;
  placement.clipX = left;
  placement.clipY = top;
  placement.clipWidth = width;
  placement.clipHeight = height;
  if (onePage) {
    if (chartWidth < 1 || chartHeight < 1) return placement;
    placement.scale = std::min(width / chartWidth, height / chartHeight);
    placement.originX = left + (width - chartWidth * placement.scale) / 2;
    placement.originY = top + (height - chartHeight * placement.scale) / 2;
    return placement;
  }
  const int index = std::clamp(page, 1, grid.count()) - 1;
  placement.originX = left - (index % grid.across) * width;
  placement.originY = top - (index / grid.across) * height;
  return placement;
}

std::vector<int> PagesToPrint(PrintRange range, const PageGrid& grid, int current, int from, int to, bool onePage) {
  if (onePage) return {1};
  int first = 1, last = grid.count();
  if (range == PrintRange::Current) first = last = std::clamp(current, 1, grid.count());
  if (range == PrintRange::Pages) {
    first = std::max(from, 1);
    last = std::min(to, grid.count());
  }
  std::vector<int> pages;
  for (int page = first; page <= last; ++page) pages.push_back(page);
  return pages;
}

int DraggedMargin(double distance, double pixelsPerMm, int lowestMm) {
  constexpr int kLargestMargin = 50;
  if (!(pixelsPerMm > 0)) return lowestMm;
  const int margin = std::clamp(static_cast<int>(distance / pixelsPerMm), lowestMm, kLargestMargin);
  return margin == kLargestMargin - 1 ? kLargestMargin : margin;
}

PageSize PaperPoints(const PrintSheet& sheet) {
  return {sheet.widthMm / kMmPerInch * 72, sheet.heightMm / kMmPerInch * 72};
}

}  // namespace ravelo
