#include "charts/chart_rules.h"

#include "charts/box/box_rules.h"

namespace ravelo {

const ChartRules& RulesOf(int chart) {
  static const BoxChartRules box;
  static const ChartRules plain;
  switch (chart) {
    case StarChart:
    case ActionChart:
    case FlowChart:
      return plain;
    default:
      return box;
  }
}

}  // namespace ravelo
