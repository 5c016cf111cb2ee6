#include "platform/codec/gif_codec.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "platform/codec/decode_limits.h"
#include "platform/codec/palette.h"

namespace ravelo {

namespace {

// An LZW code of at least one bit stands for at most 4096 pixels.
constexpr uint64_t kMaxPixelsPerByte = 4096 * 8;

struct MemoryInput {
  std::span<const uint8_t> bytes;
  std::size_t position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* into, int wanted) {
  auto* input = static_cast<MemoryInput*>(gif->UserData);
  const std::size_t count =
      std::min(static_cast<std::size_t>(std::max(wanted, 0)), input->bytes.size() - input->position);
  std::memcpy(into, input->bytes.data() + input->position, count);
  input->position += count;
  return static_cast<int>(count);
}

int AppendToVector(GifFileType* gif, const GifByteType* bytes, int count) {
  auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
  try {
    out->insert(out->end(), bytes, bytes + count);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return count;
}

struct CloseDecoder {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using Decoder = std::unique_ptr<GifFileType, CloseDecoder>;

struct FreeColourMap {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// The rows of a frame in the order they are stored: interlaced frames come in four passes.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
  std::vector<int> rows;
  rows.reserve(static_cast<std::size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) rows.push_back(y);
    return rows;
  }
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = kStart[pass]; y < height; y += kStep[pass]) rows.push_back(y);
  }
  return rows;
}

std::optional<Picture> ReadFrame(GifFileType* gif, int transparentIndex, std::size_t inputBytes,
                                 PictureBudget& budget) {
  if (DGifGetImageDesc(gif) == GIF_ERROR) return std::nullopt;
  const GifImageDesc& frame = gif->Image;
  const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (map == nullptr || frame.Width < 1 || frame.Height < 1 || frame.Left < 0 || frame.Top < 0)
    return std::nullopt;
  const int64_t width = std::max<int64_t>(gif->SWidth, int64_t{frame.Left} + frame.Width);
  const int64_t height = std::max<int64_t>(gif->SHeight, int64_t{frame.Top} + frame.Height);
  if (!SizeFitsInput(width, height, inputBytes, kMaxPixelsPerByte) || !budget.Take(width, height))
    return std::nullopt;

  Picture picture = BlankPicture(static_cast<int>(width), static_cast<int>(height));
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
  for (const int row : StoredRowOrder(frame.Height, frame.Interlace)) {
    if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) return std::nullopt;
    uint8_t* out =
        picture.bgra.data() + ((static_cast<std::size_t>(frame.Top + row) * picture.width) + frame.Left) * 4;
    for (const GifPixelType index : line) {
      if (index < map->ColorCount) {
        const GifColorType& colour = map->Colors[index];
        out[0] = colour.Blue;
        out[1] = colour.Green;
        out[2] = colour.Red;
      }
      out[3] = index == transparentIndex ? 0 : 255;
      out += 4;
    }
  }
  return picture;
}

// Skips one extension, remembering the transparent index of a graphic control extension.
bool ReadExtension(GifFileType* gif, int& transparentIndex) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
    GraphicsControlBlock control;
    if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
      transparentIndex = control.TransparentColor;
  }
  while (block != nullptr) {
    if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return false;
  }
  return true;
}

}  // namespace

std::optional<Picture> DecodeGif(std::span<const uint8_t> fileBytes, PictureBudget& budget) {
  MemoryInput input{fileBytes};
  int error = 0;
  const Decoder gif(DGifOpen(&input, ReadFromMemory, &error));
  if (!gif) return std::nullopt;
  int transparentIndex = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR) return std::nullopt;
    if (record == IMAGE_DESC_RECORD_TYPE)
      return ReadFrame(gif.get(), transparentIndex, fileBytes.size(), budget);
    if (record != EXTENSION_RECORD_TYPE || !ReadExtension(gif.get(), transparentIndex)) return std::nullopt;
  }
}

std::vector<uint8_t> EncodeGif(const Picture& picture, std::optional<RgbColour> transparentColour) {
  if (!HasPixelData(picture)) return {};
  const PalettedPixels paletted = ReduceToPalette(picture);
  int mapSize = 2;
  while (static_cast<std::size_t>(mapSize) < paletted.palette.size()) mapSize *= 2;
  const std::unique_ptr<ColorMapObject, FreeColourMap> map(GifMakeMapObject(mapSize, nullptr));
  if (!map) return {};
  for (std::size_t i = 0; i < paletted.palette.size(); ++i) {
    map->Colors[i] = {paletted.palette[i].red, paletted.palette[i].green, paletted.palette[i].blue};
  }

  std::vector<uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendToVector, &error);
  if (gif == nullptr) return {};
  EGifSetGifVersion(gif, true);
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSAL_UNSPECIFIED;
  control.TransparentColor =
      transparentColour ? NearestPaletteIndex(paletted.palette, *transparentColour) : NO_TRANSPARENT_COLOR;
  GifByteType controlBytes[4];
  EGifGCBToExtension(&control, controlBytes);
  bool written = EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map.get()) == GIF_OK &&
                 EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof controlBytes, controlBytes) == GIF_OK &&
                 EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line;
  for (int y = 0; written && y < picture.height; ++y) {
    const auto begin = paletted.indices.begin() + static_cast<std::ptrdiff_t>(y) * picture.width;
    line.assign(begin, begin + picture.width);
    written = EGifPutLine(gif, line.data(), picture.width) == GIF_OK;
  }
  if (EGifCloseFile(gif, &error) == GIF_ERROR || !written) return {};
  return out;
}

}  // namespace ravelo
