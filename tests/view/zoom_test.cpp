// The zoom clamp with its size rules, the fitting zoom, the ZOOM menu's values and the grid modes.
#include "view/zoom.h"

#include <gtest/gtest.h>

namespace ravelo {
namespace {

DocumentHeader View(int width, int height) {
  DocumentHeader h{};
  h.ViewWidth[BoxChart] = width;
  h.ViewHeight[BoxChart] = height;
  return h;
}

TEST(ZoomClamp, KeepsTheViewAreaWithinFiveThousandPixels) {
  EXPECT_FLOAT_EQ(ClampZoom(View(1500, 1500), BoxChart, 9.0f), 3.3333333f);
  EXPECT_FLOAT_EQ(ClampZoom(View(5000, 1000), BoxChart, 2.0f), 1.0f) << "never above 1.0";
  EXPECT_FLOAT_EQ(ClampZoom(View(2500, 1250), BoxChart, 3.0f), 2.0f) << "never above 2.0";
  EXPECT_FLOAT_EQ(ClampZoom(View(5000, 2000), BoxChart, 4.0f), 2.5f)
      << "the height rule, tested with 4.0, comes last and wins";
  EXPECT_FLOAT_EQ(ClampZoom(View(2000, 1000), BoxChart, *CommandZoom(zoom_command::kZoom400)), 2.5f);
  EXPECT_FLOAT_EQ(ClampZoom(View(1000, 1000), BoxChart, 0.01f), 0.08f);
  EXPECT_FLOAT_EQ(ClampZoom(View(1000, 1000), BoxChart, 4.5f), 4.0f);
  EXPECT_FLOAT_EQ(ClampZoom(View(0, 0), BoxChart, 1.5f), 1.5f) << "a damaged area of no size";
}

TEST(ZoomFit, TheSmallerOfTheTwoRatios) {
  EXPECT_FLOAT_EQ(*FitZoom(View(1600, 900), BoxChart, {800, 600}), 0.5f);
  EXPECT_FLOAT_EQ(*FitZoom(View(100, 100), BoxChart, {800, 600}), 4.0f) << "clamped";
  EXPECT_FALSE(FitZoom(View(0, 900), BoxChart, {800, 600}));
}

TEST(ZoomCommands, TheMenuValues) {
  using namespace zoom_command;
  EXPECT_FLOAT_EQ(*CommandZoom(kZoom10), 0.1f);
  EXPECT_FLOAT_EQ(*CommandZoom(kZoom25), 0.25f);
  EXPECT_FLOAT_EQ(*CommandZoom(kZoom100), 1.0f);
  EXPECT_FLOAT_EQ(*CommandZoom(kZoom300), 3.0f);
  EXPECT_FALSE(CommandZoom(kFitToWindow));
}

TEST(GridModes, OffRemembersTheKindChosen) {
  using namespace grid_command;
  EXPECT_EQ(*GridModeAfter(-2, kToggle), 2) << "40 pixels again";
  EXPECT_EQ(*GridModeAfter(2, kOff), -2);
  EXPECT_EQ(*GridModeAfter(-1, kToggle), 1);
  EXPECT_EQ(*GridModeAfter(3, kCross), 5);
  EXPECT_EQ(*GridModeAfter(-4, k10), 1);
  EXPECT_EQ(*GridModeAfter(1, k100), 4);
  EXPECT_FALSE(GridModeAfter(1, kInFront)) << "a setting, not the mode";
}

}  // namespace
}  // namespace ravelo
