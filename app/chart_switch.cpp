#include "app/chart_switch.h"

namespace ravelo {

Point SwitchChart(DocumentHeader& header, int chart, Point currentScroll, Size client) {
  const int shown = ShownChart(header);
  if (chart == shown) return currentScroll;
  header.Scroll[shown] = currentScroll;
  header.CurrentChart = chart;
  return RestoredScroll(header, chart, client);
}

void LeaveChart(ViewState& view) {
  constexpr int kArcLine = 99;
  view.editTarget = ViewState::kEditNone;
  view.headlineSelected = false;
  view.memoSelected = false;
  view.selectedArcEnd = kArcLine;
  view.headlineTextRect = {};
  view.headlineRect = {};
}

int NextChart(int chart) { return (chart + 1) % kChartCount; }

int PreviousChart(int chart) { return (chart + kChartCount - 1) % kChartCount; }

}  // namespace ravelo
