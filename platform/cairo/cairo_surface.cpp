#include "platform/cairo/cairo_surface.h"

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/large_buffer.h"

extern const char kFontAliases[];  // platform/cairo/fonts.conf, compiled in

namespace ravelo {
namespace {

constexpr double kLayoutDpi = 96;
constexpr Colour kWhite = Rgb(255, 255, 255);

PangoFontMap* CreateFontMap() {
  FcConfig* config = FcInitLoadConfigAndFonts();
  FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kFontAliases), FcTrue);
  PangoFontMap* map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
  pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), config);  // takes its own reference
  FcConfigDestroy(config);
  pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(map), kLayoutDpi);
  return map;
}

// One font map for every surface, so that fonts are found and loaded once per process.
PangoFontMap* SharedFontMap() {
  static PangoFontMap* const map = CreateFontMap();
  return map;
}

PangoContext* CreateTextContext(bool vertical) {
  PangoContext* context = pango_font_map_create_context(SharedFontMap());
  pango_cairo_context_set_resolution(context, kLayoutDpi);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);  // whole-pixel advances
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  pango_context_set_language(context, pango_language_from_string("ja"));
  if (vertical) {
    // Upright CJK, sideways Latin, and the vertical forms of the punctuation.
    pango_context_set_base_gravity(context, PANGO_GRAVITY_EAST);
    pango_context_set_gravity_hint(context, PANGO_GRAVITY_HINT_NATURAL);
  }
  return context;
}

void SetSource(cairo_t* cr, Colour c) {
  cairo_set_source_rgb(cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0);
}

uint32_t PixelValue(Colour c) {
  return 0xFF000000u | static_cast<uint32_t>(RedOf(c)) << 16 | static_cast<uint32_t>(GreenOf(c)) << 8 |
         static_cast<uint32_t>(BlueOf(c));
}

Rect Normalised(const Rect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

bool IsEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// Pixel (x, y) is the unit square from (x, y). Fills cover a rectangle's pixels up to its excluded
// right and bottom edges. Outlines run along the pixels on its edge, all strokes of a composite line
// on the same path so that they lie centred on one another: a quarter pixel above and left of the
// pixel centres, where the sides of every stroke, of odd or even width, keep a quarter pixel clear
// of pixel centres. On a centre, rounding alone (and Cairo's approximation of curves) would choose
// the pixels, and choose differently from row to row.
constexpr double kCentre = 0.25;
struct Box {
  double x0, y0, x1, y1;
};
Box EdgeBox(const Rect& r) { return {double(r.left), double(r.top), double(r.right), double(r.bottom)}; }
Box CentreBox(const Rect& r) {
  return {r.left + kCentre, r.top + kCentre, std::max(r.left, r.right - 1) + kCentre,
          std::max(r.top, r.bottom - 1) + kCentre};
}

void PolylinePath(cairo_t* cr, std::span<const Point> points) {
  cairo_move_to(cr, points[0].X + kCentre, points[0].Y + kCentre);
  for (Point p : points.subspan(1)) cairo_line_to(cr, p.X + kCentre, p.Y + kCentre);
}

// An arc of the ellipse with radii rx, ry about (cx, cy), by ellipse angles (y grows downward).
void EllipticArc(cairo_t* cr, double cx, double cy, double rx, double ry, double from, double to) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc_negative(cr, 0, 0, 1, from, to);
  cairo_restore(cr);
}

void RectanglePath(cairo_t* cr, const Box& b) { cairo_rectangle(cr, b.x0, b.y0, b.x1 - b.x0, b.y1 - b.y0); }

// A rectangle whose corners are quarters of an ellipse with radii rx and ry, each one cubic curve.
void RoundedPath(cairo_t* cr, const Box& b, double rx, double ry) {
  constexpr double kKappa = 0.5522847498;  // the control points of a quarter circle, per radius
  const double kx = kKappa * rx, ky = kKappa * ry;
  cairo_move_to(cr, b.x0 + rx, b.y0);
  cairo_line_to(cr, b.x1 - rx, b.y0);
  cairo_curve_to(cr, b.x1 - rx + kx, b.y0, b.x1, b.y0 + ry - ky, b.x1, b.y0 + ry);
  cairo_line_to(cr, b.x1, b.y1 - ry);
  cairo_curve_to(cr, b.x1, b.y1 - ry + ky, b.x1 - rx + kx, b.y1, b.x1 - rx, b.y1);
  cairo_line_to(cr, b.x0 + rx, b.y1);
  cairo_curve_to(cr, b.x0 + rx - kx, b.y1, b.x0, b.y1 - ry + ky, b.x0, b.y1 - ry);
  cairo_line_to(cr, b.x0, b.y0 + ry);
  cairo_curve_to(cr, b.x0, b.y0 + ry - ky, b.x0 + rx - kx, b.y0, b.x0 + rx, b.y0);
  cairo_close_path(cr);
}

