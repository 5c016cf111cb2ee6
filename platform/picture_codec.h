// Turns the picture data stored in a document into a picture and back.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/picture.h"
#include "platform/picture_budget.h"

namespace ravelo {

class PictureCodec {
 public:
  virtual ~PictureCodec() = default;
  // The picture held in a complete picture file, or null when the bytes do not decode or its pixels do
  // not fit the budget.
  virtual std::unique_ptr<Picture> Decode(std::span<const uint8_t> fileBytes,
                                          PictureBudget& budget) const = 0;
  // The picture as a complete picture file; empty when it cannot be serialised.
  virtual std::vector<uint8_t> Encode(const Picture& picture) const = 0;
};

// Carries picture data as opaque bytes: what is read is written back unchanged.
class OpaquePictureCodec final : public PictureCodec {
 public:
  std::unique_ptr<Picture> Decode(std::span<const uint8_t> fileBytes, PictureBudget&) const override {
    if (fileBytes.empty()) return nullptr;
    auto picture = std::make_unique<Picture>();
    picture->fileBytes.assign(fileBytes.begin(), fileBytes.end());
    return picture;
  }
  std::vector<uint8_t> Encode(const Picture& picture) const override { return picture.fileBytes; }
};

}  // namespace ravelo
