// GIF through giflib: the first frame is read, and one frame is written.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/image_file.h"
#include "platform/picture.h"
#include "platform/picture_budget.h"

namespace ravelo {

// The first frame on its logical screen: pixels of the transparent index keep their palette colour with
// alpha 0, screen pixels outside the frame are transparent black. Null when the file is not a GIF or
// ends before the first frame is complete.
std::optional<Picture> DecodeGif(std::span<const uint8_t> fileBytes, PictureBudget& budget);

// A GIF89a file of one frame over a global palette of at most 256 colours (see ReduceToPalette),
// with a graphic control extension right after the palette. With a transparent colour the nearest
// palette entry becomes the transparent index. Alpha is ignored. Empty when the picture holds no
// usable pixels.
std::vector<uint8_t> EncodeGif(const Picture& picture, std::optional<RgbColour> transparentColour);

}  // namespace ravelo
