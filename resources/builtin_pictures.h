// The seventeen built-in pictures (85 x 85, on white) as PNG files compiled into the program.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace ravelo {

constexpr int kBuiltInPictureCount = 17;

// The PNG bytes of built-in picture number (1..17); empty for any other number.
std::span<const uint8_t> BuiltInPicturePng(int number);

// The caption of the picture in the selection dialog, "No. 1  男性" ...; empty for other numbers.
std::string_view BuiltInPictureCaption(int number);

}  // namespace ravelo
