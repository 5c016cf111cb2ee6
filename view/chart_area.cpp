#include "view/chart_area.h"

#include <cmath>

namespace ravelo {

namespace {

constexpr int kScrollMargin = 50;
constexpr float kLargestCanvas = 1 << 20;

}  // namespace

int ShownChart(const DocumentHeader& header) {
  return header.CurrentChart >= 0 && header.CurrentChart < kChartCount ? header.CurrentChart : BoxChart;
}

int ScaledLength(int64_t length, float zoom) {
  const float scaled = static_cast<float>(length) * zoom;
  if (!(scaled > 0.0f)) return 0;
  return static_cast<int>(std::fmin(scaled, kLargestCanvas));
}

Size ScrollArea(const DocumentHeader& header, int chart) {
  const float zoom = header.Zoom[chart];
  return {ScaledLength(int64_t{header.ViewWidth[chart]} + kScrollMargin, zoom),
          ScaledLength(int64_t{header.ViewHeight[chart]} + kScrollMargin, zoom)};
}

Point RestoredScroll(const DocumentHeader& header, int chart, Size client) {
  const Size area = ScrollArea(header, chart);
  const Point stored = header.Scroll[chart];
  return {area.width > client.width ? stored.X : 0, area.height > client.height ? stored.Y : 0};
}

std::string CursorPositionText(const DocumentHeader& header, int chart, Point canvas) {
  const float zoom = header.Zoom[chart];
  const int width = ScaledLength(header.ViewWidth[chart], zoom);
  const int height = ScaledLength(header.ViewHeight[chart], zoom);
  if (canvas.X < 0 || canvas.Y < 0 || canvas.X >= width || canvas.Y >= height) return {};
  const int x = static_cast<int>(static_cast<float>(canvas.X) / zoom);
  const int y = static_cast<int>(static_cast<float>(canvas.Y) / zoom);
  return std::to_string(x) + ", " + std::to_string(y);
}

}  // namespace ravelo
