// Every fixture, made by tools the project does not write, decodes to the pixels those tools decode.
#include <gtest/gtest.h>

#include "platform/image_file.h"
#include "tests/codec/picture_files.h"

namespace ravelo {
namespace {

using testing::LargestDifference;
using testing::ParseNetpbm;
using testing::ReadFixture;

struct FixtureCase {
  const char* file;
  int tolerance;  // largest channel difference allowed against the tools' decoding
};

// JPEG files are compared with djpeg's output, the others with ImageMagick's.
const FixtureCase kFixtures[] = {
    {"bmp-1bit.bmp", 0},
    {"bmp-4bit.bmp", 0},
    {"bmp-8bit.bmp", 0},
    {"bmp-rle8.bmp", 0},
    {"bmp-rle8-runs.bmp", 0},
    {"bmp-16bit-565.bmp", 1},  // five-bit levels are scaled with rounding that differs by one
    {"bmp-16bit-555.bmp", 1},
    {"bmp-24bit.bmp", 0},
    {"bmp-32bit-alpha.bmp", 0},
    {"bmp-core-24bit.bmp", 0},
    {"bmp-core-4bit.bmp", 0},
    {"png-palette.png", 0},
    {"png-palette-trns.png", 0},
    {"png-grey.png", 0},
    {"png-grey-1bit.png", 0},
    {"png-grey-16bit.png", 0},
    {"png-grey-alpha.png", 0},
    {"png-rgb.png", 0},
    {"png-rgba.png", 0},
    {"png-rgba-16bit.png", 0},
    {"png-rgba-interlaced.png", 0},
    {"gif-plain.gif", 0},
    {"gif-transparent.gif", 0},
    {"gif-interlaced.gif", 0},
    {"gif-animated.gif", 0},
    {"gif-framed.gif", 0},
    {"jpeg-444.jpg", 0},
    {"jpeg-420.jpg", 0},
    {"jpeg-grey.jpg", 0},
    {"jpeg-progressive.jpg", 0},
    {"jpeg-arithmetic.jpg", 0},
    {"jpeg-restart.jpg", 0},
    {"jpeg-cmyk.jpg", 0},
    {"tiff-rgb.tif", 0},
    {"tiff-rgb-lzw.tif", 0},
    {"tiff-rgb-deflate.tif", 0},
    {"tiff-rgb-bigendian.tif", 0},
    {"tiff-rgb-packbits.tif", 0},
    {"tiff-rgb-16bit.tif", 0},
    {"tiff-rgba.tif", 0},
    {"tiff-rgba-associated.tif", 1},  // premultiplied values lose a little precision
    {"tiff-palette.tif", 0},
    {"tiff-palette-8bit.tif", 0},
    {"tiff-grey.tif", 0},
    {"tiff-grey-miniswhite.tif", 0},
    {"tiff-group4.tif", 0},
    {"tiff-tiled.tif", 0},
    {"tiff-planar.tif", 0},
    {"tiff-jpeg.tif", 0},
    {"tiff-bigtiff.tif", 0},
};

class FixtureDecoding : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(FixtureDecoding, GivesThePixelsTheToolsDecode) {
  const std::string file = GetParam().file;
  const bool jpeg = file.ends_with(".jpg");
  const std::optional<Picture> expected = ParseNetpbm(ReadFixture(file + (jpeg ? ".pnm" : ".pam")));
  ASSERT_TRUE(expected) << "reference of " << file;
  const std::optional<Picture> picture = DecodeImageFile(ReadFixture(file));
  ASSERT_TRUE(picture);
  EXPECT_TRUE(picture->fileBytes.empty());
  const int difference = LargestDifference(*picture, *expected);
  EXPECT_GE(difference, 0) << "size " << picture->width << " x " << picture->height << ", expected "
                           << expected->width << " x " << expected->height;
  EXPECT_LE(difference, GetParam().tolerance);
}

std::string CaseName(const ::testing::TestParamInfo<FixtureCase>& info) {
  std::string name = info.param.file;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, FixtureDecoding, ::testing::ValuesIn(kFixtures), CaseName);

// ImageMagick reads a one-bit alpha channel as 128; one set bit means opaque.
TEST(FixtureDecoding, ReadsOneBitAlphaOfSixteenBitBmpAsOpaqueOrClear) {
  Picture expected = *ParseNetpbm(ReadFixture("bmp-16bit-1555.bmp.pam"));
  for (std::size_t i = 3; i < expected.bgra.size(); i += 4)
    expected.bgra[i] = expected.bgra[i] == 0 ? 0 : 255;
  const std::optional<Picture> picture = DecodeImageFile(ReadFixture("bmp-16bit-1555.bmp"));
  ASSERT_TRUE(picture);
  const int difference = LargestDifference(*picture, expected);
  EXPECT_TRUE(difference >= 0 && difference <= 1) << difference;  // five-bit levels, as above
  EXPECT_EQ(picture->bgra[2 * 4 + 3], 0) << "pixel (2, 0) is clear";
}

// Writers that keep the colour of clear pixels get it back.
TEST(FixtureDecoding, KeepsTheStoredColourOfClearPixels) {
  for (const char* file : {"png-rgba.png", "tiff-rgba.tif", "bmp-32bit-alpha.bmp"}) {
    const std::optional<Picture> picture = DecodeImageFile(ReadFixture(file));
    ASSERT_TRUE(picture) << file;
    const std::vector<uint8_t> clearBlue(picture->bgra.begin() + 2 * 4, picture->bgra.begin() + 3 * 4);
    EXPECT_EQ(clearBlue, (std::vector<uint8_t>{255, 0, 0, 0})) << file;
  }
}

TEST(FixtureDecoding, CoversEveryFixture) {
  std::set<std::string> listed = {"bmp-16bit-1555.bmp"};
  for (const FixtureCase& fixture : kFixtures) listed.insert(fixture.file);
  for (const std::string& name : testing::FixturePictureNames()) EXPECT_TRUE(listed.count(name)) << name;
}

}  // namespace
}  // namespace ravelo
