#include "platform/codec/bmp_codec.h"

#include <algorithm>
#include <array>
#include <bit>

#include "platform/codec/decode_limits.h"
#include "platform/codec/palette.h"
#include "platform/image_file.h"

namespace ravelo {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kAlphaMaskHeaderBytes = 56;  // the first header size that holds an alpha mask
constexpr uint32_t kV4HeaderBytes = 108;

constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitFields = 3;
constexpr uint32_t kCompressionAlphaBitFields = 6;

constexpr uint32_t kSrgbColourSpace = 0x73524742;  // 'sRGB'
constexpr int32_t kPixelsPerMetre = 3780;          // 96 dots per inch

// A plain run codes at most 255 pixels in two bytes, but skips (end of line, delta, end of bitmap)
// may leave any number of pixels unset, so the bound for RLE data is generous.
constexpr uint64_t kRleMaxPixelsPerByte = 32768;

using Bgra = std::array<uint8_t, 4>;
constexpr Bgra kOpaqueBlack = {0, 0, 0, 255};

uint16_t ReadU16(std::span<const uint8_t> bytes, std::size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t ReadU32(std::span<const uint8_t> bytes, std::size_t at) {
  return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
         static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// One channel packed in a pixel under a bit mask, scaled to 0..255.
class Channel {
 public:
  explicit Channel(uint32_t mask)
      : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), max_(mask >> shift_) {}
  bool present() const { return mask_ != 0; }
  uint8_t Extract(uint32_t pixel) const {
    if (mask_ == 0) return 0;
    const uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<uint8_t>((value * 255 + max_ / 2) / max_);
  }

 private:
  uint32_t mask_;
  int shift_;
  uint64_t max_;
};

struct BmpLayout {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kCompressionNone;
  std::array<uint32_t, 4> masks = {};  // red, green, blue, alpha
  bool alphaUnlessAllZero = false;     // 32 bits without masks: the fourth byte may be unused
  std::vector<Bgra> palette;
  std::span<const uint8_t> pixels;  // from the pixel data offset; for RLE, the stream
};

std::size_t RowBytes(const BmpLayout& layout) {
  return (static_cast<std::size_t>(layout.bits) * static_cast<std::size_t>(layout.width) + 31) / 32 * 4;
}

bool ValidDepth(const BmpLayout& layout) {
  switch (layout.compression) {
    case kCompressionNone:
      return layout.bits == 1 || layout.bits == 4 || layout.bits == 8 || layout.bits == 16 ||
             layout.bits == 24 || layout.bits == 32;
    case kCompressionRle8:
      return layout.bits == 8 && !layout.topDown;
    case kCompressionRle4:
      return layout.bits == 4 && !layout.topDown;
    case kCompressionBitFields:
    case kCompressionAlphaBitFields:
      return layout.bits == 16 || layout.bits == 32;
    default:
      return false;
  }
}

// Reads the masks of a bit-field file; they sit in the header when it is long enough, else right
// after it. Returns where the header (masks included) ends, or 0 when the file is too short.
std::size_t ReadMasks(std::span<const uint8_t> file, uint32_t headerBytes, BmpLayout& layout) {
  const std::size_t maskAt = kFileHeaderBytes + kInfoHeaderBytes;
  const std::size_t maskCount = layout.compression == kCompressionAlphaBitFields ? 4 : 3;
  std::size_t headerEnd = kFileHeaderBytes + headerBytes;
  if (headerBytes < kInfoHeaderBytes + 4 * maskCount) headerEnd = maskAt + 4 * maskCount;
  if (headerEnd > file.size()) return 0;
  for (std::size_t i = 0; i < maskCount; ++i) layout.masks[i] = ReadU32(file, maskAt + 4 * i);
  if (headerBytes >= kAlphaMaskHeaderBytes) layout.masks[3] = ReadU32(file, maskAt + 12);
  return headerEnd;
}

void SetDefaultMasks(BmpLayout& layout) {
  if (layout.bits == 16) layout.masks = {0x7C00, 0x03E0, 0x001F, 0};
  if (layout.bits == 32) {
    layout.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    layout.alphaUnlessAllZero = true;
  }
}

void ReadPalette(std::span<const uint8_t> file, std::size_t at, std::size_t dataOffset, uint32_t coloursUsed,
                 std::size_t entryBytes, BmpLayout& layout) {
  const std::size_t full = std::size_t{1} << layout.bits;
  const std::size_t declared = coloursUsed > 0 && coloursUsed < full ? coloursUsed : full;
  const std::size_t entries = std::min(declared, (dataOffset - at) / entryBytes);
  for (std::size_t i = 0; i < entries; ++i) {
    const std::size_t entry = at + i * entryBytes;
    layout.palette.push_back({file[entry], file[entry + 1], file[entry + 2], 255});
  }
}

std::optional<BmpLayout> ReadLayout(std::span<const uint8_t> file) {
  if (file.size() < kFileHeaderBytes + 4 || file[0] != 'B' || file[1] != 'M') return std::nullopt;
  const std::size_t dataOffset = ReadU32(file, 10);
  const uint32_t headerBytes = ReadU32(file, 14);
  if (headerBytes > file.size() - kFileHeaderBytes) return std::nullopt;

  BmpLayout layout;
  int64_t width = 0;
  int64_t height = 0;
  uint32_t sizeImage = 0;
  uint32_t coloursUsed = 0;
  std::size_t paletteEntryBytes = 4;
  if (headerBytes == kCoreHeaderBytes) {
    width = ReadU16(file, 18);
    height = ReadU16(file, 20);
    layout.bits = ReadU16(file, 24);
    paletteEntryBytes = 3;
  } else if (headerBytes >= kInfoHeaderBytes) {
    width = static_cast<int32_t>(ReadU32(file, 18));
    height = static_cast<int32_t>(ReadU32(file, 22));
    layout.bits = ReadU16(file, 28);
    layout.compression = ReadU32(file, 30);
    sizeImage = ReadU32(file, 34);
    coloursUsed = ReadU32(file, 46);
  } else {
    return std::nullopt;
  }
  layout.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (!ValidDepth(layout)) return std::nullopt;

  std::size_t headerEnd = kFileHeaderBytes + headerBytes;
  if (layout.compression == kCompressionBitFields || layout.compression == kCompressionAlphaBitFields) {
    headerEnd = ReadMasks(file, headerBytes, layout);
    if (headerEnd == 0) return std::nullopt;
  } else {
    SetDefaultMasks(layout);
  }
  if (dataOffset < headerEnd || dataOffset > file.size()) return std::nullopt;
  if (layout.bits <= 8) ReadPalette(file, headerEnd, dataOffset, coloursUsed, paletteEntryBytes, layout);

  layout.pixels = file.subspan(dataOffset);
  const bool rle = layout.compression == kCompressionRle8 || layout.compression == kCompressionRle4;
  if (rle) {
    if (sizeImage > layout.pixels.size()) return std::nullopt;
    if (sizeImage > 0) layout.pixels = layout.pixels.first(sizeImage);
    if (!SizeFitsInput(width, height, layout.pixels.size(), kRleMaxPixelsPerByte)) return std::nullopt;
  } else if (!SizeFitsInput(width, height, layout.pixels.size(), 8)) {
    return std::nullopt;
  }
  layout.width = static_cast<int>(width);
  layout.height = static_cast<int>(height);
  if (!rle && RowBytes(layout) * static_cast<std::size_t>(layout.height) > layout.pixels.size()) {
    return std::nullopt;
  }
  return layout;
}

void Put(Picture& picture, int x, int y, const Bgra& colour) {
  std::copy(colour.begin(), colour.end(),
            picture.bgra.begin() + (static_cast<std::ptrdiff_t>(y) * picture.width + x) * 4);
}

const Bgra& PaletteColour(const BmpLayout& layout, unsigned index) {
  return index < layout.palette.size() ? layout.palette[index] : kOpaqueBlack;
}

void DecodeRows(const BmpLayout& layout, Picture& picture) {
  const std::size_t rowBytes = RowBytes(layout);
  const Channel red(layout.masks[0]), green(layout.masks[1]), blue(layout.masks[2]), alpha(layout.masks[3]);
  const auto packed = [&](uint32_t pixel) -> Bgra {
    return {blue.Extract(pixel), green.Extract(pixel), red.Extract(pixel),
            alpha.present() ? alpha.Extract(pixel) : uint8_t{255}};
  };
  for (int row = 0; row < layout.height; ++row) {
    const std::span<const uint8_t> source = layout.pixels.subspan(row * rowBytes, rowBytes);
    const int y = layout.topDown ? row : layout.height - 1 - row;
    for (int x = 0; x < layout.width; ++x) {
      const auto ux = static_cast<std::size_t>(x);
      switch (layout.bits) {
        case 1:
          Put(picture, x, y, PaletteColour(layout, (source[ux / 8] >> (7 - ux % 8)) & 1));
          break;
        case 4:
          Put(picture, x, y, PaletteColour(layout, (source[ux / 2] >> (ux % 2 == 0 ? 4 : 0)) & 15));
          break;
        case 8:
          Put(picture, x, y, PaletteColour(layout, source[ux]));
          break;
        case 16:
          Put(picture, x, y, packed(ReadU16(source, ux * 2)));
          break;
        case 24:
          Put(picture, x, y, {source[ux * 3], source[ux * 3 + 1], source[ux * 3 + 2], 255});
          break;
        default:
          Put(picture, x, y, packed(ReadU32(source, ux * 4)));
          break;
      }
    }
  }
}

// Every fourth byte 0 means the writer left it unused: the picture is opaque.
void OpaqueWhenAlphaUnused(Picture& picture) {
  for (std::size_t i = 3; i < picture.bgra.size(); i += 4) {
    if (picture.bgra[i] != 0) return;
  }
  for (std::size_t i = 3; i < picture.bgra.size(); i += 4) picture.bgra[i] = 255;
}

// Plays an RLE8 or RLE4 stream onto the (transparent) picture. False when the stream ends without its
// end-of-bitmap code or would write outside the picture.
bool DecodeRle(const BmpLayout& layout, Picture& picture) {
  const std::span<const uint8_t> data = layout.pixels;
  const bool fourBits = layout.compression == kCompressionRle4;
  std::size_t at = 0;
  int64_t x = 0;
  int64_t line = 0;  // counted from the bottom row
  const auto put = [&](unsigned index) {
    Put(picture, static_cast<int>(x), layout.height - 1 - static_cast<int>(line),
        PaletteColour(layout, index));
    ++x;
  };
  while (at + 2 <= data.size()) {
    const unsigned count = data[at];
    const unsigned code = data[at + 1];
    at += 2;
    if (count > 0) {  // a run of one value (RLE4: two alternating values)
      if (line >= layout.height || x + count > layout.width) return false;
      for (unsigned i = 0; i < count; ++i) put(fourBits ? (i % 2 == 0 ? code >> 4 : code & 15) : code);
    } else if (code == 0) {  // end of line
      x = 0;
      if (++line > layout.height) return false;
    } else if (code == 1) {  // end of bitmap
      return true;
    } else if (code == 2) {  // delta: move right and up
      if (at + 2 > data.size()) return false;
      x += data[at];
      line += data[at + 1];
      at += 2;
      if (x > layout.width || line > layout.height) return false;
    } else {  // absolute: `code` literal values, padded to a 16-bit boundary
      const std::size_t bytes = fourBits ? (code + 1) / 2 : code;
      if (at + bytes + bytes % 2 > data.size()) return false;
      if (line >= layout.height || x + code > layout.width) return false;
      for (unsigned i = 0; i < code; ++i) {
        put(fourBits ? (data[at + i / 2] >> (i % 2 == 0 ? 4 : 0)) & 15 : data[at + i]);
      }
      at += bytes + bytes % 2;
    }
  }
  return false;
}

void AppendU16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
  AppendU16(out, value & 0xFFFF);
  AppendU16(out, value >> 16);
}

std::size_t RowBytesOf(uint32_t bits, int width) {
  return (static_cast<std::size_t>(bits) * static_cast<std::size_t>(width) + 31) / 32 * 4;
}

// The file header and the first 40 bytes of the info header (headerBytes its stated size); the
// pixel data follows infoBytes of header, masks and colour table.
std::vector<uint8_t> Headers(const Picture& picture, uint32_t headerBytes, uint32_t infoBytes, uint32_t bits,
                             uint32_t compression, uint32_t imageBytes) {
  const auto dataOffset = static_cast<uint32_t>(kFileHeaderBytes + infoBytes);
  std::vector<uint8_t> out;
  out.reserve(dataOffset + imageBytes);
  out.push_back('B');
  out.push_back('M');
  AppendU32(out, dataOffset + imageBytes);
  AppendU32(out, 0);
  AppendU32(out, dataOffset);
  AppendU32(out, headerBytes);
  AppendU32(out, static_cast<uint32_t>(picture.width));
  AppendU32(out, static_cast<uint32_t>(picture.height));  // positive: bottom-up rows
  AppendU16(out, 1);
  AppendU16(out, bits);
  AppendU32(out, compression);
  AppendU32(out, imageBytes);
  AppendU32(out, kPixelsPerMetre);
  AppendU32(out, kPixelsPerMetre);
  AppendU32(out, 0);  // colours used: all of the table
  AppendU32(out, 0);  // colours important
  return out;
}

// Appends the rows bottom-up, each padded to four bytes, filled by fill(row, bgra, width).
template <typename Fill>
void AppendRows(std::vector<uint8_t>& out, const Picture& picture, uint32_t bits, Fill fill) {
  const auto width = static_cast<std::size_t>(picture.width);
  const std::size_t rowBytes = RowBytesOf(bits, picture.width);
  std::size_t at = out.size();
  out.resize(at + rowBytes * static_cast<std::size_t>(picture.height), 0);
  for (int y = picture.height - 1; y >= 0; --y, at += rowBytes) {
    fill(out.data() + at, picture.bgra.data() + static_cast<std::size_t>(y) * width * 4, width);
  }
}

std::pair<uint32_t, uint32_t> BitsAndCompression(BmpKind kind) {
  switch (kind) {
    case BmpKind::Bits1:
      return {1, kCompressionNone};
    case BmpKind::Bits4:
      return {4, kCompressionNone};
    case BmpKind::Bits4Rle:
      return {4, kCompressionRle4};
    case BmpKind::Bits8:
      return {8, kCompressionNone};
    case BmpKind::Bits8Rle:
      return {8, kCompressionRle8};
    case BmpKind::Bits16:
      return {16, kCompressionBitFields};
    case BmpKind::Bits24:
      return {24, kCompressionNone};
    case BmpKind::Bits32:
      break;
  }
  return {32, kCompressionBitFields};
}

// Black and white by brightness, as a monochrome display shows a drawing: lines and text dark, the
// pale fills of a chart light. (Two mean colours of a median cut would both be pale and lose them.)
PalettedPixels BlackAndWhite(const Picture& picture) {
  PalettedPixels result{{{0, 0, 0}, {255, 255, 255}}, {}};
  result.indices.reserve(picture.bgra.size() / 4);
  for (std::size_t i = 0; i < picture.bgra.size(); i += 4) {
    const int luma = 299 * picture.bgra[i + 2] + 587 * picture.bgra[i + 1] + 114 * picture.bgra[i];
    result.indices.push_back(luma >= 128 * 1000 ? 1 : 0);
  }
  return result;
}

// One row of palette indices as an RLE8 or RLE4 stream (without its end-of-line mark): runs of
// equal pixels as (count, value), stretches without a run of three as absolute groups of at least
// three pixels padded to a 16-bit boundary, shorter ones as runs of one.
void AppendRleRow(std::vector<uint8_t>& out, std::span<const uint8_t> row, bool fourBits) {
  constexpr std::size_t kLongest = 255;
  const auto value = [&](std::size_t at) { return fourBits ? static_cast<uint8_t>(row[at] << 4 | row[at]) : row[at]; };
  const auto startsRun = [&](std::size_t at) {
    return at + 2 < row.size() && row[at] == row[at + 1] && row[at] == row[at + 2];
  };
  std::size_t i = 0;
  while (i < row.size()) {
    if (startsRun(i)) {
      std::size_t run = 3;
      while (i + run < row.size() && run < kLongest && row[i + run] == row[i]) ++run;
      out.push_back(static_cast<uint8_t>(run));
      out.push_back(value(i));
      i += run;
      continue;
    }
    std::size_t end = i + 1;
    while (end < row.size() && end - i < kLongest && !startsRun(end)) ++end;
    const std::size_t count = end - i;
    if (count < 3) {
      for (; i < end; ++i) {
        out.push_back(1);
        out.push_back(value(i));
      }
      continue;
    }
    out.push_back(0);
    out.push_back(static_cast<uint8_t>(count));
    const std::size_t groupStart = out.size();
    if (fourBits) {
      for (std::size_t k = 0; k < count; k += 2) {
        const uint8_t low = k + 1 < count ? row[i + k + 1] : 0;
        out.push_back(static_cast<uint8_t>(row[i + k] << 4 | low));
      }
    } else {
      out.insert(out.end(), row.begin() + static_cast<std::ptrdiff_t>(i),
                 row.begin() + static_cast<std::ptrdiff_t>(end));
    }
    if ((out.size() - groupStart) % 2 != 0) out.push_back(0);
    i = end;
  }
}

}  // namespace

