#include "charts/star/star_drawing.h"

#include "arcs/arc_path.h"
#include "charts/relation_arcs.h"
#include "charts/star/star_layout.h"
#include "drawing/node_drawing.h"
#include "drawing/node_layout.h"
#include "model/hierarchy.h"

namespace ravelo {
namespace {

// The relation arc from the parent to the child. The angled and curved kinds leave the parent and
// enter the child vertically whatever the chart's Connect; the three-bend kinds run their middle
// part across, so that they leave the parent vertically and reach the child horizontally.
void DrawStarRelationArc(RenderContext& context, const RelationArcStyle& style, int parent, int child) {
  const Diagram& diagram = context.diagram;
  const ArcEnds ends{parent, child};
  if (style.Type == kRelationTriangle) {
    const ArcEndPoints attach = AttachAlongCentres(diagram, ends);
    DrawRelationTriangle(context, style, attach.from, attach.to);
    return;
  }
  const ArcEndPoints attach =
      AttachOrthogonal(diagram, ends, LineDirection::Vertical, LineDirection::Vertical);
  const bool topToBottom = diagram.header.SetDirection == 1;
  const bool fromFirst = topToBottom ? attach.from.Y <= attach.to.Y : attach.from.X <= attach.to.X;
  const Point p = fromFirst ? attach.from : attach.to;
  const Point q = fromFirst ? attach.to : attach.from;
  const bool threeBends = style.Type == kRelationThreeBendsAngled || style.Type == kRelationThreeBendsCurved;
  StrokeRelationArc(context, style, RelationArcPoints(style.Type, p, q, style.BendPercent, !threeBends));
}

}  // namespace

void StarDraw(RenderContext& context) {
  Diagram& diagram = context.diagram;
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i))) LayoutEndNode(context, i);
  }
  if (context.arcs != nullptr) {
    for (int i = 0; i < diagram.count(); ++i) {
      if (IsLinkArc(diagram.object(i))) context.arcs->Layout(context, i);
    }
  }

  const ChildLists children(diagram);
  const RelationArcStyle& style = diagram.header.Relation[StarChart];
  for (int parent = 0; parent < diagram.count(); ++parent) {
    const DiagramObject& object = diagram.object(parent);
    if (IsLinkArc(object)) continue;
    for (int child : children.ChildrenOf(object.Serial)) {
      context.random.Seed(
          static_cast<uint32_t>(diagram.object(child).Serial));  // the same colours on every redraw
      DrawStarRelationArc(context, style, parent, child);
    }
  }

  const bool arcsShown = diagram.header.ShowArcs[StarChart] != 0;
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i)) || arcsShown) DrawNode(context, i);
  }
}

ChartDrawing StarChartDrawing(uint32_t seed) {
  return [seed](RenderContext& context) {
    StarAutoLayout(context, seed);
    StarDraw(context);
  };
}

}  // namespace ravelo
