// Every encoder's output is read back by the image libraries' own tools (and ImageMagick for the
// BMP this project writes itself) with the pixels that went in.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "platform/codec/bmp_codec.h"
#include "platform/codec/gif_codec.h"
#include "platform/codec/jpeg_codec.h"
#include "platform/codec/png_codec.h"
#include "platform/codec/tiff_codec.h"
#include "platform/image_file.h"
#include "tests/codec/picture_files.h"

namespace ravelo {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::DecodeWithImageMagick;
using testing::LargestDifference;
using testing::MakeTestPicture;
using testing::RunTool;
using testing::ScratchFolder;

uint32_t Little32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

Picture Opaque(Picture picture) {
  for (std::size_t i = 3; i < picture.bgra.size(); i += 4) picture.bgra[i] = 255;
  return picture;
}

// Odd sizes, so that rows need padding.
const Picture kOpaque = MakeTestPicture(7, 5, false);
const Picture kWithAlpha = MakeTestPicture(7, 5, true);

class Encoders : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& name, const Bytes& bytes) {
    EXPECT_FALSE(bytes.empty()) << name;
    const std::filesystem::path path = folder_.File(name);
    testing::WriteFileBytes(path, bytes);
    return path;
  }
  ScratchFolder folder_;
};

TEST_F(Encoders, BmpOf24And32BitsReadsBackInImageMagick) {
  for (const auto& [depth, source] :
       {std::pair{BmpDepth::Bits24, kOpaque}, std::pair{BmpDepth::Bits32, kWithAlpha}}) {
    const Bytes file = EncodeBmp(source, depth);
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(Little32(file, 2), file.size()) << "file size field";
    EXPECT_EQ(file[28], depth == BmpDepth::Bits24 ? 24 : 32);
    EXPECT_EQ(Little32(file, 34), file.size() - Little32(file, 10)) << "pixel data size field";
    const std::optional<Picture> read = DecodeWithImageMagick(Write("out.bmp", file));
    ASSERT_TRUE(read);
    EXPECT_EQ(LargestDifference(*read, source), 0);
  }
}

TEST_F(Encoders, BmpOf24BitsDropsAlpha) {
  const std::optional<Picture> read =
      DecodeBmp(EncodeBmp(kWithAlpha, BmpDepth::Bits24), testing::FreshBudget());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->bgra, Opaque(kWithAlpha).bgra);
}

TEST_F(Encoders, PngPassesPngfixAndReadsBackWithAlphaAndTheColourOfClearPixels) {
  for (const Picture& source : {kOpaque, kWithAlpha}) {
    const Bytes file = EncodePng(source);
    ASSERT_GT(file.size(), 25u);
    EXPECT_EQ(file[25], HasTransparency(source) ? 6 : 2) << "colour type: RGBA with transparency, else RGB";
    const std::filesystem::path path = Write("out.png", file);
    EXPECT_EQ(RunTool("pngfix '" + path.string() + "'").exitCode, 0);
    const std::optional<Picture> read = DecodeWithImageMagick(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->bgra, source.bgra);
  }
}

TEST_F(Encoders, JpegReadsBackInDjpegCloseToTheSourceAndSmallerAtLowQuality) {
  const Picture source = MakeTestPicture(40, 30, false);
  const Bytes best = EncodeJpeg(source, 100);
  const Bytes rough = EncodeJpeg(source, 10);
  EXPECT_LT(rough.size(), best.size());
  int previous = 0;
  for (const Bytes& file : {best, rough}) {
    const testing::ToolResult djpeg = RunTool("djpeg -pnm '" + Write("out.jpg", file).string() + "'");
    ASSERT_EQ(djpeg.exitCode, 0);
    const std::optional<Picture> read = testing::ParseNetpbm(djpeg.output);
    ASSERT_TRUE(read);
    const int difference = LargestDifference(*read, source);
    EXPECT_GE(difference, previous);
    previous = difference;
    EXPECT_EQ(LargestDifference(*DecodeJpeg(file, testing::FreshBudget()), *read), 0)
        << "the decoder agrees with djpeg";
  }
  EXPECT_LE(LargestDifference(*DecodeJpeg(best, testing::FreshBudget()), source), 4) << "quality 100";
}

