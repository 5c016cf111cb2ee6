#include "charts/action/action_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "drawing/node_layout.h"
#include "geometry/geometry.h"
#include "model/hierarchy.h"

namespace ravelo {
namespace {

constexpr int kRingAttempts = 1000;
constexpr int kSmallestCellShift = 5;  // cells of 32 units at least, found by shifting
constexpr int kMostCellsAcross = 256;

// A random number 0..n-1; 0 for a range that is empty, which very deep hierarchies in a small view
// give (a ring step below 3): the node then sits on the inner edge of its band.
int RandomBelow(RandomSource& random, int n) { return n > 0 ? random.Next() % n : 0; }

int FirstNode(const Diagram& diagram) {
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i))) return i;
  }
  return -1;
}

// The angle an end node's ring place starts from: that of its only parent, else of its first parent
// one level away, else none.
std::optional<int> ParentAngle(const Diagram& diagram, const ChildLists& hierarchy, int node) {
  const DiagramObject& object = diagram.object(node);
  const int parents = std::clamp(object.ParentCount, 0, kMaxParents);
  const int level = diagram.state(node).Level;
  for (int k = 0; k < parents; ++k) {
    const int parent = hierarchy.NodeOf(object.ParentSerials[k]);
    if (parent < 0) continue;
    if (parents == 1 || std::abs(diagram.state(parent).Level - level) == 1)
      return static_cast<int>(diagram.state(parent).ActAngle);
  }
  return std::nullopt;
}

// The direction of each whole degree b, clockwise from straight up: cos and sin of b pi / 180 - pi / 2,
// worked out once, since a crowded ring tries a thousand places for each node.
struct Direction {
  double cos, sin;
};
const std::array<Direction, 360>& Directions() {
  static const std::array<Direction, 360> table = [] {
    std::array<Direction, 360> t{};
    for (int b = 0; b < 360; ++b) {
      const double angle = b * kPi / 180 - kHalfPi;
      t[static_cast<std::size_t>(b)] = {std::cos(angle), std::sin(angle)};
    }
    return t;
  }();
  return table;
}

// The placed boxes of every node before index, added in table order as the layout walks on.
class PlacedBefore {
 public:
  PlacedBefore(const Diagram& diagram, std::span<const Size> boxes)
      : diagram_(diagram),
        boxes_(boxes),
        placed_(diagram.header.ViewWidth[ActionChart], diagram.header.ViewHeight[ActionChart]) {}
  const PlacedBoxes& Upto(int index) {
    for (; added_ < index; ++added_) {
      const DiagramObject& object = diagram_.object(added_);
      if (IsNode(object)) placed_.Add(BoxAround(object.ActTarget, boxes_[static_cast<std::size_t>(added_)]));
    }
    return placed_;
  }
  void Restart() {
    placed_.Clear();
    added_ = 0;
  }

 private:
  const Diagram& diagram_;
  std::span<const Size> boxes_;
  PlacedBoxes placed_;
  int added_ = 0;
};

// The sum of a point's distances to the two foci of an axis-aligned ellipse, against its long axis.
struct FocalEllipse {
  FocalEllipse(Point centre, int width, int height)
      : foci(EllipseFoci(centre, width, height)), axis(std::max(width, height)) {}
  int Sum(Point p) const { return Distance(p, foci[0]) + Distance(p, foci[1]); }
  Point NearFocus() const { return foci[0]; }  // the focus with the smaller coordinate
  std::array<Point, 2> foci;
  int axis;
};

}  // namespace

ActionArea ActionAreaOf(const DocumentHeader& header) {
  const int32_t(&margin)[4] = header.ActMargin;
  const int innerWidth = header.ViewWidth[ActionChart] - margin[2] - margin[0];
  const int innerHeight = header.ViewHeight[ActionChart] - margin[3] - margin[1];
  return {innerWidth, innerHeight, {margin[0] + innerWidth / 2, margin[1] + innerHeight / 2}};
}

