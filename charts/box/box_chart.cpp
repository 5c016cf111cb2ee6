#include "charts/box/box_chart.h"

#include <vector>

#include "charts/box/box_drawing.h"
#include "charts/box/box_layout.h"
#include "drawing/node_drawing.h"
#include "drawing/node_layout.h"
#include "model/hierarchy.h"

namespace ravelo {

namespace {

bool ArcsShown(const RenderContext& context) {
  return context.diagram.header.ShowArcs[context.chart] != 0 && context.arcs != nullptr;
}

}  // namespace

std::vector<BoxTitleLayout> LayoutBoxChart(RenderContext& context, const ChildLists& children) {
  Diagram& diagram = context.diagram;
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& object = diagram.object(i);
    if (IsNode(object) && object.IsEndNode != 0) LayoutEndNode(context, i);
  }
  // Boxes from the innermost level outwards, twice, so that a box around boxes of another level,
  // or around another parent's box, sees their final rectangles.
  std::vector<BoxTitleLayout> boxes(static_cast<std::size_t>(diagram.count()));
  for (int pass = 0; pass < 2; ++pass) {
    for (int level = diagram.LevelCount - 1; level >= 0; --level) {
      for (int i = 0; i < diagram.count(); ++i) {
        const DiagramObject& object = diagram.object(i);
        if (IsNode(object) && object.IsEndNode == 0 && diagram.state(i).Level == level) {
          boxes[static_cast<std::size_t>(i)] = LayoutBox(context, i, children);
        }
      }
    }
  }
  if (ArcsShown(context)) {
    for (int i = 0; i < diagram.count(); ++i) {
      if (IsLinkArc(diagram.object(i))) context.arcs->Layout(context, i);
    }
  }
  return boxes;
}

void DrawBoxChart(RenderContext& context) {
  Diagram& diagram = context.diagram;
  const ChildLists children(diagram);
  const bool arcsShown = ArcsShown(context);
  const std::vector<BoxTitleLayout> boxes = LayoutBoxChart(context, children);

  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& object = diagram.object(i);
    if (IsLinkArc(object)) {
      if (arcsShown) DrawNode(context, i);
    } else if (object.IsEndNode == 0) {
      DrawBox(context, i, children, boxes[static_cast<std::size_t>(i)]);
    } else {
      DrawNode(context, i);
    }
  }
}

}  // namespace ravelo
