#include "charts/flow/flow_layout.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "arcs/arc_math.h"
#include "charts/flow/fit_view.h"
#include "drawing/node_layout.h"
#include "drawing/text_layout.h"
#include "geometry/geometry.h"
#include "model/hierarchy.h"
#include "model/levels.h"
#include "model/random.h"

namespace ravelo {
namespace {

constexpr int kRandomAttempts = 100;
constexpr int kSmallestGap = 10, kLargestGap = 200;

class FlowLayouter {
 public:
  FlowLayouter(RenderContext& context, const ChildLists& children)
      : context_(context),
        diagram_(context.diagram),
        children_(children),
        topDown_(context.diagram.header.SetDirection != 0),
        gapH_(std::clamp(context.diagram.header.InitHGap, kSmallestGap, kLargestGap)),
        gapV_(std::clamp(context.diagram.header.InitVGap, kSmallestGap, kLargestGap)),
        boxes_(static_cast<std::size_t>(diagram_.count())),
        placed_(static_cast<std::size_t>(diagram_.count()), false) {}

  // Clears every Flow position and measures every node's title rectangle; false without nodes.
  bool MeasureNodes() {
    int64_t widths = 0, heights = 0;
    int nodes = 0;
    for (int i = 0; i < diagram_.count(); ++i) {
      if (!IsNode(diagram_.object(i))) continue;
      diagram_.object(i).Pos[FlowChart] = kUnsetPoint;
      LayoutEndNode(context_, i);
      const Rect& r = diagram_.state(i).ObjectRect;
      boxes_[Slot(i)] = {r.right - r.left, r.bottom - r.top};
      widths += boxes_[Slot(i)].width;
      heights += boxes_[Slot(i)].height;
      ++nodes;
    }
    if (nodes == 0) return false;
    // The averages stay in view pixels, as measured.
    averageWidth_ = static_cast<int>(widths / nodes);
    averageHeight_ = static_cast<int>(heights / nodes);
    return true;
  }

  // The nodes of each level in sequence order (table order among equal numbers).
  void SortLayers() {
    layers_.assign(static_cast<std::size_t>(std::max(1, diagram_.LevelCount)), {});
    for (int i = 0; i < diagram_.count(); ++i) {
      if (IsNode(diagram_.object(i))) layers_[static_cast<std::size_t>(LevelOf(i))].push_back(i);
    }
    for (std::vector<int>& layer : layers_) {
      std::stable_sort(layer.begin(), layer.end(), [this](int a, int b) {
        return diagram_.state(a).LevelSeq < diagram_.state(b).LevelSeq;
      });
    }
  }

  void SetBaseLine() {
    const HeadlineStyle& headline = diagram_.header.Headline[context_.chart];
    int headlineBottom = 0;
    if (headline.Show == 1) {
      LayoutHeadline(context_);
      headlineBottom = context_.view.headlineRect.bottom;
    }
    baseLine_ = context_.Unzoomed(headlineBottom) + gapV_;
    firstLine_ = gapH_ + 100;
  }

  // The layer with the most nodes goes first, side by side; the others follow from it.
  void PlaceLayers() {
    std::size_t widest = 0;
    for (std::size_t n = 1; n < layers_.size(); ++n) {
      if (layers_[n].size() > layers_[widest].size()) widest = n;
    }
    widestExtent_ = PlaceWidestLayer(static_cast<int>(widest));
    for (int n = static_cast<int>(widest) - 1; n >= 0; --n) PlaceOverChildren(n);
    for (int n = static_cast<int>(widest) + 1; n < static_cast<int>(layers_.size()); ++n) PlaceUnderParent(n);
  }

  // Whatever no rule placed goes to a random place on its layer line, away from the nodes placed
  // there when a free place turns up within the attempts.
  void PlaceTheRest(uint32_t seed) {
    RandomSource random(seed);
    for (int i = 0; i < diagram_.count(); ++i) {
      if (!IsNode(diagram_.object(i)) || placed_[Slot(i)]) continue;
      const Size box = boxes_[Slot(i)];
      const int size = topDown_ ? box.width : box.height;
      const int range = std::max(1, widestExtent_ - size / 2);
      const int64_t line = LineOf(LevelOf(i));
      for (int attempt = 0; attempt < kRandomAttempts; ++attempt) {
        Place(i, int64_t{size} + random.Next() % range, line);
        if (!OverlapsLayer(i)) break;
      }
    }
  }

  bool Fit() { return FitViewToContent(context_, {false, firstLine_, baseLine_, 20, 20}); }

 private:
  static std::size_t Slot(int index) { return static_cast<std::size_t>(index); }

  int LevelOf(int index) const {
    return std::clamp(diagram_.state(index).Level, 0, static_cast<int>(layers_.size()) - 1);
  }

  // Where the layer's nodes stand along the direction of the flow.
  int64_t LineOf(int level) const {
    return topDown_ ? int64_t{level} * (averageHeight_ + gapV_) + baseLine_
                    : int64_t{level} * (averageWidth_ + gapH_) + firstLine_;
  }

  // A node's coordinate across the flow: x when the layers run top to bottom, y otherwise.
  int CrossOf(int index) const {
    const Point p = diagram_.object(index).Pos[FlowChart];
    return topDown_ ? p.X : p.Y;
  }

