#include "platform/wx/back_buffer.h"

#include <cairo.h>
#include <wx/dc.h>
#include <wx/graphics.h>

#include <algorithm>

#include "platform/cairo/cairo_surface.h"

namespace ravelo {

struct BackBuffer::Canvas {
  explicit Canvas(const CairoSurface& image)
      : context(cairo_create(image.Target())), surface(context, image.Caps()) {}
  ~Canvas() = default;  // the surface lets go of the context before the context goes
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  struct Context {
    explicit Context(cairo_t* cr) : cr(cr) {}
    ~Context() { cairo_destroy(cr); }
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;
    operator cairo_t*() const { return cr; }
    cairo_t* cr;
  };
  Context context;
  CairoSurface surface;
};

BackBuffer::BackBuffer(int width, int height)
    : image_(CairoSurface::CreateImage(std::max(width, 1), std::max(height, 1))) {
  if (image_) canvas_ = std::make_unique<Canvas>(*image_);
}

BackBuffer::~BackBuffer() = default;

void BackBuffer::Draw(Point origin, const std::function<void(Surface&)>& draw) {
  if (!canvas_) return;
  cairo_identity_matrix(canvas_->context);
  cairo_translate(canvas_->context, -origin.X, -origin.Y);
  draw(canvas_->surface);
  cairo_surface_flush(image_->Target());
}

void BackBuffer::CopyFrom(const BackBuffer& other, int width, int height) {
  if (!canvas_ || !other.image_) return;
  cairo_t* cr = canvas_->context;
  cairo_surface_flush(other.image_->Target());
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_rectangle(cr, 0, 0, width, height);
  cairo_clip(cr);
  cairo_set_source_surface(cr, other.image_->Target(), 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_restore(cr);
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
