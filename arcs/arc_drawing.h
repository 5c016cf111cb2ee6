// Drawing of a link arc's line, ends and selection marks from the geometry its layout left in the
// arc's ObjectState. Every stroke goes through the line renderer in the arc's colour, line style and
// width; the arc's title, memo and picture are drawn by the node drawing.
#pragma once

#include <functional>

#include "model/diagram.h"
#include "model/random.h"
#include "render/surface.h"

namespace ravelo {

struct ArcDrawing {
  Surface& surface;
  // Colours of the random-colour line styles; the caller seeds it with the arc's serial.
  RandomSource& random;
  // The view's selected arc end: 0 the from end, 9 the to end, 1..5 a shape handle (index + 1).
  int selectedArcEnd = -1;
  // Draws the rotation ring of an object around its centre (for an arc, handle 0).
  std::function<void(int index)> drawRotationRing;
};

// Draws the arc in the chart shown as its last layout left it. The zigzags and waves record their
// first peak (handle 0) and the end of their first flat stretch (handle 1) while they are drawn.
void DrawArc(Diagram& diagram, int arc, const ArcDrawing& drawing);

}  // namespace ravelo
