// Small helpers that put nodes and link arcs straight into a diagram's table for tests.
#pragma once

#include <initializer_list>
#include <string_view>

#include "model/cp932.h"
#include "model/diagram.h"

namespace ravelo::testing {

inline int AddNode(Diagram& d, int32_t serial, std::initializer_list<int32_t> parents = {},
                   std::string_view title = "") {
  const int index = d.header.ObjectCount++;
  DiagramObject& o = d.object(index);
  o = DiagramObject{};
  o.Kind = Node;
  o.Serial = serial;
  o.ToSerial = -1;
  o.IsEndNode = 1;
  SetFieldText(o.Title, title, kTitleBytes);
  for (int32_t parent : parents) {
    o.ParentSerials[o.ParentCount++] = parent;
    const int p = FindBySerial(d, parent);
    if (p >= 0) d.object(p).IsEndNode = 0;
  }
  return index;
}

inline int AddArc(Diagram& d, int32_t fromSerial, int32_t toSerial) {
  const int index = d.header.ObjectCount++;
  DiagramObject& o = d.object(index);
  o = DiagramObject{};
  o.Kind = LinkArc;
  o.Serial = fromSerial;
  o.ToSerial = toSerial;
  return index;
}

}  // namespace ravelo::testing