namespace {

// The smallest cells that keep the grid within kMostCellsAcross cells a side.
int CellShiftFor(int viewWidth, int viewHeight) {
  int shift = kSmallestCellShift;
  while (shift < 30 && std::max(viewWidth, viewHeight) >> shift > kMostCellsAcross) ++shift;
  return shift;
}

}  // namespace

PlacedBoxes::PlacedBoxes(int viewWidth, int viewHeight)
    : cellShift_(CellShiftFor(viewWidth, viewHeight)),
      columns_(std::clamp((viewWidth >> cellShift_) + 1, 1, kMostCellsAcross + 1)),
      rows_(std::clamp((viewHeight >> cellShift_) + 1, 1, kMostCellsAcross + 1)),
      cells_(static_cast<std::size_t>(columns_ * rows_)) {}

// Boxes beyond the view fall into its edge cells, so that two boxes that meet always share a cell.
PlacedBoxes::Cells PlacedBoxes::CellsOf(const Rect& box) const {
  const auto column = [this](int x) { return std::clamp(x >> cellShift_, 0, columns_ - 1); };
  const auto row = [this](int y) { return std::clamp(y >> cellShift_, 0, rows_ - 1); };
  return {column(box.left), row(box.top), column(box.right), row(box.bottom)};
}

void PlacedBoxes::Add(const Rect& box) {
  if (IsEmptyRect(box)) return;
  const Cells c = CellsOf(box);
  for (int y = c.top; y <= c.bottom; ++y) {
    for (int x = c.left; x <= c.right; ++x) cells_[static_cast<std::size_t>(y * columns_ + x)].push_back(box);
  }
}

void PlacedBoxes::Clear() {
  for (auto& cell : cells_) cell.clear();
}

bool PlacedBoxes::Meets(const Rect& box) const {
  // Neither box is empty here, so sharing a pixel is overlapping on both axes.
  if (IsEmptyRect(box)) return false;
  const Cells c = CellsOf(box);
  for (int y = c.top; y <= c.bottom; ++y) {
    for (int x = c.left; x <= c.right; ++x) {
      for (const Rect& placed : cells_[static_cast<std::size_t>(y * columns_ + x)]) {
        if (placed.left < box.right && box.left < placed.right && placed.top < box.bottom &&
            box.top < placed.bottom)
          return true;
      }
    }
  }
  return false;
}

Rect BoxAround(Point centre, Size box) {
  const int left = centre.X - box.width / 2, top = centre.Y - box.height / 2;
  return {left, top, left + box.width, top + box.height};
}

RingPlace RingPosition(const DocumentHeader& header, Size box, int r, int a, const PlacedBoxes& placed,
                       RandomSource& random) {
  const int sx = header.ActRingStepX, sy = header.ActRingStepY;
  const Point centre{header.ActCenterX, header.ActCenterY};
  const float stretch = sy != 0 ? static_cast<float>(sx) / static_cast<float>(sy) : 1.0f;
  RingPlace place{centre, a};
  for (int attempt = 0; attempt < kRingAttempts; ++attempt) {
    const double f = r > 0 ? RandomBelow(random, sy) + static_cast<double>(r) * sy
                           : sy / 3 + RandomBelow(random, 2 * (sy / 3));
    int b = a - 45 + random.Next() % 90;
    if (b < 0) {
      b += 360;
    } else if (b >= 360) {
      b -= 360;
    }
    if (b < 0 || b >= 360) b = (b % 360 + 360) % 360;  // an angle a outside 0..359
    const Direction& t = Directions()[static_cast<std::size_t>(b)];
    const int dx = TruncToInt(f * t.cos);
    const int dy = TruncToInt(f * t.sin);
    place = {{centre.X + TruncToInt(stretch * static_cast<float>(dx)), centre.Y + dy}, b};
    if (!placed.Meets(BoxAround(place.target, box))) break;
  }
  return place;
}