void EllipsePath(cairo_t* cr, const Box& b) {
  const double rx = (b.x1 - b.x0) / 2, ry = (b.y1 - b.y0) / 2;
  if (rx <= 0 || ry <= 0) {  // a flat ellipse is a line
    cairo_move_to(cr, b.x0, b.y0);
    cairo_line_to(cr, b.x1, b.y1);
    return;
  }
  RoundedPath(cr, b, rx, ry);
}

// Unsmoothed rounded rectangles, ellipses and their solid outlines are laid down as rows of pixel
// spans: a pixel is covered when its centre lies inside the shape, as Cairo's unsmoothed rasteriser
// decides. The spans are written straight into an image, or else filled as rectangles through
// Cairo's fast path for boxes; curve flattening and stroking would otherwise cost most of a chart's
// drawing. An outline is the ring between the figure grown and shrunk by half the pen's width
// (round joins, as the pen has).
struct RoundedBox {
  Box box;
  double rx, ry;  // the corners' quarter ellipses; 0 for square corners
};

struct Span {
  int from = 0, to = 0;  // pixel columns [from, to)
  bool Empty() const { return to <= from; }
  friend bool operator==(const Span&, const Span&) = default;
};

Span RowSpan(const RoundedBox& s, double centreY) {
  const Box& b = s.box;
  if (centreY < b.y0 || centreY >= b.y1) return {};
  double inset = 0;
  const double top = b.y0 + s.ry, bottom = b.y1 - s.ry;
  if (centreY < top || centreY > bottom) {
    const double t = ((centreY < top ? top : bottom) - centreY) / s.ry;
    if (t >= 1) return {};
    inset = s.rx * (1 - std::sqrt(1 - t * t));
  }
  return {static_cast<int>(std::ceil(b.x0 + inset - 0.5)), static_cast<int>(std::ceil(b.x1 - inset - 0.5))};
}

// Calls paint(span, top, bottom) for the runs of rows first..last-1 whose pixels lie inside outer
// and, when there is an inner box, outside it; a row holds at most two spans, and rows of equal
// spans make one run.
template <typename Paint>
void ForEachRun(const RoundedBox& outer, const RoundedBox* inner, int first, int last, Paint paint) {
  std::array<Span, 2> run{}, row{};
  int runTop = first;
  const auto flush = [&](int bottom) {
    for (const Span& span : run) {
      if (!span.Empty()) paint(span, runTop, bottom);
    }
  };
  for (int y = first; y < last; ++y) {
    const Span whole = RowSpan(outer, y + 0.5);
    const Span hole = inner != nullptr ? RowSpan(*inner, y + 0.5) : Span{};
    if (hole.Empty()) {
      row = {whole, Span{}};
    } else {
      row = {Span{whole.from, std::min(hole.from, whole.to)}, Span{std::max(hole.to, whole.from), whole.to}};
    }
    if (row != run) {
      flush(y);
      run = row;
      runTop = y;
    }
  }
  flush(last);
}

// The rows of the shape's box, in user space.
std::pair<int, int> RowsOf(const RoundedBox& shape) {
  return {static_cast<int>(std::ceil(shape.box.y0 - 0.5)), static_cast<int>(std::ceil(shape.box.y1 - 0.5))};
}

// Pixels written straight into the target: an RGB or ARGB image drawn through a whole-pixel
// translation and clipped to at most one rectangle.
struct PixelTarget {
  cairo_surface_t* image;
  unsigned char* data;
  int stride;
  int dx, dy;          // user to image pixels
  int x0, y0, x1, y1;  // the writable part, image pixels
};

std::optional<PixelTarget> DirectTarget(cairo_t* cr) {
  cairo_surface_t* target = cairo_get_target(cr);
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return std::nullopt;
  const cairo_format_t format = cairo_image_surface_get_format(target);
  if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) return std::nullopt;
  if (cairo_get_operator(cr) != CAIRO_OPERATOR_OVER) return std::nullopt;
  double offsetX, offsetY, scaleX, scaleY;
  cairo_surface_get_device_offset(target, &offsetX, &offsetY);
  cairo_surface_get_device_scale(target, &scaleX, &scaleY);
  if (offsetX != 0 || offsetY != 0 || scaleX != 1 || scaleY != 1) return std::nullopt;
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  const double ox = m.x0, oy = m.y0;
  if (m.xx != 1 || m.yy != 1 || m.xy != 0 || m.yx != 0 || ox != std::floor(ox) || oy != std::floor(oy)) {
    return std::nullopt;
  }
  PixelTarget t{.image = target,
                .data = nullptr,
                .stride = cairo_image_surface_get_stride(target),
                .dx = static_cast<int>(ox),
                .dy = static_cast<int>(oy),
                .x0 = 0,
                .y0 = 0,
                .x1 = cairo_image_surface_get_width(target),
                .y1 = cairo_image_surface_get_height(target)};
  cairo_rectangle_list_t* clips = cairo_copy_clip_rectangle_list(cr);
  const bool representable = clips->status == CAIRO_STATUS_SUCCESS && clips->num_rectangles <= 1;
  if (representable && clips->num_rectangles == 1) {
    const cairo_rectangle_t& c = clips->rectangles[0];  // user space
    t.x0 = std::max(t.x0, static_cast<int>(std::ceil(c.x)) + t.dx);
    t.y0 = std::max(t.y0, static_cast<int>(std::ceil(c.y)) + t.dy);
    t.x1 = std::min(t.x1, static_cast<int>(std::floor(c.x + c.width)) + t.dx);
    t.y1 = std::min(t.y1, static_cast<int>(std::floor(c.y + c.height)) + t.dy);
  }
  cairo_rectangle_list_destroy(clips);
  if (!representable) return std::nullopt;
  cairo_surface_flush(target);
  t.data = cairo_image_surface_get_data(target);
  if (t.data == nullptr) return std::nullopt;
  return t;
}