std::optional<Picture> DecodeBmp(std::span<const uint8_t> fileBytes, PictureBudget& budget) {
  const std::optional<BmpLayout> layout = ReadLayout(fileBytes);
  if (!layout || !budget.Take(layout->width, layout->height)) return std::nullopt;
  Picture picture = BlankPicture(layout->width, layout->height);
  if (layout->compression == kCompressionRle8 || layout->compression == kCompressionRle4) {
    if (!DecodeRle(*layout, picture)) return std::nullopt;
  } else {
    DecodeRows(*layout, picture);
    if (layout->alphaUnlessAllZero) OpaqueWhenAlphaUnused(picture);
  }
  return picture;
}

std::vector<uint8_t> EncodeBmp(const Picture& picture, BmpDepth depth) {
  if (!HasPixelData(picture)) return {};
  const bool alpha = depth == BmpDepth::Bits32;
  const uint32_t bits = alpha ? 32 : 24;
  const uint32_t headerBytes = alpha ? kV4HeaderBytes : kInfoHeaderBytes;
  const std::size_t rowBytes = RowBytesOf(bits, picture.width);
  const auto imageBytes = static_cast<uint32_t>(rowBytes * static_cast<std::size_t>(picture.height));
  std::vector<uint8_t> out =
      Headers(picture, headerBytes, headerBytes, bits, alpha ? kCompressionBitFields : kCompressionNone, imageBytes);
  if (alpha) {
    for (const uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) AppendU32(out, mask);
    AppendU32(out, kSrgbColourSpace);
    out.resize(kFileHeaderBytes + headerBytes, 0);  // end points and gamma, unused with sRGB
  }
  const uint32_t pixelBytes = alpha ? 4 : 3;
  AppendRows(out, picture, bits, [&](uint8_t* row, const uint8_t* bgra, std::size_t width) {
    for (std::size_t x = 0; x < width; ++x) std::copy_n(bgra + x * 4, pixelBytes, row + x * pixelBytes);
  });
  return out;
}

