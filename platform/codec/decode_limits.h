// The bounds every decoder applies before it allocates pixels, so that no size read from a file
// makes it allocate more than the file could really describe.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/picture.h"

namespace ravelo {

// True when both sides are in 1..kMaxImageSide and width * height pixels could be coded in
// inputBytes bytes by a format that codes at most maxPixelsPerByte pixels in one byte.
bool SizeFitsInput(int64_t width, int64_t height, std::size_t inputBytes, uint64_t maxPixelsPerByte);

// A picture of that size (already checked) with every pixel transparent black.
Picture BlankPicture(int width, int height);

}  // namespace ravelo
