#include "output/pixel_scaling.h"

#include <algorithm>
#include <cmath>

namespace ravelo {

Picture ScalePixels(const Picture& source, int width, int height) {
  Picture out;
  out.width = width;
  out.height = height;
  out.bgra.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  if (width == source.width && height == source.height) {
    out.bgra = source.bgra;
    return out;
  }
  const auto at = [&](int x, int y) {
    x = std::clamp(x, 0, source.width - 1);
    y = std::clamp(y, 0, source.height - 1);
    return source.bgra.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width) +
                                 static_cast<std::size_t>(x)) * 4;
  };
  const float sx = static_cast<float>(source.width) / static_cast<float>(width);
  const float sy = static_cast<float>(source.height) / static_cast<float>(height);
  for (int y = 0; y < height; ++y) {
    const float fy = std::max(0.0f, (static_cast<float>(y) + 0.5f) * sy - 0.5f);
    const int y0 = static_cast<int>(fy);
    const float wy = fy - static_cast<float>(y0);
    for (int x = 0; x < width; ++x) {
      const float fx = std::max(0.0f, (static_cast<float>(x) + 0.5f) * sx - 0.5f);
      const int x0 = static_cast<int>(fx);
      const float wx = fx - static_cast<float>(x0);
      const uint8_t* corners[4] = {at(x0, y0), at(x0 + 1, y0), at(x0, y0 + 1), at(x0 + 1, y0 + 1)};
      const float weights[4] = {(1 - wx) * (1 - wy), wx * (1 - wy), (1 - wx) * wy, wx * wy};
      uint8_t* px = out.bgra.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                       static_cast<std::size_t>(x)) * 4;
      for (int c = 0; c < 4; ++c) {
        float value = 0;
        for (int k = 0; k < 4; ++k) value += weights[k] * static_cast<float>(corners[k][c]);
        px[c] = static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 255.0f)));
      }
    }
  }
  return out;
}

}  // namespace ravelo
