// Editing a link arc's shape through its handles in the chart shown: finding the handle under a
// point, turning a handle dragged to a release point back into the arc's shape values, and moving
// the chosen handle by an arrow-key step. Points are canvas pixels of the chart shown.
#pragma once

#include <functional>

#include "model/diagram.h"

namespace ravelo {

// The cursor a handle asks for, numbered as the eight handles of a rectangle are (0 and 2 the
// north-west/south-east sizing cursor, 1 and 3 north-east/south-west, 4 and 6 north/south, 5 and 7
// west/east); kDefaultHandleCursor for the ordinary arrow.
constexpr int kDefaultHandleCursor = -1;
constexpr int kNorthSouthCursor = 4;
constexpr int kWestEastCursor = 5;

struct ArcHandleHit {
  int arc = -1;     // the selected link arc whose handle is under the point; -1 for none
  int handle = -1;  // 0-based handle index
  int cursor = kDefaultHandleCursor;
};

// Scans the selected link arcs in table order for a handle (at most the first five) within 5
// pixels of the point; the first hit wins. Arcs are skipped in a chart that hides them.
ArcHandleHit HitArcHandle(const Diagram& diagram, Point point);

// The sizing cursor (0..7 as above) for a direction in degrees, 0 along +x, y growing downward.
int DirectionCursor(double degrees);

// Applies a drag of handle `handle` of the main link arc (CurrentObject) from press to release:
// nothing happens when there is no main link arc or the release lies within 2 pixels of the press
// in both directions; otherwise takeSnapshot runs first and the arc's shape in the chart shown is
// changed by its type (the bracket types may exchange the arc's ends). True when it ran.
bool DragArcHandle(Diagram& diagram, int handle, Point press, Point release, const std::function<void()>& takeSnapshot);

// Moves handle `handle` of the main link arc by an arrow-key step of dx, dy view pixels (10, or 1
// with Ctrl). True when a shape value changed.
bool NudgeArcHandle(Diagram& diagram, int handle, int dx, int dy);

}  // namespace ravelo
