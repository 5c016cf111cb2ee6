#include "output/chart_export.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <utility>

#include "arcs/arc_painter.h"
#include "platform/codec/bmp_codec.h"
#include "platform/codec/palette.h"
#include "platform/files.h"

namespace ravelo {

namespace {

constexpr ImageKindInfo kKinds[kImageKindCount] = {
    {ImageKind::Bmp1, "bmp1", "モノクロ BITMAPファイル(*.bmp)|*.bmp|"},
    {ImageKind::Bmp4, "bmp4", "16色 BITMAPファイル(*.bmp)|*.bmp|"},
    {ImageKind::Bmp4Rle, "bmp4rle", "16色(圧縮) BITMAPファイル(*.bmp)|*.bmp|"},
    {ImageKind::Bmp8, "bmp8", "256色 BITMAPファイル(*.bmp)|*.bmp|"},
    {ImageKind::Bmp8Rle, "bmp8rle", "256色(圧縮) BITMAPファイル(*.bmp)|*.bmp|"},
    {ImageKind::Bmp16, "bmp16", "16ﾋﾞｯﾄ色 BITMAPファイル(*.bmp)|*.bmp|"},
    {ImageKind::Bmp24, "bmp24", "24ﾋﾞｯﾄ色 BITMAPファイル(*.bmp)|*.bmp|"},
    {ImageKind::Bmp32, "bmp32", "32ﾋﾞｯﾄ色 BITMAPファイル(*.bmp)|*.bmp|"},
    {ImageKind::Jpeg, "jpeg", "JPEGファイル(*.jpeg)|*.jpeg|"},
    {ImageKind::Gif, "gif", "GIFファイル(*.gif)|*.gif|"},
    {ImageKind::TransparentGif, "tgif", "透過GIFファイル(*.gif)|*.gif|"},
    {ImageKind::Png, "png", "PNGファイル(*.png)|*.png|"},
    {ImageKind::Tiff, "tiff", "TIFFファイル(*.tiff)|*.tiff|"},
    {ImageKind::Svg, "svg", "SVGファイル(*.svg)|*.svg|"},
    {ImageKind::Pdf, "pdf", "PDFファイル(*.pdf)|*.pdf|"},
};

constexpr BmpKind kBmpKinds[] = {BmpKind::Bits1,    BmpKind::Bits4,  BmpKind::Bits4Rle, BmpKind::Bits8,
                                 BmpKind::Bits8Rle, BmpKind::Bits16, BmpKind::Bits24,   BmpKind::Bits32};

constexpr RgbColour kWhiteRgb{255, 255, 255};

}  // namespace

std::span<const ImageKindInfo> ImageKinds() { return kKinds; }

std::optional<ImageKind> ImageKindOfName(std::string_view name) {
  for (const ImageKindInfo& info : kKinds) {
    if (info.name == name) return info.kind;
  }
  return std::nullopt;
}

std::optional<ImageKind> ImageKindOfFormat(ImageFormat format) {
  switch (format) {
    case ImageFormat::Bmp:
      return ImageKind::Bmp24;
    case ImageFormat::Jpeg:
      return ImageKind::Jpeg;
    case ImageFormat::Gif:
      return ImageKind::Gif;
    case ImageFormat::Png:
      return ImageKind::Png;
    case ImageFormat::Tiff:
      return ImageKind::Tiff;
    case ImageFormat::Unknown:
      break;
  }
  return std::nullopt;
}

std::optional<ImageKind> ImageKindOfExtension(std::string_view extension) {
  std::string lower(extension);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  if (lower == "svg") return ImageKind::Svg;
  if (lower == "pdf") return ImageKind::Pdf;
  return ImageKindOfFormat(ImageFormatOfExtension(lower));
}

std::string ImageSaveFilter() {
  std::string filter;
  for (const ImageKindInfo& info : kKinds) filter += info.filter;
  return filter + "|";
}

ChartScene::ChartScene(Diagram& diagram, SceneSettings settings, OtherCharts others)
    : diagram_(diagram), settings_(settings), others_(std::move(others)) {}

Size ChartScene::SizeAt(float zoom) const {
  const int chart = DrawnChart(diagram_.header);
  return {ZoomedLength(diagram_.header.ViewWidth[chart], zoom), ZoomedLength(diagram_.header.ViewHeight[chart], zoom)};
}

void ChartScene::Draw(Surface& surface, float zoom, bool whiteBackground) {
  DocumentHeader& header = diagram_.header;
  const int chart = DrawnChart(header);
  for (int i = 0; i < diagram_.count(); ++i) diagram_.state(i).Selected = 0;
  const float shownZoom = header.Zoom[chart];
  const Colour shownBack = header.ViewBackColor[chart];
  header.Zoom[chart] = zoom;
  if (whiteBackground) header.ViewBackColor[chart] = Rgb(255, 255, 255);
  ViewState view;
  RandomSource random;
  LinkArcPainter arcs;
  RenderContext context(diagram_, surface, view, random, settings_, &arcs);
  RenderScene(context, others_);
  header.Zoom[chart] = shownZoom;
  header.ViewBackColor[chart] = shownBack;
}

std::optional<Picture> DrawChartPicture(ChartScene& scene, DrawingTargets& targets, float zoom, bool whiteBackground) {
  const Size size = scene.SizeAt(zoom);
  if (size.width < 1 || size.height < 1 || size.width > kMaxImageSide || size.height > kMaxImageSide)
    return std::nullopt;
  return targets.DrawPicture(size.width, size.height,
                             [&](Surface& surface) { scene.Draw(surface, zoom, whiteBackground); });
}

std::vector<uint8_t> EncodeChartImage(const Picture& picture, ImageKind kind, int quality) {
  const int index = static_cast<int>(kind);
  if (index <= static_cast<int>(ImageKind::Bmp32)) return EncodeBmp(picture, kBmpKinds[index]);
  switch (kind) {
    case ImageKind::Jpeg:
      return EncodeImageFile(picture, ImageFormat::Jpeg, {.jpegQuality = quality});
    case ImageKind::Gif:
      return EncodeImageFile(picture, ImageFormat::Gif);
    case ImageKind::TransparentGif: {
      std::vector<uint8_t> gif = EncodeImageFile(picture, ImageFormat::Gif);
      MakeGifTransparent(gif, kWhiteRgb);
      return gif;
    }
    case ImageKind::Png:
      return EncodeImageFile(picture, ImageFormat::Png);
    case ImageKind::Tiff:
      return EncodeImageFile(picture, ImageFormat::Tiff);
    default:
      return {};
  }
}

std::vector<uint8_t> DrawChartVectors(ChartScene& scene, DrawingTargets& targets, VectorFormat format, float zoom) {
  const Size size = scene.SizeAt(zoom);
  if (size.width < 1 || size.height < 1) return {};
  const VectorPage page{{size.width * kPointsPerPixel, size.height * kPointsPerPixel}, {}};
  return targets.DrawVectorFile(format, std::span(&page, 1), [&](Surface& surface, int) { scene.Draw(surface, zoom); });
}

bool MakeGifTransparent(std::vector<uint8_t>& gif, RgbColour colour) {
  // The colour table is the global one after the screen descriptor, or else the local one of the
  // image descriptor that follows the graphic control extension.
  constexpr std::size_t kScreenFlags = 10, kGlobalTable = 13, kLocalFlags = 30, kLocalTable = 31;
  if (gif.size() <= kLocalFlags) return false;
  const bool global = (gif[kScreenFlags] & 0x80) != 0;
  const uint8_t tableFlags = global ? gif[kScreenFlags] : gif[kLocalFlags];
  if ((tableFlags & 0x80) == 0) return false;
  const std::size_t entries = std::size_t{2} << (tableFlags & 7);
  const std::size_t table = global ? kGlobalTable : kLocalTable;
  const std::size_t control = global ? kGlobalTable + 3 * entries : kGlobalTable;
  if (gif.size() < table + 3 * entries) return false;
  // The graphic control extension: introducer, label, block size 4, flags, delay (2), index.
  if (gif.size() < control + 8 || gif[control] != 0x21 || gif[control + 1] != 0xF9 || gif[control + 2] != 4)
    return false;
  std::vector<RgbColour> palette(entries);
  for (std::size_t i = 0; i < entries; ++i) {
    const uint8_t* rgb = &gif[table + 3 * i];
    palette[i] = {rgb[0], rgb[1], rgb[2]};
  }
  gif[control + 3] |= 1;
  gif[control + 6] = static_cast<uint8_t>(NearestPaletteIndex(palette, colour));
  return true;
}

bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes) {
  const std::string temporary = files::CreateUniqueFile(path + ".", files::FileAccess::Default);
  if (temporary.empty()) return false;
  FILE* file = std::fopen(temporary.c_str(), "wb");
  bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (file != nullptr) written = std::fclose(file) == 0 && written;
  if (written && files::SyncFile(temporary) && files::ReplaceFile(temporary, path)) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace ravelo
