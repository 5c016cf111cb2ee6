#include "render/figure.h"

#include <algorithm>
#include <array>

namespace ravelo {
namespace {

Rect RectBetween(Point a, Point b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

}  // namespace

int FigurePointCount(int figure) {
  switch (figure) {
    case kFigureArc:
    case kFigureTriangle:
    case kFigureRoundRect:
      return 3;
    case kFigureSegment:
    case kFigureEllipse:
    case kFigureRectangle:
      return 2;
    case kFigureQuad:
      return 4;
    default:
      return figure > 0 ? figure : -figure;
  }
}

void StrokeFigure(Surface& surface, std::span<const Point> points, int figure, Colour fill, Colour pen,
                  DashStyle dash, int pixelWidth, const Rect& arcBox) {
  if (points.size() < static_cast<std::size_t>(FigurePointCount(figure))) return;
  const Pen line{pen, pixelWidth, dash};
  const Brush brush = Brush::Solid(fill);
  switch (figure) {
    case kFigureArc:
      surface.DrawArc(arcBox, points[2], points[1], line);
      break;
    case kFigureSegment:
      surface.DrawPolyline(points.first(2), line);
      break;
    case kFigureEllipse:
      surface.DrawEllipse(RectBetween(points[0], points[1]), line, brush);
      break;
    case kFigureTriangle: {
      const std::array<Point, 4> outline{points[2], points[0], points[1], points[2]};
      surface.DrawPolyline(outline, line);
      break;
    }
    case kFigureRectangle:
      surface.DrawRectangle(RectBetween(points[0], points[1]), line, brush);
      break;
    case kFigureRoundRect:
      surface.DrawRoundRect(RectBetween(points[0], points[1]), points[2].X, points[2].Y, line, brush);
      break;
    case kFigureQuad:
      surface.DrawPolygon(points.first(4), line, brush);
      break;
    default:
      if (figure > 0) {
        surface.DrawPolyline(points.first(static_cast<std::size_t>(figure)), line);
      } else {
        surface.DrawPolyBezier(points.first(static_cast<std::size_t>(-figure)), line);
      }
  }
}

}  // namespace ravelo
