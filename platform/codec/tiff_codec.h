// TIFF through libtiff, on files held in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/picture.h"
#include "platform/picture_budget.h"

namespace ravelo {

// The first image of the file. 8-bit grey, palette and RGB images in strips keep their alpha exactly
// (premultiplied alpha is undone); every other layout goes through libtiff's RGBA conversion. Null when
// the file is damaged, ends early or is larger than its data could describe.
std::optional<Picture> DecodeTiff(std::span<const uint8_t> fileBytes, PictureBudget& budget);

// LZW-compressed 8-bit RGB, or RGBA with unassociated alpha when the picture has transparency, at
// 96 dpi. Empty when the picture holds no usable pixels.
std::vector<uint8_t> EncodeTiff(const Picture& picture);

}  // namespace ravelo
