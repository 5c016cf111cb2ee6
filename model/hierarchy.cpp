#include "model/hierarchy.h"

#include <algorithm>

namespace ravelo {

ChildLists::ChildLists(const Diagram& diagram) : diagram_(diagram) {
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& object = diagram.object(i);
    if (IsLinkArc(object)) continue;
    firstBySerial_.emplace(object.Serial, i);
    const int entries = std::clamp(object.ParentCount, 0, kMaxParents);
    for (int k = 0; k < entries; ++k) {
      std::vector<int>& children = children_[object.ParentSerials[k]];
      if (children.empty() || children.back() != i) children.push_back(i);  // a serial listed twice
    }
  }
}

std::span<const int> ChildLists::ChildrenOf(int32_t serial) const {
  const auto found = children_.find(serial);
  if (found == children_.end()) return {};
  return found->second;
}

int ChildLists::NodeOf(int32_t serial) const {
  const auto found = firstBySerial_.find(serial);
  return found == firstBySerial_.end() ? -1 : found->second;
}

std::vector<int> ChildLists::DescendantsOf(int index) const {
  // A parent serial leads on to the node that a look-up by serial finds, so a serial shared by
  // several nodes (a damaged table) passes the hierarchy on through the first of them only.
  std::vector<int> descendants;
  std::vector<bool> seen(static_cast<std::size_t>(diagram_.count()), false);
  seen[static_cast<std::size_t>(index)] = true;
  std::vector<int32_t> serials{diagram_.object(index).Serial};
  while (!serials.empty()) {
    const int32_t serial = serials.back();
    serials.pop_back();
    for (int child : ChildrenOf(serial)) {
      if (seen[static_cast<std::size_t>(child)]) continue;
      seen[static_cast<std::size_t>(child)] = true;
      descendants.push_back(child);
      const int32_t childSerial = diagram_.object(child).Serial;
      if (NodeOf(childSerial) == child) serials.push_back(childSerial);
    }
  }
  return descendants;
}

}  // namespace ravelo
