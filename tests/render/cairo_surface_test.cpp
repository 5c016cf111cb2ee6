#include "platform/cairo/cairo_surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "render/figure.h"
#include "render/line_styles.h"

namespace ravelo {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kGrey = Rgb(128, 128, 128);
constexpr Colour kGreen = Rgb(180, 230, 180);
constexpr Colour kLine = Rgb(0, 0, 160);

class CairoSurfaceTest : public ::testing::Test {
 protected:
  void SetUp() override { Make(120, 80, kGreen); }

  void Make(int width, int height, Colour background, ShapeEdges edges = ShapeEdges::Crisp) {
    surface_ = CairoSurface::CreateImage(width, height, edges);
    ASSERT_NE(surface_, nullptr);
    surface_->FillRect({0, 0, width, height}, background);
    background_ = background;
  }

  void Draw(std::vector<Point> points, int figure, Colour fill, Colour line, int style, int width,
            float zoom) {
    DrawFigure({*surface_, zoom, random_}, points, figure, fill, line, style, width);
  }

  // The colours down one column, from top to bottom.
  std::vector<Colour> Column(int x, int top, int bottom) {
    std::vector<Colour> colours;
    for (int y = top; y < bottom; ++y) colours.push_back(surface_->PixelAt({x, y}));
    return colours;
  }

  // The smallest rectangle holding every pixel that differs from the background.
  Rect Ink() {
    cairo_surface_t* image = surface_->Target();
    const int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
    Rect ink{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (surface_->PixelAt({x, y}) == background_) continue;
        ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
               std::max(ink.bottom, y + 1)};
      }
    }
    return ink;
  }

  // Every pixel of the image, for comparing two drawings.
  std::vector<Colour> Pixels() {
    cairo_surface_t* image = surface_->Target();
    std::vector<Colour> pixels;
    for (int y = 0; y < cairo_image_surface_get_height(image); ++y) {
      for (int x = 0; x < cairo_image_surface_get_width(image); ++x)
        pixels.push_back(surface_->PixelAt({x, y}));
    }
    return pixels;
  }

  std::unique_ptr<CairoSurface> surface_;
  Colour background_ = kWhite;
  RandomSource random_;
};

TEST_F(CairoSurfaceTest, DoubleLineAtZoomOneIsThreePixelsWithAWhiteCentre) {
  Draw({{10, 40}, {100, 40}}, kFigureSegment, kNoColour, kLine, 5, 1, 1.0f);
  EXPECT_EQ(Column(50, 37, 44), (std::vector<Colour>{kGreen, kGreen, kLine, kWhite, kLine, kGreen, kGreen}));
}

TEST_F(CairoSurfaceTest, DoubleLineAtHalfZoomIsOnePlainPixel) {
  Draw({{10, 40}, {100, 40}}, kFigureSegment, kNoColour, kLine, 5, 1, 0.5f);
  EXPECT_EQ(Column(50, 38, 43), (std::vector<Colour>{kGreen, kGreen, kLine, kGreen, kGreen}));
}

TEST_F(CairoSurfaceTest, TripleLineOfWidthFourAlternatesSinglePixels) {
  Draw({{10, 40}, {100, 40}}, kFigureSegment, kNoColour, kLine, 14, 4, 1.0f);
  EXPECT_EQ(Column(50, 37, 44), (std::vector<Colour>{kGreen, kLine, kWhite, kLine, kWhite, kLine, kGreen}));
}

TEST_F(CairoSurfaceTest, WhiteDoubleLineOnGreyHasAGreyCentreAndABlackOneAWhiteCentre) {
  Make(120, 80, kGrey);
  Draw({{10, 20}, {100, 20}}, kFigureSegment, kNoColour, kWhite, 5, 1, 1.0f);
  Draw({{10, 60}, {100, 60}}, kFigureSegment, kNoColour, kBlack, 5, 1, 1.0f);
  EXPECT_EQ(Column(50, 18, 23), (std::vector<Colour>{kGrey, kWhite, kGrey, kWhite, kGrey}));
  EXPECT_EQ(Column(50, 58, 63), (std::vector<Colour>{kGrey, kBlack, kWhite, kBlack, kGrey}));
}

TEST_F(CairoSurfaceTest, DoubleFrameOfARectangleRunsAlongItsOutermostPixels) {
  Draw({{20, 10}, {60, 50}}, kFigureRectangle, kNoColour, kLine, 5, 1, 1.0f);
  // The frame is centred on the rectangle's first and last rows, inside its bottom edge.
  EXPECT_EQ(Column(40, 8, 13), (std::vector<Colour>{kGreen, kLine, kWhite, kLine, kGreen}));
  EXPECT_EQ(Column(40, 47, 52), (std::vector<Colour>{kGreen, kLine, kWhite, kLine, kGreen}));
}

