#include "charts/relation_arcs.h"

#include <cmath>
#include <initializer_list>
#include <span>

#include "geometry/geometry.h"
#include "render/figure.h"

namespace ravelo {
namespace {

Point At(Point a, Point b, int percent) { return PointAtPercent(a, b, static_cast<float>(percent)); }

}  // namespace

RelationArcPoints RelationArcPointList(int type, Point p, Point q, int bendPercent, RelationBends bends) {
  const bool upDown = bends == RelationBends::UpDown;
  RelationArcPoints line;
  const auto put = [&line](std::initializer_list<Point> points) {
    for (Point point : points) line.points[static_cast<std::size_t>(line.count++)] = point;
  };
  switch (type) {
    case kRelationOneBendLine:
    case kRelationOneBendCurve: {
      const Point t = upDown ? Point{q.X, p.Y} : Point{p.X, q.Y};
      const Point a = At(p, t, bendPercent), k = At(q, t, bendPercent);
      put({p, Midpoint(p, a), a, Midpoint(a, k), k, Midpoint(k, q), q});
      break;
    }
    case kRelationTwoBendLine:
    case kRelationTwoBendCurve: {
      const Point h = At(p, q, bendPercent);
      const Point u = upDown ? Point{p.X, h.Y} : Point{h.X, p.Y};
      const Point v = upDown ? Point{q.X, h.Y} : Point{h.X, q.Y};
      put({p, Midpoint(p, u), u, h, v, Midpoint(v, q), q});
      break;
    }
    case kRelationThreeBendLine:
    case kRelationThreeBendCurve: {
      const Point h = At(q, p, bendPercent);
      const Point m1 = Midpoint(p, h), m2 = Midpoint(q, h);
      const Point u = upDown ? Point{m1.X, p.Y} : Point{p.X, m1.Y};
      const Point x = upDown ? Point{m1.X, m2.Y} : Point{m2.X, m1.Y};
      const Point v = upDown ? Point{q.X, m2.Y} : Point{m2.X, q.Y};
      put({p, Midpoint(p, u), u, m1, Midpoint(m1, x), Midpoint(m2, x), m2, v, Midpoint(q, v), q});
      break;
    }
    default:
      break;
  }
  return line;
}

void DrawRelationTriangle(RenderContext& context, const RelationArcStyle& style, Point a, Point b) {
  const double dx = static_cast<double>(b.X) - a.X, dy = static_cast<double>(b.Y) - a.Y;
  const double length = std::sqrt(dx * dx + dy * dy);
  if (length == 0) return;
  const int base = context.Zoomed(style.Width);
  const int t = TruncToInt(std::floor(dy / length * base / 2));
  const int u = TruncToInt(std::floor(-dx / length * base / 2));
  std::array<Point, 3> triangle{{{a.X - t, a.Y - u}, b, {a.X + t, a.Y + u}}};
  context.surface.DrawPolygon(triangle, kNullPen, Brush::Solid(style.FillColor));
  if (style.FrameColor != kNoColour) {
    DrawFigure(context.Figures(), triangle, kFigureTriangle, kNoColour, style.FrameColor, style.FrameStyle,
               1);
  }
}

void DrawRelationLine(RenderContext& context, const RelationArcStyle& style, Point p, Point q,
                      RelationBends bends) {
  RelationArcPoints line = RelationArcPointList(style.Type, p, q, style.BendPercent, bends);
  if (line.count == 0 || style.FrameColor == kNoColour) return;
  const bool curve = style.Type % 2 == 0;  // the even types 2, 4 and 6
  std::span<Point> points(line.points.data(), static_cast<std::size_t>(line.count));
  DrawFigure(context.Figures(), points, curve ? BezierFigure(line.count) : PolylineFigure(line.count),
             kNoColour, style.FrameColor, style.FrameStyle, style.Width);
}

}  // namespace ravelo
