// Drawing straight onto a window's paint context through a Surface, for the feedback that lies
// over the last picture copied from the back buffer (the Action chart's moving rectangles).
#pragma once

#include <functional>

#include "render/surface.h"

class wxDC;

namespace ravelo {

// Runs draw on a surface over the window's context whose origin is the canvas point origin (the
// scroll position), so that the drawing is done in canvas pixels. Nothing when the context cannot
// be drawn on.
void DrawOverWindow(wxDC& dc, Point origin, const std::function<void(Surface&)>& draw);

}  // namespace ravelo
