#include "output/object_pictures.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "model/object_defaults.h"
#include "model/string_table.h"
#include "output/pixel_scaling.h"
#include "platform/codec/document_picture_codec.h"
#include "platform/image_file.h"
#include "resources/builtin_pictures.h"

namespace ravelo {

namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr int kMaxStoredWidth = 200;
constexpr int kDefaultDisplayWidth = 35;

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

uint32_t Little32(const std::vector<uint8_t>& b, std::size_t at) {
  return uint32_t{b[at]} | (uint32_t{b[at + 1]} << 8) | (uint32_t{b[at + 2]} << 16) | (uint32_t{b[at + 3]} << 24);
}

uint32_t Big32(const std::vector<uint8_t>& b, std::size_t at) {
  return (uint32_t{b[at]} << 24) | (uint32_t{b[at + 1]} << 16) | (uint32_t{b[at + 2]} << 8) | uint32_t{b[at + 3]};
}

void ShowBitmapInfoError(Messages& messages, const char* what) {
  messages.Show(std::string(what) + "ビットマップファイルの情報取得に失敗しました", MessageIcon::Stop,
                MessageButtons::Ok);
}

// A 32-bit BMP names its transparent colour by the first pixel whose fourth byte is 0 or 0xED.
Colour BmpTransparency(const std::optional<std::vector<uint8_t>>& bytes, Messages& messages) {
  if (!bytes) {
    ShowBitmapInfoError(messages, "ファイルオープンエラー\n");
    return kNoColour;
  }
  if (bytes->size() < 2 || (*bytes)[0] != 'B' || (*bytes)[1] != 'M') {
    ShowBitmapInfoError(messages, "形式判別エラー\n");
    return kNoColour;
  }
  if (bytes->size() < 38) {
    ShowBitmapInfoError(messages, "データ読込みエラー\n");
    return kNoColour;
  }
  const unsigned bitsPerPixel = (*bytes)[28] | ((*bytes)[29] << 8);
  if (bitsPerPixel != 32) return kNoColour;
  const std::size_t start = Little32(*bytes, 10);
  const std::size_t pixels = Little32(*bytes, 34) / 4;
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::size_t at = start + i * 4;
    if (at + 4 > bytes->size()) break;  // the header promises more pixels than the file holds
    const uint8_t alpha = (*bytes)[at + 3];
    if (alpha == 0 || alpha == 0xED) return Rgb((*bytes)[at + 2], (*bytes)[at + 1], (*bytes)[at]);
  }
  return kNoColour;
}

// The data of the first chunk of this type, found by scanning the file for its name.
std::optional<std::pair<std::size_t, std::size_t>> FindChunk(const std::vector<uint8_t>& png, const char* type) {
  for (std::size_t at = 12; at + 4 <= png.size(); ++at) {
    if (std::memcmp(png.data() + at, type, 4) != 0) continue;
    const std::size_t length = Big32(png, at - 4);
    const std::size_t data = at + 4;
    if (data + length > png.size()) return std::nullopt;
    return std::make_pair(data, length);
  }
  return std::nullopt;
}

// The colour a PNG wants behind its transparent pixels: its background chunk, else white, for
// pictures with alpha; the first transparent palette entry for palette pictures.
Colour PngKeyColour(const std::vector<uint8_t>& b) {
  static constexpr uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
  if (b.size() < 8 || std::memcmp(b.data(), kSignature, 8) != 0) return kNoColour;
  const auto header = FindChunk(b, "IHDR");
  if (!header || header->second < 10) return kNoColour;
  const uint8_t colourType = b[header->first + 9];
  const auto background = FindChunk(b, "bKGD");
  if (colourType == 6) {
    if (!background || background->second < 6) return kWhite;
    return Rgb(b[background->first + 1], b[background->first + 3], b[background->first + 5]);
  }
  if (colourType == 4) {
    if (!background || background->second < 2) return kWhite;
    const uint8_t grey = b[background->first + 1];
    return Rgb(grey, grey, grey);
  }
  if (colourType == 3) {
    const auto palette = FindChunk(b, "PLTE");
    const auto alphas = FindChunk(b, "tRNS");
    if (!palette || !alphas) return kNoColour;
    for (std::size_t entry = 0; entry < alphas->second; ++entry) {
      if (b[alphas->first + entry] == 255) continue;
      const std::size_t at = palette->first + entry * 3;
      if (entry * 3 + 3 > palette->second) return kNoColour;
      return Rgb(b[at], b[at + 1], b[at + 2]);
    }
  }
  return kNoColour;
}