// Writes the shape's pixels in the brush's colours (opaque; a pattern repeats from the user origin).
void WriteShape(PixelTarget& t, const RoundedBox& outer, const RoundedBox* inner, const Brush& brush) {
  auto [first, last] = RowsOf(outer);
  first = std::max(first, t.y0 - t.dy);
  last = std::min(last, t.y1 - t.dy);
  if (first >= last) return;
  std::array<uint32_t, 4> pixels;
  for (std::size_t i = 0; i < 4; ++i) pixels[i] = PixelValue(brush.colours[i]);
  int left = t.x1, right = t.x0;
  ForEachRun(outer, inner, first, last, [&](const Span& span, int top, int bottom) {
    const int from = std::max(span.from + t.dx, t.x0), to = std::min(span.to + t.dx, t.x1);
    if (from >= to) return;
    left = std::min(left, from);
    right = std::max(right, to);
    for (int y = top; y < bottom; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(t.data + static_cast<std::ptrdiff_t>(y + t.dy) * t.stride);
      const std::size_t band = static_cast<std::size_t>(y & 1) * 2;
      if (pixels[band] == pixels[band + 1]) {
        std::fill(row + from, row + to, pixels[band]);
      } else {
        for (int x = from; x < to; ++x) row[x] = pixels[band + static_cast<std::size_t>((x - t.dx) & 1)];
      }
    }
  });
  if (left < right)
    cairo_surface_mark_dirty_rectangle(t.image, left, first + t.dy, right - left, last - first);
}

// The shape as rectangles of the current path, for targets that cannot be written directly.
void SpanPath(cairo_t* cr, const RoundedBox& outer, const RoundedBox* inner) {
  double clipX0, clipY0, clipX1, clipY1;
  cairo_clip_extents(cr, &clipX0, &clipY0, &clipX1, &clipY1);
  auto [first, last] = RowsOf(outer);
  first = std::max(first, static_cast<int>(std::floor(clipY0)) - 1);
  last = std::min(last, static_cast<int>(std::ceil(clipY1)) + 1);
  ForEachRun(outer, inner, first, last, [cr](const Span& span, int top, int bottom) {
    cairo_rectangle(cr, span.from, top, span.to - span.from, bottom - top);
  });
}

RoundedBox Grown(const RoundedBox& s, double by) {
  return {{s.box.x0 - by, s.box.y0 - by, s.box.x1 + by, s.box.y1 + by},
          std::max(0.0, s.rx + by),
          std::max(0.0, s.ry + by)};
}

// The corner radii a rounded rectangle's path uses for the box.
RoundedBox RoundedCorners(const Box& b, int cornerWidth, int cornerHeight) {
  const double rx = std::clamp(cornerWidth / 2.0, 0.0, (b.x1 - b.x0) / 2);
  const double ry = std::clamp(cornerHeight / 2.0, 0.0, (b.y1 - b.y0) / 2);
  return rx > 0 && ry > 0 ? RoundedBox{b, rx, ry} : RoundedBox{b, 0, 0};
}

bool Fills(const Brush& brush) { return brush.kind != Brush::Kind::Hollow; }
bool Strokes(const Pen& pen) { return pen.colour != kNoColour; }

void PolygonPath(cairo_t* cr, std::span<const Point> points) {
  PolylinePath(cr, points);
  cairo_close_path(cr);
}