TEST_F(CairoSurfaceTest, PenAndNullPenFillsCoverExactlyTheRectangle) {
  surface_->DrawRectangle({10, 10, 20, 15}, Pen{kLine, 1}, Brush::Solid(kWhite));
  EXPECT_EQ(Ink(), (Rect{10, 10, 20, 15}));
  EXPECT_EQ(surface_->PixelAt({10, 12}), kLine);
  EXPECT_EQ(surface_->PixelAt({19, 12}), kLine);
  EXPECT_EQ(surface_->PixelAt({15, 12}), kWhite);

  Make(120, 80, kGreen);
  surface_->DrawRoundRect({30, 30, 50, 42}, 0, 0, kNullPen, Brush::Solid(kLine));
  EXPECT_EQ(Ink(), (Rect{30, 30, 50, 42}));
}

TEST_F(CairoSurfaceTest, RoundedCornersLeaveTheCornerPixelsOut) {
  surface_->DrawRoundRect({10, 10, 60, 50}, 20, 20, Pen{kLine, 1}, Brush::Solid(kWhite));
  EXPECT_EQ(surface_->PixelAt({11, 11}), kGreen);
  EXPECT_EQ(surface_->PixelAt({35, 10}), kLine);
  EXPECT_EQ(surface_->PixelAt({35, 30}), kWhite);
  EXPECT_EQ(Ink(), (Rect{10, 10, 60, 50}));
}

TEST_F(CairoSurfaceTest, CheckerBrushIsAlignedToTheSurfaceOrigin) {
  surface_->DrawRectangle({3, 4, 13, 10}, kNullPen, Brush::Checker(kWhite, kLine));
  EXPECT_EQ(surface_->PixelAt({4, 4}), kWhite);
  EXPECT_EQ(surface_->PixelAt({5, 4}), kLine);
  EXPECT_EQ(surface_->PixelAt({4, 5}), kLine);
  EXPECT_EQ(surface_->PixelAt({5, 5}), kWhite);
  EXPECT_EQ(surface_->PixelAt({3, 4}), kLine) << "the pattern starts at the origin, not at the corner";
}

TEST_F(CairoSurfaceTest, PixelsAreReadWhereATranslatedContextDrewThem) {
  cairo_t* cr = cairo_create(surface_->Target());
  cairo_translate(cr, -30, -20);
  {
    CairoSurface scrolled(cr, DeviceCaps{});
    scrolled.FillRect({40, 30, 41, 31}, kLine);  // the image's pixel (10, 10)
    EXPECT_EQ(scrolled.PixelAt({40, 30}), kLine);
    EXPECT_EQ(scrolled.PixelAt({10, 10}), kNoColour) << "left of and above the image";
  }
  cairo_destroy(cr);
  EXPECT_EQ(surface_->PixelAt({10, 10}), kLine);
}

TEST_F(CairoSurfaceTest, DottedPensLeaveGaps) {
  surface_->DrawPolyline(std::vector<Point>{{10, 30}, {60, 30}}, Pen{kLine, 1, DashStyle::Dot});
  int drawn = 0;
  for (int x = 10; x < 60; ++x) drawn += surface_->PixelAt({x, 30}) == kLine ? 1 : 0;
  EXPECT_EQ(drawn, 25) << "one-pixel dots a pixel apart";
}

TEST_F(CairoSurfaceTest, DashedAndDottedPensHaveRoundCapsAndJoinsLikeSolidOnes) {
  // A wide pen's round cap reaches half its width beyond the end of the line, at the line's height
  // only; a square end would stop at the end, and a mitred corner would fill the corner's tip.
  for (DashStyle dash : {DashStyle::Solid, DashStyle::Dash, DashStyle::Dot, DashStyle::DashDot}) {
    SCOPED_TRACE(static_cast<int>(dash));
    Make(120, 80, kGreen);
    surface_->DrawPolyline(std::vector<Point>{{20, 40}, {20, 20}, {80, 20}}, Pen{kLine, 10, dash});
    EXPECT_EQ(surface_->PixelAt({20, 43}), kLine) << "the start runs on past its end point";
    EXPECT_EQ(surface_->PixelAt({19, 44}), kLine);
    EXPECT_EQ(surface_->PixelAt({16, 44}), background_) << "but rounded";
    EXPECT_EQ(surface_->PixelAt({16, 16}), background_) << "the corner is round";
  }
}

TEST_F(CairoSurfaceTest, ArcsRunCounterClockwiseFromStartToEnd) {
  // From the rightmost point up to the top: the upper right quarter.
  surface_->DrawArc({10, 10, 71, 71}, {70, 40}, {40, 10}, Pen{kLine, 3});
  EXPECT_EQ(surface_->PixelAt({61, 19}), kLine);
  EXPECT_EQ(surface_->PixelAt({19, 61}), kGreen);
  EXPECT_EQ(surface_->PixelAt({19, 19}), kGreen);
  Make(120, 80, kGreen);
  surface_->DrawArc({10, 10, 71, 71}, {40, 10}, {70, 40}, Pen{kLine, 3});
  EXPECT_EQ(surface_->PixelAt({61, 19}), kGreen);
  EXPECT_EQ(surface_->PixelAt({19, 61}), kLine);
}

