#include "charts/box/box_rules.h"

namespace ravelo {

bool BoxChartRules::IsBox(const DiagramObject& node) const { return IsNode(node) && node.IsEndNode == 0; }

}  // namespace ravelo
