// The pictures of a document: what a record's picture blob holds and how a picture is written back.
#pragma once

#include "platform/picture_codec.h"

namespace ravelo {

// Decode takes any picture file (BMP, JPEG, GIF, PNG, TIFF) and keeps its bytes verbatim in
// fileBytes, so that a document's pictures are written back exactly as they were read. Encode
// writes fileBytes back when the picture has them; a picture made of pixels only is written as a
// BMP, of 32 bits with alpha when some pixel is not opaque, else of 24 bits. Code that changes the
// pixels of a decoded picture must clear its fileBytes.
class DocumentPictureCodec final : public PictureCodec {
 public:
  std::unique_ptr<Picture> Decode(std::span<const uint8_t> fileBytes, PictureBudget& budget) const override;
  std::vector<uint8_t> Encode(const Picture& picture) const override;
};

}  // namespace ravelo