TEST_F(CairoSurfaceTest, CrispShapesHoldOnlyTheColoursDrawnAndSmoothOnesBlend) {
  Draw({{5, 5}, {110, 70}}, kFigureSegment, kNoColour, kLine, 0, 3, 1.0f);
  for (Colour c : Pixels()) ASSERT_TRUE(c == kGreen || c == kLine) << c;

  Make(120, 80, kGreen, ShapeEdges::Smooth);
  Draw({{5, 5}, {110, 70}}, kFigureSegment, kNoColour, kLine, 0, 3, 1.0f);
  int blended = 0;
  for (Colour c : Pixels()) blended += c != kGreen && c != kLine ? 1 : 0;
  EXPECT_GT(blended, 50);
}

TEST_F(CairoSurfaceTest, PixelsOutsideTheImageHaveNoColour) {
  EXPECT_EQ(surface_->PixelAt({-1, 0}), kNoColour);
  EXPECT_EQ(surface_->PixelAt({120, 0}), kNoColour);
  EXPECT_EQ(surface_->PixelAt({0, 80}), kNoColour);
  EXPECT_EQ(surface_->PixelAt({119, 79}), kGreen);
}

TEST(CairoSurfaceImage, IsADisplayAt96DpiAndRefusesImpossibleSizes) {
  const auto surface = CairoSurface::CreateImage(10, 10);
  ASSERT_NE(surface, nullptr);
  EXPECT_FALSE(surface->Caps().printer);
  EXPECT_EQ(surface->Caps().dpiX, 96);
  EXPECT_EQ(surface->Caps().dpiY, 96);
  EXPECT_EQ(CairoSurface::CreateImage(-5, 10), nullptr);
  EXPECT_EQ(CairoSurface::CreateImage(100000, 100000), nullptr);
}

TEST(CairoSurfaceContext, DrawsThroughACallersContextAndRestoresIt) {
  cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 20, 20);
  cairo_t* cr = cairo_create(image);
  {
    CairoSurface surface(cr, DeviceCaps{true, 600, 600});
    EXPECT_TRUE(surface.Caps().printer);
    EXPECT_EQ(surface.Caps().dpiY, 600);
    surface.FillRect({2, 2, 5, 5}, kWhite);
    EXPECT_EQ(surface.PixelAt({3, 3}), kWhite);
  }
  EXPECT_EQ(cairo_get_antialias(cr), CAIRO_ANTIALIAS_DEFAULT);
  cairo_destroy(cr);
  cairo_surface_destroy(image);
}

TEST_F(CairoSurfaceTest, StretchesAndKeysPictures) {
  Picture picture;
  picture.width = 2;
  picture.height = 1;
  picture.bgra = {0, 0, 255, 255, /* red */ 255, 0, 255, 0 /* magenta, alpha 0 */};
  surface_->KeyedPicture(picture, {0, 0, 2, 1}, {10, 10, 30, 20}, Rgb(255, 0, 255));
  EXPECT_EQ(surface_->PixelAt({12, 15}), Rgb(255, 0, 0));
  EXPECT_EQ(surface_->PixelAt({28, 15}), kGreen) << "the key colour leaves the surface as it was";
  EXPECT_EQ(Ink(), (Rect{10, 10, 20, 20}));

  surface_->StretchPicture(picture, {0, 0, 2, 1}, {40, 10, 80, 20});
  EXPECT_EQ(surface_->PixelAt({41, 15}), Rgb(255, 0, 0));
  EXPECT_EQ(surface_->PixelAt({78, 15}), Rgb(255, 0, 255)) << "alpha is ignored";
  EXPECT_EQ(surface_->PixelAt({40, 9}), kGreen);
  EXPECT_EQ(surface_->PixelAt({80, 15}), kGreen);
}

TEST_F(CairoSurfaceTest, PicturesWithoutAllTheirPixelsDrawNothingAndHarmNothing) {
  Picture shortOfBytes;
  shortOfBytes.width = 4;
  shortOfBytes.height = 4;
  shortOfBytes.bgra.assign(10, 0);
  Picture tooWide;
  tooWide.width = 40000;
  tooWide.height = 1;
  tooWide.bgra.assign(160000, 0);
  for (const Picture* picture : {&shortOfBytes, &tooWide}) {
    surface_->StretchPicture(*picture, {0, 0, 4, 1}, {0, 0, 40, 40});
    surface_->KeyedPicture(*picture, {0, 0, 4, 1}, {0, 0, 40, 40}, kWhite);
  }
  EXPECT_EQ(Ink(), (Rect{120, 80, 0, 0})) << "nothing drawn";
  surface_->FillRect({1, 1, 2, 2}, kBlack);
  EXPECT_EQ(surface_->PixelAt({1, 1}), kBlack) << "the surface still draws";
}

}  // namespace
}  // namespace ravelo