uint8_t* PixelAt(Picture& p, std::size_t i) { return p.bgra.data() + i * 4; }
Colour ColourOfPixel(const uint8_t* px) { return Rgb(px[2], px[1], px[0]); }
void PaintPixel(uint8_t* px, Colour c) {
  px[0] = static_cast<uint8_t>(BlueOf(c));
  px[1] = static_cast<uint8_t>(GreenOf(c));
  px[2] = static_cast<uint8_t>(RedOf(c));
}

std::size_t PixelCount(const Picture& p) { return static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height); }

// On screens of fewer than 24 bits a transparent colour must survive the screen's colour
// reduction: it becomes white (or keeps white or black), and colours close to it are moved off it.
Colour AdaptTransparencyToShallowScreen(Picture& p, Colour key) {
  const std::size_t n = PixelCount(p);
  if (key != kWhite && key != 0) {
    for (std::size_t i = 0; i < n; ++i) {
      uint8_t* px = PixelAt(p, i);
      if (px[3] == 0)
        PaintPixel(px, kWhite);
      else if (ColourOfPixel(px) == kWhite)
        PaintPixel(px, Rgb(255, 247, 255));
    }
    return kWhite;
  }
  for (std::size_t i = 0; i < n; ++i) {
    uint8_t* px = PixelAt(p, i);
    const bool allHigh = px[0] >= 240 && px[1] >= 240 && px[2] >= 240;
    const bool allLow = px[0] < 16 && px[1] < 16 && px[2] < 16;
    if (key == kWhite && allHigh && ColourOfPixel(px) != kWhite) PaintPixel(px, Rgb(255, 247, 255));
    if (key == 0 && allLow && ColourOfPixel(px) != 0) PaintPixel(px, Rgb(0, 8, 0));
  }
  return key;
}

// Blends every pixel onto the key colour, so that only pixels that were transparent show it.
void FlattenAlpha(Picture& p, Colour key) {
  const int k[3] = {BlueOf(key), GreenOf(key), RedOf(key)};
  for (std::size_t i = 0; i < PixelCount(p); ++i) {
    uint8_t* px = PixelAt(p, i);
    const int alpha = px[3];
    if (alpha == 0) {
      PaintPixel(px, key);
    } else if (alpha < 255) {
      const float a = static_cast<float>(alpha) / 255.0f;
      for (int c = 0; c < 3; ++c)
        px[c] = static_cast<uint8_t>((1.0f - a) * static_cast<float>(k[c]) + a * static_cast<float>(px[c]));
    } else if (ColourOfPixel(px) == key) {
      px[1] = static_cast<uint8_t>(k[1] < 8 ? k[1] + 8 : k[1] - 8);  // opaque pixels never vanish
    }
    px[3] = 255;
  }
}

std::unique_ptr<Picture> AsJpeg(const Picture& pixels) {
  ImageEncodeOptions options;
  options.jpegQuality = 100;
  return PictureFromBytes(EncodeImageFile(pixels, ImageFormat::Jpeg, options));
}

std::unique_ptr<Picture> AsBmp(const Picture& pixels) {
  return PictureFromBytes(EncodeImageFile(pixels, ImageFormat::Bmp));
}

// The picture with its pixels: a picture carried only as file bytes is decoded first.
std::optional<Picture> WithPixels(const Picture& picture) {
  if (HasPixelData(picture)) return picture;
  return DecodeImageFile(picture.fileBytes);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

bool SaveScaled(const Picture& picture, int width, int height, const std::string& path, std::string_view format,
                int quality, std::optional<Colour> key, Messages& messages) {
  std::string name(format);
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
  const ImageFormat encoder = ImageFormatOfEncoderName(name);
  std::optional<Picture> source = WithPixels(picture);
  if (encoder == ImageFormat::Unknown || !source || width < 1 || height < 1 || width > kMaxImageSide ||
      height > kMaxImageSide) {
    ShowResourceMessage(messages, "", kMsgMemoryAllocationFailed, MessageIcon::Stop);
    return false;
  }
  Picture scaled = ScalePixels(*source, width, height);
  if (key) {
    for (std::size_t i = 0; i < PixelCount(scaled); ++i) {
      uint8_t* px = PixelAt(scaled, i);
      px[3] = ColourOfPixel(px) == *key ? 0 : 255;
    }
  }
  ImageEncodeOptions options;
  options.jpegQuality = std::clamp(quality, 0, 100);
  return WriteFile(path, EncodeImageFile(scaled, encoder, options));
}

}  // namespace

