#include "view/move_edits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "drawing/render_context.h"
#include "geometry/geometry.h"
#include "model/cp932.h"
#include "model/hierarchy.h"
#include "model/levels.h"

namespace ravelo {
namespace {

int Chart(const Diagram& diagram) { return DrawnChart(diagram.header); }

Rect ViewArea(const DocumentHeader& header) {
  const int chart = DrawnChart(header);
  return {0, 0, ZoomedLength(header.ViewWidth[chart], header.Zoom[chart]),
          ZoomedLength(header.ViewHeight[chart], header.Zoom[chart])};
}

// The shift that brings r back inside area (nothing when it fits or is larger).
Point ShiftInside(const Rect& area, const Rect& r) {
  Point shift{0, 0};
  if (r.left < area.left) {
    shift.X = area.left - r.left;
  } else if (r.right > area.right) {
    shift.X = area.right - r.right;
  }
  if (r.top < area.top) {
    shift.Y = area.top - r.top;
  } else if (r.bottom > area.bottom) {
    shift.Y = area.bottom - r.bottom;
  }
  return shift;
}

void Displace(Point& position, Point by) {
  position.X += by.X;
  position.Y += by.Y;
}

std::string TitleOf(const Diagram& diagram, int index) {
  std::string title = Cp932ToUtf8(FieldText(diagram.object(index).Title));
  std::erase(title, '\n');
  std::erase(title, '\r');
  return title;
}

}  // namespace

int DocumentStep(int pixels, float zoom) {
  const int step = TruncToInt(static_cast<double>(pixels) / static_cast<double>(zoom));
  return step == 0 && std::abs(pixels) == 1 ? pixels : step;
}

Rect SelectionBounds(const Diagram& diagram, bool boxMove) {
  Rect bounds{};
  for (int i = 0; i < diagram.count(); ++i) {
    if (diagram.state(i).Selected == 0 || IsLinkArc(diagram.object(i))) continue;
    bounds = UnionRect(bounds, boxMove ? diagram.state(i).BodyRect : diagram.state(i).ObjectRect);
  }
  return bounds;
}

Rect KeptInView(const DocumentHeader& header, const Rect& r) {
  const Point shift = ShiftInside(ViewArea(header), r);
  return OffsetRect(r, shift.X, shift.Y);
}

void MoveSelectedNodes(Diagram& diagram, const ChartRules& rules, Point displacement) {
  const int chart = Chart(diagram);
  const float zoom = diagram.header.Zoom[chart];
  const Point step{DocumentStep(displacement.X, zoom), DocumentStep(displacement.Y, zoom)};
  const ChildLists children(diagram);
  std::vector<char> moved(static_cast<std::size_t>(diagram.count()), 0);
  const Rect area = ViewArea(diagram.header);
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& object = diagram.object(i);
    if (diagram.state(i).Selected == 0 || IsLinkArc(object)) continue;
    if (rules.IsBox(object)) {
      for (int child : children.DescendantsOf(i)) {
        const DiagramObject& node = diagram.object(child);
        if (node.IsEndNode == 0 || diagram.state(child).Selected != 0 || moved[static_cast<std::size_t>(child)])
          continue;
        moved[static_cast<std::size_t>(child)] = 1;
        Displace(rules.PositionOf(diagram.object(child), chart), step);
      }
      continue;
    }
    Point& position = rules.PositionOf(diagram.object(i), chart);
    Displace(position, step);
    // The body where the next layout puts it: pushed back inside the view, which ends the move.
    const Rect body = OffsetRect(diagram.state(i).BodyRect, displacement.X, displacement.Y);
    const Point back = ShiftInside(area, body);
    if (back.X != 0 || back.Y != 0) {
      Displace(position, {DocumentStep(back.X, zoom), DocumentStep(back.Y, zoom)});
      return;
    }
  }
}