// The sampling byte of the first component in the frame header: 0x11 keeps full colour resolution.
int LumaSampling(const Bytes& jpeg) {
  for (std::size_t at = 2; at + 11 < jpeg.size(); ++at) {
    if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xC0) return jpeg[at + 11];
  }
  return -1;
}

TEST_F(Encoders, JpegKeepsFullColourResolutionFromQuality90) {
  EXPECT_EQ(LumaSampling(EncodeJpeg(kOpaque, 90)), 0x11);
  EXPECT_EQ(LumaSampling(EncodeJpeg(kOpaque, 89)), 0x22);
}

TEST_F(Encoders, JpegIgnoresAlpha) {
  const std::optional<Picture> read = DecodeJpeg(EncodeJpeg(kWithAlpha, 100), testing::FreshBudget());
  ASSERT_TRUE(read);
  EXPECT_LE(LargestDifference(*read, Opaque(kWithAlpha)), 4);
}

// The palette entries giftext lists, and the transparent index when there is one.
struct GifListing {
  std::vector<RgbColour> palette;
  std::optional<int> transparentIndex;
};

GifListing ListGif(const std::filesystem::path& path) {
  const testing::ToolResult result = RunTool("giftext -c '" + path.string() + "'");
  EXPECT_EQ(result.exitCode, 0);
  const std::string text(result.output.begin(), result.output.end());
  GifListing listing;
  const std::regex entry(R"((\d+): ([0-9a-f]{2})h ([0-9a-f]{2})h ([0-9a-f]{2})h)");
  for (auto match = std::sregex_iterator(text.begin(), text.end(), entry); match != std::sregex_iterator();
       ++match) {
    const auto level = [&](int group) {
      return static_cast<uint8_t>(std::stoi((*match)[group], nullptr, 16));
    };
    listing.palette.push_back({level(2), level(3), level(4)});
  }
  std::smatch index;
  if (text.find("Transparency on: yes") != std::string::npos &&
      std::regex_search(text, index, std::regex(R"(Transparent Index: (\d+))"))) {
    listing.transparentIndex = std::stoi(index[1]);
  }
  return listing;
}

Picture RawRgbPicture(const Bytes& rgb, int width, int height) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
    picture.bgra.insert(picture.bgra.end(), {rgb[i + 2], rgb[i + 1], rgb[i], 255});
  return picture;
}

TEST_F(Encoders, GifOfFewColoursReadsBackExactlyInGif2rgb) {
  const std::filesystem::path path = Write("out.gif", EncodeGif(kWithAlpha, std::nullopt));
  const std::filesystem::path rgb = folder_.File("out.rgb");
  ASSERT_EQ(RunTool("gif2rgb -1 -o '" + rgb.string() + "' '" + path.string() + "'").exitCode, 0);
  EXPECT_EQ(RawRgbPicture(testing::ReadFileBytes(rgb), 7, 5).bgra, Opaque(kWithAlpha).bgra);
  EXPECT_FALSE(ListGif(path).transparentIndex) << "no transparent colour asked for";
}

TEST_F(Encoders, GifTransparentColourIsTheNearestPaletteEntry) {
  const RgbColour almostWhite{250, 250, 250};
  const Bytes file = EncodeGif(kOpaque, almostWhite);
  const std::filesystem::path path = Write("out.gif", file);
  const GifListing listing = ListGif(path);
  ASSERT_TRUE(listing.transparentIndex);
  ASSERT_FALSE(listing.palette.empty());
  const RgbColour transparent = listing.palette[static_cast<std::size_t>(*listing.transparentIndex)];
  const auto distance = [&](RgbColour c) {
    return std::abs(c.red - almostWhite.red) + std::abs(c.green - almostWhite.green) +
           std::abs(c.blue - almostWhite.blue);
  };
  for (const RgbColour& entry : listing.palette) EXPECT_GE(distance(entry), distance(transparent));

  const std::optional<Picture> read = DecodeWithImageMagick(path);
  ASSERT_TRUE(read);
  for (std::size_t i = 0; i < kOpaque.bgra.size(); i += 4) {
    const bool keyed = RgbColour{kOpaque.bgra[i + 2], kOpaque.bgra[i + 1], kOpaque.bgra[i]} == transparent;
    EXPECT_EQ(read->bgra[i + 3], keyed ? 0 : 255) << "pixel " << i / 4;
  }
  EXPECT_EQ(std::string(file.begin(), file.begin() + 6), "GIF89a");
  const std::size_t paletteBytes = 3u << ((file[10] & 7) + 1);
  EXPECT_EQ(file[13 + paletteBytes], 0x21);
  EXPECT_EQ(file[14 + paletteBytes], 0xF9) << "the graphic control extension follows the palette";
}

