// The few rules in which the charts differ for the view: hit testing, selection and the mouse ask
// the chart shown through this interface instead of switching on the chart themselves. Each chart
// answers for itself beside its own layout; a chart that keeps the plain rules needs nothing.
#pragma once

#include <string_view>

#include "model/diagram.h"

namespace ravelo {

class ChartRules {
 public:
  virtual ~ChartRules() = default;

  // Whether the node is drawn as a box around its children: its ObjectRect is the title band, its
  // halves follow the band's side, and it has title bands, box handles and moves as a whole box.
  virtual bool IsBox(const DiagramObject&) const { return false; }

  // Whether a node, as the main selection, has a rotation ring and radius handle.
  virtual bool NodesHaveRing() const { return false; }

  // The position of a node in the chart that a move changes (document units).
  virtual Point& PositionOf(DiagramObject& node, int chart) const { return node.Pos[chart]; }

  // Why the node cannot be moved with the mouse (the guide text), or empty when it can.
  virtual std::string_view MoveRefusal(const Diagram&, int) const { return {}; }
};

// The rules of a chart (ChartKind); a damaged value gets the Box chart's.
const ChartRules& RulesOf(int chart);

}  // namespace ravelo
