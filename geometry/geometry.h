// Integer plane geometry shared by the charts, the link arcs and the Box chart view: points are
// canvas pixels with y growing downward, results are integers truncated toward zero, angles are
// radians. The rectangle rules are here too, written once: a Rect excludes its right and bottom
// edges, so rectangles that only touch do not intersect, and an empty rectangle holds nothing.
#pragma once

#include <array>
#include <optional>

#include "model/records.h"

namespace ravelo {

// Every caller relies on these exact values for identical results.
constexpr double kPi = 3.1415926535;
constexpr double kHalfPi = 1.57079632675;
constexpr double kThreeHalvesPi = 4.71238898025;

// Truncation toward zero that stays defined for values no int holds (and gives 0 for NaN).
int TruncToInt(double value);

// --- rectangles ---

constexpr bool IsEmptyRect(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
constexpr bool RectContains(const Rect& r, Point p) {
  return p.X >= r.left && p.X < r.right && p.Y >= r.top && p.Y < r.bottom;
}
// Whether the two share at least one pixel; touching edges share none.
bool RectsIntersect(const Rect& a, const Rect& b);
// The smallest rectangle holding both; an empty one adds nothing, two give the empty (0, 0, 0, 0).
Rect UnionRect(const Rect& a, const Rect& b);
constexpr Rect InflateRect(const Rect& r, int dx, int dy) {
  return {r.left - dx, r.top - dy, r.right + dx, r.bottom + dy};
}
constexpr Rect OffsetRect(const Rect& r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// --- points ---

// The floor of the mean of each coordinate.
Point Midpoint(Point a, Point b);
// The Euclidean distance, truncated.
int Distance(Point a, Point b);
// The point d pixels from a toward b (behind a for a negative d); a itself when a equals b.
Point PointToward(Point a, Point b, int d);
// a + (b - a) * pct / 100 per coordinate, in single precision.
Point PointAtPercent(Point a, Point b, float pct);
// p rotated about the centre by delta. With reflectLeft, a point left of the centre is first
// reflected through it. The radius is truncated first, so the result may lie a pixel nearer.
Point RotatePoint(bool reflectLeft, Point centre, Point p, double delta);
// The point d pixels from the midpoint of a and b, a quarter turn (+pi/2) off the direction a to b.
Point PerpendicularAtMidpoint(Point a, Point b, int d);
// The point d pixels from b, off the line a-b by +pi/2 (plusHalfPi) or 3pi/2.
Point PerpendicularAt(Point a, Point b, int d, bool plusHalfPi);

struct RotatedBounds {
  Point shift;  // what moves the rotated corners into positive coordinates
  int width;
  int height;
};
// Rotates corners 1 to 3 in place about corner 0, the origin, and gives the shift and size of the
// bounding box of all four (the size rounded up generously, by 1.5).
RotatedBounds RotateRectangle(std::array<Point, 4>& corners, double angle);

// p1 when it is strictly nearer to the reference, otherwise p2.
Point NearerPoint(Point reference, Point p1, Point p2);
// The projection of p onto the line through a and b; it may lie outside the segment.
Point FootOfPerpendicular(Point p, Point a, Point b);
// Whether p lies within tolerance + 3 pixels of the segment a-b.
bool NearSegment(int tolerance, Point p, Point a, Point b);
// The crossing of a-b with c-d; none for parallel lines, nor, unless unbounded, when the crossing
// lies outside either segment.
std::optional<Point> IntersectSegments(bool unbounded, Point a, Point b, Point c, Point d);

// The corners of a rectangle from the top-left, clockwise; in mode kClosedOutline the first corner
// again (a closed outline of five points), in any other mode the midpoints of the top, right,
// bottom and left sides (the eight handles of a box).
constexpr int kClosedOutline = 5;
struct RectanglePointList {
  std::array<Point, 8> points;
  int count;
};
RectanglePointList RectanglePoints(const Rect& r, int mode);

// |aq| / |ab| in percent, single precision, not clamped; 1 when a equals b.
int DistanceRatio(Point a, Point b, Point q);
// Where v lies between lo and hi in percent, 0 to 100 (lo may exceed hi); 1 when they are equal.
int PercentAlong(int v, int lo, int hi);
double RadiansToDegrees(double angle);
// The two foci of the axis-aligned ellipse of that width and height around the centre.
std::array<Point, 2> EllipseFoci(Point centre, int width, int height);

}  // namespace ravelo
