#include "exchange/arrange_import.h"

#include <algorithm>
#include <vector>

#include "charts/box/box_layout.h"
#include "charts/box/scatter_placement.h"
#include "charts/scene.h"
#include "drawing/node_layout.h"
#include "model/cp932.h"
#include "model/hierarchy.h"
#include "model/levels.h"

namespace ravelo {

namespace {

constexpr int kScatterFactor = 5;

bool IsEndNode(const DiagramObject& object) { return IsNode(object) && object.IsEndNode != 0; }
bool IsParentNode(const DiagramObject& object) { return IsNode(object) && object.IsEndNode == 0; }

// The end nodes inside a box at any depth, in table order.
std::vector<int> EndNodesBelow(const Diagram& diagram, const ChildLists& children, int box) {
  std::vector<int> nodes = children.DescendantsOf(box);
  std::erase_if(nodes, [&](int i) { return !IsEndNode(diagram.object(i)); });
  std::sort(nodes.begin(), nodes.end());
  return nodes;
}

void ScatterInsideBoxes(RenderContext& context, const ChildLists& children, const ArrangeServices& services) {
  Diagram& diagram = context.diagram;
  for (int box = 0; box < diagram.count(); ++box) {
    if (!IsParentNode(diagram.object(box)) || diagram.state(box).Level != 0) continue;
    const Rect body = diagram.state(box).BodyRect;
    Point centre{(body.left + body.right) / 2, (body.top + body.bottom) / 2};
    bool keepFirst = centre.X == 0 && centre.Y == 0;  // a box never laid out
    for (int node : EndNodesBelow(diagram, children, box)) {
      LayoutEndNode(context, node);
      if (keepFirst) {
        centre = context.Zoomed(diagram.object(node).Pos[BoxChart]);
        keepFirst = false;
        continue;
      }
      ScatterAround(context, node, centre, kScatterFactor, static_cast<uint32_t>(services.clock.Now()));
      LayoutEndNode(context, node);  // later nodes keep clear of where this one went
    }
  }
}

void LayoutBoxes(RenderContext& context, const ChildLists& children) {
  Diagram& diagram = context.diagram;
  for (int level = diagram.LevelCount - 1; level >= 0; --level)
    for (int i = 0; i < diagram.count(); ++i)
      if (IsParentNode(diagram.object(i)) && diagram.state(i).Level == level) LayoutBox(context, i, children);
}

// Sets the top-level boxes in rows from (x0, y0), gap pixels apart.
void SetBoxesInRows(RenderContext& context, const ChildLists& children, int x0, int y0, int gap) {
  Diagram& diagram = context.diagram;
  const DocumentHeader& header = diagram.header;
  const int width = context.Zoomed(header.ViewWidth[BoxChart]);
  const int height = context.Zoomed(header.ViewHeight[BoxChart]);
  int x = x0, y = y0, rowBottom = 0;
  for (int box = 0; box < diagram.count(); ++box) {
    if (!IsParentNode(diagram.object(box)) || diagram.state(box).Level != 0) continue;
    const Rect body = diagram.state(box).BodyRect;
    const int w = body.right - body.left;
    const int h = body.bottom - body.top;
    if (x + w > width) {
      y = rowBottom + gap;
      if (y > height) y = y0;  // back to the first row, over what is there
      rowBottom = 0;
      x = x0;
    }
    // A box has no position of its own: its end nodes move.
    const Point shift{context.Unzoomed(x - body.left), context.Unzoomed(y - body.top)};
    for (int node : EndNodesBelow(diagram, children, box)) {
      Point& p = diagram.object(node).Pos[BoxChart];
      p.X += shift.X;
      p.Y += shift.Y;
    }
    x += w + gap;
    rowBottom = std::max(rowBottom, y + h);
  }
}

}  // namespace

void ArrangeImportedBoxes(RenderContext& context, std::string_view baseName, const ArrangeServices& services) {
  Diagram& diagram = context.diagram;
  for (HeadlineStyle& headline : diagram.header.Headline) SetFieldText(headline.Text, baseName, kTitleBytes);
  // Where the headline stands tells where the first row of boxes begins.
  context.view.headlineRect = {};
  if (diagram.header.Headline[BoxChart].Show != 0) DrawHeadline(context);
  ComputeLevels(diagram);
  for (int i = 0; i < diagram.count(); ++i)
    if (IsEndNode(diagram.object(i))) LayoutEndNode(context, i);
  const ChildLists children(diagram);
  ScatterInsideBoxes(context, children, services);
  LayoutBoxes(context, children);
  const int gap = context.Zoomed(100);
  const int x0 = context.Zoomed(50);
  const int y0 = context.view.headlineRect.bottom + gap;
  SetBoxesInRows(context, children, x0, y0, gap);
  if (services.fitViewToContent) services.fitViewToContent(context, x0, y0);
}

}  // namespace ravelo
