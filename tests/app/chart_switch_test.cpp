#include "app/chart_switch.h"

#include <gtest/gtest.h>

namespace ravelo {
namespace {

DocumentHeader FourCharts() {
  DocumentHeader h{};
  for (int c = 0; c < kChartCount; ++c) {
    h.Zoom[c] = 1.0f;
    h.ViewWidth[c] = 1500;
    h.ViewHeight[c] = 1500;
  }
  return h;
}

TEST(ChartSwitch, KeepsEachChartsScrollPosition) {
  DocumentHeader h = FourCharts();
  h.CurrentChart = BoxChart;
  const Size client{800, 600};
  Point scroll{120, 80};
  for (int k = 0; k < 3; ++k) scroll = SwitchChart(h, NextChart(ShownChart(h)), scroll, client);
  EXPECT_EQ(h.CurrentChart, FlowChart);
  EXPECT_EQ(scroll, (Point{0, 0}));
  scroll = SwitchChart(h, NextChart(FlowChart), {5, 6}, client);
  EXPECT_EQ(h.CurrentChart, BoxChart) << "after Flow comes Box again";
  EXPECT_EQ(scroll, (Point{120, 80}));
  EXPECT_EQ(h.Scroll[FlowChart], (Point{5, 6}));
}

TEST(ChartSwitch, ToTheChartShownChangesNothing) {
  DocumentHeader h = FourCharts();
  h.CurrentChart = StarChart;
  h.Scroll[StarChart] = {1, 2};
  EXPECT_EQ(SwitchChart(h, StarChart, {30, 40}, {800, 600}), (Point{30, 40}));
  EXPECT_EQ(h.Scroll[StarChart], (Point{1, 2}));
}

TEST(ChartSwitch, GoesRoundInBothDirections) {
  EXPECT_EQ(NextChart(BoxChart), StarChart);
  EXPECT_EQ(NextChart(FlowChart), BoxChart);
  EXPECT_EQ(PreviousChart(BoxChart), FlowChart);
  EXPECT_EQ(PreviousChart(ActionChart), StarChart);
}

TEST(ChartSwitch, LeavingAChartForgetsWhatTheViewWorkedOnThere) {
  ViewState view;
  view.editTarget = 3;
  view.headlineSelected = true;
  view.memoSelected = true;
  view.selectedArcEnd = 0;
  view.headlineRect = {1, 2, 3, 4};
  LeaveChart(view);
  EXPECT_EQ(view.editTarget, ViewState::kEditNone);
  EXPECT_FALSE(view.headlineSelected);
  EXPECT_FALSE(view.memoSelected);
  EXPECT_EQ(view.selectedArcEnd, 99) << "the arc's line";
  EXPECT_EQ(view.headlineRect, (Rect{}));
}

}  // namespace
}  // namespace ravelo