// The dash pattern of a pen, in pen widths: dashes of three, dots of one, gaps of one. Wide pens, solid
// or not, have round caps and joins; as each cap reaches half a width beyond its dash, their dashes are
// laid out a width shorter and the gaps a width longer, so that what shows keeps those lengths. A
// one-pixel pen keeps square ends, so that its dots stay single pixels.
struct Dashes {
  std::array<double, 6> lengths{};
  int count = 0;
  cairo_line_cap_t cap = CAIRO_LINE_CAP_ROUND;
  cairo_line_join_t join = CAIRO_LINE_JOIN_ROUND;
};
Dashes DashPattern(DashStyle dash, double width) {
  constexpr double kDash = 3, kDot = 1, kGap = 1;
  const bool round = width > 1;
  Dashes d;
  if (!round) {
    d.cap = CAIRO_LINE_CAP_BUTT;
    d.join = CAIRO_LINE_JOIN_MITER;
  }
  switch (dash) {
    case DashStyle::Solid:
      return {};
    case DashStyle::Dash:
      d.lengths = {kDash, kGap};
      d.count = 2;
      break;
    case DashStyle::Dot:
      d.lengths = {kDot, kGap};
      d.count = 2;
      break;
    case DashStyle::DashDot:
      d.lengths = {kDash, kGap, kDot, kGap};
      d.count = 4;
      break;
    case DashStyle::DashDotDot:
      d.lengths = {kDash, kGap, kDot, kGap, kDot, kGap};
      d.count = 6;
      break;
  }
  const double capReach = round ? width : 0;
  for (int i = 0; i < d.count; ++i) d.lengths[i] = d.lengths[i] * width + (i % 2 == 0 ? -capReach : capReach);
  return d;
}

// Cairo expects valid UTF-8; anything else would be dropped with a warning.
std::string ValidUtf8(std::string_view text) {
  if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) return std::string(text);
  gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  std::string result(valid);
  g_free(valid);
  return result;
}

// The text as one line: line feeds and carriage returns do not break it.
std::string OneLine(std::string_view text) {
  std::string line = ValidUtf8(text);
  std::erase_if(line, [](char c) { return c == '\n' || c == '\r'; });
  return line;
}

// Whether the picture has all its pixels, within the sizes Cairo can draw (a larger one would put
// the context in an error state for good).
bool HoldsPixels(const Picture& picture) {
  constexpr int kLargestSide = 32767;
  return picture.width > 0 && picture.height > 0 && picture.width <= kLargestSide &&
         picture.height <= kLargestSide &&
         picture.bgra.size() >=
             static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4;
}

// A picture reduced to less than half its size in both directions, each pixel the average of the
// source pixels its area covers, as a halftone stretch makes it; null for smaller reductions or a
// source part outside the picture. Cairo's own filter costs far more than the few pixels it makes.
cairo_surface_t* AreaAveraged(const Picture& picture, const Rect& s, const Rect& d) {
  const int sw = s.right - s.left, sh = s.bottom - s.top, dw = d.right - d.left, dh = d.bottom - d.top;
  if (dw <= 0 || dh <= 0 || sw < 2 * dw || sh < 2 * dh) return nullptr;
  if (s.left < 0 || s.top < 0 || s.right > picture.width || s.bottom > picture.height) return nullptr;
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, dw, dh);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return nullptr;
  }
  unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  for (int y = 0; y < dh; ++y) {
    const int y0 = s.top + static_cast<int>(int64_t{y} * sh / dh),
              y1 = s.top + static_cast<int>(int64_t{y + 1} * sh / dh);
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < dw; ++x) {
      const int x0 = s.left + static_cast<int>(int64_t{x} * sw / dw),
                x1 = s.left + static_cast<int>(int64_t{x + 1} * sw / dw);
      uint64_t blue = 0, green = 0, red = 0;
      for (int sy = y0; sy < y1; ++sy) {
        const uint8_t* in = picture.bgra.data() + (static_cast<std::size_t>(sy) * picture.width + x0) * 4;
        for (int sx = x0; sx < x1; ++sx, in += 4) {
          blue += in[0];
          green += in[1];
          red += in[2];
        }
      }
      const uint64_t n = static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0);
      row[x] =
          PixelValue(Rgb(static_cast<int>(red / n), static_cast<int>(green / n), static_cast<int>(blue / n)));
    }
  }
  cairo_surface_mark_dirty(image);
  return image;
}

// Draws a laid-out text with its top-left corner at (x, y), turned about that corner by degrees
// clockwise; an opaque background paints its cell white first.
void ShowLayout(cairo_t* cr, PangoLayout* layout, double x, double y, double degrees, Colour colour,
                bool opaque) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, degrees * std::numbers::pi / 180);
  if (opaque) {
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    cairo_rectangle(cr, logical.x, logical.y, logical.width, logical.height);
    SetSource(cr, kWhite);
    cairo_fill(cr);
  }
  SetSource(cr, colour);
  cairo_move_to(cr, 0, 0);
  pango_cairo_show_layout(cr, layout);
  cairo_restore(cr);
}

}  // namespace

