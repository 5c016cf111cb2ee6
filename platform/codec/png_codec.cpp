#include "platform/codec/png_codec.h"

#include <png.h>

#include "platform/codec/decode_limits.h"
#include "platform/image_file.h"

namespace ravelo {

namespace {

// Deflate expands a byte to at most 1032 bytes, and a pixel takes at least one bit.
constexpr uint64_t kMaxPixelsPerByte = 1032 * 8;

// Frees what libpng holds for the image, on every way out.
struct ImageGuard {
  png_image& image;
  ~ImageGuard() { png_image_free(&image); }
};

std::vector<uint8_t> WithoutAlpha(const Picture& picture) {
  std::vector<uint8_t> bgr;
  bgr.reserve(picture.bgra.size() / 4 * 3);
  for (std::size_t i = 0; i < picture.bgra.size(); i += 4) {
    bgr.insert(bgr.end(), picture.bgra.begin() + static_cast<std::ptrdiff_t>(i),
               picture.bgra.begin() + static_cast<std::ptrdiff_t>(i) + 3);
  }
  return bgr;
}

}  // namespace

std::optional<Picture> DecodePng(std::span<const uint8_t> fileBytes, PictureBudget& budget) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const ImageGuard guard{image};
  if (png_image_begin_read_from_memory(&image, fileBytes.data(), fileBytes.size()) == 0) return std::nullopt;
  if (!SizeFitsInput(image.width, image.height, fileBytes.size(), kMaxPixelsPerByte) ||
      !budget.Take(image.width, image.height))
    return std::nullopt;
  image.format = PNG_FORMAT_BGRA;
  image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  Picture picture = BlankPicture(static_cast<int>(image.width), static_cast<int>(image.height));
  if (png_image_finish_read(&image, nullptr, picture.bgra.data(), 0, nullptr) == 0) return std::nullopt;
  return picture;
}

std::vector<uint8_t> EncodePng(const Picture& picture) {
  if (!HasPixelData(picture)) return {};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  const ImageGuard guard{image};
  const bool alpha = HasTransparency(picture);
  image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
  const std::vector<uint8_t> bgr = alpha ? std::vector<uint8_t>{} : WithoutAlpha(picture);
  const void* pixels = alpha ? static_cast<const void*>(picture.bgra.data()) : bgr.data();
  png_alloc_size_t size = 0;
  if (png_image_write_to_memory(&image, nullptr, &size, 0, pixels, 0, nullptr) == 0) return {};
  std::vector<uint8_t> out(size);
  if (png_image_write_to_memory(&image, out.data(), &size, 0, pixels, 0, nullptr) == 0) return {};
  out.resize(size);
  return out;
}

}  // namespace ravelo
