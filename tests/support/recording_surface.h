// A Surface fake that records every drawing call and measures text with a fixed metric, so that
// the geometry of a drawing can be checked without fonts or pixels.
#pragma once

#include <string>
#include <vector>

#include "render/surface.h"

namespace ravelo::testing {

enum class SurfaceOp {
  FillRect,
  Rectangle,
  RoundRect,
  Ellipse,
  Arc,
  Polygon,
  Polyline,
  PolyBezier,
  Text,
  TextInRect,
  StretchPicture,
  KeyedPicture,
};

// One drawing call; the fields that the operation does not use keep their defaults.
struct SurfaceCall {
  SurfaceOp op;
  Rect rect{};                // the figure's rectangle, the arc box, the text or picture destination
  Size corner{};              // the rounded rectangle's corner ellipse
  std::vector<Point> points;  // the figure's points, the arc's start and end, the text position
  Pen pen = kNullPen;
  Brush brush{};
  Colour colour = kNoColour;  // FillRect's colour, the text colour, the picture key
  std::string text;
  Font font;
  TextFormat format;
  bool transparent = false;  // the background mode text was drawn with
  Rect source{};             // the part of the picture drawn
};

class RecordingSurface final : public Surface {
 public:
  // Text metric: every character is as wide as the font's height, half as wide when it is ASCII;
  // a line is as high as the font's height; an empty text measures 0 by 0.
  static Size FixedExtent(const Font& font, std::string_view text);

  DeviceCaps Caps() const override { return caps; }
  void FillRect(const Rect& rect, Colour colour) override;
  void DrawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) override;
  void DrawRoundRect(const Rect& rect, int cornerWidth, int cornerHeight, const Pen& pen,
                     const Brush& brush) override;
  void DrawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) override;
  void DrawArc(const Rect& box, Point start, Point end, const Pen& pen) override;
  void DrawPolygon(std::span<const Point> points, const Pen& pen, const Brush& brush) override;
  void DrawPolyline(std::span<const Point> points, const Pen& pen) override;
  void DrawPolyBezier(std::span<const Point> points, const Pen& pen) override;
  void SetFont(const Font& f) override { font = f; }
  void SetTextColour(Colour colour) override { textColour = colour; }
  void SetTransparentBackground(bool t) override { transparent = t; }
  Size TextExtent(std::string_view text) override { return FixedExtent(font, text); }
  void DrawText(Point at, std::string_view text) override;
  void DrawTextInRect(const Rect& rect, std::string_view text, const TextFormat& format) override;
  void StretchPicture(const Picture& picture, const Rect& source, const Rect& dest) override;
  void KeyedPicture(const Picture& picture, const Rect& source, const Rect& dest, Colour key) override;
  // Answers pixelColour and notes where it was asked.
  Colour PixelAt(Point at) override;

  std::vector<SurfaceCall> calls;
  std::vector<Point> pixelReads;
  Colour pixelColour = Rgb(255, 255, 255);
  DeviceCaps caps;
  Font font;
  Colour textColour = Rgb(0, 0, 0);
  bool transparent = false;
};

}  // namespace ravelo::testing
