// The layout of nodes drawn as title rectangles (end nodes in the Box chart, every node in the
// other charts) and of their memos and pictures. The title steps also lay out a link arc's title
// around its anchor. Rectangles go into the object's ObjectState, in canvas pixels.
#pragma once

#include "drawing/render_context.h"

namespace ravelo {

// Whether the chart shown shows pictures and the object has one.
bool ShowsPicture(const RenderContext& context, int index);

// Whether the title is one line with its picture between its two parts: a shown picture set into
// the title, at the title, centred, and a title that is not empty.
bool IsTitleLine(const RenderContext& context, int index);

// Builds the title font, takes the node's position in the chart shown as its anchor (ChartPos) and
// lays out its title, memo and picture.
void LayoutEndNode(RenderContext& context, int index);

// The title steps around an anchor in document units, with the title font already current on the
// surface: ObjectRect (the title frame), BodyRect (the frame grown by half the frame line, with the
// memo and the picture), MemoRect and ImageRect, each empty when not shown. A link arc keeps the
// body of its path and adds this BodyRect to it.
void LayoutTitle(RenderContext& context, int index, Point anchor);

// Places the memo against the object's ObjectRect, offset by its MemoPos of the chart shown, and
// adds the MemoRect to the BodyRect.
void LayoutMemo(RenderContext& context, int index);

}  // namespace ravelo
