#include "arcs/shape_defaults.h"

#include <algorithm>
#include <optional>

#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "geometry/geometry.h"
#include "model/object_defaults.h"

namespace ravelo {
namespace {

constexpr int kControlDistance = 100;  // pixels between a default control and the line of the ends
constexpr int kDefaultLimit = 500;

}  // namespace

void StoreControlOffset(Diagram& diagram, int arc, int chart, int pair, Point p, Point base, int limit) {
  const float zoom = diagram.header.Zoom[chart];
  p.X = std::clamp(p.X, 0, std::max(0, Zoomed(diagram.header.ViewWidth[chart], zoom)));
  p.Y = std::clamp(p.Y, 0, std::max(0, Zoomed(diagram.header.ViewHeight[chart], zoom)));
  if (Distance(base, p) > limit) p = limit == 0 ? base : PointToward(base, p, limit);
  const auto document = [zoom](int from, int to) {
    return TruncToInt((static_cast<double>(to) - from) / static_cast<double>(zoom));
  };
  uint16_t* shape = diagram.object(arc).Arc[chart].Shape;
  shape[pair] = EncodeOffset(document(base.X, p.X));
  shape[pair + 1] = EncodeOffset(document(base.Y, p.Y));
}

void ResetShapeParams(Diagram& diagram, int arc, bool skipWhenUnconnected, int chart) {
  std::optional<ArcEndPoints> centres = ComputeCentres(diagram, arc, chart);
  if (!centres) {
    if (skipWhenUnconnected) return;
    const ObjectState& state = diagram.state(arc);
    const int n = ArcPointCount(state);
    centres = ArcEndPoints{state.ArcPoints[0], state.ArcPoints[std::max(0, n - 1)]};
  }
  ArcStyle& style = diagram.object(arc).Arc[chart];
  WriteDefaultShapeRow(style);
  const Point rf = centres->from, rt = centres->to;
  const Point m = Midpoint(rf, rt);
  const auto store = [&](int pair, Point control, Point base) {
    StoreControlOffset(diagram, arc, chart, pair, control, base, kDefaultLimit);
  };
  switch (style.ArcType) {
    case kArcOneCurve:
      store(0, PerpendicularAtMidpoint(rf, rt, kControlDistance), m);
      break;
    case kArcTwoCurves:
      // Each control stands beside its half of the line; seen from each end, on opposite sides.
      store(0, PerpendicularAtMidpoint(rf, m, kControlDistance), m);
      store(2, PerpendicularAtMidpoint(rt, m, kControlDistance), m);
      break;
    case kArcThreeCurves: {
      const Point p1 = PointAtPercent(rf, rt, 33);
      const Point p2 = PointAtPercent(rt, rf, 33);
      store(0, PerpendicularAtMidpoint(rf, p1, kControlDistance), m);
      store(2, PerpendicularAtMidpoint(rt, rf, kControlDistance), m);
      store(4, PerpendicularAtMidpoint(p2, rt, kControlDistance), m);
      break;
    }
    case kArcRail:
    case kArcBand:
    case kArcBeads: {
      const int h = Distance(rf, rt) / 2;
      store(0, PerpendicularAt(rf, PointAtPercent(rf, rt, 25), h, true), rf);
      store(2, PerpendicularAt(rf, PointAtPercent(rf, rt, 50), h, false), rf);
      store(4, PerpendicularAt(rf, PointAtPercent(rf, rt, 75), h, true), rf);
      break;
    }
    default:
      break;
  }
}

}  // namespace ravelo
