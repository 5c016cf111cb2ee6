// Reduces a picture to at most 256 (or fewer) colours for palette formats, deterministically: the
// exact colours when there are no more than that, else a median cut over a 15-bit colour histogram.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/image_file.h"
#include "platform/picture.h"

namespace ravelo {

struct PalettedPixels {
  std::vector<RgbColour> palette;  // 1..256 entries
  std::vector<uint8_t> indices;    // one per pixel, rows top to bottom
};

// At most maxColours (2..256) entries. Alpha is ignored. The picture must hold usable pixels.
PalettedPixels ReduceToPalette(const Picture& picture, std::size_t maxColours = 256);

// The entry nearest to the colour: smallest sum of the absolute differences of red, green and blue,
// the first of equals.
int NearestPaletteIndex(const std::vector<RgbColour>& palette, RgbColour colour);

}  // namespace ravelo
