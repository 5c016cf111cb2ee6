#include "platform/codec/tiff_codec.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "platform/codec/decode_limits.h"
#include "platform/image_file.h"

namespace ravelo {

namespace {

// Fax-coded blank pages come close; no other compression codes more pixels in a byte.
constexpr uint64_t kMaxPixelsPerByte = 32768;
// The largest single buffer libtiff may allocate (a strip, a tag array).
constexpr tmsize_t kMaxLibraryAllocation = tmsize_t{256} << 20;
// How far libtiff may place its write position; far beyond any file this program writes.
constexpr uint64_t kMaxWrittenFileBytes = uint64_t{4} << 30;

// A TIFF file in memory: read from a span, or written into a vector that grows as libtiff writes.
struct MemoryFile {
  std::span<const uint8_t> input;
  std::vector<uint8_t>* output = nullptr;
  uint64_t position = 0;

  std::span<const uint8_t> contents() const { return output != nullptr ? *output : input; }
};

MemoryFile& FileOf(thandle_t handle) { return *static_cast<MemoryFile*>(handle); }

tmsize_t ReadProc(thandle_t handle, void* into, tmsize_t wanted) {
  MemoryFile& file = FileOf(handle);
  const std::span<const uint8_t> contents = file.contents();
  if (wanted <= 0 || file.position >= contents.size()) return 0;
  const std::size_t count = std::min(static_cast<std::size_t>(wanted), contents.size() - file.position);
  std::memcpy(into, contents.data() + file.position, count);
  file.position += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t WriteProc(thandle_t handle, void* from, tmsize_t count) {
  MemoryFile& file = FileOf(handle);
  if (file.output == nullptr || count < 0) return -1;
  const uint64_t end = file.position + static_cast<uint64_t>(count);
  try {
    if (end > file.output->size()) file.output->resize(end);
  } catch (const std::bad_alloc&) {
    return -1;
  }
  std::memcpy(file.output->data() + file.position, from, static_cast<std::size_t>(count));
  file.position = end;
  return count;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
  MemoryFile& file = FileOf(handle);
  const uint64_t base = whence == SEEK_CUR ? file.position : whence == SEEK_END ? file.contents().size() : 0;
  const uint64_t target = base + offset;  // wraps for a negative offset, as toff_t is unsigned
  const uint64_t limit = file.output != nullptr ? kMaxWrittenFileBytes : file.input.size();
  if (target > limit) return static_cast<toff_t>(-1);
  file.position = target;
  return target;
}

int CloseProc(thandle_t) { return 0; }

toff_t SizeProc(thandle_t handle) { return FileOf(handle).contents().size(); }

// A file being read is mapped as it is, which lets libtiff check every strip against its size.
int MapProc(thandle_t handle, void** base, toff_t* size) {
  MemoryFile& file = FileOf(handle);
  if (file.output != nullptr) return 0;
  *base = const_cast<uint8_t*>(file.input.data());  // mapped read-only: libtiff does not write through it
  *size = file.input.size();
  return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

// Errors come back as failed calls; libtiff's messages are not shown.
int IgnoreMessage(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct CloseTiff {
  void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, CloseTiff>;

TiffHandle Open(MemoryFile& file, const char* mode) {
  TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
  if (options == nullptr) return nullptr;
  TIFFOpenOptionsSetMaxSingleMemAlloc(options, kMaxLibraryAllocation);
  TIFFOpenOptionsSetErrorHandlerExtR(options, IgnoreMessage, nullptr);
  TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreMessage, nullptr);
  TIFF* tiff = TIFFClientOpenExt("memory", mode, &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc,
                                 MapProc, UnmapProc, options);
  TIFFOpenOptionsFree(options);
  return TiffHandle(tiff);
}

std::size_t TagTypeBytes(uint64_t type) {
  switch (type) {
    case TIFF_SHORT:
    case TIFF_SSHORT:
      return 2;
    case TIFF_LONG:
    case TIFF_SLONG:
    case TIFF_FLOAT:
    case TIFF_IFD:
      return 4;
    case TIFF_RATIONAL:
    case TIFF_SRATIONAL:
    case TIFF_DOUBLE:
    case TIFF_LONG8:
    case TIFF_SLONG8:
    case TIFF_IFD8:
      return 8;
    default:
      return 1;
  }
}

// libtiff drops a tag whose data lies past the end of the file and goes on with a default (a missing
// palette reads as grey, for one), so a truncated file could decode to other pixels. True when every
// entry of the first directory, classic or big TIFF, lies within the file.
bool FirstDirectoryWithinFile(std::span<const uint8_t> file) {
  if (file.size() < 16) return false;
  const bool little = file[0] == 'I';
  const auto read = [&](std::size_t at, std::size_t bytes) {
    uint64_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i)
      value |= uint64_t{file[at + (little ? i : bytes - 1 - i)]} << (8 * i);
    return value;
  };
  const bool big = read(2, 2) == 43;
  const std::size_t wordBytes = big ? 8 : 4;  // of a count, an offset and an inline value
  const std::size_t countBytes = big ? 8 : 2;
  const std::size_t entryBytes = 4 + 2 * wordBytes;
  const uint64_t directory = read(big ? 8 : 4, wordBytes);
  if (directory > file.size() - countBytes) return false;
  const uint64_t entries = read(directory, countBytes);
  if (entries > (file.size() - directory - countBytes) / entryBytes) return false;
  for (uint64_t i = 0; i < entries; ++i) {
    const std::size_t at = directory + countBytes + i * entryBytes;
    const uint64_t count = read(at + 4, wordBytes);
    if (count > file.size()) return false;  // more values than the file has bytes
    const uint64_t bytes = count * TagTypeBytes(read(at + 2, 2));
    if (bytes <= wordBytes) continue;  // held in the entry itself
    const uint64_t offset = read(at + 4 + wordBytes, wordBytes);
    if (offset > file.size() || bytes > file.size() - offset) return false;
  }
  return true;
}

// An image this decoder reads scanline by scanline itself: 8-bit unsigned samples, interleaved, in
// strips, top row first, grey, palette or RGB with at most one extra sample.
struct PlainLayout {
  uint16_t photometric = 0;
  uint16_t samples = 0;
  bool alpha = false;
  bool premultiplied = false;
};

std::optional<PlainLayout> FindPlainLayout(TIFF* tiff) {
  uint16_t bits = 0, samples = 0, planar = 0, format = 0, orientation = 0, photometric = 0;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &planar);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLEFORMAT, &format);
  TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
  if (TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric) == 0 || TIFFIsTiled(tiff) || bits != 8 ||
      planar != PLANARCONFIG_CONTIG || format != SAMPLEFORMAT_UINT || orientation != ORIENTATION_TOPLEFT) {
    return std::nullopt;
  }
  uint16_t colourSamples = 0;
  if (photometric == PHOTOMETRIC_RGB) colourSamples = 3;
  if (photometric == PHOTOMETRIC_MINISBLACK || photometric == PHOTOMETRIC_MINISWHITE) colourSamples = 1;
  if (photometric == PHOTOMETRIC_PALETTE && samples == 1) colourSamples = 1;
  if (colourSamples == 0 || samples < colourSamples || samples > colourSamples + 1) return std::nullopt;

