#include "view/zoom.h"

#include <algorithm>

namespace ravelo {

float ClampZoom(const DocumentHeader& header, int chart, float zoom) {
  float z = zoom;
  if (!(z <= kLargestZoom)) z = kLargestZoom;  // NaN too
  if (z < kSmallestZoom) z = kSmallestZoom;
  float result = z;
  const int32_t width = header.ViewWidth[chart];
  const int32_t height = header.ViewHeight[chart];
  if (width > 0 && static_cast<int64_t>(z * static_cast<float>(width)) > kLargestCanvas)
    result = static_cast<float>(kLargestCanvas) / static_cast<float>(width);
  if (height > 0 && static_cast<int64_t>(z * static_cast<float>(height)) > kLargestCanvas)
    result = static_cast<float>(kLargestCanvas) / static_cast<float>(height);
  return result;
}

std::optional<float> FitZoom(const DocumentHeader& header, int chart, Size client) {
  const int32_t width = header.ViewWidth[chart];
  const int32_t height = header.ViewHeight[chart];
  if (width <= 0 || height <= 0) return std::nullopt;
  const float zoom = std::min(static_cast<float>(client.width) / static_cast<float>(width),
                              static_cast<float>(client.height) / static_cast<float>(height));
  return ClampZoom(header, chart, zoom);
}

std::optional<float> CommandZoom(int command) {
  using namespace zoom_command;
  switch (command) {
    case kZoom10:
      return 0.1f;
    case kZoom25:
      return 0.25f;
    case kZoom50:
      return 0.5f;
    case kZoom100:
      return 1.0f;
    case kZoom200:
      return 2.0f;
    case kZoom300:
      return 3.0f;
    case kZoom400:
      return 4.0f;
    default:
      return std::nullopt;
  }
}

std::optional<int> GridModeAfter(int gridMode, int command) {
  using namespace grid_command;
  switch (command) {
    case kToggle:
    case kOff:
      return -gridMode;
    case kCross:
      return 5;
    case k10:
    case k40:
    case k70:
    case k100:
      return command - k10 + 1;
    default:
      return std::nullopt;
  }
}

}  // namespace ravelo
