#include "model/levels.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "model/hierarchy.h"

namespace ravelo {
namespace {

// A node with several parents is numbered again on every visit, so a hierarchy that joins and
// parts many times over costs visits that grow with every layer. A document of the editor stays far
// below this budget; a crafted one stops numbering here instead of hanging the program.
constexpr int64_t kVisitsPerObject = 2000;

class Numbering {
 public:
  Numbering(Diagram& diagram, const ChildLists& children)
      : diagram_(diagram),
        children_(children),
        visitsLeft_(kVisitsPerObject * std::max(1, diagram.count())) {}

  void NumberRoot(int index) {
    ObjectState& state = diagram_.state(index);
    state.Level = 0;
    state.LevelSeq = sequence_++;
    if (diagram_.object(index).IsEndNode == 0) NumberChildren(index);
  }

 private:
  // Depth first, each child before its next sibling; a node deeper than the table is long (only a
  // damaged table whose parents run in a cycle gets there) is not descended from.
  void NumberChildren(int root) {
    struct Frame {
      std::span<const int> children;
      std::size_t next;
      int depth;
    };
    std::vector<Frame> stack{{children_.ChildrenOf(diagram_.object(root).Serial), 0, 0}};
    while (!stack.empty() && visitsLeft_ > 0) {
      Frame& frame = stack.back();
      if (frame.next == frame.children.size()) {
        stack.pop_back();
        continue;
      }
      const int child = frame.children[frame.next++];
      const int level = frame.depth + 1;
      --visitsLeft_;
      ObjectState& state = diagram_.state(child);
      state.Level = level;
      state.LevelSeq = sequence_++;
      if (diagram_.object(child).IsEndNode == 0 && level < diagram_.count()) {
        stack.push_back({children_.ChildrenOf(diagram_.object(child).Serial), 0, level});
      }
    }
  }

  Diagram& diagram_;
  const ChildLists& children_;
  int32_t sequence_ = 0;
  int64_t visitsLeft_;
};

// The parents of a node that resolve to a node.
std::vector<int> ParentsOf(const Diagram& diagram, const ChildLists& children, int index) {
  const DiagramObject& object = diagram.object(index);
  std::vector<int> parents;
  for (int k = 0; k < std::clamp(object.ParentCount, 0, kMaxParents); ++k) {
    const int parent = children.NodeOf(object.ParentSerials[k]);
    if (parent >= 0 && parent != index) parents.push_back(parent);
  }
  return parents;
}

}  // namespace

void ComputeLevels(Diagram& diagram, Progress* progress) {
  const ChildLists children(diagram);
  for (int i = 0; i < diagram.count(); ++i) {
    diagram.state(i).Level = 0;
    diagram.state(i).LevelSeq = 0;
  }

  if (progress != nullptr) {
    progress->SetRange(diagram.count());
    progress->SetPosition(0);
  }
  Numbering numbering(diagram, children);
  for (int i = 0; i < diagram.count(); ++i) {
    if (progress != nullptr) progress->SetPosition(i);
    if (IsLinkArc(diagram.object(i)) || !ParentsOf(diagram, children, i).empty()) continue;
    numbering.NumberRoot(i);
  }
  if (progress != nullptr) progress->SetPosition(0);

  // An end node sits one level below its deepest parent, and its parents one level above it.
  const auto isLevelledEndNode = [&](int i) {
    const DiagramObject& object = diagram.object(i);
    return !IsLinkArc(object) && object.IsEndNode != 0 && diagram.state(i).Level != 0;
  };
  for (int i = 0; i < diagram.count(); ++i) {
    if (!isLevelledEndNode(i)) continue;
    const std::vector<int> parents = ParentsOf(diagram, children, i);
    if (parents.empty()) continue;
    int deepest = 0;
    for (int parent : parents) deepest = std::max(deepest, diagram.state(parent).Level);
    diagram.state(i).Level = deepest + 1;
  }
  for (int i = 0; i < diagram.count(); ++i) {
    if (!isLevelledEndNode(i)) continue;
    for (int parent : ParentsOf(diagram, children, i))
      diagram.state(parent).Level = diagram.state(i).Level - 1;
  }

  int deepest = 0;
  for (int i = 0; i < diagram.count(); ++i) {
    if (!IsLinkArc(diagram.object(i))) deepest = std::max(deepest, diagram.state(i).Level);
  }
  diagram.LevelCount = deepest + 1;
}

}  // namespace ravelo
