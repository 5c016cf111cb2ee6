#include "arcs/arc_handles.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "arcs/shape_defaults.h"
#include "geometry/geometry.h"

namespace ravelo {
namespace {

constexpr int kHandleReach = 5;
constexpr int kTestedHandles = 5;
constexpr int kCurveStep = 3;  // an arrow-key step of one unit moves a control point by three
constexpr int kRailLimit = 1000;

bool IsGrabbableArc(const Diagram& diagram, int index) {
  return IsLinkArc(diagram.object(index)) && diagram.state(index).Selected != 0 &&
         diagram.header.ShowArcs[ShownChart(diagram)] != 0;
}

double WrapDegrees(double degrees) {
  const double wrapped = std::fmod(degrees, 360.0);
  return wrapped < 0 ? wrapped + 360.0 : wrapped;
}

double ChordDegrees(const ObjectState& state) {
  const Point first = state.ArcPoints[0];
  const Point last = state.ArcPoints[std::max(0, ArcPointCount(state) - 1)];
  return RadiansToDegrees(std::atan2(static_cast<double>(last.Y) - first.Y, static_cast<double>(last.X) - first.X));
}

int HandleCursor(const DiagramObject& arc, const ObjectState& state, int chart, int handle) {
  const ArcStyle& style = arc.Arc[chart];
  switch (style.ArcType) {
    case kArcVerticalTwoBends:
    case kArcHorizontalBracket:
      return handle == 0 ? kNorthSouthCursor : kDefaultHandleCursor;
    case kArcVerticalBracket:
    case kArcHorizontalTwoBends:
      return handle == 0 ? kWestEastCursor : kDefaultHandleCursor;
    case kArcVerticalThreeBends:
      return handle == 0 ? kNorthSouthCursor : kWestEastCursor;
    case kArcHorizontalThreeBends:
      return handle == 0 ? kWestEastCursor : kNorthSouthCursor;
    case kArcLightning:
    case kArcBreak:
    case kArcHop: {
      double degrees = ChordDegrees(state) + 90;
      if (style.ArcType == kArcHop && handle == 3) degrees += 90;
      if (style.ArcType == kArcBreak && handle >= 3) degrees = RadiansToDegrees(style.Rad) + 90;
      return DirectionCursor(WrapDegrees(degrees));
    }
    default:
      return kDefaultHandleCursor;
  }
}

// The reference points of the arc's ends, or its first and last path points when an end is missing.
ArcEndPoints ReferencePoints(const Diagram& diagram, int arc, int chart) {
  if (const auto centres = ComputeCentres(diagram, arc, chart)) return *centres;
  const ObjectState& state = diagram.state(arc);
  return {state.ArcPoints[0], state.ArcPoints[std::max(0, ArcPointCount(state) - 1)]};
}

// Where a control point is kept from, and how far from it it may lie.
struct ControlFrame {
  Point base;
  int limit;
};
ControlFrame ControlFrameOf(const Diagram& diagram, int arc, int chart) {
  const ArcEndPoints r = ReferencePoints(diagram, arc, chart);
  if (IsRailType(diagram.object(arc).Arc[chart].ArcType)) return {r.from, kRailLimit};
  return {Midpoint(r.from, r.to), Distance(r.from, r.to)};
}

int Unzoomed(int pixels, float zoom) { return TruncToInt(static_cast<double>(pixels) / static_cast<double>(zoom)); }

// Sets a shape value; false when it already held it.
bool SetShape(uint16_t& value, int v) {
  const auto stored = static_cast<uint16_t>(std::clamp(v, 0, 0xFFFF));
  if (value == stored) return false;
  value = stored;
  return true;
}

// The sides of the two bracket types: the coordinate along which the middle segment stands
// (x for type 2, y for type 6), measured from the first path point.
void DragBracket(Diagram& diagram, int arc, int chart, int mouse, int first, int last) {
  DiagramObject& object = diagram.object(arc);
  uint16_t* p = object.Arc[chart].Shape;
  const float zoom = diagram.header.Zoom[chart];
  p[0] = static_cast<uint16_t>(std::clamp(Unzoomed(std::abs(mouse - first), zoom), 0, 100));
  const int side = mouse > first ? 51 : 50;
  const bool between = mouse > std::min(first, last) && mouse < std::max(first, last);
  const bool crossed = (p[1] % 2 == 1) != (side == 51);
  if (between || crossed) {
    std::swap(object.Serial, object.ToSerial);
    p[1] = static_cast<uint16_t>(side);
  }
}

int PathPoint(const ObjectState& state, int i, bool x) {
  const Point p = state.ArcPoints[std::min(i, std::max(0, ArcPointCount(state) - 1))];
  return x ? p.X : p.Y;
}

}  // namespace

int DirectionCursor(double degrees) {
  // Each cursor serves the 45-degree sector around its direction; opposite directions share one.
  const int sector = static_cast<int>(std::floor(WrapDegrees(degrees + 22.5) / 45.0)) % 4;
  constexpr int kBySector[4] = {kWestEastCursor, 0, kNorthSouthCursor, 1};
  return kBySector[sector];
}

ArcHandleHit HitArcHandle(const Diagram& diagram, Point point) {
  const int chart = ShownChart(diagram);
  for (int i = 0; i < diagram.count(); ++i) {
    if (!IsGrabbableArc(diagram, i)) continue;
    const ObjectState& state = diagram.state(i);
    for (int h = 0; h < kTestedHandles && state.ArcHandles[h] != kUnsetPoint; ++h) {
      const Point c = state.ArcHandles[h];
      const Rect box{c.X - kHandleReach, c.Y - kHandleReach, c.X + kHandleReach, c.Y + kHandleReach};
      if (RectContains(box, point)) return {i, h, HandleCursor(diagram.object(i), state, chart, h)};
    }
  }
  return {};
}

bool DragArcHandle(Diagram& diagram, int handle, Point press, Point release,
                   const std::function<void()>& takeSnapshot) {
  const int arc = diagram.header.CurrentObject;
  if (arc < 0 || arc >= diagram.count() || !IsLinkArc(diagram.object(arc))) return false;
  if (std::abs(release.X - press.X) <= 2 && std::abs(release.Y - press.Y) <= 2) return false;
  takeSnapshot();
  const int chart = ShownChart(diagram);
  const float zoom = diagram.header.Zoom[chart];
  DiagramObject& object = diagram.object(arc);
  const ObjectState& state = diagram.state(arc);
  uint16_t* p = object.Arc[chart].Shape;
  const int type = object.Arc[chart].ArcType;
  const Point first = state.ArcPoints[0];
  const Point last = state.ArcPoints[std::max(0, ArcPointCount(state) - 1)];
  const Point handle0 = state.ArcHandles[0];
  const auto percentX = [&](int i) { return PercentAlong(release.X, first.X, PathPoint(state, i, true)); };
  const auto percentY = [&](int i) { return PercentAlong(release.Y, first.Y, PathPoint(state, i, false)); };
  const auto distanceFromHandle0 = [&](int lo, int hi) {
    return std::clamp(Unzoomed(Distance(handle0, release), zoom), lo, hi);
  };
  switch (type) {
    case kArcVerticalBracket:
      DragBracket(diagram, arc, chart, release.X, first.X, last.X);
      break;
    case kArcHorizontalBracket:
      DragBracket(diagram, arc, chart, release.Y, first.Y, last.Y);
      break;
    case kArcVerticalTwoBends:
      p[0] = static_cast<uint16_t>(percentY(3));
      break;
    case kArcVerticalThreeBends:
      if (handle == 0) p[0] = static_cast<uint16_t>(percentY(3));
      if (handle == 1) p[1] = static_cast<uint16_t>(percentX(4));
      break;
    case kArcHorizontalTwoBends:
      p[0] = static_cast<uint16_t>(percentX(3));
      break;
    case kArcHorizontalThreeBends:
      if (handle == 0) p[1] = static_cast<uint16_t>(percentX(4));
      if (handle == 1) p[0] = static_cast<uint16_t>(percentY(4));
      break;
    case kArcLightning:
    case kArcBreak:
    case kArcHop:
      if (handle == 0) {
        p[0] = static_cast<uint16_t>(std::clamp(DistanceRatio(first, last, release), 0, 100));
      } else if (type == kArcLightning) {
        p[1] = static_cast<uint16_t>(distanceFromHandle0(10, 50));
      } else if (type == kArcBreak) {
        if (handle <= 2) p[1] = static_cast<uint16_t>(distanceFromHandle0(3, 50));
        if (handle >= 3) p[2] = static_cast<uint16_t>(distanceFromHandle0(10, 150));
      } else if (handle <= 2) {
        p[1] = static_cast<uint16_t>(distanceFromHandle0(10, 50));
      } else if (IntersectSegments(false, state.ArcHandles[3], release, first, last)) {
        // The side bit flips; a stored 0 (the lower side) has no value below it and becomes 1.
        p[2] = static_cast<uint16_t>(p[2] % 2 == 1 ? p[2] + 1 : p[2] == 0 ? 1 : p[2] - 1);
      }
      break;
    default:
      if (IsCurveType(type) || IsRailType(type)) {
        const ControlFrame frame = ControlFrameOf(diagram, arc, chart);
        StoreControlOffset(diagram, arc, chart, 2 * handle, release, frame.base, frame.limit);
      } else if (IsZigzagType(type)) {
        const Point foot = FootOfPerpendicular(release, state.FromBase, state.ToBase);
        const int along = Distance(state.FromBase, foot);
        if (handle == 0) {
          const int peaks = type <= kArcWave ? 2 : 3;
          p[0] = static_cast<uint16_t>(std::clamp(Unzoomed(along * peaks, zoom), 5, 100));
          p[1] = static_cast<uint16_t>(std::clamp(Unzoomed(Distance(release, foot), zoom), 5, 100));
        } else if (handle == 1) {
          // A flat stretch too short to measure by leaves its length as it was.
          const int h = Unzoomed(Distance(state.FromBase, state.ArcHandles[1]) / 2, zoom);
          if (h != 0) p[2] = static_cast<uint16_t>(std::clamp(along / h, 0, 20));
        }
      }
      break;
  }
  return true;
}

bool NudgeArcHandle(Diagram& diagram, int handle, int dx, int dy) {
  const int arc = diagram.header.CurrentObject;
  if (arc < 0 || arc >= diagram.count() || !IsLinkArc(diagram.object(arc))) return false;
  const int chart = ShownChart(diagram);
  const float zoom = diagram.header.Zoom[chart];
  const auto step = [zoom](int d) {
    const int e = Unzoomed(d, zoom);
    return e == 0 && std::abs(d) == 1 ? d : e;
  };
  int ex = step(dx), ey = step(dy);
  DiagramObject& object = diagram.object(arc);
  const ObjectState& state = diagram.state(arc);
  uint16_t* p = object.Arc[chart].Shape;
  const int type = object.Arc[chart].ArcType;
  const auto percent = [](int v) { return std::clamp(v, 0, 100); };
  const Point first = state.ArcPoints[0];
  // Whether path point i lies before the first point along the axis (above it, or left of it).
  const auto before = [&](int i, bool x) { return PathPoint(state, i, x) < (x ? first.X : first.Y); };
  const auto signedStep = [](int e, bool negate) { return negate ? -e : e; };

  if (IsCurveType(type) || IsRailType(type)) {
    if (handle < 0 || handle > 2) return false;
    if (std::abs(ex) == 1) ex *= kCurveStep;
    if (std::abs(ey) == 1) ey *= kCurveStep;
    const uint16_t before0 = p[2 * handle], before1 = p[2 * handle + 1];
    const ControlFrame frame = ControlFrameOf(diagram, arc, chart);
    const Point moved{frame.base.X + Zoomed(DecodeOffset(p[2 * handle]) + ex, zoom),
                      frame.base.Y + Zoomed(DecodeOffset(p[2 * handle + 1]) + ey, zoom)};
    StoreControlOffset(diagram, arc, chart, 2 * handle, moved, frame.base, frame.limit);
    return p[2 * handle] != before0 || p[2 * handle + 1] != before1;
  }
  if (IsZigzagType(type)) {
    if (handle == 0) {
      const ArcEndPoints r = ReferencePoints(diagram, arc, chart);
      const bool changed0 = SetShape(p[0], std::clamp(p[0] + signedStep(ex, r.from.X >= r.to.X), 5, 100));
      const bool changed1 = SetShape(p[1], std::clamp(p[1] - ey, 5, 100));
      return changed0 || changed1;
    }
    return handle == 1 && SetShape(p[2], std::clamp(p[2] + ex, 0, 20));
  }
  switch (type) {
    case kArcVerticalBracket:
      return SetShape(p[0], percent(p[0] + signedStep(ex, p[1] % 2 == 0)));
    case kArcHorizontalBracket:
      return SetShape(p[0], percent(p[0] + signedStep(ey, p[1] % 2 == 0)));
    case kArcHorizontalTwoBends:
      return ex != 0 && SetShape(p[0], percent(p[0] + signedStep(ex, before(3, true))));
    case kArcVerticalThreeBends:
    case kArcHorizontalThreeBends: {
      const bool changed0 = ey != 0 && SetShape(p[0], percent(p[0] + signedStep(ey, before(4, false))));
      const bool changed1 = ex != 0 && SetShape(p[1], percent(p[1] + signedStep(ex, before(4, true))));
      return changed0 || changed1;
    }
    case kArcVerticalTwoBends:
    case kArcLightning:
    case kArcBreak:
    case kArcHop: {
      const bool changed0 = ey != 0 && SetShape(p[0], percent(p[0] + signedStep(ey, before(3, false))));
      bool changed1 = false;
      if (ex != 0 && type != kArcVerticalTwoBends) {
        const int lo = type == kArcBreak ? 3 : 10;
        changed1 = SetShape(p[1], std::clamp(p[1] + ex, lo, 50));
      }
      return changed0 || changed1;
    }
    default:
      return false;
  }
}

}  // namespace ravelo
