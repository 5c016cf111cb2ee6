#include "platform/wx/back_buffer.h"

#include <cairo.h>
#include <wx/dc.h>
#include <wx/graphics.h>

#include <algorithm>

#include "platform/cairo/cairo_surface.h"

namespace ravelo {

BackBuffer::BackBuffer(int width, int height)
    : image_(CairoSurface::CreateImage(std::max(width, 1), std::max(height, 1))) {}

BackBuffer::~BackBuffer() = default;

void BackBuffer::Draw(Point origin, const std::function<void(Surface&)>& draw) {
  if (!image_) return;
  cairo_t* cr = cairo_create(image_->Target());
  cairo_translate(cr, -origin.X, -origin.Y);
  {
    CairoSurface surface(cr, image_->Caps());
    draw(surface);
  }
  cairo_destroy(cr);
  cairo_surface_flush(image_->Target());
}

void BackBuffer::CopyTo(wxDC& dc, int width, int height) {
  if (!image_) return;
  std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::CreateFromUnknownDC(dc));
  auto* cr = gc ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
  if (cr == nullptr) return;
  cairo_surface_t* image = image_->Target();
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, std::min(width, cairo_image_surface_get_width(image)),
                  std::min(height, cairo_image_surface_get_height(image)));
  cairo_clip(cr);
  cairo_set_source_surface(cr, image, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_restore(cr);
}

}  // namespace ravelo
