// The drawing surface every chart, printout and exported image is drawn on, in the logic's terms.
// Coordinates are integer surface pixels with y growing downward; a Rect excludes its right and
// bottom edges. Colours are the model's Colour values.
//
// Texts handed to a surface are UTF-8: the drawing code converts the document's cp932 text with
// Cp932ToUtf8 (model/cp932.h) before it measures or draws it. Face names are UTF-8 as well.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "model/records.h"
#include "platform/picture.h"

namespace ravelo {

enum class DashStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };

// A geometric pen of a width in pixels. Solid lines have round end caps and joins; the dashes and
// dots of the other styles grow with the width. A pen without colour draws nothing; that is also
// the null pen.
struct Pen {
  Colour colour = kNoColour;
  int width = 1;
  DashStyle dash = DashStyle::Solid;
  friend bool operator==(const Pen&, const Pen&) = default;
};
constexpr Pen kNullPen{};

// What fills the inside of a closed figure: nothing, one colour, or a 2x2 pattern repeated from
// the surface's origin (colours[0] top-left, [1] top-right, [2] bottom-left, [3] bottom-right).
struct Brush {
  enum class Kind { Hollow, Solid, Pattern };
  Kind kind = Kind::Hollow;
  std::array<Colour, 4> colours{kNoColour, kNoColour, kNoColour, kNoColour};

  static constexpr Brush Hollow() { return {}; }
  // A solid brush of no colour is hollow.
  static constexpr Brush Solid(Colour c) {
    return c == kNoColour ? Hollow() : Brush{Kind::Solid, {c, c, c, c}};
  }
  static constexpr Brush Checker(Colour a, Colour b) { return {Kind::Pattern, {a, b, b, a}}; }
  friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font {
  std::string face;  // a leading "@" selects the face's vertical forms (upright CJK, sideways Latin)
  int height = -12;  // pixels: negative gives the character height, positive the cell height
  bool bold = false;
  bool italic = false;
  int escapement = 0;  // direction of the text in tenths of a degree counter-clockwise; 2700 runs down
  friend bool operator==(const Font&, const Font&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

enum class TextAlign { Left, Centre, Right };
enum class TextLines { WordBreak, SingleLine };

struct TextFormat {
  TextAlign align = TextAlign::Left;
  // WordBreak starts a new line at each line feed and wraps at the rectangle's width; SingleLine
  // keeps everything on one line, line feeds included.
  TextLines lines = TextLines::WordBreak;
  bool verticalCentre = false;
  friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

struct DeviceCaps {
  bool printer = false;  // a printer page rather than a display or an image
  int dpiX = 96;         // pixels per logical inch
  int dpiY = 96;
};

class Surface {
 public:
  virtual ~Surface() = default;

  virtual DeviceCaps Caps() const = 0;

  // Fills the rectangle with a colour; no colour fills nothing.
  virtual void FillRect(const Rect& rect, Colour colour) = 0;

  // Closed figures are filled with the brush, then outlined with the pen. The pen is centred on the
  // outline through the pixels of the rectangle's edges; with the null pen the fill covers the
  // rectangle exactly.
  virtual void DrawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) = 0;
  // The corners are quarters of an ellipse cornerWidth wide and cornerHeight high.
  virtual void DrawRoundRect(const Rect& rect, int cornerWidth, int cornerHeight, const Pen& pen,
                             const Brush& brush) = 0;
  virtual void DrawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) = 0;
  // The part of the ellipse inscribed in box that runs counter-clockwise from where the ray from
  // its centre through start meets it to where the ray through end does; the whole ellipse when
  // both rays coincide.
  virtual void DrawArc(const Rect& box, Point start, Point end, const Pen& pen) = 0;
  // Filled by the alternate (even-odd) rule.
  virtual void DrawPolygon(std::span<const Point> points, const Pen& pen, const Brush& brush) = 0;
  virtual void DrawPolyline(std::span<const Point> points, const Pen& pen) = 0;
  // Cubic segments: the first point, then three points (two controls and an end) per segment.
  virtual void DrawPolyBezier(std::span<const Point> points, const Pen& pen) = 0;

  // Text is drawn in the current font and text colour. A new surface has an opaque background,
  // which paints the text's cell white behind it.
  virtual void SetFont(const Font& font) = 0;
  virtual void SetTextColour(Colour colour) = 0;
  virtual void SetTransparentBackground(bool transparent) = 0;
  // Width along the text and height of its cell, line feeds included in the one line; whatever the
  // escapement, the width is measured along the writing direction. An empty text measures 0 by 0.
  virtual Size TextExtent(std::string_view text) = 0;
  // One line whose cell has its top-left corner at the point, before the escapement turns the text
  // about it: with 2700 the column runs down from the point and lies to its left.
  virtual void DrawText(Point at, std::string_view text) = 0;
  // Text laid out horizontally inside the rectangle and cut off at its edges.
  virtual void DrawTextInRect(const Rect& rect, std::string_view text, const TextFormat& format) = 0;

  // The source part of the picture stretched into dest, smoothed (halftone); alpha is ignored.
  virtual void StretchPicture(const Picture& picture, const Rect& source, const Rect& dest) = 0;
  // The same without smoothing, leaving the surface unchanged where the picture has the key colour.
  virtual void KeyedPicture(const Picture& picture, const Rect& source, const Rect& dest, Colour key) = 0;

  // The colour of one pixel; no colour outside the surface or where pixels cannot be read.
  virtual Colour PixelAt(Point at) = 0;
};

}  // namespace ravelo
