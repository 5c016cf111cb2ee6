// The picture decoders (BMP, JPEG, GIF, PNG, TIFF), chosen by the first bytes as a document's picture
// blob or a picture file is.
#include <span>

#include "platform/image_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ravelo::PictureBudget budget;
  ravelo::DecodeImageFile(std::span<const uint8_t>(data, size), budget);
  return 0;
}
