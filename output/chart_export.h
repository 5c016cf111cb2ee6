// The chart shown, drawn whole by the scene renderer for the image export, the vector export and
// the printed pages, and the image file kinds it is written as.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "charts/scene.h"
#include "model/diagram.h"
#include "platform/image_file.h"
#include "render/drawing_targets.h"

namespace ravelo {

// The thirteen kinds of the image save in the order of its file dialog, then the two vector kinds.
enum class ImageKind {
  Bmp1,
  Bmp4,
  Bmp4Rle,
  Bmp8,
  Bmp8Rle,
  Bmp16,
  Bmp24,
  Bmp32,
  Jpeg,
  Gif,
  TransparentGif,
  Png,
  Tiff,
  Svg,
  Pdf
};
constexpr int kImageKindCount = 15;

struct ImageKindInfo {
  ImageKind kind;
  std::string_view name;    // ravelo-cli render --kind
  std::string_view filter;  // the save dialog's filter entry "text|*.ext|"
};

std::span<const ImageKindInfo> ImageKinds();

// By --kind name; none for an unknown name.
std::optional<ImageKind> ImageKindOfName(std::string_view name);

// By the extension of a file name (without the dot, any case): .bmp is 24 bits, .jpg and .jpeg JPEG,
// .gif, .png, .tif and .tiff, .svg and .pdf; none for any other.
std::optional<ImageKind> ImageKindOfExtension(std::string_view extension);

// The raster kind an encoder writes: BMP is 24 bits; none for an unknown format.
std::optional<ImageKind> ImageKindOfFormat(ImageFormat format);

// The save dialog's whole filter: every entry of ImageKinds, ending in "|".
std::string ImageSaveFilter();

// Draws the chart shown, whole and without a scroll offset: its view background, grid, headline
// and objects, no selection marks (the selection flag of every object is cleared and stays so).
// The chart's Zoom is the given zoom while drawing, and with whiteBackground its ViewBackColor is
// white; both are restored.
class ChartScene {
 public:
  ChartScene(Diagram& diagram, SceneSettings settings, OtherCharts others = {});

  // ViewWidth × ViewHeight of the chart shown at the zoom, truncated.
  Size SizeAt(float zoom) const;
  void Draw(Surface& surface, float zoom, bool whiteBackground = false);

 private:
  Diagram& diagram_;
  SceneSettings settings_;
  OtherCharts others_;
};

// The chart at the zoom as a picture; none when it has no pixels or the memory cannot be had.
std::optional<Picture> DrawChartPicture(ChartScene& scene, DrawingTargets& targets, float zoom,
                                        bool whiteBackground = false);

// The picture as a file of a raster kind (quality: JPEG only, 0..100). For the transparent GIF the
// white of the picture (or the palette colour nearest to it) becomes transparent.
std::vector<uint8_t> EncodeChartImage(const Picture& picture, ImageKind kind, int quality);

// The chart at the zoom as one SVG or PDF page of its size.
std::vector<uint8_t> DrawChartVectors(ChartScene& scene, DrawingTargets& targets, VectorFormat format, float zoom);

// Marks the transparent colour in a GIF as the GIF writer makes it: the palette entry nearest to
// colour (smallest sum of the red, green and blue differences, the first of equals) becomes the
// transparent index of the graphic control extension that follows the colour table. False, with
// the bytes as they were, when they are not laid out so.
bool MakeGifTransparent(std::vector<uint8_t>& gif, RgbColour colour);

// Writes the bytes under a temporary name beside path, then puts that file in place of path; on
// false an existing file at path is as it was.
bool WriteFileReplacing(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace ravelo
