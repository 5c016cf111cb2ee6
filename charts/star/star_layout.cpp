#include "charts/star/star_layout.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <utility>
#include <vector>

#include "arcs/arc_math.h"
#include "drawing/node_layout.h"
#include "geometry/geometry.h"
#include "model/hierarchy.h"
#include "model/levels.h"

namespace ravelo {
namespace {

constexpr double kTwoPi = 2 * kPi;  // 6.283185307

// A node with several parents is placed again, with all its descendants, through every parent, so a
// hierarchy that joins and parts many times over costs placements that grow with every layer. A
// document of the editor stays far below this budget; a crafted one stops placing here instead of
// hanging the program.
constexpr int64_t kPlacementsPerObject = 2000;

// The circles of PlaceStar: a node at its point, its children evenly on a circle around it starting
// straight above and turning clockwise, each child that is a parent node with its own children on a
// circle of half the radius around it, depth first. A node reached again takes its new place.
class StarPlacer {
 public:
  StarPlacer(Diagram& diagram, const ChildLists& children)
      : diagram_(diagram),
        children_(children),
        placementsLeft_(kPlacementsPerObject * std::max(1, diagram.count())) {}

  void PlaceStar(int node, Point at, int radius) {
    struct Circle {
      std::span<const int> children;
      std::size_t next;
      Point centre;
      int radius;
      int depth;
    };
    SetPosition(node, at);
    std::vector<Circle> circles{{ChildrenOf(node), 0, at, radius, 0}};
    while (!circles.empty() && placementsLeft_ > 0) {
      Circle& circle = circles.back();
      if (circle.next == circle.children.size()) {
        circles.pop_back();
        continue;
      }
      const std::size_t slot = circle.next++;
      const int child = circle.children[slot];
      const double angle = static_cast<double>(slot) * (kTwoPi / static_cast<double>(circle.children.size()));
      const Point top{circle.centre.X, Clamp32(static_cast<int64_t>(circle.centre.Y) - circle.radius)};
      const Point place = RotatePoint(false, circle.centre, top, angle);
      SetPosition(child, place);
      // Deeper than the table is long only a damaged table whose parents run in a cycle gets.
      const int depth = circle.depth + 1;
      if (diagram_.object(child).IsEndNode == 0 && depth < diagram_.count()) {
        circles.push_back({ChildrenOf(child), 0, place, circle.radius / 2, depth});
      }
    }
  }

 private:
  std::span<const int> ChildrenOf(int node) const {
    return children_.ChildrenOf(diagram_.object(node).Serial);
  }
  void SetPosition(int node, Point at) {
    diagram_.object(node).Pos[StarChart] = at;
    --placementsLeft_;
  }

  Diagram& diagram_;
  const ChildLists& children_;
  int64_t placementsLeft_;
};

Point& StarPosition(Diagram& diagram, int index) { return diagram.object(index).Pos[StarChart]; }

// The root with the most descendants, the first of equal ones; -1 when no root has any.
int CentreRoot(const ChildLists& children, const std::vector<int>& roots) {
  int centre = -1;
  std::size_t most = 0;
  for (int root : roots) {
    const std::size_t descendants = children.DescendantsOf(root).size();
    if (descendants > most) {
      most = descendants;
      centre = root;
    }
  }
  return centre;
}

// The bodies of the nodes in spreading order, where the spread found them, looked up by the cells
// of a coarse grid that each covers, so that a try is compared only with the bodies near it.
class SpreadBodies {
 public:
  explicit SpreadBodies(std::vector<Rect> bodies) : bodies_(std::move(bodies)) {
    for (std::size_t n = 0; n < bodies_.size(); ++n) {
      const Rect& body = bodies_[n];
      if (IsEmptyRect(body)) continue;
      const CellRange range = CellsOf(body);
      if (range.Count() > kMostCells) {
        large_.push_back(n);
        continue;
      }
      for (int64_t y = range.top; y <= range.bottom; ++y) {
        for (int64_t x = range.left; x <= range.right; ++x) cells_[Key(x, y)].push_back(n);
      }
    }
  }

