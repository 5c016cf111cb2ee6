// The relation arcs that join every parent to each of its direct children: a filled triangle with
// its base on the parent and its tip on the child, or a line with one, two or three bends, angled
// ("カギ線") or curved ("曲線"). The Flow chart draws them by its Relation settings; the pieces
// below serve the other charts' forms of the same arcs.
#pragma once

#include <array>
#include <vector>

#include "drawing/render_context.h"

namespace ravelo {

enum RelationArcKind : int {
  kRelationTriangle = 0,
  kRelationOneBendAngled = 1,
  kRelationOneBendCurved = 2,
  kRelationTwoBendsAngled = 3,
  kRelationTwoBendsCurved = 4,
  kRelationThreeBendsAngled = 5,
  kRelationThreeBendsCurved = 6,
};

// The triangle from a (on the parent) to b (on the child) with a base of baseWidth pixels across
// the line at a: the two base corners and the tip, in the order the triangle is drawn.
std::array<Point, 3> RelationTriangle(Point a, Point b, int baseWidth);

// The points of a kind 1..6 arc from p (the upper or the left end) to q, bending at bendPercent of
// the way: 7 points for one or two bends, 10 for three. vertical: the arc leaves and enters the
// nodes through their top and bottom ("上下"), else through their sides ("左右").
std::vector<Point> RelationArcPoints(int kind, Point p, Point q, int bendPercent, bool vertical);

// The triangle filled in FillColor and, unless FrameColor is none, outlined one pixel wide in
// FrameColor and FrameStyle.
void DrawRelationTriangle(RenderContext& context, const RelationArcStyle& style, Point a, Point b);

// The points of a kind 1..6 arc stroked as a polyline (angled kinds) or a poly-Bezier (curved
// kinds) in FrameColor, FrameStyle and Width; nothing without a FrameColor.
void StrokeRelationArc(RenderContext& context, const RelationArcStyle& style, std::vector<Point> points);

// The Flow chart's relation arcs from the title rectangles of the last layout, one per parent and
// direct child, in the chart's Relation style: the triangle along the line between the two nodes'
// positions, the other kinds attached through the sides Connect names and running from the upper
// (top-to-bottom) or left (left-to-right) end.
void DrawRelationArcs(RenderContext& context);

}  // namespace ravelo
