// The chart of a document drawn as an image for ravelo-cli render: the scene of the editor's view,
// drawn through the same renderer, at a chosen zoom.
#pragma once

#include <optional>
#include <string>

#include "model/diagram.h"
#include "platform/picture.h"

namespace ravelo::cli {

struct ChartImageRequest {
  int chart = BoxChart;
  float zoom = 1.0f;
};

// The chart laid out as showing it would lay it out, then its view rectangle × zoom drawn; none, with the reason in error, when the zoom is
// out of range or the image would be too large. The diagram's header shows the chart at the zoom
// afterwards.
std::optional<Picture> DrawChartImage(Diagram& diagram, const ChartImageRequest& request, std::string& error);

}  // namespace ravelo::cli
