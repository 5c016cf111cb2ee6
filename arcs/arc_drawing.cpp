#include "arcs/arc_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "arcs/arc_math.h"
#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "geometry/geometry.h"
#include "render/figure.h"
#include "render/line_styles.h"

namespace ravelo {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kMarkOutline = Rgb(123, 123, 123);
constexpr Colour kChosenMark = Rgb(0, 123, 0);
constexpr Colour kMainSelectionMark = Rgb(0, 0, 123);
constexpr Colour kOtherSelectionMark = Rgb(255, 0, 0);
constexpr Colour kHandleMark = Rgb(255, 255, 123);
constexpr int kDottedStyle = 2;
constexpr int kDrawnHandles = 5;
constexpr int kToEndPart = 9;
// The quarter turns of the zigzag and wave peaks.
constexpr double kPeakUp = 1.5707963;
constexpr double kPeakDown = 4.7123889;

Rect Around(Point p, int dx, int dy) { return InflateRect({p.X, p.Y, p.X, p.Y}, dx, dy); }

class ArcStrokes {
 public:
  ArcStrokes(Diagram& diagram, int arc, const ArcDrawing& drawing)
      : diagram_(diagram),
        arc_(arc),
        drawing_(drawing),
        chart_(ShownChart(diagram)),
        zoom_(diagram.header.Zoom[chart_]),
        style_(diagram.object(arc).Arc[chart_]),
        state_(diagram.state(arc)),
        figures_{drawing.surface, zoom_, drawing.random} {}

  void Draw() {
    const int n = ArcPointCount(state_);
    if (n < 2 || !IsKnownArcType(style_.ArcType)) return;
    const Point first = state_.ArcPoints[0];
    const Point last = state_.ArcPoints[n - 1];
    const int type = style_.ArcType;
    if (type == kArcBreak || type == kArcHop) {
      DrawBrokenLine(type);
    } else {
      DrawLine(n);
    }
    DrawEnd(0, first, state_.FromBase);
    DrawEnd(1, last, state_.ToBase);
    if (!state_.Selected) return;
    DrawSelectionMarks(first, last);
    const bool rotatable = type == kArcLightning || type == kArcBreak;
    if (rotatable && diagram_.header.CurrentObject == arc_ && drawing_.drawRotationRing) {
      drawing_.drawRotationRing(arc_);
    }
  }

 private:
  void Stroke(std::span<Point> points, int figure) {
    DrawFigure(figures_, points, figure, kNoColour, style_.refArcLine, style_.ArcLineStyle, style_.ArcFutosa);
  }
  void Segment(Point a, Point b) {
    std::array<Point, 2> points{a, b};
    Stroke(points, kFigureSegment);
  }
  void Cubic(Point a, Point c1, Point c2, Point b) {
    std::array<Point, 4> points{a, c1, c2, b};
    Stroke(points, BezierFigure(4));
  }

  // Types 11 and 12: the two outer pieces stop at the base points of any end, then the break lines
  // or the hop between them.
  void DrawBrokenLine(int type) {
    const Point* p = state_.ArcPoints;
    const Point* extra = state_.ArcExtraSegments;
    Segment(style_.End[0].EndStyle != kEndNone ? state_.FromBase : p[0], p[1]);
    Segment(p[2], style_.End[1].EndStyle != kEndNone ? state_.ToBase : p[3]);
    if (type == kArcBreak) {
      Segment(extra[0], extra[1]);
      Segment(extra[2], extra[3]);
      return;
    }
    const int r = Zoomed(style_.Shape[1], zoom_);
    const bool hopUp = (style_.Shape[2] & 1) != 0;
    // The arc figure runs from its point 2 to its point 1.
    std::array<Point, 3> hop{Midpoint(p[1], p[2]), hopUp ? extra[3] : extra[0], hopUp ? extra[0] : extra[3]};
    DrawFigure(figures_, hop, kFigureArc, kNoColour, style_.refArcLine, style_.ArcLineStyle, style_.ArcFutosa,
               r, r);
  }

  void DrawLine(int n) {
    std::array<Point, kMaxArcPoints> drawn;
    std::copy(state_.ArcPoints, state_.ArcPoints + n, drawn.begin());
    const std::span<Point> points(drawn.data(), static_cast<std::size_t>(n));
    if (style_.End[0].EndStyle == kEndArrow) points.front() = state_.FromBase;
    if (style_.End[1].EndStyle == kEndArrow) points.back() = state_.ToBase;
    const int type = style_.ArcType;
    if (IsCurveType(type)) {
      Stroke(points, BezierFigure(n));
    } else if (IsRailType(type)) {
      DrawRailFamily(points);
    } else if (IsZigzagType(type)) {
      DrawZigzagOrWave(points.front(), points.back());
    } else {
      for (std::size_t i = 0; i + 1 < points.size(); ++i) Segment(points[i], points[i + 1]);
    }
  }