  PlainLayout layout{photometric, samples};
  uint16_t extraCount = 0;
  uint16_t* extraTypes = nullptr;
  TIFFGetFieldDefaulted(tiff, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes);
  if (samples > colourSamples && extraCount == 1) {
    layout.alpha = extraTypes[0] == EXTRASAMPLE_ASSOCALPHA || extraTypes[0] == EXTRASAMPLE_UNASSALPHA;
    layout.premultiplied = extraTypes[0] == EXTRASAMPLE_ASSOCALPHA;
  }
  return layout;
}

// Undoes premultiplied alpha on one BGRA pixel; a fully transparent pixel keeps what it has.
void Unpremultiply(uint8_t* pixel) {
  const unsigned alpha = pixel[3];
  if (alpha == 0 || alpha == 255) return;
  for (int i = 0; i < 3; ++i)
    pixel[i] = static_cast<uint8_t>(std::min(255u, (pixel[i] * 255u + alpha / 2) / alpha));
}

// The palette as 8-bit BGRA; old writers store 8-bit values in the 16-bit entries.
std::optional<std::vector<uint8_t>> ReadPalette(TIFF* tiff) {
  uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
  if (TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) == 0) return std::nullopt;
  constexpr int kEntries = 256;
  bool sixteenBits = false;
  for (int i = 0; i < kEntries; ++i)
    sixteenBits = sixteenBits || red[i] > 255 || green[i] > 255 || blue[i] > 255;
  const auto level = [&](uint16_t value) { return static_cast<uint8_t>(sixteenBits ? value >> 8 : value); };
  std::vector<uint8_t> bgra;
  for (int i = 0; i < kEntries; ++i)
    bgra.insert(bgra.end(), {level(blue[i]), level(green[i]), level(red[i]), 255});
  return bgra;
}

bool ReadScanlines(TIFF* tiff, const PlainLayout& layout, Picture& picture) {
  std::vector<uint8_t> palette;
  if (layout.photometric == PHOTOMETRIC_PALETTE) {
    std::optional<std::vector<uint8_t>> read = ReadPalette(tiff);
    if (!read) return false;
    palette = std::move(*read);
  }
  const auto width = static_cast<std::size_t>(picture.width);
  const tmsize_t lineBytes = TIFFScanlineSize(tiff);
  if (lineBytes < 0 || static_cast<std::size_t>(lineBytes) < width * layout.samples) return false;
  std::vector<uint8_t> line(static_cast<std::size_t>(lineBytes));
  for (int y = 0; y < picture.height; ++y) {
    if (TIFFReadScanline(tiff, line.data(), static_cast<uint32_t>(y), 0) < 0) return false;
    uint8_t* out = picture.bgra.data() + static_cast<std::size_t>(y) * width * 4;
    for (std::size_t x = 0; x < width; ++x, out += 4) {
      const uint8_t* sample = &line[x * layout.samples];
      if (layout.photometric == PHOTOMETRIC_RGB) {
        out[0] = sample[2];
        out[1] = sample[1];
        out[2] = sample[0];
      } else if (layout.photometric == PHOTOMETRIC_PALETTE) {
        std::copy_n(&palette[sample[0] * 4u], 3, out);
      } else {
        const uint8_t grey = layout.photometric == PHOTOMETRIC_MINISWHITE ? 255 - sample[0] : sample[0];
        out[0] = out[1] = out[2] = grey;
      }
      out[3] = layout.alpha ? sample[layout.samples - 1] : 255;
      if (layout.premultiplied) Unpremultiply(out);
    }
  }
  return true;
}

