// The BMP reader and writer. The reader takes every header the format has had (the 12-byte core
// header, the 40-byte info header and its 52 to 124-byte successors), 1, 4, 8, 16, 24 and 32 bits
// per pixel, RLE8, RLE4 and bit-field masks, rows bottom-up or top-down.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/picture.h"
#include "platform/picture_budget.h"

namespace ravelo {

// Null when the bytes are not a complete BMP file of a supported kind. 32-bit pixels keep their alpha:
// the alpha mask when the header has one, else the fourth byte of each pixel unless every fourth byte is
// 0 (writers that leave it unused). Pixels an RLE stream skips stay transparent.
std::optional<Picture> DecodeBmp(std::span<const uint8_t> fileBytes, PictureBudget& budget);

enum class BmpDepth { Bits24, Bits32 };

// Bottom-up rows at 96 dpi. 24 bits: the 40-byte info header, alpha dropped. 32 bits: the 108-byte
// header with bit-field masks for blue, green, red and alpha, straight alpha in the fourth byte.
// Empty when the picture holds no usable pixels.
std::vector<uint8_t> EncodeBmp(const Picture& picture, BmpDepth depth);

// The eight kinds of the chart image export.
enum class BmpKind { Bits1, Bits4, Bits4Rle, Bits8, Bits8Rle, Bits16, Bits24, Bits32 };

// A chart image as a BMP of that kind: the 40-byte info header, rows bottom-up at 96 dpi, alpha
// dropped. 1 bit is black and white by brightness; 4 and 8 bits carry a full colour table (16 or 256
// entries, unused ones black) from ReduceToPalette; RLE4 and RLE8 streams end every row and the bitmap, and their pixel data size is
// the stream's length. 16 bits are 5-6-5 and 32 bits 8-8-8 bit fields, the red, green and blue masks
// after the header. Empty when the picture holds no usable pixels.
std::vector<uint8_t> EncodeBmp(const Picture& picture, BmpKind kind);

}  // namespace ravelo