// The Pango side of the surface. Laid-out texts are kept by font, direction, text, wrapping width
// and alignment, so that a title measured and then drawn, and drawn again on the next paint, is
// shaped only once.
struct CairoSurface::Text {
  struct Key {
    Font font;
    bool vertical;
    std::string text;
    int wrapWidth;  // pixels, or -1 for no wrapping
    PangoAlignment align;
    friend bool operator==(const Key&, const Key&) = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      std::size_t h = std::hash<std::string>()(k.text);
      for (std::size_t part : {std::hash<std::string>()(k.font.face), std::size_t(k.font.height),
                               std::size_t(k.font.bold) << 1 | std::size_t(k.font.italic),
                               std::size_t(k.vertical), std::size_t(k.wrapWidth), std::size_t(k.align)}) {
        h = h * 31 + part;
      }
      return h;
    }
  };
  // Enough for the titles and memos of a full chart, each measured and drawn.
  static constexpr std::size_t kMaxLayouts = 8192;

  Text() = default;
  ~Text() {
    Forget();
    if (description != nullptr) pango_font_description_free(description);
    g_object_unref(across);
    g_object_unref(down);
  }
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;

  void Forget() {
    for (auto& [key, layout] : layouts) g_object_unref(layout);
    layouts.clear();
  }

  // The text (valid UTF-8) laid out in the current font.
  PangoLayout* Layout(bool inColumn, std::string text, int wrapWidth, PangoAlignment align) {
    Key key{*font, inColumn, std::move(text), wrapWidth, align};
    if (const auto found = layouts.find(key); found != layouts.end()) return found->second;
    if (layouts.size() >= kMaxLayouts) Forget();
    PangoLayout* layout = pango_layout_new(inColumn ? down : across);
    pango_layout_set_font_description(layout, description);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_width(layout, wrapWidth < 0 ? -1 : wrapWidth * PANGO_SCALE);
    pango_layout_set_alignment(layout, align);
    pango_layout_set_text(layout, key.text.data(), static_cast<int>(key.text.size()));
    layouts.emplace(std::move(key), layout);
    return layout;
  }

  PangoContext* across = CreateTextContext(false);
  PangoContext* down = CreateTextContext(true);
  std::optional<Font> font;
  bool vertical = false;  // the font asks for the vertical forms ("@" face)
  PangoFontDescription* description = nullptr;
  std::unordered_map<Key, PangoLayout*, KeyHash> layouts;
};

std::unique_ptr<CairoSurface> CairoSurface::CreateImage(int width, int height, ShapeEdges edges) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(image);
    return nullptr;
  }
  cairo_t* cr = cairo_create(image);
  cairo_surface_destroy(image);  // the context keeps it
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr);
    return nullptr;
  }
  return std::unique_ptr<CairoSurface>(new CairoSurface(cr, DeviceCaps{}, edges, true));
}

std::optional<Picture> CairoSurface::DrawPicture(int width, int height, const std::function<void(CairoSurface&)>& draw,
                                                 ShapeEdges edges) {
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width);
  if (width < 1 || height < 1 || stride != width * 4) return std::nullopt;
  Picture picture{width, height, {}, {}};
  try {
    ResizeLargeBuffer(picture.bgra, static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  cairo_surface_t* image =
      cairo_image_surface_create_for_data(picture.bgra.data(), CAIRO_FORMAT_RGB24, width, height, stride);
  cairo_t* cr = cairo_create(image);
  cairo_surface_destroy(image);  // the context keeps it
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr);
    return std::nullopt;
  }
  {
    CairoSurface surface(cr, DeviceCaps{}, edges, true);
    draw(surface);
    cairo_surface_flush(image);
  }
  // Cairo leaves the fourth byte of its opaque format undefined.
  for (std::size_t i = 3; i < picture.bgra.size(); i += 4) picture.bgra[i] = 255;
  return picture;
}

CairoSurface::CairoSurface(cairo_t* context, DeviceCaps caps, ShapeEdges edges)
    : CairoSurface(context, caps, edges, false) {}

CairoSurface::CairoSurface(cairo_t* context, DeviceCaps caps, ShapeEdges edges, bool ownsContext)
    : cr_(context),
      caps_(caps),
      crisp_(edges == ShapeEdges::Crisp),
      ownsContext_(ownsContext),
      text_(std::make_unique<Text>()) {
  cairo_save(cr_);
  cairo_set_antialias(cr_, edges == ShapeEdges::Crisp ? CAIRO_ANTIALIAS_NONE : CAIRO_ANTIALIAS_DEFAULT);
  cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
  SetFont(Font{});
}

CairoSurface::~CairoSurface() {
  cairo_restore(cr_);
  if (ownsContext_) cairo_destroy(cr_);
}

cairo_surface_t* CairoSurface::Target() const { return cairo_get_target(cr_); }

Picture CairoSurface::Pixels() const {
  cairo_surface_t* target = Target();
  Picture picture;
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return picture;
  const cairo_format_t format = cairo_image_surface_get_format(target);
  if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) return picture;
  cairo_surface_flush(target);
  picture.width = cairo_image_surface_get_width(target);
  picture.height = cairo_image_surface_get_height(target);
  picture.bgra.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4);
  const unsigned char* data = cairo_image_surface_get_data(target);
  const int stride = cairo_image_surface_get_stride(target);
  uint8_t* out = picture.bgra.data();
  for (int y = 0; y < picture.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < picture.width; ++x, out += 4) {
      const uint32_t value = row[x];
      out[0] = static_cast<uint8_t>(value);
      out[1] = static_cast<uint8_t>(value >> 8);
      out[2] = static_cast<uint8_t>(value >> 16);
      out[3] = 255;
    }
  }
  return picture;
}

