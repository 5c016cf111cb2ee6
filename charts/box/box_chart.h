// The Box chart's objects: a layout pass that fills every ObjectState, end nodes first, then the
// boxes from the innermost level outwards, then the link arcs; then a drawing pass in table order.
#pragma once

#include <vector>

#include "charts/box/box_layout.h"
#include "drawing/render_context.h"
#include "model/hierarchy.h"

namespace ravelo {

// The layout pass: every end node, the boxes and, when the chart shows them, the link arcs; what
// each box's drawing takes over from its layout, by object index.
std::vector<BoxTitleLayout> LayoutBoxChart(RenderContext& context, const ChildLists& children);

void DrawBoxChart(RenderContext& context);

}  // namespace ravelo