  const Rect& operator[](std::size_t n) const { return bodies_[n]; }

  // Whether the body overlaps the body of any node after the nth.
  bool OverlapsLater(const Rect& body, std::size_t n) const {
    if (IsEmptyRect(body)) return false;
    const auto overlaps = [&](std::size_t m) { return m > n && RectsIntersect(body, bodies_[m]); };
    if (std::any_of(std::upper_bound(large_.begin(), large_.end(), n), large_.end(), overlaps)) return true;
    const CellRange range = CellsOf(body);
    if (range.Count() > kMostCells) {
      for (std::size_t m = n + 1; m < bodies_.size(); ++m) {
        if (RectsIntersect(body, bodies_[m])) return true;
      }
      return false;
    }
    for (int64_t y = range.top; y <= range.bottom; ++y) {
      for (int64_t x = range.left; x <= range.right; ++x) {
        const auto cell = cells_.find(Key(x, y));
        if (cell == cells_.end()) continue;
        const std::vector<std::size_t>& members = cell->second;  // in spreading order
        if (std::any_of(std::upper_bound(members.begin(), members.end(), n), members.end(), overlaps))
          return true;
      }
    }
    return false;
  }

 private:
  static constexpr int64_t kCellSize = 64;   // canvas pixels, about a short title
  static constexpr int64_t kMostCells = 64;  // a larger body is compared with every body instead

  struct CellRange {
    int64_t left, top, right, bottom;  // inclusive
    int64_t Count() const { return (right - left + 1) * (bottom - top + 1); }
  };
  static int64_t CellOf(int64_t v) { return v >= 0 ? v / kCellSize : -((-v + kCellSize - 1) / kCellSize); }
  static CellRange CellsOf(const Rect& r) {
    return {CellOf(r.left), CellOf(r.top), CellOf(static_cast<int64_t>(r.right) - 1),
            CellOf(static_cast<int64_t>(r.bottom) - 1)};
  }
  static int64_t Key(int64_t x, int64_t y) { return x * (int64_t{1} << 32) + y; }

  std::vector<Rect> bodies_;
  std::vector<std::size_t> large_;
  std::unordered_map<int64_t, std::vector<std::size_t>> cells_;
};

}  // namespace

bool StarPlace(Diagram& diagram, Progress* progress) {
  ComputeLevels(diagram, progress);
  for (int i = 0; i < diagram.count(); ++i) StarPosition(diagram, i) = kUnsetPoint;

  std::vector<int> roots;
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i)) && diagram.state(i).Level == 0) roots.push_back(i);
  }
  const ChildLists children(diagram);
  const int centre = CentreRoot(children, roots);
  if (centre < 0) return false;

  const Point middle{diagram.header.ViewWidth[StarChart] / 2, diagram.header.ViewHeight[StarChart] / 2};
  const int h = std::min(middle.X, middle.Y);
  StarPlacer placer(diagram, children);
  placer.PlaceStar(centre, middle, h / 2);
  if (roots.size() >= 2) {
    const double step = kTwoPi / static_cast<double>(roots.size() - 1);
    const Point top{middle.X, Clamp32(static_cast<int64_t>(middle.Y) - h)};
    int n = 0;
    for (int root : roots) {
      if (root == centre) continue;
      placer.PlaceStar(root, RotatePoint(false, middle, top, n++ * step), h / 4);
    }
  }

  // A node that no circle reached, but that has a child, goes next to its first child.
  for (int u = 0; u < diagram.count(); ++u) {
    if (IsLinkArc(diagram.object(u)) || StarPosition(diagram, u) != kUnsetPoint) continue;
    const std::span<const int> own = children.ChildrenOf(diagram.object(u).Serial);
    if (!own.empty()) StarPosition(diagram, u) = PointToward(StarPosition(diagram, own.front()), middle, 100);
  }
  return true;
}