DeviceCaps CairoSurface::Caps() const { return caps_; }

void CairoSurface::Fill(const Brush& brush) {
  if (brush.kind == Brush::Kind::Pattern) {
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2, 2);
    unsigned char* data = cairo_image_surface_get_data(tile);
    const int stride = cairo_image_surface_get_stride(tile);
    for (int i = 0; i < 4; ++i) {
      auto* row = reinterpret_cast<uint32_t*>(data + (i / 2) * stride);
      row[i % 2] = PixelValue(brush.colours[static_cast<std::size_t>(i)]);
    }
    cairo_surface_mark_dirty(tile);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr_, pattern);
    cairo_fill(cr_);
    cairo_pattern_destroy(pattern);
    cairo_surface_destroy(tile);
  } else {
    SetSource(cr_, brush.colours[0]);
    cairo_fill(cr_);
  }
}

void CairoSurface::Stroke(const Pen& pen) {
  const double width = std::max(1, pen.width);
  const Dashes dashes = DashPattern(pen.dash, width);
  cairo_set_line_width(cr_, width);
  cairo_set_dash(cr_, dashes.lengths.data(), dashes.count, 0);
  cairo_set_line_cap(cr_, dashes.cap);
  cairo_set_line_join(cr_, dashes.join);
  SetSource(cr_, pen.colour);
  cairo_stroke(cr_);
}

void CairoSurface::FillRect(const Rect& rect, Colour colour) {
  if (colour == kNoColour || IsEmpty(rect)) return;
  RectanglePath(cr_, EdgeBox(rect));
  Fill(Brush::Solid(colour));
}

void CairoSurface::DrawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) {
  DrawRounded(rect, 0, 0, pen, brush);
}

void CairoSurface::DrawRounded(const Rect& rect, double cornerWidth, double cornerHeight, const Pen& pen,
                               const Brush& brush) {
  const Rect r = Normalised(rect);
  const auto corners = [&](const Box& b) {
    return RoundedCorners(b, static_cast<int>(cornerWidth), static_cast<int>(cornerHeight));
  };
  // Unsmoothed shapes of whole pixels, written or filled row by row.
  const auto paint = [&](const RoundedBox& outer, const RoundedBox* inner, const Brush& with) {
    if (std::optional<PixelTarget> target = DirectTarget(cr_)) {
      WriteShape(*target, outer, inner, with);
    } else {
      SpanPath(cr_, outer, inner);
      Fill(with);
    }
  };
  if (Fills(brush)) {
    const RoundedBox area = corners(EdgeBox(r));
    if (crisp_) {
      paint(area, nullptr, brush);
    } else {
      area.rx > 0 ? RoundedPath(cr_, area.box, area.rx, area.ry) : RectanglePath(cr_, area.box);
      Fill(brush);
    }
  }
  if (!Strokes(pen)) return;
  const RoundedBox line = corners(CentreBox(r));
  if (crisp_ && pen.dash == DashStyle::Solid) {
    const double half = std::max(1, pen.width) / 2.0;
    const RoundedBox inner = Grown(line, -half);
    const bool hollow = inner.box.x1 > inner.box.x0 && inner.box.y1 > inner.box.y0;
    paint(Grown(line, half), hollow ? &inner : nullptr, Brush::Solid(pen.colour));
    return;
  }
  line.rx > 0 ? RoundedPath(cr_, line.box, line.rx, line.ry) : RectanglePath(cr_, line.box);
  Stroke(pen);
}

void CairoSurface::DrawRoundRect(const Rect& rect, int cornerWidth, int cornerHeight, const Pen& pen,
                                 const Brush& brush) {
  DrawRounded(rect, cornerWidth, cornerHeight, pen, brush);
}

void CairoSurface::DrawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) {
  const Rect r = Normalised(rect);
  if (r.right - r.left < 2 || r.bottom - r.top < 2) {  // a flat ellipse is a line
    if (Fills(brush)) {
      EllipsePath(cr_, EdgeBox(r));
      Fill(brush);
    }
    if (Strokes(pen)) {
      EllipsePath(cr_, CentreBox(r));
      Stroke(pen);
    }
    return;
  }
  // The corners of a rounded rectangle as wide and high as the ellipse meet in its middle.
  DrawRounded(r, 2.0 * (r.right - r.left), 2.0 * (r.bottom - r.top), pen, brush);
}

void CairoSurface::DrawArc(const Rect& box, Point start, Point end, const Pen& pen) {
  if (!Strokes(pen)) return;
  const Box b = CentreBox(Normalised(box));
  const double rx = (b.x1 - b.x0) / 2, ry = (b.y1 - b.y0) / 2;
  if (rx <= 0 || ry <= 0) return;
  const double cx = b.x0 + rx, cy = b.y0 + ry;
  // The angles, on the ellipse scaled to a circle, of the rays through the two points.
  const auto angle = [&](Point p) {
    return std::atan2((p.Y + kCentre - cy) / ry, (p.X + kCentre - cx) / rx);
  };
  const double from = angle(start);
  double to = angle(end);
  if (to == from) to = from - 2 * std::numbers::pi;
  cairo_new_sub_path(cr_);
  EllipticArc(cr_, cx, cy, rx, ry, from, to);
  Stroke(pen);
}