void MoveSelectedBoxes(Diagram& diagram, const ChartRules& rules, Point displacement) {
  const int chart = Chart(diagram);
  const float zoom = diagram.header.Zoom[chart];
  const int main = diagram.header.CurrentObject;
  Point kept = displacement;
  if (main >= 0 && main < diagram.count()) {
    const Point back =
        ShiftInside(ViewArea(diagram.header), OffsetRect(diagram.state(main).BodyRect, displacement.X, displacement.Y));
    kept = {displacement.X + back.X, displacement.Y + back.Y};
  }
  const Point plain{DocumentStep(displacement.X, zoom), DocumentStep(displacement.Y, zoom)};
  const Point inside{DocumentStep(kept.X, zoom), DocumentStep(kept.Y, zoom)};
  const ChildLists children(diagram);
  std::vector<char> moved(static_cast<std::size_t>(diagram.count()), 0);
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& object = diagram.object(i);
    if (diagram.state(i).Selected == 0 || IsLinkArc(object)) continue;
    if (!rules.IsBox(object)) {
      if (object.IsEndNode != 0 && !moved[static_cast<std::size_t>(i)]) {
        moved[static_cast<std::size_t>(i)] = 1;
        Displace(rules.PositionOf(diagram.object(i), chart), plain);
      }
      continue;
    }
    for (int child : children.DescendantsOf(i)) {
      if (diagram.object(child).IsEndNode == 0 || moved[static_cast<std::size_t>(child)]) continue;
      moved[static_cast<std::size_t>(child)] = 1;
      Displace(rules.PositionOf(diagram.object(child), chart), inside);
    }
  }
}

bool IsDirectRelative(const Diagram& diagram, int main, int node) {
  return node != main && IsNode(diagram.object(node)) &&
         (IsAncestor(diagram, node, main, true) || IsAncestor(diagram, main, node, true));
}

Rect TurnedAboutRing(const Diagram& diagram, int main, int node, Point press, Point release) {
  const Rect& mainBody = diagram.state(main).BodyRect;
  const Point o{(mainBody.left + mainBody.right) / 2, (mainBody.top + mainBody.bottom) / 2};
  const int radius = diagram.object(main).RoundR;
  const auto angle = [o](Point p) {
    return std::atan2(static_cast<double>(p.Y) - o.Y, static_cast<double>(p.X) - o.X);
  };
  const double turn = angle(release) - angle(press);
  const double scale = radius != 0 ? static_cast<double>(Distance(o, release) - radius) / radius : 0;
  const Rect& body = diagram.state(node).BodyRect;
  const Point centre{(body.left + body.right) / 2, (body.top + body.bottom) / 2};
  const Point turned = RotatePoint(false, o, centre, turn);
  const Point pushed{turned.X + TruncToInt(scale * (turned.X - o.X)), turned.Y + TruncToInt(scale * (turned.Y - o.Y))};
  return KeptInView(diagram.header, OffsetRect(body, pushed.X - centre.X, pushed.Y - centre.Y));
}

void TurnRelatedNodes(Diagram& diagram, const ChartRules& rules, Point press, Point release, bool onlySelected) {
  const int main = diagram.header.CurrentObject;
  if (main < 0 || main >= diagram.count()) return;
  const int chart = Chart(diagram);
  const float zoom = diagram.header.Zoom[chart];
  for (int i = 0; i < diagram.count(); ++i) {
    if (!IsDirectRelative(diagram, main, i) || (onlySelected && diagram.state(i).Selected == 0)) continue;
    const Rect& before = diagram.state(i).BodyRect;
    const Rect after = TurnedAboutRing(diagram, main, i, press, release);
    Displace(rules.PositionOf(diagram.object(i), chart),
             {DocumentStep(after.left - before.left, zoom), DocumentStep(after.top - before.top, zoom)});
  }
}

DropAction DropActionOn(const Diagram& diagram, int dragged, int target, bool firstHalf) {
  if (firstHalf) {
    if (diagram.header.ShowArcs[Chart(diagram)] == 0) return DropAction::Move;
    return ArcsBetween(diagram, dragged, target).empty() ? DropAction::Link : DropAction::Unlink;
  }
  if (IsAncestor(diagram, dragged, target, true)) return DropAction::Unrelate;
  if (diagram.object(dragged).IsEndNode != 0 || !IsAncestor(diagram, target, dragged, false)) return DropAction::Relate;
  return DropAction::Move;
}

