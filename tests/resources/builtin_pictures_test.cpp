#include "resources/builtin_pictures.h"

#include <gtest/gtest.h>

#include <cstring>

namespace ravelo {
namespace {

uint32_t BigEndian(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

TEST(BuiltInPictures, SeventeenPngFilesOf85By85WithTheirCaptions) {
  for (int number = 1; number <= kBuiltInPictureCount; ++number) {
    const std::span<const uint8_t> png = BuiltInPicturePng(number);
    ASSERT_GT(png.size(), 33u) << number;
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0) << number;
    EXPECT_EQ(std::memcmp(png.data() + 12, "IHDR", 4), 0) << number;
    EXPECT_EQ(BigEndian(png.data() + 16), 85u) << number;
    EXPECT_EQ(BigEndian(png.data() + 20), 85u) << number;
    EXPECT_FALSE(BuiltInPictureCaption(number).empty());
  }
  EXPECT_EQ(BuiltInPictureCaption(1), "No. 1  男性");
  EXPECT_EQ(BuiltInPictureCaption(17), "No. 17  黒色ピン");
  for (int outside : {0, 18, -3}) {
    EXPECT_TRUE(BuiltInPicturePng(outside).empty());
    EXPECT_TRUE(BuiltInPictureCaption(outside).empty());
  }
}

}  // namespace
}  // namespace ravelo
