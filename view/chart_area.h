// The part of the canvas each chart uses and where the view stands on it: the scroll area of a
// chart and the scroll position restored when a chart is shown.
#pragma once

#include <cstdint>
#include <string>

#include "model/records.h"
#include "render/surface.h"

namespace ravelo {

// The chart shown; a damaged header names Box.
int ShownChart(const DocumentHeader& header);

// length × zoom in single precision, truncated; 0 for a zoom that gives no size (negative, NaN) and
// capped far beyond any real canvas, so that a damaged header cannot ask for an impossible window.
int ScaledLength(int64_t length, float zoom);

// (ViewWidth + 50) × Zoom by (ViewHeight + 50) × Zoom of the chart.
Size ScrollArea(const DocumentHeader& header, int chart);

// The stored Scroll of the chart, per axis only where its scroll area is larger than the client.
Point RestoredScroll(const DocumentHeader& header, int chart, Size client);

// The cursor pane's text for a canvas point: its position in document units, "%d, %d", while it
// lies inside the chart's view area; empty elsewhere.
std::string CursorPositionText(const DocumentHeader& header, int chart, Point canvas);

}  // namespace ravelo
