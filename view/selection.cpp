#include "view/selection.h"

#include <algorithm>

#include "drawing/render_context.h"
#include "geometry/geometry.h"
#include "model/hierarchy.h"

namespace ravelo {
namespace {

constexpr int kSmallestBand = 10;

bool Valid(const Diagram& diagram, int index) { return index >= 0 && index < diagram.count(); }

void Select(Diagram& diagram, int index) { diagram.state(index).Selected = 1; }

bool RectInside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Matches(const DiagramObject& object, SelectKind kind) {
  switch (kind) {
    case SelectKind::LinkArcs:
      return IsLinkArc(object);
    case SelectKind::ParentNodes:
      return IsNode(object) && object.IsEndNode == 0;
    case SelectKind::EndNodes:
      return IsNode(object) && object.IsEndNode != 0;
    default:
      return true;
  }
}

bool InBand(const Diagram& diagram, int index, const Rect& band, int selPart) {
  const ObjectState& state = diagram.state(index);
  if (IsLinkArc(diagram.object(index))) {
    // An arc without a path (not drawn) lies in no band.
    if (state.ArcPoints[0] == kUnsetPoint) return false;
    for (const Point& p : state.ArcPoints) {
      if (p == kUnsetPoint) break;
      if (!RectContains(band, p)) return false;
    }
    return true;
  }
  switch (selPart) {
    case 1:
      return RectInside(state.ObjectRect, band);
    case 2:
      return RectContains(
          band, {(state.BodyRect.left + state.BodyRect.right) / 2, (state.BodyRect.top + state.BodyRect.bottom) / 2});
    default:
      return RectInside(state.BodyRect, band);
  }
}

}  // namespace

void ClearSelection(Diagram& diagram, ViewState& view) {
  for (int i = 0; i < diagram.count(); ++i) diagram.state(i).Selected = 0;
  diagram.header.CurrentObject = -1;
  view.headlineSelected = false;
  view.memoSelected = false;
}

bool ClickSelect(Diagram& diagram, int index, unsigned flags) {
  const bool ctrl = flags == (kLeftButton | kCtrlKey);
  const bool shift = flags == (kLeftButton | kShiftKey);
  int& main = diagram.header.CurrentObject;
  ObjectState& state = diagram.state(index);
  bool movable = true;
  if (main < 0) {
    Select(diagram, index);
    main = index;
  } else if (state.Selected == 0) {
    if (ctrl) {
      movable = false;
    } else {
      for (int i = 0; i < diagram.count(); ++i) diagram.state(i).Selected = 0;
    }
    Select(diagram, index);
    main = index;
  } else if (shift) {
    state.Selected = 0;
    movable = false;
    if (main == index) {
      // The lowest selected object takes over; with none left the index stays on this one.
      for (int i = 0; i < diagram.count(); ++i) {
        if (diagram.state(i).Selected != 0) {
          main = i;
          break;
        }
      }
    }
  } else {
    main = index;
  }
  return movable && !IsLinkArc(diagram.object(index));
}

bool CycleMainSelection(Diagram& diagram, bool backwards) {
  const int main = diagram.header.CurrentObject;
  const int count = diagram.count();
  if (!Valid(diagram, main) || count < 2) return false;
  const int next = backwards ? (main == 0 ? count - 1 : main - 1) : (main + 1) % count;
  diagram.state(main).Selected = 0;
  Select(diagram, next);
  diagram.header.CurrentObject = next;
  return true;
}

void SelectByKind(Diagram& diagram, SelectKind kind) {
  int first = -1;
  for (int i = 0; i < diagram.count(); ++i) {
    if (diagram.state(i).Selected != 0 || !Matches(diagram.object(i), kind)) continue;
    Select(diagram, i);
    if (first < 0) first = i;
  }
  diagram.header.CurrentObject = first;
}

void SelectDescendants(Diagram& diagram) {
  const int main = diagram.header.CurrentObject;
  if (!Valid(diagram, main)) return;
  for (int i : ChildLists(diagram).DescendantsOf(main)) Select(diagram, i);
}

bool SelectSameLevel(Diagram& diagram) {
  const int main = diagram.header.CurrentObject;
  if (!Valid(diagram, main)) return false;
  const int level = diagram.state(main).Level;
  bool added = false;
  for (int i = 0; i < diagram.count(); ++i) {
    ObjectState& state = diagram.state(i);
    if (IsLinkArc(diagram.object(i)) || state.Level != level || state.Selected != 0) continue;
    state.Selected = 1;
    added = true;
  }
  return added;
}

void SelectArcEndNodes(Diagram& diagram) {
  const int main = diagram.header.CurrentObject;
  if (!Valid(diagram, main) || !IsLinkArc(diagram.object(main))) return;
  for (int32_t serial : {diagram.object(main).Serial, diagram.object(main).ToSerial}) {
    const int node = FindBySerial(diagram, serial);
    if (node >= 0) Select(diagram, node);
  }
}

Rect BandBetween(Point a, Point b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

bool RubberBandSelect(Diagram& diagram, const Rect& band, int selPart) {
  if (diagram.count() < 1 || band.right - band.left <= kSmallestBand || band.bottom - band.top <= kSmallestBand)
    return false;
  diagram.header.CurrentObject = -1;
  int lastEndNode = -1, lastOther = -1;
  for (int i = 0; i < diagram.count(); ++i) {
    if (!InBand(diagram, i, band, selPart)) continue;
    Select(diagram, i);
    const DiagramObject& object = diagram.object(i);
    (IsNode(object) && object.IsEndNode != 0 ? lastEndNode : lastOther) = i;
  }
  diagram.header.CurrentObject = lastEndNode >= 0 ? lastEndNode : lastOther;
  return true;
}

int PaneTypeOf(const Diagram& diagram, const ViewState& view, bool imageChosen) {
  if (view.headlineSelected) return kPaneHeadline;
  const int main = diagram.header.CurrentObject;
  if (!Valid(diagram, main)) return kPaneChart + DrawnChart(diagram.header);
  if (view.memoSelected) return kPaneMemo;
  if (imageChosen) return kPaneImage;
  if (!IsLinkArc(diagram.object(main))) return kPaneNode;
  return view.selectedArcEnd == 0 || view.selectedArcEnd == 9 ? kPaneArcEnd : kPaneLinkArc;
}

}  // namespace ravelo
