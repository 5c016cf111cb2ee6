#include "platform/wx/window_overlay.h"

#include <cairo.h>
#include <wx/dc.h>
#include <wx/graphics.h>

#include <memory>

#include "platform/cairo/cairo_surface.h"

namespace ravelo {

void DrawOverWindow(wxDC& dc, Point origin, const std::function<void(Surface&)>& draw) {
  std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::CreateFromUnknownDC(dc));
  auto* cr = gc ? static_cast<cairo_t*>(gc->GetNativeContext()) : nullptr;
  if (cr == nullptr) return;
  cairo_save(cr);
  cairo_translate(cr, -origin.X, -origin.Y);
  {
    CairoSurface surface(cr, DeviceCaps{});
    draw(surface);
  }
  cairo_restore(cr);
}

}  // namespace ravelo
