#include "render/figure.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/recording_surface.h"

namespace ravelo {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;
using testing::SurfaceOp;

constexpr Colour kPen = Rgb(200, 0, 0);
constexpr Colour kFill = Rgb(0, 200, 0);
const std::vector<Point> kPoints{{40, 30}, {10, 5}, {6, 8}, {70, 90}, {1, 2}, {3, 4}, {5, 6}};
constexpr Rect kArcBox{1, 2, 3, 4};

SurfaceCall StrokeOnce(int figure, Colour fill = kFill) {
  RecordingSurface surface;
  StrokeFigure(surface, kPoints, figure, fill, kPen, DashStyle::Dash, 3, kArcBox);
  EXPECT_EQ(surface.calls.size(), 1u) << "figure " << figure;
  return surface.calls.empty() ? SurfaceCall{} : surface.calls[0];
}

TEST(StrokeFigure, ClosedFiguresTakeTheFillAndTheirCornersInAnyOrder) {
  const Pen pen{kPen, 3, DashStyle::Dash};
  const SurfaceCall ellipse = StrokeOnce(kFigureEllipse);
  EXPECT_EQ(ellipse.op, SurfaceOp::Ellipse);
  EXPECT_EQ(ellipse.rect, (Rect{10, 5, 40, 30}));
  EXPECT_EQ(ellipse.pen, pen);
  EXPECT_EQ(ellipse.brush, Brush::Solid(kFill));

  const SurfaceCall rectangle = StrokeOnce(kFigureRectangle, kNoColour);
  EXPECT_EQ(rectangle.op, SurfaceOp::Rectangle);
  EXPECT_EQ(rectangle.rect, (Rect{10, 5, 40, 30}));
  EXPECT_EQ(rectangle.brush, Brush::Hollow());

  const SurfaceCall rounded = StrokeOnce(kFigureRoundRect);
  EXPECT_EQ(rounded.op, SurfaceOp::RoundRect);
  EXPECT_EQ(rounded.rect, (Rect{10, 5, 40, 30}));
  EXPECT_EQ(rounded.corner, (Size{6, 8})) << "the corner ellipse is point 2";

  const SurfaceCall quad = StrokeOnce(kFigureQuad);
  EXPECT_EQ(quad.op, SurfaceOp::Polygon);
  EXPECT_EQ(quad.points, (std::vector<Point>(kPoints.begin(), kPoints.begin() + 4)));
  EXPECT_EQ(quad.brush, Brush::Solid(kFill));
}

TEST(StrokeFigure, OpenFiguresIgnoreTheFill) {
  const SurfaceCall segment = StrokeOnce(kFigureSegment);
  EXPECT_EQ(segment.op, SurfaceOp::Polyline);
  EXPECT_EQ(segment.points, (std::vector<Point>{{40, 30}, {10, 5}}));

  const SurfaceCall triangle = StrokeOnce(kFigureTriangle);
  EXPECT_EQ(triangle.op, SurfaceOp::Polyline) << "a triangle is only outlined";
  EXPECT_EQ(triangle.points, (std::vector<Point>{{6, 8}, {40, 30}, {10, 5}, {6, 8}}));

  const SurfaceCall arc = StrokeOnce(kFigureArc);
  EXPECT_EQ(arc.op, SurfaceOp::Arc);
  EXPECT_EQ(arc.rect, kArcBox);
  EXPECT_EQ(arc.points, (std::vector<Point>{{6, 8}, {10, 5}}));

  const SurfaceCall polyline = StrokeOnce(PolylineFigure(6));
  EXPECT_EQ(polyline.op, SurfaceOp::Polyline);
  EXPECT_EQ(polyline.points, (std::vector<Point>(kPoints.begin(), kPoints.begin() + 6)));

  const SurfaceCall bezier = StrokeOnce(BezierFigure(7));
  EXPECT_EQ(bezier.op, SurfaceOp::PolyBezier);
  EXPECT_EQ(bezier.points, kPoints);
}

TEST(StrokeFigure, NeedsAllThePointsOfItsFigure) {
  RecordingSurface surface;
  StrokeFigure(surface, std::span(kPoints).first(2), kFigureRoundRect, kFill, kPen, DashStyle::Solid, 1,
               kArcBox);
  StrokeFigure(surface, kPoints, PolylineFigure(8), kFill, kPen, DashStyle::Solid, 1, kArcBox);
  StrokeFigure(surface, kPoints, BezierFigure(10), kFill, kPen, DashStyle::Solid, 1, kArcBox);
  EXPECT_TRUE(surface.calls.empty());
}

}  // namespace
}  // namespace ravelo
