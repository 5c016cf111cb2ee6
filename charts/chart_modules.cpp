#include "charts/chart_modules.h"

#include "charts/action/action_drawing.h"
#include "charts/action/action_layout.h"
#include "charts/flow/flow_chart.h"
#include "charts/star/star_drawing.h"
#include "charts/star/star_layout.h"

namespace ravelo {
namespace {

// The Action layout takes its seeds from a clock; on entry that clock stands still at the seed.
class SeedClock final : public Clock {
 public:
  explicit SeedClock(uint32_t seed) : seed_(seed) {}
  int64_t Now() const override { return seed_; }

 private:
  int64_t seed_;
};

}  // namespace

OtherCharts ChartDrawings(uint32_t seed) {
  return OtherCharts{.star = StarChartDrawing(seed), .action = DrawActionChart, .flow = FlowDraw};
}

ChartEntryOutcome EnterChart(RenderContext& context, uint32_t seed) {
  switch (context.chart) {
    case StarChart:
      return {StarAutoLayout(context, seed), false};
    case ActionChart: {
      const SeedClock clock(seed);
      ActionLayout layout(clock);
      return {layout.AutoLayout(context), false};
    }
    case FlowChart: {
      const FlowLayoutOutcome outcome = FlowAutoLayout(context, seed);
      return {outcome.laidOut, outcome.viewResized};
    }
    default:
      return {};
  }
}

}  // namespace ravelo
