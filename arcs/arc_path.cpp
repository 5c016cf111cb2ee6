#include "arcs/arc_path.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "arcs/arc_math.h"
#include "arcs/arc_types.h"
#include "geometry/geometry.h"

namespace ravelo {
namespace {

constexpr int kMaxHandles = 6;

// The edges of a rectangle in the order they are tested: top, right, bottom, left.
std::array<std::pair<Point, Point>, 4> Edges(const Rect& r) {
  const Point topLeft{r.left, r.top}, topRight{r.right, r.top};
  const Point bottomRight{r.right, r.bottom}, bottomLeft{r.left, r.bottom};
  return {{{topLeft, topRight}, {topRight, bottomRight}, {bottomRight, bottomLeft}, {bottomLeft, topLeft}}};
}

// The crossing of the line a-b with the rectangle's edges that the measure puts nearest; a later
// crossing replaces the kept one only when strictly nearer.
template <typename Measure>
std::optional<Point> NearestCrossing(bool unbounded, Point a, Point b, const Rect& r, Measure measure) {
  std::optional<Point> kept;
  for (const auto& [c, d] : Edges(r)) {
    const std::optional<Point> crossing = IntersectSegments(unbounded, a, b, c, d);
    if (crossing && (!kept || measure(*crossing) < measure(*kept))) kept = crossing;
  }
  return kept;
}

auto NearestTo(Point target) {
  return [target](Point p) { return static_cast<int64_t>(Distance(p, target)); };
}

// Everything the attach operations read about one arc, or about two objects joined by a line.
struct ArcSetting {
  const ArcStyle* style;  // null between two objects without an arc
  ArcEndPoints centres;
  float zoom;
  int viewWidth;  // canvas pixels
  int viewHeight;
  const Rect& fromRect;
  const Rect& toRect;
};

// The reference points of the two end objects in the chart.
ArcEndPoints CentresOf(const Diagram& diagram, ArcEnds ends, int chart) {
  const float zoom = diagram.header.Zoom[chart];
  const auto zoomed = [zoom](Point p) { return Point{Zoomed(p.X, zoom), Zoomed(p.Y, zoom)}; };
  const auto centre = [&](int index) {
    const DiagramObject& o = diagram.object(index);
    switch (chart) {
      case BoxChart: {
        if (o.IsEndNode != 0) return zoomed(o.Pos[BoxChart]);
        const Rect& r = diagram.state(index).ObjectRect;
        return Point{Clamp32((static_cast<int64_t>(r.left) + r.right) / 2),
                     Clamp32((static_cast<int64_t>(r.top) + r.bottom) / 2)};
      }
      case ActionChart:
        return zoomed(o.ActCurrent);
      default:
        return zoomed(o.Pos[chart]);
    }
  };
  return {centre(ends.from), centre(ends.to)};
}

ArcSetting SettingOf(const Diagram& d, ArcEnds ends, const ArcStyle* style) {
  const int chart = ShownChart(d);
  const float zoom = d.header.Zoom[chart];
  return ArcSetting{style,
                    CentresOf(d, ends, chart),
                    zoom,
                    Zoomed(d.header.ViewWidth[chart], zoom),
                    Zoomed(d.header.ViewHeight[chart], zoom),
                    d.state(ends.from).ObjectRect,
                    d.state(ends.to).ObjectRect};
}

std::optional<ArcSetting> SettingOf(const Diagram& d, int arc) {
  const std::optional<ArcEnds> ends = FindArcEnds(d, arc);
  if (!ends) return std::nullopt;
  return SettingOf(d, *ends, &d.object(arc).Arc[ShownChart(d)]);
}

// The segment through the reference point across the whole view in one direction.
std::pair<Point, Point> LineAcrossView(const ArcSetting& s, Point through, LineDirection direction) {
  if (direction == LineDirection::Vertical) return {{through.X, 0}, {through.X, s.viewHeight}};
  return {{0, through.Y}, {s.viewWidth, through.Y}};
}

ArcEndPoints AlongCentres(const ArcSetting& s) {
  const Point rf = s.centres.from, rt = s.centres.to;
  const std::optional<Point> f = NearestCrossing(false, rf, rt, s.fromRect, NearestTo(rt));
  const std::optional<Point> t = NearestCrossing(false, rf, rt, s.toRect, NearestTo(rf));
  if (!f || !t) return s.centres;
  return ArcEndPoints{*f, *t};
}

ArcEndPoints Orthogonal(const ArcSetting& s, LineDirection out, LineDirection in) {
  // The crossing whose coordinate along the line lies closest to the other end's.
  const auto attach = [&](Point through, const Rect& r, LineDirection direction, Point other) {
    const auto [a, b] = LineAcrossView(s, through, direction);
    const bool vertical = direction == LineDirection::Vertical;
    return NearestCrossing(false, a, b, r, [&](Point p) {
      return vertical ? std::llabs(static_cast<int64_t>(p.Y) - other.Y)
                      : std::llabs(static_cast<int64_t>(p.X) - other.X);
    });
  };
  const std::optional<Point> f = attach(s.centres.from, s.fromRect, out, s.centres.to);
  const std::optional<Point> t = attach(s.centres.to, s.toRect, in, s.centres.from);
  if (!f || !t) return s.centres;
  return ArcEndPoints{*f, *t};
}

// The decoded control offset of shape pair (p[pair], p[pair + 1]) in canvas pixels, added to base.
Point ControlPoint(const ArcStyle& style, float zoom, Point base, int pair) {
  const auto offset = [&](int i) { return Zoomed(DecodeOffset(style.Shape[i]), zoom); };
  return Plus(base, {offset(pair), offset(pair + 1)});
}

// What the control points of a curve (the middle of the reference points) or of a wide arc (the
// from reference point) are placed relative to.
Point ControlBase(int type, const ArcEndPoints& centres) {
  return IsRailType(type) ? centres.from : Midpoint(centres.from, centres.to);
}

// The first and last control points of a curve or wide arc.
ArcEndPoints OuterControls(const ArcStyle& style, float zoom, const ArcEndPoints& centres) {
  const int type = style.ArcType;
  const Point base = ControlBase(type, centres);
  const Point first = ControlPoint(style, zoom, base, 0);
  if (type == kArcOneCurve) return {first, first};
  return {first, ControlPoint(style, zoom, base, type == kArcTwoCurves ? 2 : 4)};
}

// Collects the points of a path and closes it with the terminator.
class PathPoints {
 public:
  explicit PathPoints(ObjectState& state) : state_(state) {
    std::fill(std::begin(state.ArcPoints), std::end(state.ArcPoints), kUnsetPoint);
  }
  void Add(Point p) {
    if (count_ < kMaxArcPoints) state_.ArcPoints[count_++] = p;
  }
  void Add(std::initializer_list<Point> points) {
    for (Point p : points) Add(p);
  }
  // Every path has at least its two ends.
  Point Second() const { return state_.ArcPoints[1]; }
  Point SecondToLast() const { return state_.ArcPoints[std::max(0, count_ - 2)]; }

