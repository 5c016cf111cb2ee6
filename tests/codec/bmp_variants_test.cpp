// BMP layouts that ImageMagick reads but does not write, built here byte by byte: each valid one
// decodes to the pixels ImageMagick decodes from the same bytes, each broken one to nothing.
#include <gtest/gtest.h>

#include <array>

#include "platform/codec/bmp_codec.h"
#include "tests/codec/picture_files.h"

namespace ravelo {
namespace {

using Bytes = std::vector<uint8_t>;

struct BmpRecipe {
  uint32_t headerBytes = 40;
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bits = 24;
  uint32_t compression = 0;
  std::vector<uint32_t> masks;                  // in the header when it has room, else after it
  std::vector<std::array<uint8_t, 3>> palette;  // blue, green, red
  uint32_t coloursUsed = 0;
  Bytes pixels;
  std::optional<uint32_t> sizeImage;  // the pixel data size by default
};

void Append16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Append32(Bytes& out, uint32_t value) {
  Append16(out, value & 0xFFFF);
  Append16(out, value >> 16);
}

Bytes BuildBmp(const BmpRecipe& recipe) {
  Bytes header;
  Append32(header, recipe.headerBytes);
  if (recipe.headerBytes == 12) {
    Append16(header, static_cast<uint32_t>(recipe.width));
    Append16(header, static_cast<uint32_t>(recipe.height));
    Append16(header, 1);
    Append16(header, recipe.bits);
  } else {
    Append32(header, static_cast<uint32_t>(recipe.width));
    Append32(header, static_cast<uint32_t>(recipe.height));
    Append16(header, 1);
    Append16(header, recipe.bits);
    Append32(header, recipe.compression);
    Append32(header, recipe.sizeImage.value_or(static_cast<uint32_t>(recipe.pixels.size())));
    Append32(header, 3780);
    Append32(header, 3780);
    Append32(header, recipe.coloursUsed);
    Append32(header, 0);
    for (const uint32_t mask : recipe.masks)
      Append32(header, mask);  // after a 40-byte header, or inside a longer one
    if (header.size() < recipe.headerBytes) header.resize(recipe.headerBytes, 0);
  }
  for (const auto& entry : recipe.palette) {
    header.insert(header.end(), entry.begin(), entry.end());
    if (recipe.headerBytes != 12) header.push_back(0);
  }
  Bytes file = {'B', 'M'};
  Append32(file, static_cast<uint32_t>(14 + header.size() + recipe.pixels.size()));
  Append32(file, 0);
  Append32(file, static_cast<uint32_t>(14 + header.size()));
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), recipe.pixels.begin(), recipe.pixels.end());
  return file;
}

std::vector<std::array<uint8_t, 3>> SixteenColours() {
  std::vector<std::array<uint8_t, 3>> palette;
  for (int i = 0; i < 16; ++i) {
    palette.push_back(
        {static_cast<uint8_t>(i * 16), static_cast<uint8_t>(255 - i * 16), static_cast<uint8_t>(i * 5)});
  }
  return palette;
}

BmpRecipe Rle4() {
  BmpRecipe recipe{.width = 6, .height = 3, .bits = 4, .compression = 2, .palette = SixteenColours()};
  recipe.pixels = {
      0x05, 0x12, 0x01, 0xF0, 0x00, 0x00,              // bottom row: run 1 2 1 2 1, run 15; end of line
      0x00, 0x06, 0x12, 0x34, 0x56, 0x00, 0x00, 0x00,  // literal 1..6 (three bytes, padded); end of line
      0x00, 0x03, 0xAB, 0xC0, 0x03, 0xDD, 0x00, 0x01,  // literal 10 11 12, run 13 13 13; end of bitmap
  };
  return recipe;
}

BmpRecipe Rle8() {
  BmpRecipe recipe{
      .width = 5, .height = 2, .bits = 8, .compression = 1, .palette = SixteenColours(), .coloursUsed = 16};
  recipe.pixels = {
      0x00, 0x03, 0x02, 0x07, 0x0B, 0x00, 0x02, 0x04, 0x00, 0x00,  // literal 2 7 11 (padded), run 4 4
      0x05, 0x0E, 0x00, 0x01,                                      // run of five 14; end of bitmap
  };
  return recipe;
}

struct ValidCase {
  const char* name;
  BmpRecipe recipe;
  int tolerance;
};

