#include "platform/codec/png_codec.h"

#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

#include <memory>
#include <thread>

#include "platform/codec/decode_limits.h"
#include "platform/image_file.h"
#include "platform/large_buffer.h"

namespace ravelo {

namespace {

// Deflate expands a byte to at most 1032 bytes, and a pixel takes at least one bit.
constexpr uint64_t kMaxPixelsPerByte = 1032 * 8;

// Frees what libpng holds for the image, on every way out.
struct ImageGuard {
  png_image& image;
  ~ImageGuard() { png_image_free(&image); }
};

constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kColourTypeRgb = 2, kColourTypeRgba = 6;

void AppendU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Appends one chunk: length, type, data, and the CRC of type and data.
void AppendChunk(std::vector<uint8_t>& out, const char (&type)[5], std::span<const uint8_t> data) {
  AppendU32(out, static_cast<uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  AppendU32(out, libdeflate_crc32(0, out.data() + typeAt, out.size() - typeAt));
}

// The rows [first, last) as PNG scanlines: a filter byte, then RGB or RGBA samples. Filter 0
// (none) throughout: a chart is flat colour, which deflate's matches at the pixel and row distance
// already take, and it compressed smaller and faster than "sub" and "up" on whole charts.
std::vector<uint8_t> Scanlines(const Picture& picture, bool alpha, int first, int last) {
  const auto width = static_cast<std::size_t>(picture.width);
  const std::size_t channels = alpha ? 4 : 3;
  std::vector<uint8_t> lines;
  ResizeLargeBuffer(lines, static_cast<std::size_t>(last - first) * (1 + width * channels));
  uint8_t* out = lines.data();
  for (int y = first; y < last; ++y) {
    *out++ = 0;
    const uint8_t* bgra = picture.bgra.data() + static_cast<std::size_t>(y) * width * 4;
    for (std::size_t x = 0; x < width; ++x, bgra += 4, out += channels) {
      out[0] = bgra[2];
      out[1] = bgra[1];
      out[2] = bgra[0];
      if (alpha) out[3] = bgra[3];
    }
  }
  return lines;
}

// The leading part of the zlib stream's data, on its own thread: a raw deflate stream that ends
// on a byte boundary without closing the stream (zlib's sync flush), so that the rest can follow.
bool DeflateLeadingPart(std::span<const uint8_t> lines, std::vector<uint8_t>& out) {
  z_stream stream{};
  if (deflateInit2(&stream, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
  const uLong bound = deflateBound(&stream, lines.size()) + 16;
  const std::unique_ptr<uint8_t[]> buffer(new uint8_t[bound]);  // uninitialised: only what is written is touched
  stream.next_in = const_cast<uint8_t*>(lines.data());
  stream.avail_in = static_cast<uInt>(lines.size());
  stream.next_out = buffer.get();
  stream.avail_out = static_cast<uInt>(bound);
  const bool flushed = deflate(&stream, Z_SYNC_FLUSH) == Z_OK && stream.avail_in == 0;
  out.assign(buffer.get(), buffer.get() + stream.total_out);
  deflateEnd(&stream);
  return flushed;
}

// The closing part: libdeflate, faster than zlib, ends the stream with its final block.
bool DeflateClosingPart(std::span<const uint8_t> lines, std::vector<uint8_t>& out) {
  const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
      libdeflate_alloc_compressor(1), &libdeflate_free_compressor);
  if (!compressor) return false;
  const std::size_t bound = libdeflate_deflate_compress_bound(compressor.get(), lines.size());
  const std::unique_ptr<uint8_t[]> buffer(new uint8_t[bound]);
  const std::size_t size =
      libdeflate_deflate_compress(compressor.get(), lines.data(), lines.size(), buffer.get(), bound);
  out.assign(buffer.get(), buffer.get() + size);
  return size > 0;
}

// The scanlines of the whole picture as one zlib stream, made on two threads: the upper rows by
// zlib, the lower rows by libdeflate. The lower part refers back to nothing of the upper part,
// which deflate allows; the share of the upper part makes both threads end at about the same time.
std::optional<std::vector<uint8_t>> CompressedScanlines(const Picture& picture, bool alpha) {
  const int split = picture.height * 3 / 8;
  std::vector<uint8_t> leading, closing;
  uint32_t leadingAdler = 1;
  bool leadingDone = true;
  std::thread upper([&] {
    const std::vector<uint8_t> lines = Scanlines(picture, alpha, 0, split);
    leadingAdler = static_cast<uint32_t>(adler32(1, lines.data(), static_cast<uInt>(lines.size())));
    leadingDone = lines.empty() || DeflateLeadingPart(lines, leading);
  });
  const std::vector<uint8_t> lines = Scanlines(picture, alpha, split, picture.height);
  const uint32_t closingAdler = libdeflate_adler32(1, lines.data(), lines.size());
  const bool closingDone = DeflateClosingPart(lines, closing);
  upper.join();
  if (!leadingDone || !closingDone) return std::nullopt;

  std::vector<uint8_t> stream{0x78, 0x01};  // deflate, 32 KiB window, fastest compression
  stream.reserve(2 + leading.size() + closing.size() + 4);
  stream.insert(stream.end(), leading.begin(), leading.end());
  stream.insert(stream.end(), closing.begin(), closing.end());
  AppendU32(stream,
            static_cast<uint32_t>(adler32_combine(leadingAdler, closingAdler, static_cast<z_off_t>(lines.size()))));
  return stream;
}

}  // namespace

std::optional<Picture> DecodePng(std::span<const uint8_t> fileBytes, PictureBudget& budget) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const ImageGuard guard{image};
  if (png_image_begin_read_from_memory(&image, fileBytes.data(), fileBytes.size()) == 0) return std::nullopt;
  if (!SizeFitsInput(image.width, image.height, fileBytes.size(), kMaxPixelsPerByte) ||
      !budget.Take(image.width, image.height))
    return std::nullopt;
  image.format = PNG_FORMAT_BGRA;
  image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  Picture picture = BlankPicture(static_cast<int>(image.width), static_cast<int>(image.height));
  if (png_image_finish_read(&image, nullptr, picture.bgra.data(), 0, nullptr) == 0) return std::nullopt;
  return picture;
}

std::vector<uint8_t> EncodePng(const Picture& picture) {
  if (!HasPixelData(picture)) return {};
  const bool alpha = HasTransparency(picture);
  const std::optional<std::vector<uint8_t>> data = CompressedScanlines(picture, alpha);
  if (!data) return {};
  std::vector<uint8_t> out(std::begin(kSignature), std::end(kSignature));
  std::vector<uint8_t> header;
  AppendU32(header, static_cast<uint32_t>(picture.width));
  AppendU32(header, static_cast<uint32_t>(picture.height));
  header.insert(header.end(), {8, alpha ? kColourTypeRgba : kColourTypeRgb, 0, 0, 0});
  AppendChunk(out, "IHDR", header);
  AppendChunk(out, "IDAT", *data);
  AppendChunk(out, "IEND", {});
  return out;
}

}  // namespace ravelo
