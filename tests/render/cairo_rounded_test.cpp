// The unsmoothed rounded rectangles, ellipses and outlines that CairoSurface writes row by row,
// checked against Cairo drawing the same shapes through its own paths and stroker.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "platform/cairo/cairo_surface.h"

namespace ravelo {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kInk = Rgb(0, 0, 160);
constexpr int kSize = 160;

// A rounded rectangle path with exact elliptic corners of radii rx, ry.
void Rounded(cairo_t* cr, double x0, double y0, double x1, double y1, double rx, double ry) {
  const auto corner = [&](double cx, double cy, double from) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, from, from + std::numbers::pi / 2);
    cairo_restore(cr);
  };
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    return;
  }
  cairo_new_sub_path(cr);
  corner(x1 - rx, y0 + ry, -std::numbers::pi / 2);
  corner(x1 - rx, y1 - ry, 0);
  corner(x0 + rx, y1 - ry, std::numbers::pi / 2);
  corner(x0 + rx, y0 + ry, std::numbers::pi);
  cairo_close_path(cr);
}

// The pixels of the two images that differ.
int Differences(CairoSurface& a, CairoSurface& b) {
  int differing = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) differing += a.PixelAt({x, y}) != b.PixelAt({x, y});
  }
  return differing;
}

struct Shape {
  Rect rect;
  int corner;  // corner ellipse; -1 draws an ellipse
  int penWidth;
  bool fill;
};

TEST(CairoRoundedTest, ShapesMatchCairosOwnUnsmoothedDrawing) {
  const Shape shapes[] = {
      {{10, 10, 150, 150}, 0, 1, true},  {{10, 10, 150, 150}, 30, 1, true},
      {{20, 40, 140, 58}, 30, 1, true},  {{10, 10, 150, 150}, 90, 2, false},
      {{13, 17, 151, 97}, 45, 5, false}, {{10, 10, 150, 150}, -1, 1, true},
      {{30, 50, 38, 58}, -1, 1, true},   {{5, 5, 155, 100}, 0, 5, false},
      {{20, 20, 140, 25}, 20, 0, true},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(::testing::Message() << shape.rect.left << "," << shape.rect.top << " corner "
                                      << shape.corner << " pen " << shape.penWidth);
    const auto mine = CairoSurface::CreateImage(kSize, kSize);
    const auto cairo = CairoSurface::CreateImage(kSize, kSize);
    mine->FillRect({0, 0, kSize, kSize}, kWhite);
    cairo->FillRect({0, 0, kSize, kSize}, kWhite);
    const Pen pen = shape.penWidth > 0 ? Pen{kInk, shape.penWidth} : kNullPen;
    const Brush brush = shape.fill ? Brush::Solid(Rgb(250, 200, 100)) : Brush::Hollow();
    if (shape.corner < 0) {
      mine->DrawEllipse(shape.rect, pen, brush);
    } else if (shape.corner == 0) {
      mine->DrawRectangle(shape.rect, pen, brush);
    } else {
      mine->DrawRoundRect(shape.rect, shape.corner, shape.corner, pen, brush);
    }

    // The same through Cairo's paths: fills on the edges, outlines along the edge pixels a quarter
    // pixel in, round joins.
    cairo_t* cr = cairo_create(cairo->Target());
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    const Rect& r = shape.rect;
    const double w = r.right - r.left, h = r.bottom - r.top;
    const double cx = shape.corner < 0 ? w : shape.corner, cy = shape.corner < 0 ? h : shape.corner;
    if (shape.fill) {
      Rounded(cr, r.left, r.top, r.right, r.bottom, std::min(cx / 2, w / 2), std::min(cy / 2, h / 2));
      cairo_set_source_rgb(cr, 250 / 255.0, 200 / 255.0, 100 / 255.0);
      cairo_fill(cr);
    }
    if (shape.penWidth > 0) {
      const double x0 = r.left + 0.25, y0 = r.top + 0.25, x1 = r.right - 1 + 0.25, y1 = r.bottom - 1 + 0.25;
      Rounded(cr, x0, y0, x1, y1, std::min(cx / 2, (x1 - x0) / 2), std::min(cy / 2, (y1 - y0) / 2));
      cairo_set_line_width(cr, shape.penWidth);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_set_source_rgb(cr, 0, 0, 160 / 255.0);
      cairo_stroke(cr);
    }
    cairo_destroy(cr);
    cairo_surface_mark_dirty(cairo->Target());
    // Straight edges agree exactly; along the curves, which Cairo flattens into chords, no more
    // than one pixel in four may come out differently.
    const double curves = std::numbers::pi * (std::min(cx / 2, w / 2) + std::min(cy / 2, h / 2));
    EXPECT_LE(Differences(*mine, *cairo), static_cast<int>(curves / 4));
  }
}

TEST(CairoRoundedTest, ShapesWrittenIntoTheImageAndFilledThroughAClipAgree) {
  // Through an odd translation, once written straight into the pixels and once, clipped to two
  // rectangles, filled through Cairo's paths: the same pixels, the pattern aligned alike.
  const auto draw = [](bool clipped) {
    auto image = CairoSurface::CreateImage(kSize, kSize);
    image->FillRect({0, 0, kSize, kSize}, kWhite);
    cairo_t* cr = cairo_create(image->Target());
    cairo_translate(cr, -11, -30);
    if (clipped) {
      cairo_rectangle(cr, 0, 0, 200, 80);
      cairo_rectangle(cr, 0, 80, 200, 200);
      cairo_clip(cr);
    }
    {
      CairoSurface through(cr, DeviceCaps{});
      through.DrawRoundRect({31, 50, 151, 150}, 40, 40, Pen{kInk, 3},
                            Brush::Checker(kWhite, Rgb(255, 0, 255)));
      through.DrawEllipse({40, 60, 60, 75}, Pen{kInk, 1}, Brush::Solid(kWhite));
    }
    cairo_destroy(cr);
    return image;
  };
  const auto direct = draw(false), clipped = draw(true);
  EXPECT_EQ(Differences(*direct, *clipped), 0);
  EXPECT_EQ(direct->PixelAt({80, 20}), kInk);    // the top of the outline
  EXPECT_EQ(direct->PixelAt({20, 20}), kWhite);  // outside its rounded corner
}

TEST(CairoRoundedTest, StrongReductionsAverageThePixels) {
  // Four columns of black and white, stripes one pixel wide, reduced to a quarter: mid grey.
  Picture picture;
  picture.width = picture.height = 8;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const uint8_t v = x % 2 == 0 ? 0 : 255;
      picture.bgra.insert(picture.bgra.end(), {v, v, v, 255});
    }
  }
  const auto image = CairoSurface::CreateImage(20, 20);
  image->StretchPicture(picture, {0, 0, 8, 8}, {5, 5, 7, 7});
  EXPECT_EQ(image->PixelAt({5, 5}), Rgb(127, 127, 127));
  EXPECT_EQ(image->PixelAt({6, 6}), Rgb(127, 127, 127));
  EXPECT_EQ(image->PixelAt({7, 7}), Rgb(0, 0, 0));
}

}  // namespace
}  // namespace ravelo
