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

}  // namespace
}  // namespace ravelo
