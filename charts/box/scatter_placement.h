// Random placement without overlap: a node is put somewhere around a target point where its body
// meets no end node earlier in the table, trying ever wider areas. Used when nodes that have no
// place yet are spread around their box (minimising, importing).
#pragma once

#include <cstdint>

#include "drawing/render_context.h"

namespace ravelo {

// Tries up to 19 passes; pass p draws up to 100 centres from an area of (factor × width × p) by
// (factor × height × p) canvas pixels centred on target, with the node's BodyRect as its size. The
// first centre whose rectangle meets the BodyRect of no earlier end node, divided by the zoom,
// becomes the node's position in the chart shown; without one the position stays. The random
// generator is seeded with seed first.
void ScatterAround(RenderContext& context, int node, Point target, int factor, uint32_t seed);

}  // namespace ravelo