// libtiff's conversion handles every other layout; it premultiplies alpha, which is undone.
bool ReadThroughRgba(TIFF* tiff, Picture& picture) {
  char message[1024];
  TIFFRGBAImage image{};
  if (TIFFRGBAImageOK(tiff, message) == 0 || TIFFRGBAImageBegin(&image, tiff, 1, message) == 0) return false;
  image.req_orientation = ORIENTATION_TOPLEFT;
  std::vector<uint32_t> raster(picture.bgra.size() / 4);
  const bool read = TIFFRGBAImageGet(&image, raster.data(), static_cast<uint32_t>(picture.width),
                                     static_cast<uint32_t>(picture.height)) != 0;
  const bool alpha = image.alpha != 0;
  TIFFRGBAImageEnd(&image);
  if (!read) return false;
  uint8_t* out = picture.bgra.data();
  for (const uint32_t abgr : raster) {
    out[0] = static_cast<uint8_t>(TIFFGetB(abgr));
    out[1] = static_cast<uint8_t>(TIFFGetG(abgr));
    out[2] = static_cast<uint8_t>(TIFFGetR(abgr));
    out[3] = alpha ? static_cast<uint8_t>(TIFFGetA(abgr)) : 255;
    Unpremultiply(out);
    out += 4;
  }
  return true;
}

}  // namespace

std::optional<Picture> DecodeTiff(std::span<const uint8_t> fileBytes, PictureBudget& budget) {
  if (!FirstDirectoryWithinFile(fileBytes)) return std::nullopt;
  MemoryFile file{fileBytes};
  const TiffHandle tiff = Open(file, "r");
  if (!tiff) return std::nullopt;
  uint32_t width = 0, height = 0;
  if (TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width) == 0 ||
      TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height) == 0 ||
      !SizeFitsInput(width, height, fileBytes.size(), kMaxPixelsPerByte) || !budget.Take(width, height)) {
    return std::nullopt;
  }
  Picture picture = BlankPicture(static_cast<int>(width), static_cast<int>(height));
  const std::optional<PlainLayout> plain = FindPlainLayout(tiff.get());
  const bool read = plain ? ReadScanlines(tiff.get(), *plain, picture) : ReadThroughRgba(tiff.get(), picture);
  if (!read) return std::nullopt;
  return picture;
}

std::vector<uint8_t> EncodeTiff(const Picture& picture) {
  if (!HasPixelData(picture)) return {};
  std::vector<uint8_t> out;
  MemoryFile file;
  file.output = &out;
  {
    const TiffHandle tiff = Open(file, "w");
    if (!tiff) return {};
    const bool alpha = HasTransparency(picture);
    const int samples = alpha ? 4 : 3;
    TIFFSetField(tiff.get(), TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(picture.width));
    TIFFSetField(tiff.get(), TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(picture.height));
    TIFFSetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tiff.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff.get(), TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff.get(), TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff.get(), TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff.get(), 0));
    TIFFSetField(tiff.get(), TIFFTAG_XRESOLUTION, 96.0);
    TIFFSetField(tiff.get(), TIFFTAG_YRESOLUTION, 96.0);
    TIFFSetField(tiff.get(), TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (alpha) {
      const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
      TIFFSetField(tiff.get(), TIFFTAG_EXTRASAMPLES, 1, &extra);
    }
    const auto width = static_cast<std::size_t>(picture.width);
    std::vector<uint8_t> line(width * static_cast<std::size_t>(samples));
    for (int y = 0; y < picture.height; ++y) {
      const uint8_t* in = picture.bgra.data() + static_cast<std::size_t>(y) * width * 4;
      uint8_t* sample = line.data();
      for (std::size_t x = 0; x < width; ++x, in += 4) {
        *sample++ = in[2];
        *sample++ = in[1];
        *sample++ = in[0];
        if (alpha) *sample++ = in[3];
      }
      if (TIFFWriteScanline(tiff.get(), line.data(), static_cast<uint32_t>(y), 0) < 0) return {};
    }
    if (TIFFWriteDirectory(tiff.get()) == 0) return {};
  }
  return out;
}

}  // namespace ravelo
