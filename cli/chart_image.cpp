#include "cli/chart_image.h"

#include "arcs/arc_painter.h"
#include "charts/chart_modules.h"
#include "cli/chart_layout.h"
#include "cli/fallback_settings.h"
#include "platform/cairo/cairo_surface.h"
#include "platform/image_file.h"

namespace ravelo::cli {

std::optional<Picture> DrawChartImage(Diagram& diagram, const ChartImageRequest& request,
                                      std::string& error) {
  // The zoom range of the editor's view.
  constexpr float kSmallestZoom = 0.08f, kLargestZoom = 4.0f;
  if (!(request.zoom >= kSmallestZoom && request.zoom <= kLargestZoom)) {
    error = "the zoom must lie between 0.08 and 4";
    return std::nullopt;
  }
  // Laid out as the editor shows the chart, at the document's own zoom, then drawn at the one asked.
  LayOutChart(diagram, request.chart);
  DocumentHeader& header = diagram.header;
  header.Zoom[request.chart] = request.zoom;

  const Rect area = ViewRect(header);
  if (area.right < 1 || area.bottom < 1 || area.right > kMaxImageSide || area.bottom > kMaxImageSide) {
    error = "the chart's view at this zoom does not make an image of 1 to " + std::to_string(kMaxImageSide) +
            " pixels a side";
    return std::nullopt;
  }
  const auto surface = CairoSurface::CreateImage(area.right, area.bottom);
  if (!surface) {
    error = "no memory for the image";
    return std::nullopt;
  }
  ViewState view;
  RandomSource random;
  const FallbackSettings settings;  // the editor's defaults: the grid in front
  LinkArcPainter arcs;
  RenderContext context(diagram, *surface, view, random, ReadSceneSettings(settings), &arcs);
  PaintCanvas(context, area, ChartDrawings());
  return surface->Pixels();
}

}  // namespace ravelo::cli
