#include "platform/codec/palette.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/codec/picture_files.h"

namespace ravelo {
namespace {

// A picture whose pixels are the colours given, in one row.
Picture RowOf(const std::vector<RgbColour>& colours) {
  Picture picture;
  picture.width = static_cast<int>(colours.size());
  picture.height = 1;
  for (const RgbColour& c : colours) picture.bgra.insert(picture.bgra.end(), {c.blue, c.green, c.red, 255});
  return picture;
}

RgbColour ColourAt(const Picture& picture, std::size_t pixel) {
  return {picture.bgra[pixel * 4 + 2], picture.bgra[pixel * 4 + 1], picture.bgra[pixel * 4]};
}

TEST(ReduceToPalette, KeepsUpTo256ColoursExactlyInTheOrderTheyFirstAppear) {
  const RgbColour red{255, 0, 0}, teal{0, 128, 128}, white{255, 255, 255};
  const PalettedPixels few = ReduceToPalette(RowOf({teal, red, teal, white, red}));
  EXPECT_EQ(few.palette, (std::vector<RgbColour>{teal, red, white}));
  EXPECT_EQ(few.indices, (std::vector<uint8_t>{0, 1, 0, 2, 1}));

  std::vector<RgbColour> colours;
  for (int i = 0; i < 256; ++i)
    colours.push_back({static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7});
  const Picture full = RowOf(colours);
  const PalettedPixels exact = ReduceToPalette(full);
  ASSERT_EQ(exact.palette.size(), 256u);
  for (std::size_t i = 0; i < colours.size(); ++i) EXPECT_EQ(exact.palette[exact.indices[i]], colours[i]);
}

TEST(ReduceToPalette, CutsMoreColoursTo256NearTheirOwnDeterministically) {
  const Picture source = testing::MakeTestPicture(80, 60, false);
  const PalettedPixels reduced = ReduceToPalette(source);
  ASSERT_LE(reduced.palette.size(), 256u);
  EXPECT_GT(reduced.palette.size(), 200u) << "the palette is used, not left mostly empty";
  ASSERT_EQ(reduced.indices.size(), 80u * 60u);
  int worst = 0;
  for (std::size_t i = 0; i < reduced.indices.size(); ++i) {
    const RgbColour wanted = ColourAt(source, i), got = reduced.palette[reduced.indices[i]];
    worst = std::max({worst, std::abs(wanted.red - got.red), std::abs(wanted.green - got.green),
                      std::abs(wanted.blue - got.blue)});
  }
  EXPECT_LE(worst, 24);
  const PalettedPixels again = ReduceToPalette(source);
  EXPECT_EQ(again.palette, reduced.palette);
  EXPECT_EQ(again.indices, reduced.indices);
}

TEST(ReduceToPalette, KeepsADominantColourExact) {
  Picture source = testing::MakeTestPicture(64, 64, false);
  for (std::size_t i = 0; i < source.bgra.size() / 2; ++i) source.bgra[i] = 255;  // top half white
  const PalettedPixels reduced = ReduceToPalette(source);
  EXPECT_EQ(reduced.palette[reduced.indices[0]], (RgbColour{255, 255, 255}));
}

TEST(NearestPaletteIndex, TakesTheSmallestSumOfDifferencesAndTheFirstOfEquals) {
  const std::vector<RgbColour> palette = {{0, 0, 0}, {250, 250, 250}, {255, 255, 240}, {250, 250, 250}};
  EXPECT_EQ(NearestPaletteIndex(palette, {255, 255, 255}), 1) << "15 against 15: the first";
  EXPECT_EQ(NearestPaletteIndex(palette, {255, 255, 242}), 2);
  EXPECT_EQ(NearestPaletteIndex(palette, {10, 0, 0}), 0);
}

}  // namespace
}  // namespace ravelo
