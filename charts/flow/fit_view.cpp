#include "charts/flow/fit_view.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "arcs/arc_math.h"
#include "charts/box/box_chart.h"
#include "drawing/node_layout.h"
#include "model/hierarchy.h"

namespace ravelo {
namespace {

constexpr int kLargestView = 5000;

// The rectangles of every node at its position in the chart shown.
void LayOutNodes(RenderContext& context) {
  Diagram& diagram = context.diagram;
  if (context.chart == BoxChart) {
    LayoutBoxChart(context, ChildLists(diagram));
    return;
  }
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i))) LayoutEndNode(context, i);
  }
}

// The position a node's layout in the chart starts from; a box of the Box chart has none of its
// own, its place follows from what it encloses.
Point* PositionOf(Diagram& diagram, int index, int chart) {
  DiagramObject& object = diagram.object(index);
  if (IsLinkArc(object)) return nullptr;
  if (chart == BoxChart && object.IsEndNode == 0) return nullptr;
  return chart == ActionChart ? &object.ActCurrent : &object.Pos[chart];
}

// The start of the content moves to the margin when it lies beyond it, and into the view when it
// lies before its edge.
int64_t ShiftTo(int64_t start, int64_t margin) {
  if (start > margin) return margin - start;
  return start < 0 ? -start : 0;
}

// v × scale in single precision, truncated, kept to what a coordinate holds.
int32_t Scaled(int32_t v, float scale) {
  constexpr float kLimit = 2.0e9f;
  return static_cast<int32_t>(std::clamp(static_cast<float>(v) * scale, -kLimit, kLimit));
}

}  // namespace

bool FitViewToContent(RenderContext& context, const FitMargins& margins) {
  Diagram& diagram = context.diagram;
  LayOutNodes(context);
  int left = INT_MAX, top = INT_MAX, right = 0, bottom = 0;
  bool any = false;
  for (int i = 0; i < diagram.count(); ++i) {
    if (!IsNode(diagram.object(i))) continue;
    const Rect& body = diagram.state(i).BodyRect;
    left = std::min(left, body.left);
    top = std::min(top, body.top);
    right = std::max(right, body.right);
    bottom = std::max(bottom, body.bottom);
    any = true;
  }
  if (!any) return false;
  if (margins.extra) {
    right = Clamp32(int64_t{right} + 200);
    bottom = Clamp32(int64_t{bottom} + 200);
  }
  const int chart = context.chart;
  DocumentHeader& header = diagram.header;
  if (left >= 0 && top >= 0 && right <= context.Zoomed(header.ViewWidth[chart]) &&
      bottom <= context.Zoomed(header.ViewHeight[chart])) {
    return false;
  }

  left = context.Unzoomed(left);
  top = context.Unzoomed(top);
  const int64_t needWidth = int64_t{context.Unzoomed(right)} - left + margins.left + margins.leftExtra;
  const int64_t needHeight = int64_t{context.Unzoomed(bottom)} - top + margins.top + margins.topExtra;
  const int oldWidth = header.ViewWidth[chart], oldHeight = header.ViewHeight[chart];
  const bool tooWide = needWidth > kLargestView, tooHigh = needHeight > kLargestView;
  int& width = header.ViewWidth[chart];
  int& height = header.ViewHeight[chart];
  if (tooWide) {
    width = kLargestView;
  } else if (needWidth > width) {
    width = static_cast<int>(needWidth);
  }
  if (tooHigh) {
    height = kLargestView;
  } else if (needHeight > height) {
    height = static_cast<int>(needHeight);
  }

  const int64_t dx = ShiftTo(left, margins.left + margins.leftExtra);
  const int64_t dy = ShiftTo(top, margins.top + margins.topExtra);
  // Content larger than the largest view is scaled into it.
  const float scaleX = static_cast<float>(width) / static_cast<float>(needWidth + 100);
  const float scaleY = static_cast<float>(height) / static_cast<float>(needHeight + 100);
  for (int i = 0; i < diagram.count(); ++i) {
    Point* position = PositionOf(diagram, i, chart);
    if (position == nullptr) continue;
    position->X = Clamp32(position->X + dx);
    position->Y = Clamp32(position->Y + dy);
    if (tooWide || tooHigh) {
      position->X = Scaled(position->X, scaleX);
      position->Y = Scaled(position->Y, scaleY);
    }
  }
  return width != oldWidth || height != oldHeight;
}

}  // namespace ravelo