std::vector<uint8_t> EncodeBmp(const Picture& picture, BmpKind kind) {
  if (!HasPixelData(picture)) return {};
  const auto [bits, compression] = BitsAndCompression(kind);
  if (bits > 8) {
    const uint32_t imageBytes =
        static_cast<uint32_t>(RowBytesOf(bits, picture.width)) * static_cast<uint32_t>(picture.height);
    const bool fields = compression == kCompressionBitFields;
    const uint32_t infoBytes = kInfoHeaderBytes + (fields ? 12 : 0);
    std::vector<uint8_t> out = Headers(picture, kInfoHeaderBytes, infoBytes, bits, compression, imageBytes);
    if (bits == 16) {
      for (const uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu}) AppendU32(out, mask);
      AppendRows(out, picture, bits, [](uint8_t* row, const uint8_t* bgra, std::size_t width) {
        for (std::size_t x = 0; x < width; ++x, bgra += 4) {
          const auto value = static_cast<uint16_t>((bgra[2] >> 3) << 11 | (bgra[1] >> 2) << 5 | bgra[0] >> 3);
          row[x * 2] = static_cast<uint8_t>(value);
          row[x * 2 + 1] = static_cast<uint8_t>(value >> 8);
        }
      });
      return out;
    }
    if (fields) {
      for (const uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu}) AppendU32(out, mask);
    }
    const uint32_t pixelBytes = bits / 8;
    AppendRows(out, picture, bits, [&](uint8_t* row, const uint8_t* bgra, std::size_t width) {
      for (std::size_t x = 0; x < width; ++x) std::copy_n(bgra + x * 4, 3, row + x * pixelBytes);
    });
    return out;
  }

  const std::size_t colours = std::size_t{1} << bits;
  const PalettedPixels paletted = bits == 1 ? BlackAndWhite(picture) : ReduceToPalette(picture, colours);
  std::vector<uint8_t> pixels;
  const auto width = static_cast<std::size_t>(picture.width);
  if (compression == kCompressionNone) {
    const std::size_t rowBytes = RowBytesOf(bits, picture.width);
    pixels.resize(rowBytes * static_cast<std::size_t>(picture.height), 0);
    for (int y = 0; y < picture.height; ++y) {
      const uint8_t* indices = paletted.indices.data() + static_cast<std::size_t>(y) * width;
      uint8_t* row = pixels.data() + static_cast<std::size_t>(picture.height - 1 - y) * rowBytes;
      const int perByte = 8 / static_cast<int>(bits);
      for (std::size_t x = 0; x < width; ++x) {
        const int shift = 8 - static_cast<int>(bits) * (static_cast<int>(x % static_cast<std::size_t>(perByte)) + 1);
        row[x / static_cast<std::size_t>(perByte)] |= static_cast<uint8_t>(indices[x] << shift);
      }
    }
  } else {
    for (int y = picture.height - 1; y >= 0; --y) {
      AppendRleRow(pixels, std::span(paletted.indices).subspan(static_cast<std::size_t>(y) * width, width), bits == 4);
      pixels.push_back(0);
      pixels.push_back(y == 0 ? 1 : 0);  // end of bitmap after the top row, else end of line
    }
  }
  const auto infoBytes = static_cast<uint32_t>(kInfoHeaderBytes + 4 * colours);
  std::vector<uint8_t> out =
      Headers(picture, kInfoHeaderBytes, infoBytes, bits, compression, static_cast<uint32_t>(pixels.size()));
  for (std::size_t i = 0; i < colours; ++i) {
    const RgbColour colour = i < paletted.palette.size() ? paletted.palette[i] : RgbColour{};
    out.insert(out.end(), {colour.blue, colour.green, colour.red, 0});
  }
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

}  // namespace ravelo
