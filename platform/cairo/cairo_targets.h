// The drawing targets on Cairo: image surfaces for pictures, PDF and SVG surfaces for vector files.
#pragma once

#include <cairo.h>

#include "render/drawing_targets.h"

namespace ravelo {

// Draws a placed drawing on a context whose units are the page's 96-dpi pixels (a printer page
// scaled to them, a vector page): clip, move and scale as placed, then draw; the context is as it
// was afterwards.
void DrawPlaced(cairo_t* context, DeviceCaps caps, const PagePlacement& placement,
                const std::function<void(Surface&)>& draw);

class CairoTargets final : public DrawingTargets {
 public:
  std::optional<Picture> DrawPicture(int width, int height, const std::function<void(Surface&)>& draw) override;
  std::vector<uint8_t> DrawVectorFile(VectorFormat format, std::span<const VectorPage> pages,
                                      const std::function<void(Surface&, int)>& draw) override;
};

}  // namespace ravelo
