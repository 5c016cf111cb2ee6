// The Flow chart's first layout: the hierarchy as layers, top to bottom or left to right. The
// widest layer is set out side by side; the layers above centre each parent over its children, the
// layers below line children up under their first parent; a node no rule places gets a random
// place on its layer line. Every Flow position is recomputed; afterwards they belong to the user.
#pragma once

#include <cstdint>

#include "drawing/render_context.h"

namespace ravelo {

// In a context drawing the Flow chart: computes the levels, every node's Flow position and then
// fits the view to the content. seed starts the random places (the editor takes it from the
// clock). True when the view size changed (see FitViewToContent).
bool FlowLayout(RenderContext& context, uint32_t seed);

}  // namespace ravelo
