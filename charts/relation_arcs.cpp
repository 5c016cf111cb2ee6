#include "charts/relation_arcs.h"

#include <cmath>
#include <utility>

#include "arcs/arc_math.h"
#include "arcs/arc_path.h"
#include "geometry/geometry.h"
#include "model/hierarchy.h"
#include "render/figure.h"

namespace ravelo {
namespace {

bool IsCurved(int kind) { return kind % 2 == 0; }

}  // namespace

std::array<Point, 3> RelationTriangle(Point a, Point b, int baseWidth) {
  const double dx = static_cast<double>(b.X) - a.X, dy = static_cast<double>(b.Y) - a.Y;
  const double length = std::sqrt(dx * dx + dy * dy);
  // Where the two ends meet there is no direction to set the base across.
  const int t = length > 0 ? static_cast<int>(std::floor(dy / length * baseWidth / 2)) : 0;
  const int u = length > 0 ? static_cast<int>(std::floor(-dx / length * baseWidth / 2)) : 0;
  return {Minus(a, {t, u}), b, Plus(a, {t, u})};
}

std::vector<Point> RelationArcPoints(int kind, Point p, Point q, int bendPercent, bool vertical) {
  const auto at = [bendPercent](Point a, Point b) {
    return PointAtPercent(a, b, static_cast<float>(bendPercent));
  };
  switch (kind) {
    case kRelationOneBendAngled:
    case kRelationOneBendCurved: {
      const Point t = vertical ? Point{q.X, p.Y} : Point{p.X, q.Y};
      const Point a = at(p, t), k = at(q, t);
      return {p, Midpoint(p, a), a, Midpoint(a, k), k, Midpoint(k, q), q};
    }
    case kRelationTwoBendsAngled:
    case kRelationTwoBendsCurved: {
      const Point h = at(p, q);
      const Point u = vertical ? Point{p.X, h.Y} : Point{h.X, p.Y};
      const Point v = vertical ? Point{q.X, h.Y} : Point{h.X, q.Y};
      return {p, Midpoint(p, u), u, h, v, Midpoint(v, q), q};
    }
    default: {
      const Point h = at(q, p);
      const Point m1 = Midpoint(p, h), m2 = Midpoint(q, h);
      const Point u = vertical ? Point{m1.X, p.Y} : Point{p.X, m1.Y};
      const Point x = vertical ? Point{m1.X, m2.Y} : Point{m2.X, m1.Y};
      const Point v = vertical ? Point{q.X, m2.Y} : Point{m2.X, q.Y};
      return {p, Midpoint(p, u), u, m1, Midpoint(m1, x), Midpoint(m2, x), m2, v, Midpoint(q, v), q};
    }
  }
}

void DrawRelationTriangle(RenderContext& context, const RelationArcStyle& style, Point a, Point b) {
  std::array<Point, 3> corners = RelationTriangle(a, b, context.Zoomed(style.Width));
  context.surface.DrawPolygon(corners, kNullPen, Brush::Solid(style.FillColor));
  if (style.FrameColor == kNoColour) return;
  // The outline runs from the last point over the first two back to the last.
  DrawFigure(context.Figures(), corners, kFigureTriangle, kNoColour, style.FrameColor, style.FrameStyle, 1);
}

void StrokeRelationArc(RenderContext& context, const RelationArcStyle& style, std::vector<Point> points) {
  if (style.FrameColor == kNoColour) return;
  const int count = static_cast<int>(points.size());
  const int figure = IsCurved(style.Type) ? BezierFigure(count) : PolylineFigure(count);
  DrawFigure(context.Figures(), points, figure, kNoColour, style.FrameColor, style.FrameStyle, style.Width);
}

void DrawRelationArcs(RenderContext& context) {
  const Diagram& diagram = context.diagram;
  const RelationArcStyle& style = diagram.header.Relation[context.chart];
  if (style.Type < kRelationTriangle || style.Type > kRelationThreeBendsCurved) return;
  const bool topDown = diagram.header.SetDirection != 0;
  const bool vertical = style.Connect != 0;
  const LineDirection sides = vertical ? LineDirection::Vertical : LineDirection::Horizontal;
  const ChildLists children(diagram);
  for (int parent = 0; parent < diagram.count(); ++parent) {
    const DiagramObject& object = diagram.object(parent);
    if (!IsNode(object)) continue;
    for (int child : children.ChildrenOf(object.Serial)) {
      // Random-colour line styles look the same on every redraw.
      context.random.Seed(static_cast<uint32_t>(diagram.object(child).Serial));
      if (style.Type == kRelationTriangle) {
        const ArcEndPoints ends = AttachAlongCentres(diagram, {parent, child});
        DrawRelationTriangle(context, style, ends.from, ends.to);
        continue;
      }
      ArcEndPoints ends = AttachOrthogonal(diagram, {parent, child}, sides, sides);
      const bool swap = topDown ? ends.to.Y < ends.from.Y : ends.to.X < ends.from.X;
      if (swap) std::swap(ends.from, ends.to);
      StrokeRelationArc(context, style,
                        RelationArcPoints(style.Type, ends.from, ends.to, style.BendPercent, vertical));
    }
  }
}

}  // namespace ravelo
