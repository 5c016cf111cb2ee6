#include "cli/chart_image.h"

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "charts/chart_modules.h"
#include "cli/chart_layout.h"
#include "cli/fallback_settings.h"
#include "platform/cairo/cairo_targets.h"

namespace ravelo::cli {

bool ParseImageOption(std::string_view option, const std::string& value, ChartImageRequest& request) {
  if (option == "--kind") {
    request.kind = ImageKindOfName(value);
    if (!request.kind)
      std::cerr << value
                << ": not a kind of image (bmp1, bmp4, bmp4rle, bmp8, bmp8rle, bmp16, "
                   "bmp24, bmp32, jpeg, gif, tgif, png, tiff, svg, pdf)\n";
    return request.kind.has_value();
  }
  if (option == "--quality") {
    char* end = nullptr;
    const long quality = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || quality < 0 || quality > 100) {
      std::cerr << value << ": the quality must be a whole number from 0 to 100\n";
      return false;
    }
    request.quality = static_cast<int>(quality);
    return true;
  }
  std::cerr << option << ": unknown option\n";
  return false;
}

bool PrepareChart(Diagram& diagram, int chart, float zoom, std::string& error) {
  // The zoom range of the editor's view.
  constexpr float kSmallestZoom = 0.08f, kLargestZoom = 4.0f;
  if (!(zoom >= kSmallestZoom && zoom <= kLargestZoom)) {
    error = "the zoom must lie between 0.08 and 4";
    return false;
  }
  LayOutChart(diagram, chart);
  diagram.header.Zoom[chart] = zoom;
  return true;
}

bool WriteChartImage(Diagram& diagram, const ChartImageRequest& request, const std::string& output,
                     std::string& error) {
  const std::string extension = std::filesystem::path(output).extension().string();
  const std::optional<ImageKind> kind =
      request.kind ? request.kind : ImageKindOfExtension(extension.empty() ? "" : extension.substr(1));
  if (!kind) {
    error = output + ": name the image .png, .bmp, .jpg, .gif, .tiff, .svg or .pdf, or give --kind";
    return false;
  }
  if (!PrepareChart(diagram, request.chart, request.zoom, error)) return false;
  const FallbackSettings settings;  // the editor's defaults: the grid in front
  ChartScene scene(diagram, ReadSceneSettings(settings), ChartDrawings(static_cast<uint32_t>(std::time(nullptr))));
  CairoTargets targets;
  std::vector<uint8_t> bytes;
  if (*kind == ImageKind::Svg || *kind == ImageKind::Pdf) {
    bytes =
        DrawChartVectors(scene, targets, *kind == ImageKind::Svg ? VectorFormat::Svg : VectorFormat::Pdf, request.zoom);
  } else {
    const std::optional<Picture> picture = DrawChartPicture(scene, targets, request.zoom);
    if (!picture) {
      error = "the chart's view at this zoom does not make an image of 1 to " + std::to_string(kMaxImageSide) +
              " pixels a side";
      return false;
    }
    bytes = EncodeChartImage(*picture, *kind, request.quality);
  }
  if (bytes.empty() || !WriteFileReplacing(output, bytes)) {
    error = output + ": the image could not be written";
    return false;
  }
  return true;
}

}  // namespace ravelo::cli
