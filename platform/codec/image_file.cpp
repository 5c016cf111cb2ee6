#include "platform/image_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "platform/codec/bmp_codec.h"
#include "platform/codec/gif_codec.h"
#include "platform/codec/jpeg_codec.h"
#include "platform/codec/png_codec.h"
#include "platform/codec/tiff_codec.h"

namespace ravelo {

namespace {

bool StartsWith(std::span<const uint8_t> bytes, std::initializer_list<uint8_t> magic) {
  return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

struct FormatName {
  ImageFormat format;
  std::string_view name;
};
constexpr std::array<FormatName, 5> kFormatNames = {{{ImageFormat::Bmp, "bmp"},
                                                     {ImageFormat::Jpeg, "jpeg"},
                                                     {ImageFormat::Gif, "gif"},
                                                     {ImageFormat::Png, "png"},
                                                     {ImageFormat::Tiff, "tiff"}}};

}  // namespace

ImageFormat DetectImageFormat(std::span<const uint8_t> fileBytes) {
  if (StartsWith(fileBytes, {'B', 'M'})) return ImageFormat::Bmp;
  if (StartsWith(fileBytes, {0xFF, 0xD8, 0xFF})) return ImageFormat::Jpeg;
  if (StartsWith(fileBytes, {'G', 'I', 'F', '8', '7', 'a'}) ||
      StartsWith(fileBytes, {'G', 'I', 'F', '8', '9', 'a'})) {
    return ImageFormat::Gif;
  }
  if (StartsWith(fileBytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return ImageFormat::Png;
  if (StartsWith(fileBytes, {'I', 'I', 42, 0}) || StartsWith(fileBytes, {'M', 'M', 0, 42}) ||
      StartsWith(fileBytes, {'I', 'I', 43, 0}) || StartsWith(fileBytes, {'M', 'M', 0, 43})) {
    return ImageFormat::Tiff;  // classic and big TIFF, either byte order
  }
  return ImageFormat::Unknown;
}

ImageFormat ImageFormatOfExtension(std::string_view extension) {
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (lower == "jpg") return ImageFormat::Jpeg;
  if (lower == "tif") return ImageFormat::Tiff;
  return ImageFormatOfEncoderName(lower);
}

ImageFormat ImageFormatOfEncoderName(std::string_view name) {
  for (const FormatName& entry : kFormatNames) {
    if (entry.name == name) return entry.format;
  }
  return ImageFormat::Unknown;
}

std::string_view ImageFormatName(ImageFormat format) {
  for (const FormatName& entry : kFormatNames) {
    if (entry.format == format) return entry.name;
  }
  return {};
}

bool HasPixelData(const Picture& picture) {
  return picture.width >= 1 && picture.height >= 1 && picture.width <= kMaxImageSide &&
         picture.height <= kMaxImageSide &&
         picture.bgra.size() ==
             static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4;
}

bool HasTransparency(const Picture& picture) {
  for (std::size_t i = 3; i < picture.bgra.size(); i += 4) {
    if (picture.bgra[i] != 255) return true;
  }
  return false;
}

std::optional<Picture> DecodeImageFile(std::span<const uint8_t> fileBytes, PictureBudget& budget) {
  switch (DetectImageFormat(fileBytes)) {
    case ImageFormat::Bmp:
      return DecodeBmp(fileBytes, budget);
    case ImageFormat::Jpeg:
      return DecodeJpeg(fileBytes, budget);
    case ImageFormat::Gif:
      return DecodeGif(fileBytes, budget);
    case ImageFormat::Png:
      return DecodePng(fileBytes, budget);
    case ImageFormat::Tiff:
      return DecodeTiff(fileBytes, budget);
    case ImageFormat::Unknown:
      break;
  }
  return std::nullopt;
}

std::optional<Picture> DecodeImageFile(std::span<const uint8_t> fileBytes) {
  PictureBudget budget;
  return DecodeImageFile(fileBytes, budget);
}

std::vector<uint8_t> EncodeImageFile(const Picture& picture, ImageFormat format,
                                     const ImageEncodeOptions& options) {
  switch (format) {
    case ImageFormat::Bmp:
      return EncodeBmp(picture, HasTransparency(picture) ? BmpDepth::Bits32 : BmpDepth::Bits24);
    case ImageFormat::Jpeg:
      return EncodeJpeg(picture, options.jpegQuality);
    case ImageFormat::Gif:
      return EncodeGif(picture, options.gifTransparentColour);
    case ImageFormat::Png:
      return EncodePng(picture);
    case ImageFormat::Tiff:
      return EncodeTiff(picture);
    case ImageFormat::Unknown:
      break;
  }
  return {};
}

}  // namespace ravelo
