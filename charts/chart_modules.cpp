#include "charts/chart_modules.h"

#include "charts/flow/flow_chart.h"

namespace ravelo {

OtherCharts ChartDrawings() {
  OtherCharts drawings;
  drawings.flow = FlowDraw;
  return drawings;
}

ChartEntryOutcome EnterChart(RenderContext& context, uint32_t seed) {
  if (context.chart == FlowChart) {
    const FlowLayoutOutcome outcome = FlowAutoLayout(context, seed);
    return {outcome.laidOut, outcome.viewResized};
  }
  return {};
}

}  // namespace ravelo
