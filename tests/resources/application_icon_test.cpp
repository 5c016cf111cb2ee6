#include "resources/application_icon.h"

#include <gtest/gtest.h>

#include <cstring>

namespace ravelo {
namespace {

uint32_t BigEndian(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

TEST(ApplicationIcon, EachSizeIsASquarePngOfThatSize) {
  for (int size : kApplicationIconSizes) {
    const std::span<const uint8_t> png = ApplicationIconPng(size);
    ASSERT_GT(png.size(), 33u) << size;
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0) << size;
    EXPECT_EQ(std::memcmp(png.data() + 12, "IHDR", 4), 0) << size;
    EXPECT_EQ(BigEndian(png.data() + 16), static_cast<uint32_t>(size));
    EXPECT_EQ(BigEndian(png.data() + 20), static_cast<uint32_t>(size));
    EXPECT_EQ(png[25], 6) << size << ": the icon needs its alpha channel";  // colour type RGBA
  }
  for (int other : {0, 20, 256, -16}) EXPECT_TRUE(ApplicationIconPng(other).empty()) << other;
}

}  // namespace
}  // namespace ravelo
