#include "view/hit_test.h"

#include <cstdlib>

#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "drawing/render_context.h"
#include "geometry/geometry.h"

namespace ravelo {
namespace {

constexpr int kArcEndReach = 8;  // an arc end is hit closer than this
constexpr int kHandleReach = 5;
constexpr int kEdgeReach = 4;
constexpr int kRingReach = 5;

bool NearPoint(Point centre, Point p, int reach) {
  return std::abs(p.X - centre.X) <= reach && std::abs(p.Y - centre.Y) <= reach;
}

Point CentreOf(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool HasImage(const Diagram& diagram, const DiagramObject& object, int chart) {
  return diagram.header.ShowImages[chart] != 0 && object.Image != 0;
}

bool HitArc(const Diagram& diagram, int chart, int index, Point p, HitResult& hit) {
  const DiagramObject& arc = diagram.object(index);
  const ObjectState& state = diagram.state(index);
  if (arc.ShowMemo[chart] != 0 && RectContains(state.MemoRect, p)) {
    hit.OnMemo = true;
    hit.ArcPart = kArcLine;
    return true;
  }
  if (HasImage(diagram, arc, chart) && RectContains(state.ImageRect, p)) {
    hit.OnImage = true;
    hit.ArcPart = kArcLine;
    return true;
  }
  if (RectContains(state.ObjectRect, p)) {
    hit.ArcPart = kArcTitleBox;
    return true;
  }
  const int count = ArcPointCount(state);
  for (int k = 0; k < count; ++k) {
    if (Distance(state.ArcPoints[k], p) < kArcEndReach) {
      hit.ArcPart = k == count - 1 ? kArcToEnd : k == 0 ? kArcFromEnd : kArcLine;
      return true;
    }
  }
  const int type = arc.Arc[chart].ArcType;
  const int tolerance = ZoomedLength(arc.Futosa, diagram.header.Zoom[chart]);
  bool onLine = false;
  if (type == kArcBreak || type == kArcHop) {
    for (int s = 0; s < 2 && !onLine; ++s)
      onLine = NearSegment(tolerance, p, state.ArcExtraSegments[2 * s], state.ArcExtraSegments[2 * s + 1]);
  }
  for (int k = 0; k + 1 < count && !onLine; ++k)
    onLine = NearSegment(tolerance, p, state.ArcPoints[k], state.ArcPoints[k + 1]);
  if (onLine) hit.ArcPart = kArcLine;
  return onLine;
}

bool HitNode(const Diagram& diagram, const ChartRules& rules, int chart, int index, Point p, HitResult& hit) {
  const DiagramObject& node = diagram.object(index);
  const ObjectState& state = diagram.state(index);
  if (RectContains(state.ChildMarkRect, p)) {
    hit.OnChildMark = true;
    return true;
  }
  if (node.ShowMemo[chart] != 0 && RectContains(state.MemoRect, p)) {
    hit.OnMemo = true;
    return true;
  }
  if (HasImage(diagram, node, chart) && RectContains(state.ImageRect, p)) {
    hit.OnImage = true;
    return true;
  }
  const bool box = rules.IsBox(node);
  if (RectContains(state.ObjectRect, p)) {
    const Rect& r = state.ObjectRect;
    const bool byHeight = (box && node.TitlePos % 2 == 1) || node.FontTate[chart] != 0;
    hit.FirstHalf = byHeight ? p.Y < (r.top + r.bottom) / 2 : p.X < (r.left + r.right) / 2;
    return true;
  }
  if (box) {
    for (int side = 0; side < 4; ++side) {
      if (RectContains(state.TitleBands[side], p)) {
        hit.TitleSide = side + 1;
        return true;
      }
    }
  }
  return false;
}

}  // namespace

HitResult HitTestObjects(const Diagram& diagram, const ChartRules& rules, Point canvas) {
  const int chart = DrawnChart(diagram.header);
  const bool arcsShown = diagram.header.ShowArcs[chart] != 0;
  for (int i = diagram.count() - 1; i >= 0; --i) {
    HitResult hit;
    const bool found = IsLinkArc(diagram.object(i)) ? arcsShown && HitArc(diagram, chart, i, canvas, hit)
                                                    : HitNode(diagram, rules, chart, i, canvas, hit);
    if (found) {
      hit.Index = i;
      return hit;
    }
  }
  return {};
}

bool HitHeadline(const Diagram& diagram, const ViewState& view, Point canvas) {
  return diagram.header.Headline[DrawnChart(diagram.header)].Show != 0 && RectContains(view.headlineRect, canvas);
}

bool HitViewRightEdge(const DocumentHeader& header, Point canvas) {
  const int chart = DrawnChart(header);
  const int width = ZoomedLength(header.ViewWidth[chart], header.Zoom[chart]);
  const int height = ZoomedLength(header.ViewHeight[chart], header.Zoom[chart]);
  return std::abs(canvas.X - width) < kEdgeReach && canvas.Y < height;
}

bool HitViewBottomEdge(const DocumentHeader& header, Point canvas) {
  const int chart = DrawnChart(header);
  const int width = ZoomedLength(header.ViewWidth[chart], header.Zoom[chart]);
  const int height = ZoomedLength(header.ViewHeight[chart], header.Zoom[chart]);
  return canvas.X < width && std::abs(canvas.Y - height) < kEdgeReach;
}

BoxHandleHit HitBoxHandle(const Diagram& diagram, const ChartRules& rules, Point canvas, bool outer) {
  for (int i = diagram.count() - 1; i >= 0; --i) {
    const ObjectState& state = diagram.state(i);
    if (state.Selected == 0 || !rules.IsBox(diagram.object(i))) continue;
    const Point* handles = outer ? state.ArcPoints : state.FrameHandles;
    for (int k = 0; k < 8; ++k) {
      if (handles[k] != kUnsetPoint && NearPoint(handles[k], canvas, kHandleReach)) return {i, k};
    }
  }
  return {};
}

int HitImageSizeHandle(const Diagram& diagram, Point canvas) {
  for (int i = diagram.count() - 1; i >= 0; --i) {
    const ObjectState& state = diagram.state(i);
    if (state.Selected == 0 || diagram.object(i).Image == 0) continue;
    const Rect& r = state.ImageRect;
    if (NearPoint({r.right, (r.top + r.bottom) / 2}, canvas, kHandleReach)) return i;
  }
  return -1;
}

Point RingCentre(const Diagram& diagram, int index) {
  const ObjectState& state = diagram.state(index);
  return IsLinkArc(diagram.object(index)) ? state.ArcHandles[0] : CentreOf(state.BodyRect);
}

namespace {

// The main selection when it shows a ring in the chart shown, else -1.
int RingOwner(const Diagram& diagram, const ChartRules& rules) {
  const int main = diagram.header.CurrentObject;
  if (main < 0 || main >= diagram.count()) return -1;
  const DiagramObject& object = diagram.object(main);
  if (!IsLinkArc(object)) return rules.NodesHaveRing() ? main : -1;
  const int chart = DrawnChart(diagram.header);
  const int type = object.Arc[chart].ArcType;
  return diagram.header.ShowArcs[chart] != 0 && (type == kArcLightning || type == kArcBreak) ? main : -1;
}

}  // namespace

bool HitRotationRing(const Diagram& diagram, const ChartRules& rules, Point canvas) {
  const int owner = RingOwner(diagram, rules);
  if (owner < 0) return false;
  const int d = Distance(RingCentre(diagram, owner), canvas);
  return std::abs(d - diagram.object(owner).RoundR) <= kRingReach;
}

bool HitRadiusHandle(const Diagram& diagram, const ChartRules& rules, Point canvas) {
  const int owner = RingOwner(diagram, rules);
  if (owner < 0) return false;
  const Point centre = RingCentre(diagram, owner);
  return NearPoint({centre.X + diagram.object(owner).RoundR, centre.Y}, canvas, kHandleReach);
}

int HitEditBoxHandle(const ViewState& view, Point canvas) {
  if (view.editTarget == ViewState::kEditNone) return -1;
  const RectanglePointList handles = RectanglePoints(InflateRect(view.editRect, 2, 2), 0);
  for (int k = 0; k < handles.count; ++k) {
    if (NearPoint(handles.points[static_cast<std::size_t>(k)], canvas, kHandleReach)) return k;
  }
  return -1;
}

}  // namespace ravelo
