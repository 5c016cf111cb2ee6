// A picture owned by one object: straight (not premultiplied) 32-bit BGRA pixels, and the file bytes
// it came from when those must be written back verbatim (a JPEG). A picture not yet decoded carries
// only its file bytes.
#pragma once

#include <cstdint>
#include <vector>

namespace ravelo {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgra;       // width * height * 4 bytes, rows top to bottom
  std::vector<uint8_t> fileBytes;  // the encoded picture, kept verbatim where it must be
};

}  // namespace ravelo