void ActLayout(Diagram& diagram, std::span<const Size> boxes, RandomSource& random, uint32_t seed,
               bool noAnimation) {
  const int count = diagram.count();
  if (count == 0) return;
  DocumentHeader& header = diagram.header;
  if (!noAnimation) {
    for (int i = 0; i < count; ++i) diagram.object(i).ActStart = diagram.object(i).ActTarget;
  }
  const int viewWidth = header.ViewWidth[ActionChart], viewHeight = header.ViewHeight[ActionChart];
  const ActionArea area = ActionAreaOf(header);
  header.ActCenterX = area.centre.X;
  header.ActCenterY = area.centre.Y;
  // A damaged document may name no object as the centre: its first node takes the place.
  if (header.ActCenterObject < 0 || header.ActCenterObject >= count)
    header.ActCenterObject = std::max(FirstNode(diagram), 0);
  const int centre = header.ActCenterObject;
  diagram.object(centre).ActTarget = area.centre;
  diagram.object(centre).ActDistance = 0;

  const int g = diagram.state(centre).Level;
  header.ActRingCount = std::max(g, std::abs(diagram.LevelCount - (g + 1))) + 1;
  header.ActRingStepX = area.innerWidth / 2 / header.ActRingCount;
  header.ActRingStepY = area.innerHeight / 2 / header.ActRingCount;
  random.Seed(seed);

  const ChildLists hierarchy(diagram);
  PlacedBefore placed(diagram, boxes);
  const auto place = [&](int i, int angle) {
    DiagramObject& object = diagram.object(i);
    const int r = std::abs(diagram.state(i).Level - g);
    const RingPlace ring =
        RingPosition(header, boxes[static_cast<std::size_t>(i)], r, angle, placed.Upto(i), random);
    object.ActTarget = ring.target;
    object.ActDistance = r;
    return ring.angle;
  };
  for (int i = 0; i < count; ++i) {
    if (i == centre || !IsNode(diagram.object(i)) || diagram.object(i).IsEndNode != 0) continue;
    diagram.state(i).ActAngle = place(i, random.Next() % 360);
  }
  placed.Restart();
  for (int i = 0; i < count; ++i) {
    if (i == centre || !IsNode(diagram.object(i)) || diagram.object(i).IsEndNode == 0) continue;
    const std::optional<int> parentAngle = ParentAngle(diagram, hierarchy, i);
    place(i, parentAngle ? *parentAngle : random.Next() % 360);
    // An end node is kept inside the view.
    const Size box = boxes[static_cast<std::size_t>(i)];
    Point& target = diagram.object(i).ActTarget;
    target.X = std::max(target.X, box.width / 2);
    target.Y = std::max(target.Y, box.height);
    target.X = std::min(target.X, viewWidth - box.width / 2);
    target.Y = std::min(target.Y, viewHeight - box.height);
  }
  for (int i = 0; i < count; ++i) {
    DiagramObject& object = diagram.object(i);
    if (noAnimation) object.ActStart = object.ActTarget;
    object.ActCurrent = object.ActTarget;
  }
}

std::vector<Size> MeasureActionBoxes(RenderContext& context) {
  Diagram& diagram = context.diagram;
  std::vector<Size> boxes(static_cast<std::size_t>(diagram.count()));
  for (int i = 0; i < diagram.count(); ++i) {
    if (!IsNode(diagram.object(i))) continue;
    LayoutEndNode(context, i);
    const Rect& body = diagram.state(i).BodyRect;
    boxes[static_cast<std::size_t>(i)] = {context.Unzoomed(body.right - body.left),
                                          context.Unzoomed(body.bottom - body.top)};
  }
  return boxes;
}

