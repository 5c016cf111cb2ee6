// JPEG through libjpeg-turbo.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/picture.h"
#include "platform/picture_budget.h"

namespace ravelo {

// Null when the bytes are not a complete JPEG file: a stream that ends early or whose entropy-coded data
// runs into a marker is refused rather than shown half grey. Colour, grey and CMYK files decode; every
// pixel is opaque.
std::optional<Picture> DecodeJpeg(std::span<const uint8_t> fileBytes, PictureBudget& budget);

// Baseline JPEG at the given quality (clamped to 0..100), 96 dpi; from quality 90 upwards the colour
// is not subsampled. Alpha is ignored. Empty when the picture holds no usable pixels.
std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality);

}  // namespace ravelo