 private:
  ObjectState& state_;
  int count_ = 0;
};

void SetHandles(ObjectState& state, std::initializer_list<Point> handles) {
  int i = 0;
  for (Point h : handles) {
    if (i < kMaxHandles) state.ArcHandles[i++] = h;
  }
}

// The point at pct percent of the way from f to t, in double precision, as the bends and the
// middle of the lightning, break and hop are placed.
Point AtPercent(Point f, Point t, int pct) {
  const double share = pct / 100.0;
  return {Clamp32(f.X + static_cast<int64_t>(TruncToInt(share * (static_cast<double>(t.X) - f.X)))),
          Clamp32(f.Y + static_cast<int64_t>(TruncToInt(share * (static_cast<double>(t.Y) - f.Y))))};
}

int ScalarMid(int a, int b) { return Midpoint({a, 0}, {b, 0}).X; }

// The point at distance r from m in the direction of f, as the lightning and hop find it: the
// point straight above m turned onto the direction of f.
Point TowardOnCircle(bool reflectLeft, Point m, Point f, int r) {
  const double direction =
      std::atan2(static_cast<double>(f.Y) - m.Y, static_cast<double>(f.X) - m.X) + kHalfPi;
  return RotatePoint(reflectLeft, m, {m.X, Clamp32(static_cast<int64_t>(m.Y) - r)}, direction);
}

void LightningPath(PathPoints& path, ObjectState& state, const ArcStyle& style, float zoom, Point f,
                   Point t) {
  const Point m = AtPercent(f, t, style.Shape[0]);
  const Point p = TowardOnCircle(true, m, f, Zoomed(style.Shape[1], zoom));
  const Point z = RotatePoint(true, m, p, style.Rad);
  const Point mirrored = Reflect(m, z);
  path.Add({f, mirrored, z, t});
  SetHandles(state, {m, mirrored, z});
}

void BreakPath(PathPoints& path, ObjectState& state, const ArcStyle& style, float zoom, Point f, Point t) {
  const Point m = AtPercent(f, t, style.Shape[0]);
  const int halfGap = Zoomed(style.Shape[1], zoom);
  const int length = TruncToInt(2.0 * style.Shape[2] * zoom);
  std::array<Point, 4> c{{{0, 0}, {2 * halfGap - 1, 0}, {2 * halfGap - 1, length - 1}, {0, length - 1}}};
  const RotatedBounds bounds = RotateRectangle(c, style.Rad);
  const Point move = Minus(Plus(m, bounds.shift), {bounds.width / 2, bounds.height / 2});
  for (Point& corner : c) corner = Plus(corner, move);
  const Point x1 = IntersectSegments(false, f, t, c[0], c[3]).value_or(Midpoint(c[0], c[1]));
  const Point x2 = IntersectSegments(false, f, t, c[2], c[1]).value_or(Midpoint(c[2], c[3]));
  const Point q1 = NearerPoint(f, x1, x2);
  const Point q2 = NearerPoint(t, x1, x2);
  path.Add({f, q1, q2, t});
  SetHandles(state, {m, q1, q2, Midpoint(c[0], c[1]), Midpoint(c[2], c[3])});
  state.ArcExtraSegments[0] = c[0];
  state.ArcExtraSegments[1] = c[3];
  state.ArcExtraSegments[2] = c[2];
  state.ArcExtraSegments[3] = c[1];
}

void HopPath(PathPoints& path, ObjectState& state, const ArcStyle& style, float zoom, Point f, Point t) {
  const Point m = AtPercent(f, t, style.Shape[0]);
  const Point x1 = TowardOnCircle(false, m, f, Zoomed(style.Shape[1], zoom));
  const Point x2 = Reflect(m, x1);
  const bool hopUp = (style.Shape[2] & 1) != 0;
  const Point apex = RotatePoint(false, m, x1, hopUp ? kHalfPi : -kHalfPi);
  path.Add({f, x1, x2, t});
  SetHandles(state, {m, x1, x2, apex});
  state.ArcExtraSegments[0] = x2;
  state.ArcExtraSegments[1] = apex;
  state.ArcExtraSegments[2] = apex;
  state.ArcExtraSegments[3] = x1;
}

// One cubic segment from a to b whose inner points lie at k of the way to the control point c
// from each end, after the opening point a that the previous segment added.
void AddCubicTo(PathPoints& path, Point a, Point c, Point b, float k) {
  path.Add({Toward(a, c, k), Toward(b, c, k), b});
}

// The poly-Bezier of a curve or wide arc from f to t: each cubic segment's inner points lie at a
// share of the way to its control point, and the segments meet between the controls.
void ControlledPath(PathPoints& path, ObjectState& state, const ArcStyle& style, float zoom,
                    const ArcEndPoints& centres, Point f, Point t) {
  const int type = style.ArcType;
  const float reach = IsRailType(type) ? 0.7f : 0.8f;
  const Point base = ControlBase(type, centres);
  const Point c1 = ControlPoint(style, zoom, base, 0);
  path.Add(f);
  if (type == kArcOneCurve) {
    AddCubicTo(path, f, c1, t, reach);
    SetHandles(state, {c1});
    return;
  }
  const Point c2 = ControlPoint(style, zoom, base, 2);
  if (type == kArcTwoCurves) {
    const Point j = Midpoint(f, t);
    AddCubicTo(path, f, c1, j, reach);
    AddCubicTo(path, j, c2, t, reach);
    SetHandles(state, {c1, c2});
    return;
  }
  const Point c3 = ControlPoint(style, zoom, base, 4);
  // The three curves meet at a third and two thirds of the way; the wide arcs between the controls.
  const Point j = IsRailType(type) ? Midpoint(c1, c2) : Toward(f, t, 0.33f);
  const Point k = IsRailType(type) ? Midpoint(c2, c3) : Toward(f, t, 0.66f);
  AddCubicTo(path, f, c1, j, reach);
  AddCubicTo(path, j, c2, k, reach);
  AddCubicTo(path, k, c3, t, reach);
  SetHandles(state, {c1, c2, c3});
}

}  // namespace

int ShownChart(const Diagram& diagram) {
  const int chart = diagram.header.CurrentChart;
  return chart >= 0 && chart < kChartCount ? chart : BoxChart;
}

int Zoomed(int value, float zoom) { return TruncToInt(static_cast<float>(value) * zoom); }

std::optional<ArcEnds> FindArcEnds(const Diagram& diagram, int arc) {
  const DiagramObject& o = diagram.object(arc);
  if (o.Serial == -1) return std::nullopt;
  const int from = FindBySerial(diagram, o.Serial);
  const int to = FindBySerial(diagram, o.ToSerial);
  if (from < 0 || to < 0) return std::nullopt;
  return ArcEnds{from, to};
}

std::optional<ArcEndPoints> ComputeCentres(const Diagram& diagram, int arc, int chart) {
  const std::optional<ArcEnds> ends = FindArcEnds(diagram, arc);
  if (!ends) return std::nullopt;
  return CentresOf(diagram, *ends, chart);
}

std::optional<ArcEndPoints> AttachAlongCentres(const Diagram& diagram, int arc) {
  const std::optional<ArcSetting> s = SettingOf(diagram, arc);
  if (!s) return std::nullopt;
  return AlongCentres(*s);
}

ArcEndPoints AttachAlongCentres(const Diagram& diagram, ArcEnds ends) {
  return AlongCentres(SettingOf(diagram, ends, nullptr));
}

std::optional<ArcEndPoints> AttachOrthogonal(const Diagram& diagram, int arc, LineDirection out,
                                             LineDirection in) {
  const std::optional<ArcSetting> s = SettingOf(diagram, arc);
  if (!s) return std::nullopt;
  return Orthogonal(*s, out, in);
}

ArcEndPoints AttachOrthogonal(const Diagram& diagram, ArcEnds ends, LineDirection out, LineDirection in) {
  return Orthogonal(SettingOf(diagram, ends, nullptr), out, in);
}

std::optional<ArcEndPoints> AttachBracket(const Diagram& diagram, int arc, LineDirection lines) {
  const std::optional<ArcSetting> s = SettingOf(diagram, arc);
  if (!s) return std::nullopt;
  const bool positiveSide = s->style->Shape[1] % 2 == 1;
  const bool horizontal = lines == LineDirection::Horizontal;
  // Starting from the reference point, the crossing farthest out on the chosen side.
  const auto attach = [&](Point through, const Rect& r) {
    const auto [a, b] = LineAcrossView(*s, through, lines);
    Point kept = through;
    for (const auto& [c, d] : Edges(r)) {
      const std::optional<Point> crossing = IntersectSegments(false, a, b, c, d);
      if (!crossing) continue;
      const int value = horizontal ? crossing->X : crossing->Y;
      const int keptValue = horizontal ? kept.X : kept.Y;
      if (positiveSide ? value > keptValue : value < keptValue) kept = *crossing;
    }
    return kept;
  };
  const Point f = attach(s->centres.from, s->fromRect);
  const Point t = attach(s->centres.to, s->toRect);
  if (f == s->centres.from || t == s->centres.to) return s->centres;
  return ArcEndPoints{f, t};
}

std::optional<ArcEndPoints> AttachToControl(const Diagram& diagram, int arc) {
  const std::optional<ArcSetting> s = SettingOf(diagram, arc);
  if (!s) return std::nullopt;
  const ArcEndPoints controls = OuterControls(*s->style, s->zoom, s->centres);
  // The crossing of the line from a toward the control with the rectangle nearest to the control,
  // tried again on the unbounded line when the segment misses.
  const auto attach = [&](Point a, Point b, const Rect& r, Point control) {
    std::optional<Point> crossing = NearestCrossing(false, a, b, r, NearestTo(control));
    if (!crossing) crossing = NearestCrossing(true, a, b, r, NearestTo(control));
    return crossing;
  };
  const Point f =
      attach(s->centres.from, controls.from, s->fromRect, controls.from).value_or(s->centres.from);
  const Point t = attach(controls.to, s->centres.to, s->toRect, controls.to).value_or(s->centres.to);
  return ArcEndPoints{f, t};
}

std::optional<ArcEndPoints> AttachPoints(const Diagram& diagram, int arc) {
  using enum LineDirection;
  switch (diagram.object(arc).Arc[ShownChart(diagram)].ArcType) {
    case kArcVerticalBracket:
      return AttachBracket(diagram, arc, Horizontal);
    case kArcHorizontalBracket:
      return AttachBracket(diagram, arc, Vertical);
    case kArcVerticalElbow:
    case kArcVerticalThreeBends:
      return AttachOrthogonal(diagram, arc, Vertical, Horizontal);
    case kArcVerticalTwoBends:
      return AttachOrthogonal(diagram, arc, Vertical, Vertical);
    case kArcHorizontalElbow:
    case kArcHorizontalThreeBends:
      return AttachOrthogonal(diagram, arc, Horizontal, Vertical);
    case kArcHorizontalTwoBends:
      return AttachOrthogonal(diagram, arc, Horizontal, Horizontal);
    case kArcOneCurve:
    case kArcTwoCurves:
    case kArcThreeCurves:
    case kArcRail:
    case kArcBand:
    case kArcBeads:
      return AttachToControl(diagram, arc);
    default:
      return AttachAlongCentres(diagram, arc);
  }
}

void ComputeArcPath(Diagram& diagram, int arc, Point f, Point t) {
  ObjectState& state = diagram.state(arc);
  std::fill(std::begin(state.ArcHandles), std::end(state.ArcHandles), kUnsetPoint);
  const int chart = ShownChart(diagram);
  const ArcStyle& style = diagram.object(arc).Arc[chart];
  const int type = style.ArcType;
  if (!IsKnownArcType(type)) return;
  std::fill(std::begin(state.ArcExtraSegments), std::end(state.ArcExtraSegments), kUnsetPoint);
  state.FromBase = f;
  state.ToBase = t;

  const float zoom = diagram.header.Zoom[chart];
  const auto p = [&style](int i) { return static_cast<int>(style.Shape[i]); };
  const bool positiveSide = p(1) % 2 == 1;
  PathPoints path(state);
  switch (type) {
    case kArcVerticalBracket: {
      const int reach = Zoomed(p(0), zoom);
      const int x = std::clamp(Clamp32(static_cast<int64_t>(f.X) + (positiveSide ? reach : -reach)), 0,
                               std::max(0, Zoomed(diagram.header.ViewWidth[chart], zoom)));
      path.Add({f, {x, f.Y}, {x, t.Y}, t});
      SetHandles(state, {{x, ScalarMid(f.Y, t.Y)}});
      break;
    }
    case kArcHorizontalBracket: {
      const int reach = Zoomed(p(0), zoom);
      const int y = std::clamp(Clamp32(static_cast<int64_t>(f.Y) + (positiveSide ? reach : -reach)), 0,
                               std::max(0, Zoomed(diagram.header.ViewHeight[chart], zoom)));
      path.Add({f, {f.X, y}, {t.X, y}, t});
      SetHandles(state, {{ScalarMid(f.X, t.X), y}});
      break;
    }
    case kArcVerticalElbow:
      path.Add({f, {f.X, t.Y}, t});
      break;
    case kArcHorizontalElbow:
      path.Add({f, {t.X, f.Y}, t});
      break;
    case kArcVerticalTwoBends: {
      const int y = AtPercent(f, t, p(0)).Y;
      path.Add({f, {f.X, y}, {t.X, y}, t});
      SetHandles(state, {{ScalarMid(f.X, t.X), y}});
      break;
    }
    case kArcHorizontalTwoBends: {
      const int x = AtPercent(f, t, p(0)).X;
      path.Add({f, {x, f.Y}, {x, t.Y}, t});
      SetHandles(state, {{x, ScalarMid(f.Y, t.Y)}});
      break;
    }
    case kArcVerticalThreeBends: {
      const int y = AtPercent(f, t, p(0)).Y;
      const int x = AtPercent(f, t, p(1)).X;
      path.Add({f, {f.X, y}, {x, y}, {x, t.Y}, t});
      SetHandles(state, {{ScalarMid(f.X, x), y}, {x, ScalarMid(y, t.Y)}});
      break;
    }
    case kArcHorizontalThreeBends: {
      const int y = AtPercent(f, t, p(0)).Y;
      const int x = AtPercent(f, t, p(1)).X;
      path.Add({f, {x, f.Y}, {x, y}, {t.X, y}, t});
      SetHandles(state, {{x, ScalarMid(f.Y, y)}, {ScalarMid(x, t.X), y}});
      break;
    }
    case kArcLightning:
      LightningPath(path, state, style, zoom, f, t);
      break;
    case kArcBreak:
      BreakPath(path, state, style, zoom, f, t);
      break;
    case kArcHop:
      HopPath(path, state, style, zoom, f, t);
      break;
    default:
      if (IsCurveType(type) || IsRailType(type)) {
        const ArcEndPoints centres = ComputeCentres(diagram, arc, chart).value_or(ArcEndPoints{f, t});
        ControlledPath(path, state, style, zoom, centres, f, t);
      } else {
        path.Add({f, t});
      }
  }

  const ArcEnd& fromEnd = style.End[0];
  const ArcEnd& toEnd = style.End[1];
  const Point second = path.Second();
  const Point secondToLast = path.SecondToLast();
  if (type == kArcStraight || IsZigzagType(type) || (type >= 2 && type <= 10)) {
    if (fromEnd.EndStyle == kEndArrow) state.FromBase = EndBasePoint(diagram, arc, 0, f, second);
    if (toEnd.EndStyle == kEndArrow) state.ToBase = EndBasePoint(diagram, arc, 1, t, secondToLast);
  } else if (type == kArcBreak || type == kArcHop) {
    if (fromEnd.EndStyle != kEndNone) state.FromBase = EndBasePoint(diagram, arc, 0, f, second);
    if (toEnd.EndStyle != kEndNone) state.ToBase = EndBasePoint(diagram, arc, 1, t, secondToLast);
  } else {
    const int last = type == kArcOneCurve ? 0 : type == kArcTwoCurves ? 1 : 2;
    state.FromBase = EndBasePoint(diagram, arc, 0, f, state.ArcHandles[0]);
    state.ToBase = EndBasePoint(diagram, arc, 1, t, state.ArcHandles[last]);
  }
}

Point EndBasePoint(const Diagram& diagram, int arc, int end, Point e, Point n) {
  const int chart = ShownChart(diagram);
  const ArcEnd& arcEnd = diagram.object(arc).Arc[chart].End[end];
  const int64_t length = 2 * static_cast<int64_t>(Zoomed(arcEnd.EndLen, diagram.header.Zoom[chart])) + 8;
  const int d = Distance(e, n);
  if (d == 0) return e;
  const double ratio = static_cast<double>(length) / d;
  const auto move = [ratio](int from, int toward) {
    const int64_t gap = static_cast<int64_t>(from) - toward;
    if (from > toward)
      return Clamp32(from - static_cast<int64_t>(TruncToInt(static_cast<double>(gap) * ratio)));
    return Clamp32(from + static_cast<int64_t>(TruncToInt(static_cast<double>(-gap) * ratio)));
  };
  return {move(e.X, n.X), move(e.Y, n.Y)};
}

bool LayoutArcPath(Diagram& diagram, int arc) {
  ObjectState& state = diagram.state(arc);
  const int type = diagram.object(arc).Arc[ShownChart(diagram)].ArcType;
  const std::optional<ArcEndPoints> attach = IsKnownArcType(type) ? AttachPoints(diagram, arc) : std::nullopt;
  if (!attach) {
    ClearArcGeometry(state);
    return false;
  }
  ComputeArcPath(diagram, arc, attach->from, attach->to);
  state.BodyRect = {};
  for (int i = 0; i < ArcPointCount(state); ++i) {
    const Point p = state.ArcPoints[i];
    state.BodyRect = UnionRect(state.BodyRect, InflateRect({p.X, p.Y, p.X, p.Y}, 2, 2));
  }
  return true;
}

void ClearArcGeometry(ObjectState& state) {
  std::fill(std::begin(state.ArcPoints), std::end(state.ArcPoints), kUnsetPoint);
  std::fill(std::begin(state.ArcHandles), std::end(state.ArcHandles), kUnsetPoint);
  std::fill(std::begin(state.ArcExtraSegments), std::end(state.ArcExtraSegments), kUnsetPoint);
  state.FromBase = kUnsetPoint;
  state.ToBase = kUnsetPoint;
  state.ObjectRect = {};
  state.ImageRect = {};
  state.MemoRect = {};
  state.BodyRect = {};
}

int ArcPointCount(const ObjectState& state) {
  int n = 0;
  while (n < kMaxArcPoints && state.ArcPoints[n] != kUnsetPoint) ++n;
  return n;
}

Point ArcTitleAnchor(const Diagram& diagram, int arc) {
  const ObjectState& state = diagram.state(arc);
  const int n = ArcPointCount(state);
  const int chart = ShownChart(diagram);
  const Point offset = diagram.object(arc).Pos[chart];
  if (n == 0) return offset;
  const Point middle = Midpoint(state.ArcPoints[0], state.ArcPoints[n - 1]);
  const float zoom = diagram.header.Zoom[chart];
  return {Clamp32(static_cast<int64_t>(offset.X) + TruncToInt(static_cast<float>(middle.X) / zoom)),
          Clamp32(static_cast<int64_t>(offset.Y) + TruncToInt(static_cast<float>(middle.Y) / zoom))};
}

}  // namespace ravelo