void ActRescale(Diagram& diagram, int oldWidth, int oldHeight) {
  DocumentHeader& header = diagram.header;
  const ActionArea area = ActionAreaOf(header);
  const Point oldCentre{header.ActCenterX, header.ActCenterY};
  // The inner areas are compared, so that an unchanged size leaves every node where it is.
  const int oldInnerWidth = oldWidth - header.ActMargin[0] - header.ActMargin[2];
  const int oldInnerHeight = oldHeight - header.ActMargin[1] - header.ActMargin[3];
  const auto ratio = [](int now, int before) {
    return before > 0 ? static_cast<float>(now) / static_cast<float>(before) : 1.0f;
  };
  const float rx = ratio(area.innerWidth, oldInnerWidth), ry = ratio(area.innerHeight, oldInnerHeight);
  for (int i = 0; i < diagram.count(); ++i) {
    DiagramObject& object = diagram.object(i);
    if (!IsNode(object)) continue;
    const Point t = object.ActTarget;
    object.ActTarget = {area.centre.X + TruncToInt(rx * static_cast<float>(t.X - oldCentre.X)),
                        area.centre.Y + TruncToInt(ry * static_cast<float>(t.Y - oldCentre.Y))};
    object.ActStart = object.ActCurrent = object.ActTarget;
  }
  header.ActCenterX = area.centre.X;
  header.ActCenterY = area.centre.Y;
  if (header.ActRingCount > 0) {
    header.ActRingStepX = area.innerWidth / 2 / header.ActRingCount;
    header.ActRingStepY = area.innerHeight / 2 / header.ActRingCount;
  }
}

bool ActConstrainDrag(const DocumentHeader& header, int actDistance, Point& point) {
  const float zoom = header.Zoom[ActionChart];
  const Point centre{ZoomedLength(header.ActCenterX, zoom), ZoomedLength(header.ActCenterY, zoom)};
  const int sx = ZoomedLength(header.ActRingStepX, zoom), sy = ZoomedLength(header.ActRingStepY, zoom);
  const int r = actDistance;
  const FocalEllipse inner(centre, 2 * r * sx, 2 * r * sy);
  const FocalEllipse outer(centre, 2 * (r + 1) * sx, 2 * (r + 1) * sy);
  const Point passed = point;

  // Outside the band: walk toward the outer ellipse's near focus in growing steps.
  if (outer.Sum(point) > outer.axis) {
    const int distance = Distance(point, outer.NearFocus());
    for (int step = 0; step < distance; step += 3) {
      point = PointToward(point, outer.NearFocus(), step);
      if (outer.Sum(point) < outer.axis) return true;
    }
  }
  if (inner.Sum(passed) >= inner.axis) return false;
  // Inside the inner ellipse: walk away from its near focus.
  const int distance = Distance(point, inner.NearFocus());
  for (int step = 0; step < distance; step += 3) {
    point = PointToward(point, inner.NearFocus(), -step);
    if (inner.Sum(point) > inner.axis) return true;
  }
  return false;
}

uint32_t ActionLayout::NextSeed() {
  const int64_t now = clock_.Now();
  lastSeed_ = now > lastSeed_ ? now : lastSeed_ + 1;
  return static_cast<uint32_t>(lastSeed_);
}

void ActionLayout::Layout(RenderContext& context, bool noAnimation) {
  const std::vector<Size> boxes = MeasureActionBoxes(context);
  ActLayout(context.diagram, boxes, context.random, NextSeed(), noAnimation);
}

bool ActionLayout::AutoLayout(RenderContext& context) {
  Diagram& diagram = context.diagram;
  bool unplaced = false;
  for (int i = 0; i < diagram.count() && !unplaced; ++i) {
    unplaced = IsNode(diagram.object(i)) && diagram.object(i).Pos[ActionChart] == kUnsetPoint;
  }
  if (!unplaced) return false;
  const int current = diagram.header.CurrentObject;
  diagram.header.ActCenterObject = current != -1 ? current : FirstNode(diagram);
  Layout(context, true);
  for (int i = 0; i < diagram.count(); ++i) diagram.object(i).Pos[ActionChart] = diagram.object(i).ActCurrent;
  return true;
}

}  // namespace ravelo
