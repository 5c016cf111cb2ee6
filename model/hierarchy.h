// The containment hierarchy read from the parent lists: for a serial, the nodes that list it as a
// parent, in table order. Built once per use so that the charts walk children and descendants
// without searching the table for every step.
#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "model/diagram.h"

namespace ravelo {

class ChildLists {
 public:
  explicit ChildLists(const Diagram& diagram);

  // The nodes whose parent list holds the serial, in table order, each once.
  std::span<const int> ChildrenOf(int32_t serial) const;

  // The first node with the serial, as FindBySerial finds it; -1 when none.
  int NodeOf(int32_t serial) const;

  // Every node of which the node at index is an ancestor (children, their children, ...), in no
  // particular order; the node itself never, even in a damaged table whose parents run in a cycle.
  std::vector<int> DescendantsOf(int index) const;

 private:
  const Diagram& diagram_;
  std::unordered_map<int32_t, std::vector<int>> children_;
  std::unordered_map<int32_t, int> firstBySerial_;
};

}  // namespace ravelo
