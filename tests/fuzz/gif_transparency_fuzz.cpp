// Marking the transparent colour of a GIF: any bytes are either patched in place (two bytes of the
// graphic control extension) or left exactly as they were.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "output/chart_export.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> gif(data, data + size);
  const bool patched = ravelo::MakeGifTransparent(gif, {255, 255, 255});
  std::size_t changed = 0;
  for (std::size_t i = 0; i < size; ++i) changed += gif[i] != data[i];
  if (gif.size() != size || (!patched && changed != 0) || changed > 2) std::abort();
  return 0;
}