std::vector<ValidCase> ValidCases() {
  const Bytes bgr3x2 = {0,   0,   255, 0, 255, 0,   255, 0,  0,  0, 0, 0,  // rows padded to four bytes
                        255, 255, 255, 0, 128, 255, 64,  32, 16, 0, 0, 0};
  const Bytes bgra3x2 = {0,   0,   255, 255, 0, 255, 0,   128, 255, 0,  0,  0,
                         255, 255, 255, 64,  0, 128, 255, 255, 64,  32, 16, 1};
  const Bytes packed16 = {0x1F, 0x00, 0xE0, 0x03, 0x00, 0x7C, 0x00, 0x00,
                          0xFF, 0x7F, 0x10, 0x42, 0x0F, 0x3C, 0x00, 0x00};
  return {
      {"rle4 with runs and literals", Rle4(), 0},
      {"rle8 with runs and literals", Rle8(), 0},
      {"top-down rows", {.width = 3, .height = -2, .pixels = bgr3x2}, 0},
      {"32 bits with alpha in the fourth byte", {.width = 3, .height = 2, .bits = 32, .pixels = bgra3x2}, 0},
      {"32 bits with the fourth byte unused",
       {.width = 2, .height = 1, .bits = 32, .pixels = {0, 0, 255, 0, 255, 0, 0, 0}},
       0},
      {"16 bits five-five-five without masks", {.width = 3, .height = 2, .bits = 16, .pixels = packed16}, 1},
      {"16 bits five-six-five, masks after the header",
       {.width = 3,
        .height = 2,
        .bits = 16,
        .compression = 3,
        .masks = {0xF800, 0x07E0, 0x001F},
        .pixels = packed16},
       1},
      {"32 bits with red and blue swapped by masks",
       {.width = 3,
        .height = 2,
        .bits = 32,
        .compression = 3,
        .masks = {0xFF, 0xFF00, 0xFF0000},
        .pixels = bgra3x2},
       0},
      {"32 bits with an alpha mask in a 108-byte header",
       {.headerBytes = 108,
        .width = 3,
        .height = 2,
        .bits = 32,
        .compression = 3,
        .masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
        .pixels = bgra3x2},
       0},
      {"16 bits four-four-four-four, masks in a 56-byte header",
       {.headerBytes = 56,
        .width = 3,
        .height = 2,
        .bits = 16,
        .compression = 3,
        .masks = {0x0F00, 0x00F0, 0x000F, 0xF000},
        .pixels = packed16},
       15},  // ImageMagick multiplies four-bit levels by 16, reading the full level 15 as 240, not 255
      {"8 bits with a three-colour palette",
       {.width = 3,
        .height = 1,
        .bits = 8,
        .palette = {{9, 8, 7}, {200, 100, 50}, {1, 2, 3}},
        .coloursUsed = 3,
        .pixels = {2, 0, 1, 0}},
       0},
      {"1 bit, nine pixels a row",
       {.width = 9,
        .height = 2,
        .bits = 1,
        .palette = {{0, 0, 0}, {40, 160, 240}},
        .pixels = {0xA5, 0x80, 0, 0, 0x5A, 0x00, 0, 0}},
       0},
      {"core header with a three-byte palette",
       {.headerBytes = 12,
        .width = 2,
        .height = 2,
        .bits = 1,
        .palette = {{10, 20, 30}, {250, 240, 230}},
        .pixels = {0x80, 0, 0, 0, 0x40, 0, 0, 0}},
       0},
  };
}

TEST(BmpVariants, DecodeToThePixelsImageMagickDecodes) {
  testing::ScratchFolder folder;
  for (const ValidCase& variant : ValidCases()) {
    const Bytes file = BuildBmp(variant.recipe);
    const std::filesystem::path path = folder.File("variant.bmp");
    testing::WriteFileBytes(path, file);
    const std::optional<Picture> reference = testing::DecodeWithImageMagick(path);
    ASSERT_TRUE(reference) << variant.name << ": ImageMagick cannot read it";
    const std::optional<Picture> picture = DecodeBmp(file, testing::FreshBudget());
    ASSERT_TRUE(picture) << variant.name;
    const int difference = testing::LargestDifference(*picture, *reference);
    EXPECT_TRUE(difference >= 0 && difference <= variant.tolerance) << variant.name << ": " << difference;
  }
}

TEST(BmpVariants, PixelsAnRleStreamSkipsStayTransparent) {
  BmpRecipe recipe = Rle8();
  recipe.pixels = {0x01, 0x02, 0x00, 0x02, 0x02, 0x01, 0x01, 0x03, 0x00, 0x01};  // pixel, delta (2, 1), pixel
  const std::optional<Picture> picture = DecodeBmp(BuildBmp(recipe), testing::FreshBudget());
  ASSERT_TRUE(picture);
  const auto alphaAt = [&](int x, int y) {
    return picture->bgra[(static_cast<std::size_t>(y) * 5 + x) * 4 + 3];
  };
  EXPECT_EQ(alphaAt(0, 1), 255) << "first pixel of the bottom row";
  EXPECT_EQ(alphaAt(3, 0), 255) << "the pixel after the delta, one row up";
  EXPECT_EQ(alphaAt(1, 1), 0);
  EXPECT_EQ(alphaAt(0, 0), 0);
  EXPECT_EQ(alphaAt(4, 0), 0);
}

