// The default shape of each arc type, written whenever an arc gets a type, and the rule by which a
// control point is kept as a bounded offset from its base point.
#pragma once

#include "model/diagram.h"

namespace ravelo {

// Writes the six shape values of the arc's type in that chart. The curves and wide arcs place their
// controls beside the line between the two ends' reference points; when an end is missing nothing is
// written if skipWhenUnconnected is set, and otherwise the first and last path points of the last
// layout stand in for the reference points.
void ResetShapeParams(Diagram& diagram, int arc, bool skipWhenUnconnected, int chart);

// Stores control point p (canvas pixels) in shape pair (pair, pair + 1) as an offset in document
// units from base: p is first kept inside the chart's view and within limit pixels of base.
void StoreControlOffset(Diagram& diagram, int arc, int chart, int pair, Point p, Point base, int limit);

}  // namespace ravelo