TEST_F(Encoders, GifOfManyColoursIsReducedDeterministicallyAndStaysClose) {
  const Picture source = MakeTestPicture(64, 48, false);
  const Bytes file = EncodeGif(source, std::nullopt);
  EXPECT_EQ(EncodeGif(source, std::nullopt), file);
  const std::filesystem::path rgb = folder_.File("out.rgb");
  ASSERT_EQ(
      RunTool("gif2rgb -1 -o '" + rgb.string() + "' '" + Write("out.gif", file).string() + "'").exitCode, 0);
  const Picture read = RawRgbPicture(testing::ReadFileBytes(rgb), 64, 48);
  const int difference = LargestDifference(read, source);
  EXPECT_GE(difference, 1) << "more than 256 colours cannot all stay";
  EXPECT_LE(difference, 24);
}

TEST_F(Encoders, TiffPassesTiffinfoAndReadsBackWithUnassociatedAlpha) {
  for (const Picture& source : {kOpaque, kWithAlpha}) {
    const std::filesystem::path path = Write("out.tif", EncodeTiff(source));
    const testing::ToolResult info = RunTool("tiffinfo '" + path.string() + "'");
    EXPECT_EQ(info.exitCode, 0);
    const std::string text(info.output.begin(), info.output.end());
    EXPECT_NE(text.find("LZW"), std::string::npos);
    EXPECT_EQ(text.find("unassoc-alpha") != std::string::npos, HasTransparency(source)) << text;
    const std::optional<Picture> read = DecodeWithImageMagick(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(LargestDifference(*read, source), 0);
  }
}

TEST(EncodeRoundTrip, LosslessFormatsGiveBackTheirPixels) {
  for (const ImageFormat format : {ImageFormat::Bmp, ImageFormat::Png, ImageFormat::Tiff}) {
    for (const Picture& source : {kOpaque, kWithAlpha}) {
      const Bytes file = EncodeImageFile(source, format);
      EXPECT_EQ(DetectImageFormat(file), format);
      const std::optional<Picture> read = DecodeImageFile(file);
      ASSERT_TRUE(read) << ImageFormatName(format);
      EXPECT_EQ(read->bgra, source.bgra)
          << ImageFormatName(format) << " keeps even the colour of clear pixels";
    }
  }
  const std::optional<Picture> gif = DecodeImageFile(EncodeImageFile(kWithAlpha, ImageFormat::Gif));
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->bgra, Opaque(kWithAlpha).bgra);
  const std::optional<Picture> jpeg =
      DecodeImageFile(EncodeImageFile(kOpaque, ImageFormat::Jpeg, {.jpegQuality = 95}));
  ASSERT_TRUE(jpeg);
  EXPECT_LE(LargestDifference(*jpeg, kOpaque), 8);
}

TEST(EncodeRoundTrip, BmpIs32BitsOnlyWhenThePictureHasTransparency) {
  EXPECT_EQ(EncodeImageFile(kOpaque, ImageFormat::Bmp)[28], 24);
  EXPECT_EQ(EncodeImageFile(kWithAlpha, ImageFormat::Bmp)[28], 32);
}

TEST(EncodeRoundTrip, PicturesWithoutUsablePixelsGiveNoFile) {
  Picture wrongSize = kOpaque;
  wrongSize.bgra.pop_back();
  Picture tooWide = MakeTestPicture(1, 1, false);
  tooWide.width = kMaxImageSide + 1;
  for (const Picture& bad : {Picture{}, wrongSize, tooWide}) {
    for (const ImageFormat format :
         {ImageFormat::Bmp, ImageFormat::Jpeg, ImageFormat::Gif, ImageFormat::Png, ImageFormat::Tiff}) {
      EXPECT_TRUE(EncodeImageFile(bad, format).empty()) << ImageFormatName(format);
    }
  }
  EXPECT_TRUE(EncodeImageFile(kOpaque, ImageFormat::Unknown).empty());
}

}  // namespace
}  // namespace ravelo