namespace {

Rect Shifted(const Rect& r, Point by) {
  return {Clamp32(static_cast<int64_t>(r.left) + by.X), Clamp32(static_cast<int64_t>(r.top) + by.Y),
          Clamp32(static_cast<int64_t>(r.right) + by.X), Clamp32(static_cast<int64_t>(r.bottom) + by.Y)};
}

// How far a node whose body lies there moves to come inside the view, in document units: by what its
// left and top edges lie before the view's, less what its right and bottom edges lie beyond.
Point MoveIntoView(const RenderContext& context, const Rect& body) {
  const int width = context.Zoomed(context.diagram.header.ViewWidth[StarChart]);
  const int height = context.Zoomed(context.diagram.header.ViewHeight[StarChart]);
  int64_t dx = body.left < 0 ? -static_cast<int64_t>(body.left) : 0;
  int64_t dy = body.top < 0 ? -static_cast<int64_t>(body.top) : 0;
  if (body.right > width) dx += static_cast<int64_t>(width) - body.right;
  if (body.bottom > height) dy += static_cast<int64_t>(height) - body.bottom;
  return {TruncToInt(static_cast<float>(dx) / context.zoom),
          TruncToInt(static_cast<float>(dy) / context.zoom)};
}

}  // namespace

void StarSpread(RenderContext& context, uint32_t seed) {
  Diagram& diagram = context.diagram;
  context.random.Seed(seed);
  std::vector<int> nodes;
  std::vector<Rect> bodies;  // each node's body where the spread found it
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsLinkArc(diagram.object(i))) continue;
    LayoutEndNode(context, i);
    nodes.push_back(i);
    bodies.push_back(diagram.state(i).BodyRect);
  }
  const SpreadBodies spread(std::move(bodies));
  for (std::size_t n = 0; n < nodes.size(); ++n) {
    Point& position = StarPosition(diagram, nodes[n]);
    const Point start = position;
    const Point zoomedStart = context.Zoomed(start);
    // The body moves with the node as a whole: laying it out again at each try would only measure
    // the same texts again.
    const auto bodyAt = [&](Point at) { return Shifted(spread[n], Minus(context.Zoomed(at), zoomedStart)); };
    constexpr int kLastAttempt = 199;
    for (int attempt = 0; attempt <= kLastAttempt; ++attempt) {
      if (attempt > 0) {
        const int dx = context.random.Next() % 200, dy = context.random.Next() % 200;
        position = Plus(start, {dx - 100, dy - 100});
        // A try beyond the view's edge is judged where the clamp will bring it.
        position = Plus(position, MoveIntoView(context, bodyAt(position)));
      }
      if (!spread.OverlapsLater(bodyAt(position), n)) break;
    }
  }
}

void StarClamp(RenderContext& context) {
  Diagram& diagram = context.diagram;
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsLinkArc(diagram.object(i))) continue;
    LayoutEndNode(context, i);
    StarPosition(diagram, i) =
        Plus(StarPosition(diagram, i), MoveIntoView(context, diagram.state(i).BodyRect));
  }
}

bool StarLayout(RenderContext& context, uint32_t seed, Progress* progress) {
  if (!StarPlace(context.diagram, progress)) return false;
  // Into the view first, so that the spread separates the nodes where they will stay; the tries of
  // the spread that reach beyond an edge come back inside at once, so the last clamp only catches a
  // node larger than the view.
  StarClamp(context);
  StarSpread(context, seed);
  StarClamp(context);
  return true;
}

bool StarAutoLayout(RenderContext& context, uint32_t seed) {
  const Diagram& diagram = context.diagram;
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i)) && diagram.object(i).Pos[StarChart] != kUnsetPoint) return false;
  }
  return StarLayout(context, seed);
}

}  // namespace ravelo
