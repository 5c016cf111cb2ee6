// The drawing of the Star chart: every node as a title rectangle at its Star position, the relation
// arcs from each parent node to its children beneath them, and the link arcs when the chart shows
// them.
#pragma once

#include <cstdint>

#include "charts/scene.h"
#include "drawing/render_context.h"

namespace ravelo {

// Lays out every node and link arc, then draws the relation arcs, then every object in table order.
void StarDraw(RenderContext& context);

// The Star chart as the scene draws it: laid out first when no node has a Star position yet, as
// showing the chart does (its spread seeded with seed), then drawn.
ChartDrawing StarChartDrawing(uint32_t seed);

}  // namespace ravelo
