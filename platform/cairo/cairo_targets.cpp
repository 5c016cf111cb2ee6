#include "platform/cairo/cairo_targets.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include "platform/cairo/cairo_surface.h"

namespace ravelo {

namespace {

cairo_status_t AppendToVector(void* closure, const unsigned char* data, unsigned int length) {
  auto& out = *static_cast<std::vector<uint8_t>*>(closure);
  out.insert(out.end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

void DrawPlaced(cairo_t* context, DeviceCaps caps, const PagePlacement& placement,
                const std::function<void(Surface&)>& draw) {
  cairo_save(context);
  if (placement.clipped) {
    cairo_rectangle(context, placement.clipX, placement.clipY, placement.clipWidth, placement.clipHeight);
    cairo_clip(context);
  }
  cairo_translate(context, placement.originX, placement.originY);
  cairo_scale(context, placement.scale, placement.scale);
  {
    CairoSurface surface(context, caps);
    draw(surface);
  }
  cairo_restore(context);
}

std::optional<Picture> CairoTargets::DrawPicture(int width, int height, const std::function<void(Surface&)>& draw) {
  return CairoSurface::DrawPicture(width, height, [&](CairoSurface& surface) { draw(surface); });
}

std::vector<uint8_t> CairoTargets::DrawVectorFile(VectorFormat format, std::span<const VectorPage> pages,
                                                  const std::function<void(Surface&, int)>& draw) {
  if (pages.empty()) return {};
  std::vector<uint8_t> out;
  const PageSize first = pages.front().size;
  cairo_surface_t* target = format == VectorFormat::Pdf
                                ? cairo_pdf_surface_create_for_stream(AppendToVector, &out, first.width, first.height)
                                : cairo_svg_surface_create_for_stream(AppendToVector, &out, first.width, first.height);
  if (format == VectorFormat::Svg) cairo_svg_surface_set_document_unit(target, CAIRO_SVG_UNIT_PT);
  cairo_t* cr = cairo_create(target);
  const std::size_t pageCount = format == VectorFormat::Pdf ? pages.size() : 1;
  for (std::size_t page = 0; page < pageCount && cairo_status(cr) == CAIRO_STATUS_SUCCESS; ++page) {
    if (page > 0) cairo_pdf_surface_set_size(target, pages[page].size.width, pages[page].size.height);
    cairo_save(cr);
    cairo_scale(cr, kPointsPerPixel, kPointsPerPixel);
    DrawPlaced(cr, DeviceCaps{}, pages[page].placement,
               [&](Surface& surface) { draw(surface, static_cast<int>(page)); });
    cairo_restore(cr);
    cairo_show_page(cr);
  }
  const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
  cairo_destroy(cr);
  cairo_surface_finish(target);
  const bool finished = cairo_surface_status(target) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(target);
  if (!drawn || !finished) return {};
  return out;
}

}  // namespace ravelo
