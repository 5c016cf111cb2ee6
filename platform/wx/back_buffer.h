// The view's off-screen picture: a screen-sized image, made once with the view, that the chart is
// drawn on through a Surface and that is copied to the window in one block on every paint, so the
// window never shows a half-drawn chart.
#pragma once

#include <functional>
#include <memory>

#include "render/surface.h"

class wxDC;

namespace ravelo {

class CairoSurface;

class BackBuffer {
 public:
  BackBuffer(int width, int height);
  ~BackBuffer();
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  // Whether the image could be made; a buffer without one draws and copies nothing.
  bool ok() const { return canvas_ != nullptr; }

  // Runs draw on a surface whose origin is the canvas point origin (the scroll position), so that
  // the drawing is done in canvas pixels. The surface lives as long as the buffer, so that what it
  // keeps for the next paint (fonts, laid-out titles) serves every paint. Nothing when the image
  // could not be made.
  void Draw(Point origin, const std::function<void(Surface&)>& draw);

  // Takes the top-left width × height pixels of another buffer, so that feedback can be drawn over
  // a copy of the last picture without drawing that again.
  void CopyFrom(const BackBuffer& other, int width, int height);

  // Copies the top-left width × height pixels to the window's paint context.
  void CopyTo(wxDC& dc, int width, int height);

 private:
  struct Canvas;  // draws on the image through the scroll translation

  std::unique_ptr<CairoSurface> image_;
  std::unique_ptr<Canvas> canvas_;
};

}  // namespace ravelo