  // Types 20 to 22: along each of the three cubic segments, 20 ties, beads or blocks at equal
  // parameter steps.
  void DrawRailFamily(std::span<Point> points) {
    if (points.size() < 10) return;
    const int type = style_.ArcType;
    const int s = Zoomed(style_.ArcFutosa + style_.Haba, zoom_);
    std::array<Point, 2> previous{};
    bool havePrevious = false;
    int blocks = 0;
    const auto block = [&](const std::array<Point, 2>& sides) {
      if (havePrevious) {
        std::array<Point, 4> quad{previous[0], previous[1], sides[1], sides[0]};
        const Colour fill = blocks++ % 2 == 0 ? style_.refArcLine : kWhite;
        DrawFigure(figures_, quad, kFigureQuad, fill, style_.refArcLine, style_.ArcLineStyle,
                   style_.ArcFutosa);
      }
      previous = sides;
      havePrevious = true;
    };
    for (std::size_t segment = 0; segment < 3; ++segment) {
      const std::span<Point> cubic = points.subspan(3 * segment, 4);
      if (type != kArcBand) Stroke(cubic, BezierFigure(4));
      for (int j = 0; j < 20; ++j) {
        const Sample sample = SampleCubic(cubic, static_cast<float>(j) * 0.05f);
        if (type == kArcBand) {
          block(Sides(sample, s));
        } else if (style_.Haba > 0 && type == kArcRail) {
          std::array<Point, 2> tie = Sides(sample, s);
          Stroke(tie, kFigureSegment);
        } else if (style_.Haba > 0) {
          std::array<Point, 2> bead{Point{sample.at.X - s, sample.at.Y - s},
                                    Point{sample.at.X + s, sample.at.Y + s}};
          DrawFigure(figures_, bead, kFigureEllipse, style_.refArcLine, style_.refArcLine,
                     style_.ArcLineStyle, style_.ArcFutosa);
        }
      }
    }
    if (type == kArcBand) block(Sides(SampleCubic(points.subspan(6, 4), 1.0f), s));
  }

  // A curve point with a point 500 pixels back along its tangent, from which the curve's sides are
  // found.
  struct Sample {
    Point at;
    Point behind;
  };

  static Point Lerp(Point a, Point b, float t) { return Toward(a, b, t); }

  // De Casteljau subdivision with every intermediate point truncated; the two second-level points
  // give the tangent.
  static Sample SampleCubic(std::span<const Point> c, float t) {
    const Point a = Lerp(c[0], c[1], t), b = Lerp(c[1], c[2], t), d = Lerp(c[2], c[3], t);
    const Point e = Lerp(a, b, t), f = Lerp(b, d, t);
    return {Lerp(e, f, t), e == f ? f : PointToward(f, e, 500)};
  }

  // The two points s pixels to either side of the curve at the sample, a quarter turn each way from
  // the direction of the tangent; each offset is truncated.
  static std::array<Point, 2> Sides(const Sample& sample, int s) {
    const double tangent = std::atan2(static_cast<double>(sample.at.Y) - sample.behind.Y,
                                      static_cast<double>(sample.at.X) - sample.behind.X);
    const auto side = [&](double turn) {
      return Plus(sample.at,
                  {TruncToInt(std::cos(tangent + turn) * s), TruncToInt(std::sin(tangent + turn) * s)});
    };
    return {side(kHalfPi), side(kThreeHalvesPi)};
  }

  // Types 16 to 19 between f and t: teeth (or wave crests) on alternate sides, the groups of 18 and 19
  // separated by flat stretches; whatever is left when the line is used up runs straight to t.
  void DrawZigzagOrWave(Point f, Point t) {
    const int type = style_.ArcType;
    const bool wave = type == kArcWave || type == kArcWaveGroups;
    const bool groups = type == kArcZigzagGroups || type == kArcWaveGroups;
    const int length = std::max(1, Distance(f, t));
    const int q = groups ? style_.Shape[0] / 3 : style_.Shape[0] / 2;
    const int step = std::max(1, Zoomed(q, zoom_));
    float pstep = static_cast<float>(step) * 100.0f / static_cast<float>(length);
    if (wave && pstep < 1) pstep = 1;
    const int amplitude = Zoomed(style_.Shape[1], zoom_);
    const int64_t passes = static_cast<int64_t>(length / step) * 3 + 3;

    int k = 1;
    // The next point along the line, none once it reaches the length of the line.
    const auto next = [&]() -> std::optional<Point> {
      const float share = static_cast<float>(k++) * pstep / 100.0f;
      const Point p = Toward(f, t, share);
      if (Distance(f, p) >= length) return std::nullopt;
      return p;
    };
    Point last = f;
    bool flatMarked = false;
    for (int64_t r = 0; r < passes; ++r) {
      const std::optional<Point> under = next();
      if (!under) break;
      Point toward = PointToward(*under, f, amplitude);
      if (r == 0 && (toward.X < 0 || toward.Y < 0)) toward = f;
      const Point peak = RotatePoint(false, *under, toward, r % 2 == 0 ? kPeakUp : kPeakDown);
      const Point lift = Minus(peak, *under);
      if (wave) {
        Cubic(last, Midpoint(last, Plus(last, lift)), Midpoint(Plus(last, lift), peak), peak);
      } else {
        Segment(last, peak);
      }
      last = peak;
      if (r == 0) state_.ArcHandles[0] = peak;
      const std::optional<Point> down = next();
      if (!down) break;
      if (wave) {
        const Point raised = Plus(*down, lift);
        Cubic(peak, Midpoint(peak, raised), Midpoint(raised, *down), *down);
      } else {
        Segment(peak, *down);
      }
      last = *down;
      if (groups && r % 2 == 0) {
        k += style_.Shape[2];
        const std::optional<Point> flat = next();
        if (!flat) break;
        Segment(last, *flat);
        last = *flat;
        if (!flatMarked) state_.ArcHandles[1] = *flat;
        flatMarked = true;
      }
    }
    Segment(last, t);
  }