std::string ImageTypeOfPath(std::string_view path, Messages& messages) {
  const std::size_t dot = path.rfind('.');
  const std::string_view extension = dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
  const std::string_view type = ImageFormatName(ImageFormatOfExtension(extension));
  if (type.empty())
    messages.Show("このファイルタイプはセットできません", MessageIcon::Information, MessageButtons::Ok);
  return std::string(type);
}

std::unique_ptr<Picture> PictureFromBytes(std::span<const uint8_t> bytes) {
  PictureBudget budget;
  return DocumentPictureCodec().Decode(bytes, budget);
}

std::vector<uint8_t> PictureToBytes(const Picture& picture) { return DocumentPictureCodec().Encode(picture); }

PictureSize PictureSizePixels(const Picture& picture) { return {picture.width, picture.height}; }

std::unique_ptr<Picture> PictureFromPixels(int width, int height, std::vector<uint8_t> bgra) {
  auto picture = std::make_unique<Picture>();
  picture->width = width;
  picture->height = height;
  picture->bgra = std::move(bgra);
  return picture;
}

LoadedPicture LoadPictureFile(const std::string& path, std::string_view type, Messages& messages, int displayBits) {
  LoadedPicture result;
  const auto bytes = ReadWholeFile(path);
  // Kept as its file bytes only when it really is a JPEG (or a BMP); any other format named .jpg is
  // decoded below like its own kind, so that its transparency is found.
  const ImageFormat format = bytes ? DetectImageFormat(*bytes) : ImageFormat::Unknown;
  if (type == "jpeg" && (format == ImageFormat::Jpeg || format == ImageFormat::Bmp)) {
    result.picture = PictureFromBytes(*bytes);
    if (result.picture) {
      result.size = PictureSizePixels(*result.picture);
      return result;
    }
  }
  if (type == "bmp") result.transparency = BmpTransparency(bytes, messages);
  const Colour pngKey = type == "png" && bytes ? PngKeyColour(*bytes) : kNoColour;

  std::optional<Picture> pixels = bytes ? DecodeImageFile(*bytes) : std::nullopt;
  if (!pixels) return result;  // no picture; a BMP's colour found above is dropped with it
  pixels->fileBytes.clear();

  if (type != "bmp") {
    for (std::size_t i = 0; i < PixelCount(*pixels); ++i) {
      const uint8_t* px = PixelAt(*pixels, i);
      if (px[3] != 0) continue;
      result.transparency = ColourOfPixel(px);
      break;
    }
    if (result.transparency != kNoColour && pngKey != kNoColour && pngKey != result.transparency) {
      for (std::size_t i = 0; i < PixelCount(*pixels); ++i)
        if (PixelAt(*pixels, i)[3] == 0) PaintPixel(PixelAt(*pixels, i), pngKey);
      result.transparency = pngKey;
    }
    if (result.transparency != kNoColour && displayBits < 24)
      result.transparency = AdaptTransparencyToShallowScreen(*pixels, result.transparency);
  }

  if (result.transparency == kNoColour) {
    result.picture = AsJpeg(*pixels);
  } else {
    if (type != "bmp") FlattenAlpha(*pixels, result.transparency);
    result.picture = std::make_unique<Picture>(std::move(*pixels));
  }
  if (result.picture) result.size = PictureSizePixels(*result.picture);
  return result;
}

bool SaveBitmapAsFile(const Picture& picture, int width, int height, const std::string& path,
                      std::string_view format, int quality, Messages& messages) {
  return SaveScaled(picture, width, height, path, format, quality, std::nullopt, messages);
}

bool SaveBitmapWithKeyColour(const Picture& picture, int width, int height, const std::string& path,
                             std::string_view format, Colour key, Messages& messages) {
  return SaveScaled(picture, width, height, path, format, 100, key, messages);
}

