// The Star chart's layout: the root with the most descendants in the middle of the view, its
// children on a circle around it, each child's children on a circle half as large around that
// child, and the other roots on an outer circle; then overlapping nodes are spread apart and every
// node is pulled into the view. The positions are the objects' Star positions (Pos[StarChart]), in
// document units, and belong to the user once made.
//
// Every function here lays nodes out through the context, which must show the Star chart.
#pragma once

#include <cstdint>

#include "drawing/render_context.h"
#include "platform/progress.h"

namespace ravelo {

// The full layout: StarPlace, StarClamp, StarSpread seeded with seed, and StarClamp again. False
// when nothing could be placed (no root with a descendant); every Star position is then (-1, -1).
bool StarLayout(RenderContext& context, uint32_t seed, Progress* progress = nullptr);

// The layout of the chart shown for the first time: StarLayout when no node has a Star position
// yet. True when it laid the chart out.
bool StarAutoLayout(RenderContext& context, uint32_t seed);

// Computes the levels and places the nodes on their circles, then each node still unplaced 100
// units from its first child toward the middle of the view. Nodes without a place keep (-1, -1).
// False when no root has a descendant.
bool StarPlace(Diagram& diagram, Progress* progress = nullptr);

// Moves each node, in table order, off the nodes after it: from its place it tries up to 199 random
// places within 100 units either way, each pulled into the view as StarClamp would pull it, keeping
// the first whose body overlaps no later node's body (the later nodes still where they were), or
// the last one tried.
void StarSpread(RenderContext& context, uint32_t seed);

// Moves each node whose body reaches outside the view back inside it.
void StarClamp(RenderContext& context);

}  // namespace ravelo
