#include "platform/wx/back_buffer.h"

#include <cairo.h>
#include <wx/dc.h>
#include <wx/graphics.h>

#include <algorithm>
#include <memory>

namespace ravelo {

namespace {

void SetColour(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0);
}

}  // namespace

BackBuffer::BackBuffer(int width, int height)
    : image_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 1), std::max(height, 1))) {}

BackBuffer::~BackBuffer() { cairo_surface_destroy(image_); }

void BackBuffer::PaintViewArea(int width, int height, Colour back, Colour frame, Point scroll) {
  cairo_t* cr = cairo_create(image_);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_translate(cr, -scroll.X, -scroll.Y);

  cairo_rectangle(cr, 0, 0, width, height);
  SetColour(cr, back);
  cairo_fill(cr);
  if (frame != kNoColour && width > 0 && height > 0) {
    // A one-pixel line along the inside of the rectangle, on pixel centres.
    cairo_rectangle(cr, 0.5, 0.5, width - 1, height - 1);
    cairo_set_line_width(cr, 1);
    SetColour(cr, frame);
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(image_);
}

void BackBuffer::CopyTo(wxDC& dc, int width, int height) {
  std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::CreateFromUnknownDC(dc));
  if (!gc) return;
  auto* cr = static_cast<cairo_t*>(gc->GetNativeContext());
  if (cr == nullptr) return;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, std::min(width, cairo_image_surface_get_width(image_)),
                  std::min(height, cairo_image_surface_get_height(image_)));
  cairo_clip(cr);
  cairo_set_source_surface(cr, image_, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace ravelo