bool SetObjectPictureFromFile(Diagram& diagram, int index, const std::string& path, std::string_view type,
                              const PictureServices& services) {
  SetPicture(diagram, index, nullptr);
  DiagramObject& o = diagram.object(index);
  o.DefImage = 0;
  LoadedPicture loaded = LoadPictureFile(path, type, services.messages, services.displayBits);
  if (!loaded.picture) return false;

  o.TransColor = loaded.transparency;
  if (o.TransColor != kNoColour) o.ImgFutosa = 0;
  PictureSize size = loaded.size;
  if (size.width > kMaxStoredWidth) {
    const int height = static_cast<int>(static_cast<float>(size.height) * 200.0f / static_cast<float>(size.width));
    std::optional<Picture> source = WithPixels(*loaded.picture);
    std::unique_ptr<Picture> fitted;
    if (source) {
      const Picture scaled = ScalePixels(*source, kMaxStoredWidth, std::max(height, 1));
      fitted = o.TransColor != kNoColour ? AsBmp(scaled) : AsJpeg(scaled);
    }
    if (fitted) {
      loaded.picture = std::move(fitted);
      size = PictureSizePixels(*loaded.picture);
    } else {
      ShowResourceMessage(services.messages, "", kMsgMemoryAllocationFailed, MessageIcon::Stop);
    }
  }

  PictureSize shown = size;
  if (services.personIconSize) {
    shown = services.personIconSize(size);
  } else if (shown.width > kDefaultDisplayWidth) {
    shown.height = static_cast<int>(static_cast<float>(shown.height) / static_cast<float>(shown.width) *
                                    static_cast<float>(kDefaultDisplayWidth));
    shown.width = kDefaultDisplayWidth;
  }
  std::fill(std::begin(o.ImageW), std::end(o.ImageW), shown.width);
  std::fill(std::begin(o.ImageH), std::end(o.ImageH), shown.height);
  SetPicture(diagram, index, std::move(loaded.picture));
  return true;
}

bool SetObjectBuiltInPicture(Diagram& diagram, int index, int number, const PictureServices& services) {
  if (services.undo) services.undo->TakeSnapshot(diagram);
  SetPicture(diagram, index, nullptr);
  DiagramObject& o = diagram.object(index);
  o.DefImage = 0;
  std::optional<Picture> drawing = DecodeImageFile(BuiltInPicturePng(number));
  std::unique_ptr<Picture> picture = drawing ? AsBmp(*drawing) : nullptr;
  if (!picture) {
    services.messages.Show("イメージの読込みに失敗しました", MessageIcon::Information, MessageButtons::Ok);
    return false;
  }
  o.TransColor = kWhite;
  o.refImgLine = kNoColour;
  o.ImgFutosa = 0;
  o.ImgLineStyle = 0;
  const int shown = services.settings.ReadInt(DefaultsSectionOf(o), "ImageW", kDefaultDisplayWidth);
  std::fill(std::begin(o.ImageW), std::end(o.ImageW), shown);
  std::fill(std::begin(o.ImageH), std::end(o.ImageH), shown);
  o.DefImage = number;
  SetPicture(diagram, index, std::move(picture));
  return true;
}

bool PasteClipboardPicture(Diagram& diagram, Clipboard& clipboard, UndoHistory* undo, Messages& messages) {
  const ClipboardPicture read = clipboard.ReadPicture();
  const char* failure = nullptr;
  switch (read.result) {
    case ClipboardRead::CannotOpen: failure = "クリップボードオープンエラー\n"; break;
    case ClipboardRead::NoBitmap: failure = "クリップボードからの取得エラー\n"; break;
    case ClipboardRead::CannotConvert: failure = "DIBへの変換エラー\n"; break;
    case ClipboardRead::Done: break;
  }
  std::vector<uint8_t> jpeg;
  if (failure == nullptr) {
    ImageEncodeOptions options;
    options.jpegQuality = 100;
    jpeg = EncodeImageFile(read.pixels, ImageFormat::Jpeg, options);
    if (jpeg.empty()) failure = "セーブエラー\n";
  }
  if (failure != nullptr) {
    messages.Show(std::string(failure) + "クリップボードからのイメージ取得に失敗しました", MessageIcon::Stop,
                  MessageButtons::Ok);
    return false;
  }
  if (undo) undo->TakeSnapshot(diagram);
  for (int i = 0; i < diagram.count(); ++i) {
    if (!diagram.state(i).Selected) continue;
    DiagramObject& o = diagram.object(i);
    o.DefImage = 0;
    o.TransColor = kNoColour;  // a photo-like JPEG has no transparent colour
    SetPicture(diagram, i, PictureFromBytes(jpeg));
  }
  return true;
}

void DuplicatePicture(Diagram& diagram, int index) {
  const Picture* original = diagram.table.pictures[static_cast<std::size_t>(index)].get();
  if (original == nullptr) return;
  std::unique_ptr<Picture> copy;
  if (diagram.object(index).TransColor == kNoColour) {
    copy = PictureFromBytes(PictureToBytes(*original));
  } else if (std::optional<Picture> pixels = WithPixels(*original)) {
    copy = AsBmp(*pixels);
  }
  SetPicture(diagram, index, std::move(copy));
}

}  // namespace ravelo
