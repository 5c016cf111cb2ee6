#include "platform/codec/decode_limits.h"

#include "platform/image_file.h"

namespace ravelo {

bool SizeFitsInput(int64_t width, int64_t height, std::size_t inputBytes, uint64_t maxPixelsPerByte) {
  if (width < 1 || height < 1 || width > kMaxImageSide || height > kMaxImageSide) return false;
  const auto pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
  return (pixels + maxPixelsPerByte - 1) / maxPixelsPerByte <= inputBytes;  // pixels <= bytes * ratio
}

Picture BlankPicture(int width, int height) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.bgra.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
  return picture;
}

}  // namespace ravelo
