// The Box chart's objects: a layout pass that fills every ObjectState, end nodes first, then the
// boxes from the innermost level outwards, then the link arcs; then a drawing pass in table order.
#pragma once

#include "drawing/render_context.h"

namespace ravelo {

void DrawBoxChart(RenderContext& context);

}  // namespace ravelo
