// How a chart is cut into printed pages: the paper sizes by the stored paper codes, the page grid,
// and where each page's part of the chart lands on the paper. Lengths on paper are millimetres;
// the chart is measured in 96-dpi pixels at 100%, as it shows on the screen.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "render/drawing_targets.h"

namespace ravelo {

// One paper size: the stored code (Insatu / PaperSize, the standard printer paper codes), the
// name the print dialog shows, the portrait size in millimetres, and the toolkit's own paper id.
struct Paper {
  int code;
  std::string_view text;
  double widthMm;
  double heightMm;
  int toolkitId;
};

constexpr int kPaperA4 = 9;

std::span<const Paper> Papers();

// The paper of a stored code; none for a code not in the table.
const Paper* PaperOfCode(int code);

// The paper whose toolkit id this is; none when the table has no such paper.
const Paper* PaperOfToolkitId(int toolkitId);

// The name shown for a code: the table's text, "etc." for any other.
std::string_view PaperText(int code);

// Insatu / MarginLmm ... in millimetres.
struct Margins {
  int left = 25;
  int top = 25;
  int right = 10;
  int bottom = 10;
};

enum class Orientation { Portrait = 1, Landscape = 2 };

// The paper as printed: its size turned for landscape, the margins, and the printer's physical
// offsets (millimetres, 0 for a file), which the margins are measured beyond.
struct PrintSheet {
  double widthMm = 210;
  double heightMm = 297;
  Margins margins;
  double offsetXMm = 0;
  double offsetYMm = 0;
};

PrintSheet SheetOf(const Paper& paper, Orientation orientation, Margins margins);

struct PageGrid {
  int across = 1;
  int down = 1;
  int count() const { return across * down; }
};

// Pages across = trunc(chart width / (paper width − left − right margin)) + 1 (so a chart exactly
// as wide as the printable width takes two), likewise down; 1 × 1 with onePage. The chart is
// chartWidth × chartHeight pixels of 96 dpi.
PageGrid ComputePageGrid(const PrintSheet& sheet, int chartWidth, int chartHeight, bool onePage);

// Where page (1 .. grid count) puts the chart on the paper, in the paper's 96-dpi pixels: the
// page's tile (column (page − 1) mod across, row (page − 1) div across, each the size of the print
// area) at the print area's corner, clipped to it; with onePage the whole chart fitted into the
// print area, aspect kept, centred across the other direction.
PagePlacement PlacePage(const PrintSheet& sheet, int chartWidth, int chartHeight, bool onePage, const PageGrid& grid,
                        int page);

// Insatu / Hani: which pages the print command prints.
enum class PrintRange { All = 1, Current = 2, Pages = 3 };

// The pages printed, 1-based: all of the grid, the current page, or from .. to bounded to the grid
// (none when from lies after to); with onePage the single fitted page whatever the range.
std::vector<int> PagesToPrint(PrintRange range, const PageGrid& grid, int current, int from, int to, bool onePage);

// A margin dragged in the print preview: the line's distance from its paper edge in preview pixels,
// at pixelsPerMm preview pixels to the millimetre, as whole millimetres (truncated) between
// lowestMm (the printer's physical offset) and 50; 49 becomes 50.
int DraggedMargin(double distance, double pixelsPerMm, int lowestMm);

// The paper's size in points, for a vector page.
PageSize PaperPoints(const PrintSheet& sheet);

}  // namespace ravelo
