#include "arcs/arc_painter.h"

#include "arcs/arc_drawing.h"
#include "arcs/arc_path.h"
#include "geometry/geometry.h"
#include "drawing/node_drawing.h"
#include "drawing/node_layout.h"
#include "drawing/text_layout.h"

namespace ravelo {

void LayoutArc(RenderContext& context, int arc) {
  Diagram& diagram = context.diagram;
  if (!LayoutArcPath(diagram, arc)) return;
  ObjectState& state = diagram.state(arc);
  const Rect path = state.BodyRect;
  const Point anchor = ArcTitleAnchor(diagram, arc);
  state.ChartPos = anchor;
  const DiagramObject& object = diagram.object(arc);
  context.surface.SetFont(TitleFont(context, object, object.FontTate[context.chart] != 0));
  LayoutTitle(context, arc, anchor);
  state.BodyRect = UnionRect(path, state.BodyRect);
}

void LinkArcPainter::Layout(RenderContext& context, int index) { LayoutArc(context, index); }

bool LinkArcPainter::DrawLine(RenderContext& context, int index) {
  if (ArcPointCount(context.diagram.state(index)) == 0) return false;
  const ArcDrawing drawing{context.surface, context.random, context.view.selectedArcEnd,
                           [&context](int arc) { DrawRotationRing(context, arc); }};
  DrawArc(context.diagram, index, drawing);
  return true;
}

}  // namespace ravelo
