// The application icon, drawn by draw_icons and compiled in for the editor's window.
#pragma once

#include <cstdint>
#include <span>

namespace ravelo {

// The sizes in pixels the icon is compiled in at, smallest first.
inline constexpr int kApplicationIconSizes[] = {16, 24, 32, 48, 64, 128};

// The PNG bytes of the square icon of `size` pixels; empty for a size not compiled in.
std::span<const uint8_t> ApplicationIconPng(int size);

}  // namespace ravelo
