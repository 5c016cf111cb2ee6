// The geometry of a link arc in the chart shown: which objects it joins, where it leaves and enters
// them, and the path, handles, extra segments and end base points of its type. Everything is in
// canvas pixels of the chart shown (document values times its zoom, truncated) and lands in the
// arc's ObjectState, which drawing, hit testing and shape editing read afterwards.
#pragma once

#include <iterator>
#include <optional>

#include "model/diagram.h"

namespace ravelo {

// The longest path an arc has: the ten points of three cubic segments fit with room to spare.
constexpr int kMaxArcPoints = 15;
static_assert(std::size(ObjectState{}.ArcPoints) == kMaxArcPoints);

// The chart shown; the Box chart when the header's CurrentChart is damaged.
int ShownChart(const Diagram& diagram);
// A document value in canvas pixels: value times zoom in single precision, truncated.
int Zoomed(int value, float zoom);

struct ArcEnds {
  int from;  // object indexes
  int to;
};
// The first non-arc objects with the arc's Serial and ToSerial; none when either is missing or the
// arc's Serial is -1.
std::optional<ArcEnds> FindArcEnds(const Diagram& diagram, int arc);

// A from point and a to point: the reference points of the ends, or where the arc attaches.
struct ArcEndPoints {
  Point from;
  Point to;
};

// The reference points of the arc's two end objects in a chart: in the Box chart an end node's
// position and a parent node's title rectangle centre, in the Action chart the current animated
// position, in the Star and Flow charts the chart's position; none when an end is missing.
std::optional<ArcEndPoints> ComputeCentres(const Diagram& diagram, int arc, int chart);

enum class LineDirection { Horizontal, Vertical };

// The attach operations: each falls back to the reference points when a line misses a rectangle,
// and gives none only when an end object is missing.
// Along the line between the reference points (straight, lightning, break, hop, zigzags, waves).
std::optional<ArcEndPoints> AttachAlongCentres(const Diagram& diagram, int arc);
// Leaving the from object along a line of one direction and entering the to object along one of
// another (the elbows and orthogonal types).
std::optional<ArcEndPoints> AttachOrthogonal(const Diagram& diagram, int arc, LineDirection out,
                                             LineDirection in);
// The same two between any two objects of the chart shown (the relation arcs of parents and their
// children), by their reference points and title rectangles.
ArcEndPoints AttachAlongCentres(const Diagram& diagram, ArcEnds ends);
ArcEndPoints AttachOrthogonal(const Diagram& diagram, ArcEnds ends, LineDirection out, LineDirection in);
// Both ends on the same side of their objects, along horizontal lines (type 2) or vertical ones
// (type 6); the side follows the shape's side flag.
std::optional<ArcEndPoints> AttachBracket(const Diagram& diagram, int arc, LineDirection lines);
// Toward the first and from the last control point (the curves and wide arcs).
std::optional<ArcEndPoints> AttachToControl(const Diagram& diagram, int arc);
// The attach operation of the arc's type.
std::optional<ArcEndPoints> AttachPoints(const Diagram& diagram, int arc);

// Fills ArcPoints (closed by (-1, -1)), ArcHandles, ArcExtraSegments, FromBase and ToBase for the
// path from f to t. The handles and extra segments not used by the type stay (-1, -1), and each base
// point stays its end point unless the type and end style move it. Nothing is computed for a type
// outside 1..22.
void ComputeArcPath(Diagram& diagram, int arc, Point f, Point t);

// The base of an arrow whose tip is e: 2 * zoomed EndLen + 8 pixels from e toward n. e itself when
// the two coincide, where no direction exists.
Point EndBasePoint(const Diagram& diagram, int arc, int end, Point e, Point n);

// Lays out the arc's path in the chart shown: attach points, path, and a BodyRect of the path
// points each inflated by 2. An arc that is not drawn (an end missing, an unknown type) has its
// geometry cleared, so that neither drawing nor hit testing finds a stale one; false then.
bool LayoutArcPath(Diagram& diagram, int arc);

// The arc geometry with no path, handles, extra segments, base points or rectangles.
void ClearArcGeometry(ObjectState& state);

// The number of path points before the terminator (at most 15).
int ArcPointCount(const ObjectState& state);

// The title anchor in document units: the arc middle (the midpoint of the first and last path
// points) divided by the zoom, plus the title offset of the chart shown.
Point ArcTitleAnchor(const Diagram& diagram, int arc);

}  // namespace ravelo
