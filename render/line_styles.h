// The 40 line styles and the line renderer that draws every outline in them. A composite style
// (double to sevenfold, shaded, rainbow, patterned, random-colour lines) strokes the figure several
// times over itself, widest first, so that the narrower strokes in a background colour cut the
// wide ones into parallel lines.
#pragma once

#include <span>
#include <string_view>

#include "model/random.h"
#include "model/records.h"
#include "render/surface.h"

namespace ravelo {

constexpr int kLineStyleCount = 40;

// The style's name as the user sees it (UTF-8); empty outside 0..39.
std::string_view LineStyleName(int style);

// What every outline of a chart is drawn with besides the figure itself.
struct FigureContext {
  Surface& surface;
  float zoom;            // the zoom of the chart drawn (or the output scale): widths are document pixels
  RandomSource& random;  // colours of the random-colour styles; callers seed it so redraws match
};

// Draws the figure (figure codes of render/figure.h; points in surface pixels) in the line style,
// width in document pixels. The arc half sizes and reverse serve the arc only: reverse exchanges
// points 1 and 2 of the caller's array, so that the arc runs the other way. A line of no colour only
// fills the figure. Styles outside 0..39 draw as the plain solid line.
void DrawFigure(const FigureContext& context, std::span<Point> points, int figure, Colour fill, Colour line,
                int style, int width, int arcHalfWidth = 0, int arcHalfHeight = 0, bool reverse = false);

// Each channel minus step, clamped to 0..255: a positive step darkens, a negative one lightens.
// Black darkened or white lightened gives RGB(128, 128, 128).
Colour ShadeColour(Colour colour, int step);

}  // namespace ravelo
