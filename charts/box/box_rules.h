// The Box chart's own rules for the view: a parent node is an enclosing box.
#pragma once

#include "charts/chart_rules.h"

namespace ravelo {

class BoxChartRules final : public ChartRules {
 public:
  bool IsBox(const DiagramObject& node) const override;
};

}  // namespace ravelo
