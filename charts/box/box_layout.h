// The layout of a parent node in the Box chart as a box around all its descendants, with a title
// band on one of its four sides.
#pragma once

#include "drawing/render_context.h"
#include "model/hierarchy.h"

namespace ravelo {

// What the drawing of a box takes over from its layout.
struct BoxTitleLayout {
  bool laidOut = false;  // false: the box had nothing to enclose and kept its earlier rectangles
  Point anchor{};        // with a shown picture, the title's anchor in canvas pixels
};

// Fills BoxFrameRect, BoxOuterRect, TitleBands, ObjectRect (the title band), BodyRect, ChartPos
// and, with a shown picture or memo, ImageRect and MemoRect. A box without descendants keeps the
// rectangles of its previous layout.
BoxTitleLayout LayoutBox(RenderContext& context, int index, const ChildLists& children);

}  // namespace ravelo
