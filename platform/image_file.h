// Picture files: which format a file is, decoding any of them into straight (not premultiplied)
// 32-bit BGRA pixels, and encoding pixels as a complete file. Decoders trust no length or size in
// the data: a damaged, truncated or implausibly large file gives no picture.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/picture.h"
#include "platform/picture_budget.h"

namespace ravelo {

enum class ImageFormat { Unknown, Bmp, Jpeg, Gif, Png, Tiff };

// Largest width or height any decoder accepts or any encoder writes.
constexpr int kMaxImageSide = 16384;

struct RgbColour {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

// The format a file is written in, told by its first bytes.
ImageFormat DetectImageFormat(std::span<const uint8_t> fileBytes);

// The format a file name extension (without the dot, any case) stands for: "jpg" and "jpeg", "gif",
// "bmp", "png", "tif" and "tiff"; anything else is Unknown.
ImageFormat ImageFormatOfExtension(std::string_view extension);

// The format an encoder name selects: exactly "jpeg", "bmp", "gif", "png" or "tiff" (lower case, the
// names ImageFormatName gives); anything else, "jpg" included, is Unknown.
ImageFormat ImageFormatOfEncoderName(std::string_view name);

// "jpeg", "bmp", "gif", "png" or "tiff"; empty for Unknown.
std::string_view ImageFormatName(ImageFormat format);

// True when the picture holds a usable pixel buffer: both sides in 1..kMaxImageSide and exactly
// width * height * 4 bytes.
bool HasPixelData(const Picture& picture);

// True when some pixel is not fully opaque (alpha below 255).
bool HasTransparency(const Picture& picture);

// Decodes a complete BMP, JPEG, GIF (first frame), PNG or TIFF (first image) file, detected by its first
// bytes, when its pixels fit the budget. The picture carries pixels only (its fileBytes stay empty).
std::optional<Picture> DecodeImageFile(std::span<const uint8_t> fileBytes, PictureBudget& budget);

// The same for a picture on its own, within the budget of one picture.
std::optional<Picture> DecodeImageFile(std::span<const uint8_t> fileBytes);

struct ImageEncodeOptions {
  int jpegQuality = 100;  // 0..100, used by JPEG only
  // GIF only: the palette entry nearest to this colour (smallest sum of the differences of red, green
  // and blue; the first of equals) becomes the transparent index.
  std::optional<RgbColour> gifTransparentColour;
};

// Writes the picture as a complete file; empty when the format is Unknown or the picture holds no
// usable pixels. BMP is 32 bits with alpha when the picture has transparency, else 24 bits; PNG and
// TIFF keep the alpha channel when there is transparency; JPEG and GIF ignore alpha (GIF marks only
// gifTransparentColour as transparent).
std::vector<uint8_t> EncodeImageFile(const Picture& picture, ImageFormat format,
                                     const ImageEncodeOptions& options = {});

}  // namespace ravelo