std::vector<int> ArcsBetween(const Diagram& diagram, int a, int b) {
  const int32_t sa = diagram.object(a).Serial, sb = diagram.object(b).Serial;
  std::vector<int> arcs;
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& o = diagram.object(i);
    if (IsLinkArc(o) && ((o.Serial == sa && o.ToSerial == sb) || (o.Serial == sb && o.ToSerial == sa)))
      arcs.push_back(i);
  }
  return arcs;
}

std::vector<int> ArcsToSelection(const Diagram& diagram, int target) {
  std::vector<int> arcs;
  for (int i = 0; i < diagram.count(); ++i) {
    if (diagram.state(i).Selected == 0 || IsLinkArc(diagram.object(i)) || i == target) continue;
    for (int arc : ArcsBetween(diagram, i, target))
      if (std::find(arcs.begin(), arcs.end(), arc) == arcs.end()) arcs.push_back(arc);
  }
  return arcs;
}

void LinkSelectionTo(Diagram& diagram, int target, const ObjectServices& services) {
  std::vector<int> from;
  for (int i = 0; i < diagram.count(); ++i) {
    if (diagram.state(i).Selected != 0 && !IsLinkArc(diagram.object(i)) && i != target &&
        ArcsBetween(diagram, i, target).empty())
      from.push_back(i);
  }
  for (int i : from) {
    NewObject request;
    request.kind = LinkArc;
    request.fromIndex = i;
    request.toIndex = target;
    if (!CreateObject(diagram, request, services)) return;
  }
}

void RelateSelectionTo(Diagram& diagram, Messages& messages, int target) {
  for (int i = 0; i < diagram.count(); ++i) {
    if (diagram.state(i).Selected == 0 || IsLinkArc(diagram.object(i)) || i == target) continue;
    if (IsAncestor(diagram, i, target, false) || IsAncestor(diagram, target, i, false)) continue;
    // A node without room for another parent has been told so; the nodes after it are left alone.
    if (!AddParent(diagram, messages, i, target) && diagram.object(i).ParentCount >= kMaxParents) break;
  }
  ComputeLevels(diagram);
}

void UnrelateSelectionFrom(Diagram& diagram, int target) {
  for (int i = 0; i < diagram.count(); ++i) {
    if (diagram.state(i).Selected == 0 || IsLinkArc(diagram.object(i))) continue;
    if (IsAncestor(diagram, i, target, true)) RemoveParent(diagram, i, target, false);
  }
  if (CountChildren(diagram, target, true) == 0) {
    DiagramObject& t = diagram.object(target);
    const Rect& r = diagram.state(target).ObjectRect;
    const float zoom = diagram.header.Zoom[Chart(diagram)];
    t.IsEndNode = 1;
    t.Pos[BoxChart] = {TruncToInt((r.left + r.right) / 2 / static_cast<double>(zoom)),
                       TruncToInt((r.top + r.bottom) / 2 / static_cast<double>(zoom))};
  }
  ComputeLevels(diagram);
}

std::string UnlinkQuestion(const Diagram& diagram, int target, int other, int count) {
  std::string text = "『" + TitleOf(diagram, target) + "』\n『" + TitleOf(diagram, other) + "』\n間のリンク";
  text += count <= 1 ? "を" : "、他 " + std::to_string(count - 1) + "件のリンクを";
  return text + "解除してもよろしいですか";
}

void RemoveObjects(Diagram& diagram, std::vector<int> indexes) {
  std::sort(indexes.begin(), indexes.end());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  ObjectTable& table = diagram.table;
  for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) {
    const auto at = static_cast<std::ptrdiff_t>(*it);
    const auto end = static_cast<std::ptrdiff_t>(diagram.count());
    std::rotate(table.objects.begin() + at, table.objects.begin() + at + 1, table.objects.begin() + end);
    std::rotate(table.states.begin() + at, table.states.begin() + at + 1, table.states.begin() + end);
    std::rotate(table.pictures.begin() + at, table.pictures.begin() + at + 1, table.pictures.begin() + end);
    --diagram.header.ObjectCount;
    const auto last = static_cast<std::size_t>(diagram.count());
    table.objects[last] = DiagramObject{};
    table.states[last] = ObjectState{};
    table.pictures[last].reset();
  }
}

}  // namespace ravelo