void CairoSurface::DrawPolygon(std::span<const Point> points, const Pen& pen, const Brush& brush) {
  if (points.size() < 2) return;
  if (Fills(brush)) {
    PolygonPath(cr_, points);
    Fill(brush);
  }
  if (Strokes(pen)) {
    PolygonPath(cr_, points);
    Stroke(pen);
  }
}

void CairoSurface::DrawPolyline(std::span<const Point> points, const Pen& pen) {
  if (points.size() < 2 || !Strokes(pen)) return;
  PolylinePath(cr_, points);
  Stroke(pen);
}

void CairoSurface::DrawPolyBezier(std::span<const Point> points, const Pen& pen) {
  if (points.size() < 4 || !Strokes(pen)) return;
  constexpr double o = kCentre;
  cairo_move_to(cr_, points[0].X + o, points[0].Y + o);
  for (std::size_t i = 1; i + 2 < points.size(); i += 3) {
    const Point c1 = points[i], c2 = points[i + 1], to = points[i + 2];
    cairo_curve_to(cr_, c1.X + o, c1.Y + o, c2.X + o, c2.Y + o, to.X + o, to.Y + o);
  }
  Stroke(pen);
}

void CairoSurface::SetFont(const Font& font) {
  if (font == text_->font) return;
  text_->font = font;
  text_->vertical = font.face.starts_with('@');
  const std::string family = ValidUtf8(text_->vertical ? std::string_view(font.face).substr(1) : font.face);
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, family.c_str());
  pango_font_description_set_weight(description, font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  double em = std::max(1, -font.height);
  if (font.height > 0) {
    // A positive height is the whole cell, ascent and descent; find the character height that gives it.
    pango_font_description_set_absolute_size(description, font.height * PANGO_SCALE);
    PangoFontMetrics* metrics = pango_context_get_metrics(text_->across, description, nullptr);
    const int cell = pango_font_metrics_get_ascent(metrics) + pango_font_metrics_get_descent(metrics);
    pango_font_metrics_unref(metrics);
    em = cell > 0 ? font.height * (font.height * double(PANGO_SCALE) / cell) : font.height;
  }
  pango_font_description_set_absolute_size(description, em * PANGO_SCALE);
  if (text_->description != nullptr) pango_font_description_free(text_->description);
  text_->description = description;
}

void CairoSurface::SetTextColour(Colour colour) { textColour_ = colour; }

void CairoSurface::SetTransparentBackground(bool transparent) { transparent_ = transparent; }

Size CairoSurface::TextExtent(std::string_view text) {
  if (text.empty()) return {};
  PangoRectangle logical;
  pango_layout_get_pixel_extents(text_->Layout(text_->vertical, OneLine(text), -1, PANGO_ALIGN_LEFT), nullptr,
                                 &logical);
  return {logical.width, logical.height};
}

void CairoSurface::DrawText(Point at, std::string_view text) {
  if (text.empty()) return;
  PangoLayout* layout = text_->Layout(text_->vertical, OneLine(text), -1, PANGO_ALIGN_LEFT);
  // Escapements turn counter-clockwise on the screen, Cairo's angles clockwise.
  ShowLayout(cr_, layout, at.X, at.Y, -text_->font->escapement / 10.0, textColour_, !transparent_);
}

void CairoSurface::DrawTextInRect(const Rect& rect, std::string_view text, const TextFormat& format) {
  if (text.empty() || IsEmpty(rect)) return;
  const int width = rect.right - rect.left;
  const PangoAlignment align = format.align == TextAlign::Left     ? PANGO_ALIGN_LEFT
                               : format.align == TextAlign::Centre ? PANGO_ALIGN_CENTER
                                                                   : PANGO_ALIGN_RIGHT;
  // Lines are laid out unwrapped, aligned with one another, and the block is aligned in the
  // rectangle; only a block too wide for it is laid out again, wrapped at its width.
  PangoLayout* layout;
  if (format.lines == TextLines::SingleLine) {
    layout = text_->Layout(false, OneLine(text), -1, PANGO_ALIGN_LEFT);
  } else {
    std::string content = ValidUtf8(text);
    const bool oneLine = content.find_first_of("\r\n") == std::string::npos;
    layout = text_->Layout(false, content, -1, oneLine ? PANGO_ALIGN_LEFT : align);
    PangoRectangle unwrapped;
    pango_layout_get_pixel_extents(layout, nullptr, &unwrapped);
    if (unwrapped.width > width) layout = text_->Layout(false, std::move(content), width, align);
  }
  PangoRectangle logical;
  pango_layout_get_pixel_extents(layout, nullptr, &logical);

  int x = rect.left;
  if (pango_layout_get_width(layout) < 0) {
    if (format.align == TextAlign::Centre) x += (width - logical.width) / 2;
    if (format.align == TextAlign::Right) x = rect.right - logical.width;
  }
  int y = rect.top;
  if (format.verticalCentre) y += (rect.bottom - rect.top - logical.height) / 2;

  cairo_save(cr_);
  RectanglePath(cr_, EdgeBox(rect));
  cairo_clip(cr_);
  ShowLayout(cr_, layout, x, y, 0, textColour_, !transparent_);
  cairo_restore(cr_);
}

