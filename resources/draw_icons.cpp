// Draws the application icon and the icon of .rvl documents, as SVG and as PNG files in the icon
// theme's sizes:
//   draw_icons OUTPUT_FOLDER
// writes app.svg, document.svg, app_N.png and document_N.png. The files are committed beside this
// program; the editor compiles the application icon in for its window and the install step puts
// both into the hicolor theme. Run it again only to change a drawing.
#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Both drawings are made on a 256 x 256 grid and scaled to each size.
constexpr double kGrid = 256;
constexpr double kPi = 3.14159265358979;
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

struct Colour {
  int r, g, b;
};

void Use(cairo_t* cr, Colour c) { cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0); }

void RoundedRectangle(cairo_t* cr, double x, double y, double width, double height, double radius) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + width - radius, y + radius, radius, -kPi / 2, 0);
  cairo_arc(cr, x + width - radius, y + height - radius, radius, 0, kPi / 2);
  cairo_arc(cr, x + radius, y + height - radius, radius, kPi / 2, kPi);
  cairo_arc(cr, x + radius, y + radius, radius, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
}

// Fills the current path and strokes it with a line that stays at least one pixel wide when the drawing is
// scaled down to `pixels`.
void FillAndStroke(cairo_t* cr, Colour fill, Colour line, double width, int pixels) {
  Use(cr, fill);
  cairo_fill_preserve(cr);
  Use(cr, line);
  cairo_set_line_width(cr, std::max(width, kGrid / pixels));
  cairo_stroke(cr);
}

// A node: a rounded box of the diagram.
void Node(cairo_t* cr, double x, double y, double width, double height, Colour fill, Colour line,
          int pixels) {
  RoundedRectangle(cr, x, y, width, height, std::min(width, height) * 0.28);
  FillAndStroke(cr, fill, line, 8, pixels);
}

// A link arc from (x1, y1) to the arrow's tip at (x2, y2), a curve drawn towards (cx, cy).
void LinkArc(cairo_t* cr, double x1, double y1, double cx, double cy, double x2, double y2, int pixels) {
  // The arrow head points along the curve's last tangent, from (cx, cy) to the tip.
  const double tx = x2 - cx, ty = y2 - cy, tangent = std::hypot(tx, ty);
  const double ux = tx / tangent, uy = ty / tangent, head = 36, half = 20;
  const double baseX = x2 - ux * head, baseY = y2 - uy * head;
  Use(cr, {60, 60, 72});
  cairo_set_line_width(cr, std::max(10.0, 1.5 * kGrid / pixels));
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x1, y1);
  cairo_curve_to(cr, cx, cy, cx, cy, baseX, baseY);
  cairo_stroke(cr);
  cairo_move_to(cr, x2, y2);
  cairo_line_to(cr, baseX - uy * half, baseY + ux * half);
  cairo_line_to(cr, baseX + uy * half, baseY - ux * half);
  cairo_close_path(cr);
  cairo_fill(cr);
}

constexpr Colour kParentFill{214, 230, 248}, kParentLine{44, 96, 160};
constexpr Colour kOrange{250, 184, 100}, kOrangeLine{170, 92, 20};
constexpr Colour kGreen{150, 204, 128}, kGreenLine{56, 120, 44};
constexpr Colour kRed{236, 112, 112}, kRedLine{160, 40, 48};

// The application: a parent node holding two children, one of them linked to a node outside. Below 32 pixels
// one child stands for both, so that the shapes stay readable.
void DrawApplication(cairo_t* cr, int pixels) {
  const bool small = pixels < 32;
  RoundedRectangle(cr, 14, 78, 168, 164, 26);
  FillAndStroke(cr, kParentFill, kParentLine, 12, pixels);
  if (small) {
    Node(cr, 42, 118, 112, 88, kOrange, kOrangeLine, pixels);
  } else {
    Node(cr, 40, 110, 116, 48, kOrange, kOrangeLine, pixels);
    Node(cr, 40, 176, 116, 48, kGreen, kGreenLine, pixels);
  }
  cairo_arc(cr, 208, 48, 36, 0, 2 * kPi);
  FillAndStroke(cr, kRed, kRedLine, 8, pixels);
  const double arcY = small ? 162 : 134;
  LinkArc(cr, small ? 154 : 156, arcY, 208, arcY, 208, 90, pixels);
}

// A .rvl document: a sheet with a turned-down corner and the application's diagram on it.
void DrawDocument(cairo_t* cr, int pixels) {
  const double left = 40, top = 12, right = 216, bottom = 244, fold = 52;
  cairo_move_to(cr, left, top);
  cairo_line_to(cr, right - fold, top);
  cairo_line_to(cr, right, top + fold);
  cairo_line_to(cr, right, bottom);
  cairo_line_to(cr, left, bottom);
  cairo_close_path(cr);
  FillAndStroke(cr, {252, 252, 250}, {120, 120, 128}, 8, pixels);
  cairo_move_to(cr, right - fold, top);
  cairo_line_to(cr, right - fold, top + fold);
  cairo_line_to(cr, right, top + fold);
  cairo_close_path(cr);
  FillAndStroke(cr, {220, 220, 216}, {120, 120, 128}, 8, pixels);

  constexpr double kScale = 0.6;
  cairo_save(cr);
  cairo_translate(cr, 50, 88);
  cairo_scale(cr, kScale, kScale);
  DrawApplication(cr, static_cast<int>(pixels * kScale));
  cairo_restore(cr);
}
using Drawing = void (*)(cairo_t*, int);

bool WritePng(Drawing draw, int pixels, const std::string& path) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pixels, pixels);
  cairo_t* cr = cairo_create(surface);
  cairo_scale(cr, pixels / kGrid, pixels / kGrid);
  draw(cr, pixels);
  cairo_destroy(cr);
  const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

bool WriteSvg(Drawing draw, const std::string& path) {
  cairo_surface_t* surface = cairo_svg_surface_create(path.c_str(), kGrid, kGrid);
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(surface);
  draw(cr, static_cast<int>(kGrid));
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool written = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  return written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_icons OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const struct {
    const char* name;
    Drawing draw;
  } icons[] = {{"app", DrawApplication}, {"document", DrawDocument}};
  for (const auto& icon : icons) {
    std::string path = folder + "/" + icon.name + ".svg";
    bool written = WriteSvg(icon.draw, path);
    for (int pixels : kSizes) {
      if (!written) break;
      path = folder + "/" + icon.name + "_" + std::to_string(pixels) + ".png";
      written = WritePng(icon.draw, pixels, path);
    }
    if (!written) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
