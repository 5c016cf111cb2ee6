#include "charts/action/action_drawing.h"

#include <algorithm>
#include <cmath>

#include "arcs/arc_path.h"
#include "drawing/node_drawing.h"
#include "drawing/node_layout.h"
#include "geometry/geometry.h"
#include "model/hierarchy.h"
#include "render/figure.h"

namespace ravelo {
namespace {

// More rings than any hierarchy of the table has levels is a damaged count.
constexpr int kMostRings = kMaxObjects;

void DrawRings(RenderContext& context) {
  const DocumentHeader& header = context.diagram.header;
  const Point centre = context.Zoomed(Point{header.ActCenterX, header.ActCenterY});
  const int sx = context.Zoomed(header.ActRingStepX), sy = context.Zoomed(header.ActRingStepY);
  context.random.Seed(1);  // the random-colour styles repeat on every redraw
  for (int i = 1; i <= std::min(header.ActRingCount, kMostRings); ++i) {
    Point box[] = {{centre.X - i * sx, centre.Y - i * sy}, {centre.X + i * sx, centre.Y + i * sy}};
    DrawFigure(context.Figures(), box, kFigureEllipse, kNoColour, header.CircleColor, header.CircleStyle,
               header.CircleWidth);
  }
}

// The triangle of kind 0: its base, o pixels wide, across the parent's point and its tip on the
// child's.
void DrawRelationTriangle(RenderContext& context, const RelationArcStyle& style, Point tip, Point base) {
  const double dx = tip.X - base.X, dy = tip.Y - base.Y;
  const double m = std::sqrt(dx * dx + dy * dy);
  if (m == 0) return;
  const int o = context.Zoomed(style.Width);
  const int t = static_cast<int>(std::floor(dy / m * o / 2));
  const int u = static_cast<int>(std::floor(-dx / m * o / 2));
  Point corners[] = {{base.X - t, base.Y - u}, tip, {base.X + t, base.Y + u}};
  context.surface.DrawPolygon(corners, kNullPen, Brush::Solid(style.FillColor));
  if (style.FrameColor != kNoColour)
    DrawFigure(context.Figures(), corners, kFigureTriangle, kNoColour, style.FrameColor, style.FrameStyle, 1);
}

void DrawRelations(RenderContext& context) {
  Diagram& diagram = context.diagram;
  const DocumentHeader& header = diagram.header;
  const RelationArcStyle& style = header.Relation[ActionChart];
  const Point centre = context.Zoomed(Point{header.ActCenterX, header.ActCenterY});
  const ChildLists children(diagram);
  for (int parent = 0; parent < diagram.count(); ++parent) {
    if (!IsNode(diagram.object(parent))) continue;
    for (const int child : children.ChildrenOf(diagram.object(parent).Serial)) {
      const ArcEndPoints ends = AttachAlongCentres(diagram, ArcEnds{child, parent});
      if (style.Type == 0) {
        DrawRelationTriangle(context, style, ends.from, ends.to);
        continue;
      }
      RelationPoints line = ActionRelationPoints(style.Type, ends.from, ends.to, centre, style.BendPercent);
      const bool curved = style.Type % 2 == 0;
      DrawFigure(context.Figures(), std::span(line.points, static_cast<std::size_t>(line.count)),
                 curved ? BezierFigure(line.count) : PolylineFigure(line.count), kNoColour, style.FrameColor,
                 style.FrameStyle, style.Width);
    }
  }
}

}  // namespace

RelationPoints ActionRelationPoints(int kind, Point a, Point b, Point o, int bend) {
  const auto at = [bend](Point from, Point to) { return PointAtPercent(from, to, static_cast<float>(bend)); };
  if (kind <= 2) {
    const Point g = FootOfPerpendicular(Midpoint(a, b), o, a);
    const Point l = at(a, g), m = at(b, g);
    return {{a, Midpoint(a, l), l, Midpoint(l, m), m, Midpoint(m, b), b}, 7};
  }
  const Point g = at(a, b);
  if (kind <= 4) {
    const Point i = FootOfPerpendicular(g, o, a);
    const Point j = FootOfPerpendicular(b, i, g);
    return {{a, Midpoint(a, i), i, g, j, Midpoint(j, b), b}, 7};
  }
  const Point m1 = Midpoint(a, g), m2 = Midpoint(b, g);
  const Point lp = PerpendicularAtMidpoint(a, g, Distance(a, b) / 3);
  const Point r1 = PointToward(lp, m1, 2 * Distance(lp, m1));
  const Point r2 = PointToward(lp, m2, 2 * Distance(lp, m2));
  return {{a, Midpoint(a, r1), r1, m1, Midpoint(m1, lp), Midpoint(m2, lp), m2, r2, Midpoint(b, r2), b}, 10};
}

void DrawActionChart(RenderContext& context) {
  Diagram& diagram = context.diagram;
  const DocumentHeader& header = diagram.header;
  if (header.CircleWidth > 0) DrawRings(context);
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i))) LayoutEndNode(context, i);
  }
  const bool arcsShown = header.ShowArcs[ActionChart] != 0 && context.arcs != nullptr;
  if (arcsShown) {
    for (int i = 0; i < diagram.count(); ++i) {
      if (IsLinkArc(diagram.object(i))) context.arcs->Layout(context, i);
    }
  }
  if (header.Relation[ActionChart].Width >= 1) DrawRelations(context);
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i)) || arcsShown) DrawNode(context, i);
  }
}

}  // namespace ravelo