void CairoSurface::PaintPicture(cairo_surface_t* picture, const Rect& source, const Rect& dest,
                                cairo_filter_t filter) {
  const Rect s = Normalised(source), d = Normalised(dest);
  if (IsEmpty(s) || IsEmpty(d)) return;
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(picture);
  // The pattern matrix maps the destination back into the picture.
  cairo_matrix_t toPicture;
  cairo_matrix_init_translate(&toPicture, s.left, s.top);
  cairo_matrix_scale(&toPicture, double(s.right - s.left) / (d.right - d.left),
                     double(s.bottom - s.top) / (d.bottom - d.top));
  cairo_matrix_translate(&toPicture, -d.left, -d.top);
  cairo_pattern_set_matrix(pattern, &toPicture);
  cairo_pattern_set_filter(pattern, filter);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  cairo_set_source(cr_, pattern);
  RectanglePath(cr_, EdgeBox(d));
  cairo_fill(cr_);
  cairo_pattern_destroy(pattern);
}

void CairoSurface::StretchPicture(const Picture& picture, const Rect& source, const Rect& dest) {
  if (!HoldsPixels(picture)) return;
  if (cairo_surface_t* reduced = AreaAveraged(picture, Normalised(source), Normalised(dest))) {
    const Rect d = Normalised(dest);
    PaintPicture(reduced, {0, 0, d.right - d.left, d.bottom - d.top}, d, CAIRO_FILTER_NEAREST);
    cairo_surface_destroy(reduced);
    return;
  }
  // Cairo's RGB format is the picture's byte order with the alpha byte ignored, so the pixels are
  // read in place; cairo only reads a source.
  cairo_surface_t* image =
      cairo_image_surface_create_for_data(const_cast<unsigned char*>(picture.bgra.data()), CAIRO_FORMAT_RGB24,
                                          picture.width, picture.height, picture.width * 4);
  PaintPicture(image, source, dest, CAIRO_FILTER_GOOD);
  cairo_surface_destroy(image);
}

void CairoSurface::KeyedPicture(const Picture& picture, const Rect& source, const Rect& dest, Colour key) {
  if (!HoldsPixels(picture)) return;
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
  if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    for (int y = 0; y < picture.height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
      const uint8_t* in = picture.bgra.data() + static_cast<std::size_t>(y) * picture.width * 4;
      for (int x = 0; x < picture.width; ++x, in += 4) {
        const Colour colour = Rgb(in[2], in[1], in[0]);
        row[x] = colour == key ? 0 : PixelValue(colour);  // key pixels become fully transparent
      }
    }
    cairo_surface_mark_dirty(image);
    PaintPicture(image, source, dest, CAIRO_FILTER_NEAREST);
  }
  cairo_surface_destroy(image);
}

Colour CairoSurface::PixelAt(Point point) {
  cairo_surface_t* target = Target();
  if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return kNoColour;
  const cairo_format_t format = cairo_image_surface_get_format(target);
  if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) return kNoColour;
  // The point is drawn where the context's transformation (a view's scroll position) puts it.
  double x = point.X + 0.5, y = point.Y + 0.5;
  cairo_user_to_device(cr_, &x, &y);
  constexpr double kFarthest = 1 << 30;
  if (!(std::abs(x) < kFarthest && std::abs(y) < kFarthest)) return kNoColour;
  const Point at{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
  if (at.X < 0 || at.Y < 0 || at.X >= cairo_image_surface_get_width(target) ||
      at.Y >= cairo_image_surface_get_height(target)) {
    return kNoColour;
  }
  cairo_surface_flush(target);
  const unsigned char* row =
      cairo_image_surface_get_data(target) + at.Y * cairo_image_surface_get_stride(target);
  const uint32_t value = reinterpret_cast<const uint32_t*>(row)[at.X];
  const uint32_t alpha = format == CAIRO_FORMAT_ARGB32 ? value >> 24 : 255;
  // ARGB pixels are stored premultiplied by their alpha.
  const auto channel = [&](int shift) {
    const uint32_t c = (value >> shift) & 0xFF;
    return static_cast<int>(alpha == 0 ? 0 : std::min<uint32_t>(255, c * 255 / alpha));
  };
  return Rgb(channel(16), channel(8), channel(0));
}

}  // namespace ravelo
