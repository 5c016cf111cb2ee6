// Fitting a chart's view area to its content: the view grows, and the nodes move, so that every
// node lies inside the area with room around it. The Flow chart fits itself after its first
// layout; rotating, mirroring and importing fit the chart shown.
#pragma once

#include "drawing/render_context.h"

namespace ravelo {

struct FitMargins {
  bool extra = false;  // 200 more pixels of content to the right and below
  int left = 0;        // the room kept before the content, document units (mx, my) ...
  int top = 0;
  int leftExtra = 0;  // ... and added to it (ex, ey)
  int topExtra = 0;
};

// Lays the chart shown out at its positions and, when the nodes' bodies do not lie inside the
// view area, grows the view (to at most 5000 units a side) and shifts the nodes' positions in the
// chart so that they begin at the margins; content wider or higher than 5000 units is scaled down
// into the area. True when the view size changed: the caller then sets the scroll area, scrolls
// to the origin and marks the document modified.
bool FitViewToContent(RenderContext& context, const FitMargins& margins);

}  // namespace ravelo
