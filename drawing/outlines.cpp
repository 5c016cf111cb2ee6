#include "drawing/outlines.h"

#include <array>

#include "geometry/geometry.h"
#include "drawing/text_layout.h"
#include "model/cp932.h"
#include "render/figure.h"

namespace ravelo {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);

}  // namespace

TextAlign AlignmentOf(int alignment) {
  switch (alignment) {
    case 1:
      return TextAlign::Centre;
    case 2:
      return TextAlign::Right;
    default:
      return TextAlign::Left;
  }
}

void DrawRectFigure(RenderContext& context, const Rect& rect, int corner, Colour fill, Colour line, int style,
                    int width) {
  std::array<Point, 3> points{{{rect.left, rect.top}, {rect.right, rect.bottom}, {corner, corner}}};
  DrawFigure(context.Figures(), points, corner == 0 ? kFigureRectangle : kFigureRoundRect, fill, line, style,
             width);
}

Brush SelectionPattern(bool main) { return Brush::Checker(kWhite, main ? Rgb(0, 0, 128) : Rgb(255, 0, 255)); }

void DrawSelectionMark(RenderContext& context, const Rect& rect, int corner, bool framedOrFilled, bool main) {
  if (framedOrFilled) {
    const Rect halo = InflateRect(rect, 5, 5);
    if (corner == 0) {
      context.surface.DrawRectangle(halo, kNullPen, SelectionPattern(main));
    } else {
      context.surface.DrawRoundRect(halo, corner, corner, kNullPen, SelectionPattern(main));
    }
    return;
  }
  constexpr int kDotted = 2;
  DrawRectFigure(context, rect, corner, kNoColour, main ? Rgb(0, 0, 123) : Rgb(255, 0, 0), kDotted, 2);
}

void DrawColumn(RenderContext& context, Point topRight, std::string_view textCp932) {
  context.surface.DrawText(topRight, Cp932ToUtf8(textCp932));
}

void DrawTextBlock(RenderContext& context, const Rect& rect, std::string_view textCp932, bool vertical,
                   int alignment) {
  if (textCp932.empty()) return;
  Surface& surface = context.surface;
  if (!vertical) {
    surface.DrawTextInRect(rect, Cp932ToUtf8(textCp932),
                           {AlignmentOf(alignment), TextLines::WordBreak, false});
    return;
  }
  // Each line one column, the first at the right edge, the next a line height further left.
  const int lineHeight = surface.TextExtent(Cp932ToUtf8(textCp932)).height;
  int right = rect.right;
  for (std::string_view lineCp932 : SplitLines(textCp932)) {
    const std::string line = Cp932ToUtf8(lineCp932);
    const int length = surface.TextExtent(line).width;
    int top = rect.top;
    if (alignment == 1) top += (rect.bottom - rect.top - length) / 2;
    if (alignment == 2) top = rect.bottom - length;
    surface.DrawText({right, top}, line);
    right -= lineHeight;
  }
}

}  // namespace ravelo
