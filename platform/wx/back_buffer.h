// The view's off-screen picture: a screen-sized image drawn with Cairo and copied to the window in
// one block on every paint, so the window never shows a half-drawn chart.
#pragma once

#include "model/records.h"

class wxDC;

typedef struct _cairo_surface cairo_surface_t;

namespace ravelo {

class BackBuffer {
 public:
  BackBuffer(int width, int height);
  ~BackBuffer();
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  // Draws the part of the canvas that starts at scroll: white outside the chart's view area (from
  // the origin, width × height canvas pixels), the view area in back with a one-pixel frame line
  // (none when frame is kNoColour).
  void PaintViewArea(int width, int height, Colour back, Colour frame, Point scroll);

  // Copies the top-left width × height pixels to the window's paint context.
  void CopyTo(wxDC& dc, int width, int height);

 private:
  cairo_surface_t* image_;
};

}  // namespace ravelo
