// The drawing of the Action chart: the rings around the centre, the nodes at their current
// positions, the link arcs and the relation arcs from each child to its parent, bent toward the
// centre of the rings.
#pragma once

#include "drawing/render_context.h"

namespace ravelo {

// ActDraw: rings (when CircleWidth is above 0), node and link-arc layout, relation arcs (when the
// chart's relation Width is at least 1), then every node and, when shown, every link arc.
void DrawActionChart(RenderContext& context);

// The points of a relation arc of kind 1 to 6 from A on the child to B on the parent, bending at
// bend percent toward the centre O: 7 points, or 10 for kinds 5 and 6.
struct RelationPoints {
  Point points[10];
  int count;
};
RelationPoints ActionRelationPoints(int kind, Point a, Point b, Point o, int bend);

}  // namespace ravelo
