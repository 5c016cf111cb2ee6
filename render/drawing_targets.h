// What a whole drawing is made on besides the screen: a picture in memory for the image export,
// or the pages of a vector file for the vector export and the printed pages. Realised by the Cairo
// backend; the drawing code sees only Surface.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "platform/picture.h"
#include "render/surface.h"

namespace ravelo {

enum class VectorFormat { Pdf, Svg };

// A page of a vector file in points (1/72 inch).
struct PageSize {
  double width = 0;
  double height = 0;
};

// Where a drawing goes on a page, in the page's 96-dpi pixels: the drawing's point p lands on
// origin + p × scale, and only what falls inside the clip rectangle shows (none: the whole page).
struct PagePlacement {
  double originX = 0;
  double originY = 0;
  double scale = 1;
  bool clipped = false;
  double clipX = 0;
  double clipY = 0;
  double clipWidth = 0;
  double clipHeight = 0;
};

struct VectorPage {
  PageSize size;
  PagePlacement placement;
};

// A 96-dpi pixel of the drawing is this many points on a vector page: the chart keeps the size it
// has on the screen.
constexpr double kPointsPerPixel = 72.0 / 96.0;

class DrawingTargets {
 public:
  virtual ~DrawingTargets() = default;

  // An opaque picture of width × height pixels drawn by draw; none when the memory for it cannot
  // be had.
  virtual std::optional<Picture> DrawPicture(int width, int height, const std::function<void(Surface&)>& draw) = 0;

  // A complete PDF file of the pages, or an SVG file of the first; draw(surface, page) draws the
  // drawing of page (from 0) in its own 96-dpi pixels, placed on the page as the page says. Empty
  // when the file cannot be made.
  virtual std::vector<uint8_t> DrawVectorFile(VectorFormat format, std::span<const VectorPage> pages,
                                              const std::function<void(Surface&, int)>& draw) = 0;
};

}  // namespace ravelo
