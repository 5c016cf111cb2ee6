// The zoom of each chart and its rules, the view commands that set it, and the grid choice.
#pragma once

#include <optional>

#include "model/records.h"
#include "render/surface.h"

namespace ravelo {

constexpr float kLargestZoom = 4.0f;
constexpr float kSmallestZoom = 0.08f;
constexpr int kLargestCanvas = 5000;  // pixels a chart's view area may span at its zoom

// The one clamp of every zoom change: 0.08 to 4.0, then the view width and then the view height
// of the chart, each tested with that value, must not span more than 5000 pixels (the height
// rule comes last and wins).
float ClampZoom(const DocumentHeader& header, int chart, float zoom);

// The zoom at which the chart's view area fits the client area, clamped; none for a damaged
// view area of no size.
std::optional<float> FitZoom(const DocumentHeader& header, int chart, Size client);

// The zoom of a command of the ZOOM menu (10 % .. 400 %); none for another command.
std::optional<float> CommandZoom(int command);

// The command values of the zoom console and the ZOOM menu.
namespace zoom_command {
enum : int {
  kZoom10 = 510,
  kZoom25 = 511,
  kZoom50 = 512,
  kAlwaysShowConsole = 32774,
  kZoom100 = 32775,
  kZoom200 = 32776,
  kZoom300 = 32777,
  kZoom400 = 32778,
  kFitToWindow = 32779,
  kResetConsole = 32771,  // ID_ZOOM_DEF
};
}  // namespace zoom_command

// The grid commands and what each makes of GridMode (1 every 10 pixels, 2 every 40, 3 every 70,
// 4 every 100, 5 a centre cross; negative: switched off, remembering its kind).
namespace grid_command {
enum : int {
  kToggle = 678,  // ID_GRID_BTN
  kOff = 679,     // ID_GRID_NON: the same switch as kToggle
  kCross = 680,
  k10 = 681,
  k40 = 682,
  k70 = 683,
  k100 = 684,
  kInFront = 705,  // ID_GRID_FOWARD: a setting, not the document's mode
};
}  // namespace grid_command
// The new GridMode for a grid command other than kInFront; none for another command.
std::optional<int> GridModeAfter(int gridMode, int command);

}  // namespace ravelo
