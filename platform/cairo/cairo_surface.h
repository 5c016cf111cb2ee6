// The drawing surface on Cairo, with Pango for text: one renderer for the screen, printing, image
// export and the command-line tool.
//
// Shapes are drawn without anti-aliasing unless asked to be smooth, so that composite lines stay
// crisp and a pixel read back has exactly the colour drawn; text is always smooth. Text is laid out
// at 96 dpi whatever the display says, and face names of the documents' desktop ("Meiryo UI",
// "ＭＳ ゴシック", ...) resolve to an installed Japanese face through the fontconfig aliases of
// platform/cairo/fonts.conf, which are compiled in.
#pragma once

#include <cairo.h>

#include <functional>
#include <memory>
#include <optional>

#include "platform/picture.h"
#include "render/surface.h"

namespace ravelo {

enum class ShapeEdges { Crisp, Smooth };

class CairoSurface final : public Surface {
 public:
  // An RGB image of width x height pixels, black at first, at 96 dpi; null when the memory for it
  // cannot be had.
  static std::unique_ptr<CairoSurface> CreateImage(int width, int height,
                                                   ShapeEdges edges = ShapeEdges::Crisp);
  // A new opaque picture of width x height pixels, drawn by draw through a surface on the picture's
  // own pixels (no copy: the image export of whole charts); null when the memory for it cannot be
  // had. The picture is black before drawing.
  static std::optional<Picture> DrawPicture(int width, int height, const std::function<void(CairoSurface&)>& draw,
                                            ShapeEdges edges = ShapeEdges::Crisp);
  // Draws through a context the caller owns (a printer page, a window) with that device's
  // capabilities; the context's state is restored when the surface goes.
  CairoSurface(cairo_t* context, DeviceCaps caps, ShapeEdges edges = ShapeEdges::Crisp);
  ~CairoSurface() override;
  CairoSurface(const CairoSurface&) = delete;
  CairoSurface& operator=(const CairoSurface&) = delete;

  // What is drawn on: the image of CreateImage, for copying to a window or writing out.
  cairo_surface_t* Target() const;

  // The pixels drawn so far as an opaque picture (straight BGRA), for encoding as an image file;
  // an empty picture when the target is not an image.
  Picture Pixels() const;

  DeviceCaps Caps() const override;
  void FillRect(const Rect& rect, Colour colour) override;
  void DrawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) override;
  void DrawRoundRect(const Rect& rect, int cornerWidth, int cornerHeight, const Pen& pen,
                     const Brush& brush) override;
  void DrawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) override;
  void DrawArc(const Rect& box, Point start, Point end, const Pen& pen) override;
  void DrawPolygon(std::span<const Point> points, const Pen& pen, const Brush& brush) override;
  void DrawPolyline(std::span<const Point> points, const Pen& pen) override;
  void DrawPolyBezier(std::span<const Point> points, const Pen& pen) override;
  void SetFont(const Font& font) override;
  void SetTextColour(Colour colour) override;
  void SetTransparentBackground(bool transparent) override;
  Size TextExtent(std::string_view text) override;
  void DrawText(Point at, std::string_view text) override;
  void DrawTextInRect(const Rect& rect, std::string_view text, const TextFormat& format) override;
  void StretchPicture(const Picture& picture, const Rect& source, const Rect& dest) override;
  void KeyedPicture(const Picture& picture, const Rect& source, const Rect& dest, Colour key) override;
  Colour PixelAt(Point at) override;

 private:
  struct Text;

  CairoSurface(cairo_t* context, DeviceCaps caps, ShapeEdges edges, bool ownsContext);
  // Fill with a brush that is not hollow, stroke with a pen that has a colour; both consume the path.
  void Fill(const Brush& brush);
  void Stroke(const Pen& pen);
  void PaintPicture(cairo_surface_t* picture, const Rect& source, const Rect& dest, cairo_filter_t filter);
  // A rounded figure (the rectangle of the edge box with its corners) filled and outlined.
  void DrawRounded(const Rect& rect, double cornerWidth, double cornerHeight, const Pen& pen,
                   const Brush& brush);

  cairo_t* cr_;
  DeviceCaps caps_;
  bool crisp_;
  bool ownsContext_;
  Colour textColour_ = Rgb(0, 0, 0);
  bool transparent_ = false;
  std::unique_ptr<Text> text_;
};

}  // namespace ravelo
