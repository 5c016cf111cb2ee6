// Resampling of straight BGRA pixels, for pictures fitted to a size before they are stored or saved.
#pragma once

#include "platform/picture.h"

namespace ravelo {

// The picture's pixels resampled bilinearly to width x height (both at least 1), each channel alpha
// included on its own; the source must hold pixels.
Picture ScalePixels(const Picture& source, int width, int height);

}  // namespace ravelo
