// Damaged picture files give no picture, never a crash or a huge allocation: every prefix of every
// fixture, every byte of it changed, a wrong magic, and sizes the data cannot hold.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <functional>

#include "platform/codec/decode_limits.h"
#include "platform/image_file.h"
#include "tests/codec/picture_files.h"

namespace ravelo {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::FixturePictureNames;
using testing::ReadFixture;

bool SamePicture(const Picture& a, const Picture& b) {
  return a.width == b.width && a.height == b.height && a.bgra == b.bgra;
}

TEST(DamagedFiles, EveryPrefixOfEveryFixtureGivesNothingOrTheWholePicture) {
  for (const std::string& name : FixturePictureNames()) {
    const Bytes file = ReadFixture(name);
    const std::optional<Picture> whole = DecodeImageFile(file);
    ASSERT_TRUE(whole) << name;
    for (std::size_t length = 0; length < file.size(); ++length) {
      // Only bytes the decoder does not need may be missing (a GIF trailer, chunks after the pixels).
      const std::optional<Picture> part = DecodeImageFile(std::span(file).first(length));
      if (part) {
        EXPECT_TRUE(SamePicture(*part, *whole)) << name << " cut to " << length << " bytes";
      }
    }
  }
}

TEST(DamagedFiles, ChangingAnyByteOfAnyFixtureNeverBreaksTheDecoder) {
  for (const std::string& name : FixturePictureNames()) {
    const Bytes file = ReadFixture(name);
    for (const uint8_t flip : {uint8_t{0xFF}, uint8_t{0x01}}) {
      for (std::size_t at = 0; at < file.size(); ++at) {
        Bytes changed = file;
        changed[at] ^= flip;
        const std::optional<Picture> picture = DecodeImageFile(changed);
        if (picture) {
          EXPECT_TRUE(HasPixelData(*picture)) << name << " changed at " << at;
        }
      }
    }
  }
}

TEST(DamagedFiles, AWrongMagicGivesNothing) {
  for (const std::string& name : FixturePictureNames()) {
    Bytes file = ReadFixture(name);
    file[1] ^= 0x20;
    EXPECT_EQ(DetectImageFormat(file), ImageFormat::Unknown) << name;
    EXPECT_FALSE(DecodeImageFile(file)) << name;
  }
  EXPECT_FALSE(DecodeImageFile({}));
}

void PutLittle16(Bytes& bytes, std::size_t at, uint32_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void PutLittle32(Bytes& bytes, std::size_t at, uint32_t value) {
  PutLittle16(bytes, at, value & 0xFFFF);
  PutLittle16(bytes, at + 2, value >> 16);
}

void PutBig16(Bytes& bytes, std::size_t at, uint32_t value) {
  bytes[at] = static_cast<uint8_t>(value >> 8);
  bytes[at + 1] = static_cast<uint8_t>(value);
}

void PutBig32(Bytes& bytes, std::size_t at, uint32_t value) {
  PutBig16(bytes, at, value >> 16);
  PutBig16(bytes, at + 2, value & 0xFFFF);
}

void SetBmpSize(Bytes& file, uint32_t width, uint32_t height) {
  PutLittle32(file, 18, width);
  PutLittle32(file, 22, height);
}

// Rewrites the IHDR sizes and its checksum, so that only the sizes are wrong.
void SetPngSize(Bytes& file, uint32_t width, uint32_t height) {
  PutBig32(file, 16, width);
  PutBig32(file, 20, height);
  PutBig32(file, 29, static_cast<uint32_t>(crc32(0, file.data() + 12, 17)));
}

void SetGifScreenSize(Bytes& file, uint32_t width, uint32_t height) {
  PutLittle16(file, 6, width);
  PutLittle16(file, 8, height);
}

// The first image descriptor, past the global palette and any extensions.
std::size_t GifImageDescriptor(const Bytes& file) {
  std::size_t at = 13;
  if (file[10] & 0x80) at += 3u << ((file[10] & 7) + 1);
  while (file[at] == 0x21) {
    at += 2;
    while (file[at] != 0) at += file[at] + 1u;
    ++at;
  }
  EXPECT_EQ(file[at], 0x2C);
  return at;
}

void SetGifFrameSize(Bytes& file, uint32_t width, uint32_t height) {
  const std::size_t at = GifImageDescriptor(file);
  PutLittle16(file, at + 5, width);
  PutLittle16(file, at + 7, height);
}

void SetJpegSize(Bytes& file, uint32_t width, uint32_t height) {
  for (std::size_t at = 2; at + 9 < file.size(); ++at) {
    if (file[at] == 0xFF && (file[at + 1] == 0xC0 || file[at + 1] == 0xC2)) {
      PutBig16(file, at + 5, height);
      PutBig16(file, at + 7, width);
      return;
    }
  }
  ADD_FAILURE() << "no frame header";
}

// Sets the ImageWidth and ImageLength entries of the first directory (classic or big TIFF) as LONGs.
void SetTiffSize(Bytes& file, uint32_t width, uint32_t height) {
  const bool little = file[0] == 'I';
  const auto get = [&](std::size_t at, std::size_t bytes) {
    uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
      value |= uint64_t{file[at + (little ? i : bytes - 1 - i)]} << (8 * i);
    return value;
  };
  const auto put = [&](std::size_t at, std::size_t bytes, uint64_t value) {
    for (std::size_t i = 0; i < bytes; ++i)
      file[at + (little ? i : bytes - 1 - i)] = static_cast<uint8_t>(value >> (8 * i));
  };
  const bool big = get(2, 2) == 43;
  const std::size_t word = big ? 8 : 4;
  const std::size_t directory = get(big ? 8 : 4, word);
  const std::size_t countBytes = big ? 8 : 2;
  for (uint64_t entry = 0; entry < get(directory, countBytes); ++entry) {
    const std::size_t at = directory + countBytes + entry * (4 + 2 * word);
    const uint64_t tag = get(at, 2);
    if (tag != 256 && tag != 257) continue;
    put(at + 2, 2, 4);     // type LONG
    put(at + 4, word, 1);  // one value
    put(at + 4 + word, word, 0);
    put(at + 4 + word, 4, tag == 256 ? width : height);  // held in the entry, first bytes
  }
}

struct LyingSize {
  const char* file;
  std::function<void(Bytes&, uint32_t, uint32_t)> set;
  uint32_t width;
  uint32_t height;
};

TEST(DamagedFiles, SizesTheDataCannotHoldGiveNothing) {
  const LyingSize cases[] = {
      {"bmp-24bit.bmp", SetBmpSize, 60000, 60000},
      {"bmp-24bit.bmp", SetBmpSize, 16384, 16384},
      {"bmp-24bit.bmp", SetBmpSize, 65536, 65536},  // 2^34 bytes of pixels: overflows 32 bits
      {"bmp-24bit.bmp", SetBmpSize, 0x7FFFFFFF, 0x80000000},
      {"bmp-24bit.bmp", SetBmpSize, 0xFFFFFFFC, 3},  // negative width
      {"bmp-24bit.bmp", SetBmpSize, 0, 3},
      {"bmp-24bit.bmp", SetBmpSize, 4, 0},
      {"bmp-24bit.bmp", SetBmpSize, 5, 3},  // rows one pixel longer than the data
      {"bmp-rle8-runs.bmp", SetBmpSize, 16384, 16384},
      {"png-rgba.png", SetPngSize, 60000, 60000},
      {"png-rgba.png", SetPngSize, 16384, 16384},
      {"png-rgba.png", SetPngSize, 0x7FFFFFFF, 0x7FFFFFFF},
      {"png-rgba.png", SetPngSize, 5, 3},
      {"gif-plain.gif", SetGifScreenSize, 60000, 60000},
      {"gif-plain.gif", SetGifScreenSize, 16384, 16384},
      {"gif-plain.gif", SetGifFrameSize, 60000, 60000},
      {"gif-plain.gif", SetGifFrameSize, 16384, 16384},
      {"gif-plain.gif", SetGifFrameSize, 4, 4},
      {"jpeg-444.jpg", SetJpegSize, 60000, 60000},
      {"jpeg-444.jpg", SetJpegSize, 16384, 16384},
      {"jpeg-progressive.jpg", SetJpegSize, 16384, 16384},
      {"jpeg-420.jpg", SetJpegSize, 32, 48},
      {"tiff-rgb.tif", SetTiffSize, 60000, 60000},
      {"tiff-rgb.tif", SetTiffSize, 16384, 16384},
      {"tiff-rgb.tif", SetTiffSize, 0xFFFFFFFF, 0xFFFFFFFF},
      {"tiff-rgb.tif", SetTiffSize, 4, 4},
      {"tiff-rgb-lzw.tif", SetTiffSize, 16384, 16384},
      {"tiff-rgb-bigendian.tif", SetTiffSize, 16384, 16384},
      {"tiff-tiled.tif", SetTiffSize, 4096, 4096},
      {"tiff-jpeg.tif", SetTiffSize, 4096, 4096},
      {"tiff-bigtiff.tif", SetTiffSize, 4096, 4096},
  };
  for (const LyingSize& lie : cases) {
    Bytes file = ReadFixture(lie.file);
    lie.set(file, lie.width, lie.height);
    EXPECT_FALSE(DecodeImageFile(file)) << lie.file << " claiming " << lie.width << " x " << lie.height;
  }
}

// The setters above change nothing but the size: given the true size, the file still decodes.
TEST(DamagedFiles, SizeSettersKeepAFileWhole) {
  const LyingSize truths[] = {
      {"bmp-24bit.bmp", SetBmpSize, 4, 3},           {"png-rgba.png", SetPngSize, 4, 3},
      {"gif-plain.gif", SetGifScreenSize, 4, 3},     {"gif-plain.gif", SetGifFrameSize, 4, 3},
      {"jpeg-444.jpg", SetJpegSize, 4, 3},           {"tiff-rgb.tif", SetTiffSize, 4, 3},
      {"tiff-rgb-bigendian.tif", SetTiffSize, 4, 3}, {"tiff-bigtiff.tif", SetTiffSize, 32, 24},
  };
  for (const LyingSize& truth : truths) {
    Bytes file = ReadFixture(truth.file);
    truth.set(file, truth.width, truth.height);
    const std::optional<Picture> picture = DecodeImageFile(file);
    ASSERT_TRUE(picture) << truth.file;
    EXPECT_TRUE(SamePicture(*picture, *DecodeImageFile(ReadFixture(truth.file)))) << truth.file;
  }
}

TEST(DecodeLimits, BoundSidesAndPixelsByTheInput) {
  EXPECT_TRUE(SizeFitsInput(1, 1, 1, 1));
  EXPECT_FALSE(SizeFitsInput(1, 1, 0, 1000));
  EXPECT_TRUE(SizeFitsInput(kMaxImageSide, kMaxImageSide, 1u << 20, 256));
  EXPECT_FALSE(SizeFitsInput(kMaxImageSide, kMaxImageSide, (1u << 20) - 1, 256));
  EXPECT_FALSE(SizeFitsInput(kMaxImageSide + 1, 1, 1u << 30, 1));
  EXPECT_FALSE(SizeFitsInput(1, kMaxImageSide + 1, 1u << 30, 1));
  EXPECT_FALSE(SizeFitsInput(0, 1, 100, 1));
  EXPECT_FALSE(SizeFitsInput(1, -1, 100, 1));
  EXPECT_TRUE(SizeFitsInput(100, 100, 10, 1000));
  EXPECT_FALSE(SizeFitsInput(100, 101, 10, 1000));
}

}  // namespace
}  // namespace ravelo
