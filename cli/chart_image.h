// The chart of a document written as a file for ravelo-cli render: an image of one of the save's
// thirteen kinds, or the same scene as SVG or PDF, drawn through the editor's renderer.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/diagram.h"
#include "output/chart_export.h"

namespace ravelo::cli {

struct ChartImageRequest {
  int chart = BoxChart;
  float zoom = 1.0f;
  std::optional<ImageKind> kind;  // else by the output's extension
  int quality = 100;              // JPEG only
};

// Takes --kind K (bmp1 ... tiff, svg, pdf) and --quality Q (0..100) of render; false after telling
// what is wrong, an unknown option included.
bool ParseImageOption(std::string_view option, const std::string& value, ChartImageRequest& request);

// Lays the chart out as showing it in the editor would (at the document's own zoom), then shows it
// at the zoom; false, with the reason in
// error, when the zoom is out of the view's range.
bool PrepareChart(Diagram& diagram, int chart, float zoom, std::string& error);

// Writes the chart to output as the request says; false, with the reason in error, when the zoom
// is out of range, the kind cannot be told, the image would be too large or the file cannot be
// written (an existing file is then kept as it was).
bool WriteChartImage(Diagram& diagram, const ChartImageRequest& request, const std::string& output, std::string& error);

}  // namespace ravelo::cli