  // Coordinates come in 64 bits, so that a damaged document's huge titles cannot overflow them.
  void Place(int index, int64_t cross, int64_t line) {
    const Point along{Clamp32(cross), Clamp32(line)};
    diagram_.object(index).Pos[FlowChart] = topDown_ ? along : Point{along.Y, along.X};
    placed_[Slot(index)] = true;
  }

  // The widest layer side by side from its first line; the extent it reaches.
  int PlaceWidestLayer(int level) {
    int64_t cursor = topDown_ ? firstLine_ : baseLine_;
    for (int i : layers_[static_cast<std::size_t>(level)]) {
      const Size box = boxes_[Slot(i)];
      const int size = context_.Unzoomed(topDown_ ? box.width : box.height);
      Place(i, cursor + size / 2, LineOf(level));
      cursor += size + (topDown_ ? gapH_ : gapV_);
    }
    return Clamp32(cursor);
  }

  // Each parent centred over its children placed so far.
  void PlaceOverChildren(int level) {
    for (int i : layers_[static_cast<std::size_t>(level)]) {
      int64_t sum = 0;
      int count = 0;
      for (int child : children_.ChildrenOf(diagram_.object(i).Serial)) {
        if (!placed_[Slot(child)]) continue;
        sum += CrossOf(child);
        ++count;
      }
      if (count == 0) continue;
      const int64_t cross = sum / count;
      if (cross > 0) Place(i, cross, LineOf(level));
    }
  }

  // Each child after the children of its first placed parent placed so far, or, as the first of
  // them, half a row of average boxes before the parent.
  void PlaceUnderParent(int level) {
    for (int i : layers_[static_cast<std::size_t>(level)]) {
      const int parent = FirstPlacedParent(i);
      if (parent < 0) continue;
      const std::span<const int> siblings = children_.ChildrenOf(diagram_.object(parent).Serial);
      std::optional<int> farEdge;
      for (int sibling : siblings) {
        if (!placed_[Slot(sibling)]) continue;
        LayoutEndNode(context_, sibling);
        const Rect& r = diagram_.state(sibling).ObjectRect;
        const int edge = topDown_ ? r.right : r.bottom;
        farEdge = farEdge ? std::max(*farEdge, edge) : edge;
      }
      const int64_t rowStep = topDown_ ? averageWidth_ + gapH_ : averageHeight_ + gapV_;
      const int64_t start = farEdge ? int64_t{context_.Unzoomed(*farEdge)} + (topDown_ ? gapH_ : gapV_)
                                    : CrossOf(parent) - static_cast<int64_t>(siblings.size()) * rowStep / 2;
      const Size box = boxes_[Slot(i)];
      const int64_t cross = start + context_.Unzoomed((topDown_ ? box.width : box.height) / 2);
      if (cross > 0) Place(i, cross, LineOf(level));
    }
  }

  // The placed parent that comes first in the table; -1 when none is placed.
  int FirstPlacedParent(int index) const {
    const DiagramObject& object = diagram_.object(index);
    int first = -1;
    for (int k = 0; k < std::clamp(object.ParentCount, 0, kMaxParents); ++k) {
      const int parent = children_.NodeOf(object.ParentSerials[k]);
      if (parent >= 0 && parent != index && placed_[Slot(parent)] && (first < 0 || parent < first))
        first = parent;
    }
    return first;
  }

  // The node's box centred on its Flow position, in view pixels.
  Rect PlacedBox(int index) const {
    const Point p = diagram_.object(index).Pos[FlowChart];
    const Size box = boxes_[Slot(index)];
    const int halfWidth = context_.Unzoomed(box.width) / 2, halfHeight = context_.Unzoomed(box.height) / 2;
    const auto zoomed = [this](int64_t v) { return context_.Zoomed(Clamp32(v)); };
    return {zoomed(int64_t{p.X} - halfWidth), zoomed(int64_t{p.Y} - halfHeight),
            zoomed(int64_t{p.X} + halfWidth), zoomed(int64_t{p.Y} + halfHeight)};
  }

  bool OverlapsLayer(int index) const {
    const Rect box = PlacedBox(index);
    for (int other : layers_[static_cast<std::size_t>(LevelOf(index))]) {
      if (other != index && placed_[Slot(other)] && RectsIntersect(box, PlacedBox(other))) return true;
    }
    return false;
  }

  RenderContext& context_;
  Diagram& diagram_;
  const ChildLists& children_;
  const bool topDown_;
  const int gapH_;
  const int gapV_;
  std::vector<Size> boxes_;  // each node's title rectangle at (-1, -1), view pixels
  std::vector<bool> placed_;
  std::vector<std::vector<int>> layers_;
  int averageWidth_ = 0;
  int averageHeight_ = 0;
  int baseLine_ = 0;   // the first layer's line below the headline (F)
  int firstLine_ = 0;  // the first layer's line from the left (X0)
  int widestExtent_ = 0;
};

}  // namespace

bool FlowLayout(RenderContext& context, uint32_t seed) {
  ComputeLevels(context.diagram);
  const ChildLists children(context.diagram);
  FlowLayouter layouter(context, children);
  if (!layouter.MeasureNodes()) return false;
  layouter.SortLayers();
  layouter.SetBaseLine();
  layouter.PlaceLayers();
  layouter.PlaceTheRest(seed);
  return layouter.Fit();
}

}  // namespace ravelo
