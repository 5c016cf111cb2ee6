#include "tests/support/recording_surface.h"

#include <cstdlib>

namespace ravelo::testing {

Size RecordingSurface::FixedExtent(const Font& font, std::string_view text) {
  if (text.empty()) return {};
  const int height = std::abs(font.height);
  int width = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
      width += height / 2;
    } else if ((byte & 0xC0) != 0x80) {  // the first byte of a longer UTF-8 character
      width += height;
    }
  }
  return {width, height};
}

void RecordingSurface::FillRect(const Rect& rect, Colour colour) {
  calls.push_back({.op = SurfaceOp::FillRect, .rect = rect, .colour = colour});
}

void RecordingSurface::DrawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) {
  calls.push_back({.op = SurfaceOp::Rectangle, .rect = rect, .pen = pen, .brush = brush});
}

void RecordingSurface::DrawRoundRect(const Rect& rect, int cornerWidth, int cornerHeight, const Pen& pen,
                                     const Brush& brush) {
  calls.push_back({.op = SurfaceOp::RoundRect,
                   .rect = rect,
                   .corner = {cornerWidth, cornerHeight},
                   .pen = pen,
                   .brush = brush});
}

void RecordingSurface::DrawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) {
  calls.push_back({.op = SurfaceOp::Ellipse, .rect = rect, .pen = pen, .brush = brush});
}

void RecordingSurface::DrawArc(const Rect& box, Point start, Point end, const Pen& pen) {
  calls.push_back({.op = SurfaceOp::Arc, .rect = box, .points = {start, end}, .pen = pen});
}

void RecordingSurface::DrawPolygon(std::span<const Point> points, const Pen& pen, const Brush& brush) {
  calls.push_back(
      {.op = SurfaceOp::Polygon, .points = {points.begin(), points.end()}, .pen = pen, .brush = brush});
}

void RecordingSurface::DrawPolyline(std::span<const Point> points, const Pen& pen) {
  calls.push_back({.op = SurfaceOp::Polyline, .points = {points.begin(), points.end()}, .pen = pen});
}

void RecordingSurface::DrawPolyBezier(std::span<const Point> points, const Pen& pen) {
  calls.push_back({.op = SurfaceOp::PolyBezier, .points = {points.begin(), points.end()}, .pen = pen});
}

void RecordingSurface::DrawText(Point at, std::string_view text) {
  calls.push_back({.op = SurfaceOp::Text,
                   .points = {at},
                   .colour = textColour,
                   .text = std::string(text),
                   .font = font,
                   .transparent = transparent});
}

void RecordingSurface::DrawTextInRect(const Rect& rect, std::string_view text, const TextFormat& format) {
  calls.push_back({.op = SurfaceOp::TextInRect,
                   .rect = rect,
                   .colour = textColour,
                   .text = std::string(text),
                   .font = font,
                   .format = format,
                   .transparent = transparent});
}

void RecordingSurface::StretchPicture(const Picture&, const Rect& source, const Rect& dest) {
  calls.push_back({.op = SurfaceOp::StretchPicture, .rect = dest, .source = source});
}

void RecordingSurface::KeyedPicture(const Picture&, const Rect& source, const Rect& dest, Colour key) {
  calls.push_back({.op = SurfaceOp::KeyedPicture, .rect = dest, .colour = key, .source = source});
}

Colour RecordingSurface::PixelAt(Point at) {
  pixelReads.push_back(at);
  return pixelColour;
}

}  // namespace ravelo::testing
