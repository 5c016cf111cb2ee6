// What decoded pictures may cost in memory, counted in pixels (each 4 bytes
// once decoded): one picture on its own, and all the pictures of one document
// together. Every decoder takes a picture's pixels from the budget before it
// allocates them; a picture that does not fit is not decoded.
#pragma once

#include <cstdint>

namespace ravelo {

class PictureBudget {
 public:
  // A 100-megapixel photograph still fits; a picture of more pixels is refused
  // on its own.
  static constexpr uint64_t kPicturePixels = 100'000'000;
  // All the pictures of one document together: 1 GiB once decoded.
  static constexpr uint64_t kDocumentPixels = uint64_t{1} << 28;

  // Takes width x height pixels when they fit what is left; false, remembered
  // by refused(), when not.
  bool Take(int64_t width, int64_t height) {
    const bool fits = width >= 1 && height >= 1 && width <= int64_t{1} << 31 && height <= int64_t{1} << 31 &&
                      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= kPicturePixels &&
                      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= kDocumentPixels - used_;
    if (fits)
      used_ += static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    else
      refused_ = true;
    return fits;
  }

  // Whether some picture was refused.
  bool refused() const { return refused_; }

 private:
  uint64_t used_ = 0;
  bool refused_ = false;
};

}  // namespace ravelo
