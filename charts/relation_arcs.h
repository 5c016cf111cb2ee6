// The relation arcs of the Star and Flow charts: the figures that join a parent node to each of its
// children, either a triangle whose base sits on the parent and whose tip touches the child, or an
// angled ("カギ線") or curved ("曲線") line with one, two or three bends. The charts choose the attach
// points; these draw between them in the chart's RelationArcStyle.
#pragma once

#include <array>

#include "drawing/render_context.h"

namespace ravelo {

enum RelationArcType : int {
  kRelationTriangle = 0,
  kRelationOneBendLine = 1,
  kRelationOneBendCurve = 2,
  kRelationTwoBendLine = 3,
  kRelationTwoBendCurve = 4,
  kRelationThreeBendLine = 5,
  kRelationThreeBendCurve = 6,
};

// Which way the bends of an angled or curved relation arc run: "上下" leaves and enters the nodes
// through their top and bottom sides, "左右" through their left and right sides.
enum class RelationBends { UpDown, LeftRight };

struct RelationArcPoints {
  std::array<Point, 10> points{};
  int count = 0;  // 7 for one or two bends, 10 for three; 0 for a type outside 1..6
};

// The points of an angled or curved relation arc from p (the upper or left end) to q, with the
// bends at bendPercent of the way.
RelationArcPoints RelationArcPointList(int type, Point p, Point q, int bendPercent, RelationBends bends);

// The triangle from the parent's attach point a to the child's attach point b: filled in FillColor,
// its base Width × zoom wide across a, outlined in FrameColor and FrameStyle one pixel wide.
// Nothing when a and b coincide, where the triangle has no direction.
void DrawRelationTriangle(RenderContext& context, const RelationArcStyle& style, Point a, Point b);

// The relation arc of the style's Type from p (the upper or left end) to q: an angled line (types
// 1, 3, 5) as one polyline, or a curve (types 2, 4, 6) as one poly-Bezier, in FrameColor,
// FrameStyle and Width. Nothing for another type or without FrameColor.
void DrawRelationLine(RenderContext& context, const RelationArcStyle& style, Point p, Point q,
                      RelationBends bends);

}  // namespace ravelo
