// PNG read through libpng's simplified interface, which keeps libpng's error jumps inside libpng,
// and written by the project's own writer over a fast deflate (whole charts are a common export).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/picture.h"
#include "platform/picture_budget.h"

namespace ravelo {

// Every colour type and depth: palette (with tRNS), grey, grey with alpha, RGB, RGBA, 16-bit samples
// (16-bit data without gamma information is taken as sRGB, as 8-bit data is). Null when the file is
// damaged or ends early.
std::optional<Picture> DecodePng(std::span<const uint8_t> fileBytes, PictureBudget& budget);

// 8-bit RGBA when the picture has transparency, else 8-bit RGB, compressed on two threads. Empty
// when the picture holds no usable pixels.
std::vector<uint8_t> EncodePng(const Picture& picture);

}  // namespace ravelo
