#include "render/font.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "model/cp932.h"

namespace ravelo {

Font MakeFont(const Surface& surface, std::string_view faceCp932, int size, float zoom, bool bold,
              bool italic, bool vertical) {
  // The editor sets at most 120 points; the upper bound only keeps a damaged document from asking
  // for a font of absurd size.
  constexpr float kLargestPoints = 1000;
  const DeviceCaps caps = surface.Caps();
  const float scaled = caps.printer ? static_cast<float>(size) : static_cast<float>(size) * zoom;
  const float points = std::clamp(scaled, 2.0f, kLargestPoints);
  Font font;
  std::string face = faceCp932.empty() ? std::string(kDefaultFace) : Cp932ToUtf8(faceCp932);
  font.face = vertical ? std::string("@").append(face) : std::move(face);
  font.height = -static_cast<int>(std::lround(points * static_cast<float>(caps.dpiY) / 72.0f));
  font.bold = bold;
  font.italic = italic;
  font.escapement = vertical ? 2700 : 0;
  return font;
}

}  // namespace ravelo
