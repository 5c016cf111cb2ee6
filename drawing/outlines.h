// The rectangles every element is drawn as, through the figure primitive: plain or with rounded
// corners, and the selection marks around them.
#pragma once

#include <string_view>

#include "drawing/render_context.h"

namespace ravelo {

// A rectangle (corner 0) or a rounded rectangle with a corner ellipse corner × corner, through
// DrawFigure: fill and line colours, line style and width in document pixels.
void DrawRectFigure(RenderContext& context, const Rect& rect, int corner, Colour fill, Colour line, int style,
                    int width);

// The selection mark of a framed or filled element: a halo 5 pixels wide filled with the
// checkerboard of the main or of the other selected objects, drawn before the element covers its
// inner part. An element with neither frame nor fill gets a dotted outline instead.
void DrawSelectionMark(RenderContext& context, const Rect& rect, int corner, bool framedOrFilled, bool main);

// The checkerboards of the selection halos: white with dark blue (main selection) or magenta.
Brush SelectionPattern(bool main);

// A text alignment value of a record: 0 line start, 1 centre, 2 line end (others: line start).
TextAlign AlignmentOf(int alignment);

// The text of a title or memo (cp932) in the current font and text colour, into its text rectangle:
// horizontal lines word-wrapped and aligned 0 left, 1 centred, 2 right; vertical lines as columns
// from the right edge, each starting at the top (0), centred (1) or ending at the bottom (2).
void DrawTextBlock(RenderContext& context, const Rect& rect, std::string_view textCp932, bool vertical,
                   int alignment);

// One vertical column whose right edge and top are the point.
void DrawColumn(RenderContext& context, Point topRight, std::string_view textCp932);

}  // namespace ravelo
