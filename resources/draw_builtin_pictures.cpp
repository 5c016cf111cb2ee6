// Draws the seventeen built-in pictures (85 x 85, on white) as PNG files:
//   draw_builtin_pictures OUTPUT_FOLDER
// The files are committed beside this program and compiled into the editor; run it again only to
// change a drawing.
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int kSize = 85;
constexpr double kPi = 3.14159265358979;

void Colour(cairo_t* cr, int r, int g, int b) { cairo_set_source_rgb(cr, r / 255.0, g / 255.0, b / 255.0); }

// A head-and-shoulders figure: head centre (x, y), head radius r.
void Person(cairo_t* cr, double x, double y, double r, bool longHair, int red, int green, int blue) {
  Colour(cr, red, green, blue);
  if (longHair) {  // hair flaring out to a bob behind the head
    cairo_arc(cr, x, y - r * 0.05, r * 1.2, kPi, 0);
    cairo_line_to(cr, x + r * 1.45, y + r * 0.95);
    cairo_line_to(cr, x - r * 1.45, y + r * 0.95);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
  cairo_fill(cr);
  // shoulders: a rounded trapezoid below the head
  const double top = y + r * 1.25, bottom = y + r * 3.2, half = r * 2.0;
  cairo_move_to(cr, x - half * 0.55, top);
  cairo_line_to(cr, x + half * 0.55, top);
  cairo_curve_to(cr, x + half, top, x + half, top + r * 0.5, x + half, bottom);
  cairo_line_to(cr, x - half, bottom);
  cairo_curve_to(cr, x - half, top + r * 0.5, x - half, top, x - half * 0.55, top);
  cairo_fill(cr);
}

void Suit(cairo_t* cr, int which) {
  const double cx = 42.5, cy = 42.5;
  if (which == 0) {  // club: three leaves and a stem
    Colour(cr, 20, 20, 20);
    cairo_arc(cr, cx, cy - 14, 13, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_arc(cr, cx - 15, cy + 6, 13, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_arc(cr, cx + 15, cy + 6, 13, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_move_to(cr, cx - 4, cy);
    cairo_line_to(cr, cx - 10, cy + 32);
    cairo_line_to(cr, cx + 10, cy + 32);
    cairo_line_to(cr, cx + 4, cy);
    cairo_fill(cr);
  } else if (which == 1) {  // diamond
    Colour(cr, 220, 30, 40);
    cairo_move_to(cr, cx, 6);
    cairo_line_to(cr, 70, cy);
    cairo_line_to(cr, cx, 79);
    cairo_line_to(cr, 15, cy);
    cairo_close_path(cr);
    cairo_fill(cr);
  } else if (which == 2) {  // heart
    Colour(cr, 220, 30, 40);
    cairo_move_to(cr, cx, 76);
    cairo_curve_to(cr, 0, 45, 8, 6, cx, 24);
    cairo_curve_to(cr, 77, 6, 85, 45, cx, 76);
    cairo_fill(cr);
  } else {  // spade: an upside-down heart with a stem
    Colour(cr, 20, 20, 20);
    cairo_move_to(cr, cx, 6);
    cairo_curve_to(cr, 0, 38, 10, 72, cx, 56);
    cairo_curve_to(cr, 75, 72, 85, 38, cx, 6);
    cairo_fill(cr);
    cairo_move_to(cr, cx - 3, 52);
    cairo_line_to(cr, cx - 11, 79);
    cairo_line_to(cr, cx + 11, 79);
    cairo_line_to(cr, cx + 3, 52);
    cairo_fill(cr);
  }
}

void Pin(cairo_t* cr, int red, int green, int blue) {
  // needle
  Colour(cr, 120, 120, 120);
  cairo_set_line_width(cr, 3);
  cairo_move_to(cr, 42.5, 40);
  cairo_line_to(cr, 42.5, 80);
  cairo_stroke(cr);
  // head with a highlight
  Colour(cr, red, green, blue);
  cairo_arc(cr, 42.5, 26, 20, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
  cairo_arc(cr, 35, 19, 6, 0, 2 * kPi);
  cairo_fill(cr);
}

void Building(cairo_t* cr) {
  Colour(cr, 90, 100, 120);
  cairo_rectangle(cr, 20, 8, 45, 72);
  cairo_fill(cr);
  Colour(cr, 200, 225, 250);
  for (int row = 0; row < 7; ++row)
    for (int col = 0; col < 3; ++col) cairo_rectangle(cr, 26 + col * 13, 14 + row * 9, 8, 5);
  cairo_fill(cr);
  Colour(cr, 60, 60, 70);
  cairo_rectangle(cr, 36, 70, 13, 10);
  cairo_fill(cr);
}

void House(cairo_t* cr) {
  Colour(cr, 190, 50, 40);  // roof
  cairo_move_to(cr, 6, 42);
  cairo_line_to(cr, 42.5, 10);
  cairo_line_to(cr, 79, 42);
  cairo_close_path(cr);
  cairo_fill(cr);
  Colour(cr, 235, 200, 140);  // walls
  cairo_rectangle(cr, 16, 42, 53, 36);
  cairo_fill(cr);
  Colour(cr, 120, 70, 40);  // door
  cairo_rectangle(cr, 36, 56, 13, 22);
  cairo_fill(cr);
  Colour(cr, 120, 180, 230);  // window
  cairo_rectangle(cr, 21, 50, 11, 10);
  cairo_rectangle(cr, 54, 50, 11, 10);
  cairo_fill(cr);
}

void Book(cairo_t* cr) {
  Colour(cr, 30, 80, 150);  // cover
  cairo_rectangle(cr, 18, 10, 50, 66);
  cairo_fill(cr);
  Colour(cr, 245, 240, 225);  // pages along the bottom and right
  cairo_rectangle(cr, 22, 72, 46, 5);
  cairo_fill(cr);
  Colour(cr, 20, 50, 100);  // spine
  cairo_rectangle(cr, 18, 10, 8, 66);
  cairo_fill(cr);
  Colour(cr, 230, 200, 80);  // title plate
  cairo_rectangle(cr, 34, 22, 26, 10);
  cairo_fill(cr);
}

void Map(cairo_t* cr) {
  // a folded sheet in three panels
  const double xs[4] = {8, 31, 54, 77};
  const int shades[3] = {235, 215, 235};
  for (int i = 0; i < 3; ++i) {
    cairo_set_source_rgb(cr, shades[i] / 255.0, (shades[i] + 10) / 255.0, 200 / 255.0);
    const double lift = i % 2 == 0 ? 0 : 6;
    cairo_move_to(cr, xs[i], 16 + (i % 2 == 0 ? 6 : 0));
    cairo_line_to(cr, xs[i + 1], 16 + lift);
    cairo_line_to(cr, xs[i + 1], 70 + lift);
    cairo_line_to(cr, xs[i], 70 + (i % 2 == 0 ? 6 : 0));
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  Colour(cr, 60, 140, 70);  // land
  cairo_arc(cr, 30, 40, 10, 0, 2 * kPi);
  cairo_fill(cr);
  Colour(cr, 200, 40, 40);  // route
  cairo_set_line_width(cr, 2.5);
  cairo_set_dash(cr, (const double[]){4, 3}, 2, 0);
  cairo_move_to(cr, 16, 60);
  cairo_curve_to(cr, 35, 30, 50, 70, 68, 30);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}

void Draw(int number, cairo_t* cr) {
  switch (number) {
    case 1: Person(cr, 42.5, 24, 15, false, 85, 85, 40); break;     // man: dark olive
    case 2: Person(cr, 42.5, 24, 14, true, 150, 40, 80); break;     // woman
    case 3: Person(cr, 42.5, 34, 12, false, 40, 90, 160); break;    // boy
    case 4: Person(cr, 42.5, 34, 11, true, 210, 80, 120); break;    // girl
    case 5:                                                         // family
      Person(cr, 22, 22, 10, false, 85, 85, 40);
      Person(cr, 63, 24, 9.5, true, 150, 40, 80);
      Person(cr, 42.5, 46, 8, false, 40, 90, 160);
      break;
    case 6: Building(cr); break;
    case 7: House(cr); break;
    case 8: Book(cr); break;
    case 9: Map(cr); break;
    case 10: Suit(cr, 0); break;
    case 11: Suit(cr, 1); break;
    case 12: Suit(cr, 2); break;
    case 13: Suit(cr, 3); break;
    case 14: Pin(cr, 220, 30, 30); break;
    case 15: Pin(cr, 40, 170, 60); break;
    case 16: Pin(cr, 240, 200, 20); break;
    case 17: Pin(cr, 30, 30, 30); break;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: draw_builtin_pictures OUTPUT_FOLDER\n");
    return 2;
  }
  for (int number = 1; number <= 17; ++number) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSize, kSize);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    Draw(number, cr);
    cairo_destroy(cr);
    const std::string path = std::string(argv[1]) + "/builtin" + std::to_string(number) + ".png";
    const bool written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!written) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