  void DrawEnd(int end, Point tip, Point base) {
    const ArcEnd& e = style_.End[end];
    if (e.EndStyle == kEndArrow) {
      DrawArrowEnd(e, tip, base);
    } else if (e.EndStyle == kEndCircle || e.EndStyle == kEndSquare) {
      DrawBlockEnd(e, tip);
    }
  }

  void DrawArrowEnd(const ArcEnd& e, Point tip, Point base) {
    const double width = Zoomed(e.EndSize, zoom_) + 5;
    const double dx = static_cast<double>(tip.X) - base.X, dy = static_cast<double>(tip.Y) - base.Y;
    const double m = std::sqrt(dx * dx + dy * dy);
    const int t = m == 0 ? 0 : TruncToInt(std::floor(dy / m * width / 2));
    const int u = m == 0 ? 0 : TruncToInt(std::floor(-dx / m * width / 2));
    std::array<Point, 3> triangle{Minus(base, {t, u}), tip, Plus(base, {t, u})};
    if (e.EndMen != kNoColour) {
      drawing_.surface.DrawPolygon(triangle, Pen{e.EndMen, 1, DashStyle::Solid}, Brush::Solid(e.EndMen));
    }
    if (e.EndFutosa > 0) {
      DrawFigure(figures_, triangle, kFigureTriangle, kNoColour, e.EndLine, e.EndLineStyle, e.EndFutosa);
    }
  }

  void DrawBlockEnd(const ArcEnd& e, Point centre) {
    const Rect box = Around(centre, Zoomed(e.EndSize, zoom_) + 3, Zoomed(e.EndLen, zoom_) + 3);
    std::array<Point, 2> corners{Point{box.left, box.top}, Point{box.right, box.bottom}};
    const int figure = e.EndStyle == kEndCircle ? kFigureEllipse : kFigureRectangle;
    if (e.EndMen != kNoColour) {
      StrokeFigure(drawing_.surface, corners, figure, e.EndMen, e.EndMen, DashStyle::Solid, 1, {});
    }
    if (e.EndFutosa > 0)
      DrawFigure(figures_, corners, figure, kNoColour, e.EndLine, e.EndLineStyle, e.EndFutosa);
  }

  void DrawSelectionMarks(Point first, Point last) {
    const int type = style_.ArcType;
    if (IsCurveType(type) || IsRailType(type)) {
      const Colour back = diagram_.header.ViewBackColor[chart_];
      const Colour inverse = Rgb(255 - RedOf(back), 255 - GreenOf(back), 255 - BlueOf(back));
      std::vector<Point> polygon{state_.FromBase};
      for (Point h : state_.ArcHandles) {
        if (h == kUnsetPoint) break;
        polygon.push_back(h);
      }
      polygon.push_back(state_.ToBase);
      for (std::size_t i = 0; i + 1 < polygon.size(); ++i) {
        std::array<Point, 2> side{polygon[i], polygon[i + 1]};
        DrawFigure(figures_, side, kFigureSegment, kNoColour, inverse, kDottedStyle, 1);
      }
    }
    const bool main = diagram_.header.CurrentObject == arc_;
    const Colour endFill = main ? kMainSelectionMark : kOtherSelectionMark;
    Mark(first, 5, drawing_.selectedArcEnd == 0 ? kChosenMark : endFill);
    Mark(last, 5, drawing_.selectedArcEnd == kToEndPart ? kChosenMark : endFill);
    for (int i = 0; i < kDrawnHandles && state_.ArcHandles[i] != kUnsetPoint; ++i) {
      const bool chosen = drawing_.selectedArcEnd == i + 1;
      Mark(state_.ArcHandles[i], chosen ? 5 : 4, chosen ? kChosenMark : kHandleMark);
    }
  }

  void Mark(Point centre, int radius, Colour fill) {
    const Rect box = Around(centre, radius, radius);
    std::array<Point, 2> corners{Point{box.left, box.top}, Point{box.right, box.bottom}};
    StrokeFigure(drawing_.surface, corners, kFigureEllipse, fill, kMarkOutline, DashStyle::Solid, 1, {});
  }

  Diagram& diagram_;
  int arc_;
  const ArcDrawing& drawing_;
  int chart_;
  float zoom_;
  const ArcStyle& style_;
  ObjectState& state_;
  FigureContext figures_;
};

}  // namespace

void DrawArc(Diagram& diagram, int arc, const ArcDrawing& drawing) {
  ArcStrokes(diagram, arc, drawing).Draw();
}

}  // namespace ravelo
