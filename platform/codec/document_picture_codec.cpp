#include "platform/codec/document_picture_codec.h"

#include "platform/codec/bmp_codec.h"
#include "platform/image_file.h"

namespace ravelo {

std::unique_ptr<Picture> DocumentPictureCodec::Decode(std::span<const uint8_t> fileBytes,
                                                      PictureBudget& budget) const {
  std::optional<Picture> decoded = DecodeImageFile(fileBytes, budget);
  if (!decoded) return nullptr;
  auto picture = std::make_unique<Picture>(std::move(*decoded));
  picture->fileBytes.assign(fileBytes.begin(), fileBytes.end());
  return picture;
}

std::vector<uint8_t> DocumentPictureCodec::Encode(const Picture& picture) const {
  if (!picture.fileBytes.empty()) return picture.fileBytes;
  return EncodeImageFile(picture, ImageFormat::Bmp);
}

}  // namespace ravelo