TEST(BmpVariants, PaletteIndicesPastThePaletteReadAsBlack) {
  const BmpRecipe recipe{
      .width = 2, .height = 1, .bits = 8, .palette = {{1, 2, 3}}, .coloursUsed = 1, .pixels = {0, 200, 0, 0}};
  const std::optional<Picture> picture = DecodeBmp(BuildBmp(recipe), testing::FreshBudget());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->bgra, (Bytes{1, 2, 3, 255, 0, 0, 0, 255}));
}

struct BrokenCase {
  const char* name;
  BmpRecipe recipe;
};

BmpRecipe Rle8With(Bytes stream) {
  BmpRecipe recipe = Rle8();
  recipe.pixels = std::move(stream);
  return recipe;
}

TEST(BmpVariants, BrokenFilesGiveNothing) {
  BmpRecipe topDownRle = Rle8();
  topDownRle.height = -2;
  BmpRecipe overlongSize = Rle8();
  overlongSize.sizeImage = 15;
  BmpRecipe cutLiteral = Rle4();
  cutLiteral.pixels = {0x00, 0x0A, 0x12, 0x34};
  const BrokenCase cases[] = {
      {"run past the end of the row", Rle8With({0x06, 0x01, 0x00, 0x01})},
      {"literal past the end of the row", Rle8With({0x00, 0x06, 1, 2, 3, 4, 5, 6, 0x00, 0x01})},
      {"delta past the right edge", Rle8With({0x00, 0x02, 0x06, 0x00, 0x00, 0x01})},
      {"delta past the top", Rle8With({0x00, 0x02, 0x00, 0x03, 0x00, 0x01})},
      {"more lines than the picture has", Rle8With({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01})},
      {"a run on the line above the top", Rle8With({0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x01})},
      {"stream without end of bitmap", Rle8With({0x05, 0x0E, 0x00, 0x00, 0x05, 0x0E})},
      {"stream cut inside a code", Rle8With({0x05, 0x0E, 0x00})},
      {"literal cut short", cutLiteral},
      {"top-down RLE", topDownRle},
      {"pixel data size beyond the file", overlongSize},
      {"rows shorter than the width", {.width = 3, .height = 2, .pixels = Bytes(20)}},
      {"two bits per pixel", {.width = 2, .height = 1, .bits = 2, .pixels = Bytes(4)}},
      {"no bits per pixel", {.width = 2, .height = 1, .bits = 0, .pixels = Bytes(4)}},
      {"embedded JPEG", {.width = 1, .height = 1, .bits = 24, .compression = 4, .pixels = Bytes(4)}},
      {"bit fields on 24 bits",
       {.width = 1, .height = 1, .bits = 24, .compression = 3, .masks = {1, 2, 4}, .pixels = Bytes(4)}},
      {"RLE8 on 4 bits", {.width = 1, .height = 1, .bits = 4, .compression = 1, .pixels = {0, 1}}},
      {"header of 20 bytes", {.headerBytes = 20, .width = 1, .height = 1, .pixels = Bytes(4)}},
  };
  for (const BrokenCase& broken : cases)
    EXPECT_FALSE(DecodeBmp(BuildBmp(broken.recipe), testing::FreshBudget())) << broken.name;

  Bytes headerPastTheEnd = BuildBmp({.width = 1, .height = 1, .pixels = Bytes(4)});
  headerPastTheEnd[14] = 0xFF;
  EXPECT_FALSE(DecodeBmp(headerPastTheEnd, testing::FreshBudget())) << "header size past the end";
  Bytes dataInsideHeader = BuildBmp({.width = 1, .height = 1, .pixels = Bytes(4)});
  dataInsideHeader[10] = 20;
  EXPECT_FALSE(DecodeBmp(dataInsideHeader, testing::FreshBudget())) << "pixel data offset inside the header";
  Bytes dataPastTheEnd = BuildBmp({.width = 1, .height = 1, .pixels = Bytes(4)});
  dataPastTheEnd[11] = 0x10;
  EXPECT_FALSE(DecodeBmp(dataPastTheEnd, testing::FreshBudget())) << "pixel data offset past the end";
}

}  // namespace
}  // namespace ravelo
