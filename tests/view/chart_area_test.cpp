#include "view/chart_area.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(ChartArea, IsTheViewAreaWithItsMarginTimesTheZoomTruncated) {
  DocumentHeader h = FourCharts();
  EXPECT_EQ(ScrollArea(h, BoxChart), (Size{1550, 1550}));
  h.ViewWidth[StarChart] = 1000;
  h.ViewHeight[StarChart] = 700;
  h.Zoom[StarChart] = 0.33f;
  EXPECT_EQ(ScrollArea(h, StarChart), (Size{346, 247}));  // 346.5 and 247.5 truncated
}

TEST(ChartArea, ADamagedHeaderGivesAnEmptyOrBoundedAreaAndTheBoxChart) {
  DocumentHeader h = FourCharts();
  h.Zoom[BoxChart] = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(ScrollArea(h, BoxChart), (Size{0, 0}));
  h.Zoom[BoxChart] = -2.0f;
  EXPECT_EQ(ScrollArea(h, BoxChart), (Size{0, 0}));
  h.Zoom[BoxChart] = std::numeric_limits<float>::infinity();
  h.ViewWidth[BoxChart] = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(ScrollArea(h, BoxChart).width, 1 << 20);
  h.CurrentChart = 9;
  EXPECT_EQ(ShownChart(h), BoxChart);
  h.CurrentChart = -1;
  EXPECT_EQ(ShownChart(h), BoxChart);
}

TEST(ChartArea, RestoredScrollKeepsOnlyTheAxesThatCanScroll) {
  DocumentHeader h = FourCharts();
  h.Scroll[BoxChart] = {300, 400};
  EXPECT_EQ(RestoredScroll(h, BoxChart, {800, 600}), (Point{300, 400}));
  EXPECT_EQ(RestoredScroll(h, BoxChart, {1600, 600}), (Point{0, 400}));
  EXPECT_EQ(RestoredScroll(h, BoxChart, {800, 1550}), (Point{300, 0}));
}

TEST(CursorPosition, IsShownInDocumentUnitsInsideTheViewAreaOnly) {
  DocumentHeader h = FourCharts();
  h.Zoom[BoxChart] = 2.0f;
  EXPECT_EQ(CursorPositionText(h, BoxChart, {0, 0}), "0, 0");
  EXPECT_EQ(CursorPositionText(h, BoxChart, {301, 2999}), "150, 1499");
  EXPECT_EQ(CursorPositionText(h, BoxChart, {3000, 10}), "") << "the margin beyond the view area";
  EXPECT_EQ(CursorPositionText(h, BoxChart, {-1, 10}), "");
  h.Zoom[BoxChart] = 0.0f;
  EXPECT_EQ(CursorPositionText(h, BoxChart, {0, 0}), "") << "a chart without size has no inside";
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

}  // namespace
}  // namespace ravelo
