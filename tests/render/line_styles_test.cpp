#include "render/line_styles.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "model/diagram.h"
#include "render/figure.h"
#include "tests/support/recording_surface.h"

namespace ravelo {
namespace {

using testing::RecordingSurface;
using testing::SurfaceOp;

constexpr Colour kLine = Rgb(0, 0, 160);
constexpr Colour kFill = Rgb(255, 240, 200);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kGrey = Rgb(128, 128, 128);

// One stroke as the surface saw it.
struct Seen {
  int width;
  Colour colour;
  DashStyle dash = DashStyle::Solid;
  Colour fill = kNoColour;
  friend bool operator==(const Seen&, const Seen&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Seen& s) {
    return out << "{" << s.width << " px, colour " << s.colour << ", dash " << static_cast<int>(s.dash)
               << ", fill " << s.fill << "}";
  }
};

std::vector<Seen> StrokesOf(const RecordingSurface& surface) {
  std::vector<Seen> seen;
  for (const auto& call : surface.calls) {
    const Colour fill = call.brush.kind == Brush::Kind::Solid ? call.brush.colours[0] : kNoColour;
    seen.push_back({call.pen.width, call.pen.colour, call.pen.dash, fill});
  }
  return seen;
}

struct StyleCase {
  const char* what;
  int style;
  int width;
  float zoom;
  int figure;
  Colour fill;
  Colour line;
  std::vector<Seen> strokes;
};

void PrintTo(const StyleCase& c, std::ostream* out) { *out << c.what; }

class LineStyleExpansion : public ::testing::TestWithParam<StyleCase> {};

TEST_P(LineStyleExpansion, StrokesWidestFirst) {
  const StyleCase& c = GetParam();
  RecordingSurface surface;
  surface.pixelColour = kGrey;
  RandomSource random;
  std::vector<Point> points{{10, 10}, {60, 40}, {20, 20}, {30, 50}};
  DrawFigure({surface, c.zoom, random}, points, c.figure, c.fill, c.line, c.style, c.width);
  EXPECT_EQ(StrokesOf(surface), c.strokes) << c.what;
}

const DashStyle kDash = DashStyle::Dash, kDot = DashStyle::Dot, kDashDot = DashStyle::DashDot;
const DashStyle kSolid = DashStyle::Solid, kDashDotDot = DashStyle::DashDotDot;

INSTANTIATE_TEST_SUITE_P(
    Table, LineStyleExpansion,
    ::testing::Values(
        StyleCase{"plain solid, width zoomed",
                  0,
                  3,
                  2.0f,
                  kFigureRectangle,
                  kFill,
                  kLine,
                  {{6, kLine, kSolid, kFill}}},
        StyleCase{"plain dotted, never thinner than a pixel",
                  2,
                  1,
                  0.5f,
                  kFigureRectangle,
                  kNoColour,
                  kLine,
                  {{1, kLine, kDot}}},
        StyleCase{"dash-dot-dot keeps its dash style",
                  4,
                  2,
                  1.0f,
                  kFigureSegment,
                  kNoColour,
                  kLine,
                  {{2, kLine, kDashDotDot}}},
        StyleCase{"double: 3 pixels with a white pixel down the middle",
                  5,
                  1,
                  1.0f,
                  kFigureRectangle,
                  kNoColour,
                  kLine,
                  {{3, kLine}, {1, kWhite}}},
        StyleCase{"double at half zoom: the inner stroke is left out",
                  5,
                  1,
                  0.5f,
                  kFigureRectangle,
                  kNoColour,
                  kLine,
                  {{1, kLine}}},
        StyleCase{"double dashed: d = i + 2 * (w / 2)",
                  6,
                  4,
                  1.0f,
                  kFigureSegment,
                  kNoColour,
                  kLine,
                  {{5, kLine, kDash}, {1, kWhite}}},
        StyleCase{"double with inner dash-dot",
                  12,
                  8,
                  1.0f,
                  kFigureSegment,
                  kNoColour,
                  kLine,
                  {{10, kLine}, {2, kWhite, kDashDot}}},
        StyleCase{"double on a rectangle fills both strokes",
                  5,
                  4,
                  1.0f,
                  kFigureRectangle,
                  kFill,
                  kLine,
                  {{5, kLine, kSolid, kFill}, {1, kWhite, kSolid, kFill}}},
        StyleCase{"double on an ellipse leaves the last stroke unfilled",
                  5,
                  4,
                  1.0f,
                  kFigureEllipse,
                  kFill,
                  kLine,
                  {{5, kLine, kSolid, kFill}, {1, kWhite}}},
        StyleCase{"triple of width 4: 5, 3 and 1",
                  14,
                  4,
                  1.0f,
                  kFigureSegment,
                  kNoColour,
                  kLine,
                  {{5, kLine}, {3, kWhite}, {1, kLine}}},
        StyleCase{"triple on a quadrilateral leaves the last stroke unfilled",
                  14,
                  4,
                  1.0f,
                  kFigureQuad,
                  kFill,
                  kLine,
                  {{5, kLine, kSolid, kFill}, {3, kWhite, kSolid, kFill}, {1, kLine}}},
        StyleCase{"sevenfold alternates line and background",
                  18,
                  8,
                  0.5f,
                  kFigureSegment,
                  kNoColour,
                  kLine,
                  {{13, kLine}, {11, kWhite}, {9, kLine}, {7, kWhite}, {5, kLine}, {3, kWhite}, {1, kLine}}},
        StyleCase{"fivefold at zoom 0.4 drops only its last stroke",
                  16,
                  1,
                  0.4f,
                  kFigureSegment,
                  kNoColour,
                  kLine,
                  {{3, kLine}, {2, kWhite}, {2, kLine}, {1, kWhite}}},
        StyleCase{"outer light: black darkens from 128 to 32, only the centre fills",
                  19,
                  4,
                  1.0f,
                  kFigureRectangle,
                  kFill,
                  kBlack,
                  {{13, Rgb(128, 128, 128)},
                   {11, Rgb(112, 112, 112)},
                   {9, Rgb(96, 96, 96)},
                   {7, Rgb(80, 80, 80)},
                   {5, Rgb(64, 64, 64)},
                   {3, Rgb(48, 48, 48)},
                   {1, Rgb(32, 32, 32), kSolid, kFill}}},
        StyleCase{"outer dark: white lightens from 128 upward",
                  20,
                  4,
                  1.0f,
                  kFigureSegment,
                  kNoColour,
                  kWhite,
                  {{13, Rgb(128, 128, 128)},
                   {11, Rgb(144, 144, 144)},
                   {9, Rgb(160, 160, 160)},
                   {7, Rgb(176, 176, 176)},
                   {5, Rgb(192, 192, 192)},
                   {3, Rgb(208, 208, 208)},
                   {1, Rgb(224, 224, 224)}}},
        StyleCase{"outer light at half zoom: the fill goes with the narrowest stroke drawn",
                  19,
                  1,
                  0.5f,
                  kFigureRectangle,
                  kFill,
                  kBlack,
                  {{6, Rgb(128, 128, 128)},
                   {5, Rgb(112, 112, 112)},
                   {4, Rgb(96, 96, 96)},
                   {3, Rgb(80, 80, 80)},
                   {2, Rgb(64, 64, 64)},
                   {1, Rgb(48, 48, 48), kSolid, kFill}}},
        StyleCase{"rainbow, every stroke filled",
                  21,
                  4,
                  1.0f,
                  kFigureRectangle,
                  kFill,
                  kLine,
                  {{13, Rgb(255, 0, 0), kSolid, kFill},
                   {11, Rgb(255, 128, 0), kSolid, kFill},
                   {9, Rgb(255, 255, 128), kSolid, kFill},
                   {7, Rgb(0, 128, 0), kSolid, kFill},
                   {5, Rgb(0, 128, 255), kSolid, kFill},
                   {3, Rgb(0, 64, 128), kSolid, kFill},
                   {1, Rgb(255, 0, 255), kSolid, kFill}}},
        StyleCase{"light rainbow at half zoom loses its narrowest stroke",
                  22,
                  1,
                  0.5f,
                  kFigureSegment,
                  kNoColour,
                  kLine,
                  {{6, Rgb(245, 176, 144)},
                   {5, Rgb(252, 215, 161)},
                   {4, Rgb(255, 249, 177)},
                   {3, Rgb(165, 212, 173)},
                   {2, Rgb(163, 188, 226)},
                   {1, Rgb(165, 154, 202)}}},
        StyleCase{"11911 never fills",
                  23,
                  4,
                  1.0f,
                  kFigureRectangle,
                  kFill,
                  kLine,
                  {{13, kLine}, {11, kWhite}, {9, kLine}}},
        StyleCase{"21712", 28, 4, 1.0f, kFigureEllipse, kFill, kLine, {{13, kLine}, {9, kWhite}, {7, kLine}}},
        StyleCase{"51115 with l = 2",
                  37,
                  8,
                  1.0f,
                  kFigureRectangle,
                  kNoColour,
                  kLine,
                  {{26, kLine}, {6, kWhite}, {2, kLine}}},
        StyleCase{"patterned lines keep their last stroke at small zooms",
                  27,
                  1,
                  0.5f,
                  kFigureSegment,
                  kNoColour,
                  kLine,
                  {{6, kLine}, {5, kWhite}, {1, kLine}}},
        StyleCase{"no line colour only fills, whatever the style",
                  18,
                  4,
                  1.0f,
                  kFigureEllipse,
                  kFill,
                  kNoColour,
                  {{4, kNoColour, kSolid, kFill}}},
        StyleCase{"a style beyond the table draws the solid line",
                  40,
                  2,
                  1.0f,
                  kFigureRectangle,
                  kFill,
                  kLine,
                  {{2, kLine, kSolid, kFill}}},
        StyleCase{"a negative style too", -3, 2, 1.0f, kFigureSegment, kNoColour, kLine, {{2, kLine}}}));

TEST(LineStyleBackground, AWhiteLineTakesItsGapsFromThePixelUnderPointZero) {
  RecordingSurface surface;
  surface.pixelColour = kGrey;
  RandomSource random;
  std::vector<Point> points{{15, 25}, {80, 25}};
  DrawFigure({surface, 1.0f, random}, points, kFigureSegment, kNoColour, kWhite, 5, 1);
  EXPECT_EQ(surface.pixelReads, (std::vector<Point>{{15, 25}}));
  EXPECT_EQ(StrokesOf(surface), (std::vector<Seen>{{3, kWhite}, {1, kGrey}}));

  RecordingSurface other;
  other.pixelColour = kGrey;
  DrawFigure({other, 1.0f, random}, points, kFigureSegment, kNoColour, kBlack, 5, 1);
  EXPECT_TRUE(other.pixelReads.empty());
  EXPECT_EQ(StrokesOf(other), (std::vector<Seen>{{3, kBlack}, {1, kWhite}}));
}

TEST(LineStyleRandomColours, EachStrokeTakesTheNextPastelOfTheSeededGenerator) {
  for (const int style : {38, 39}) {
    RecordingSurface surface;
    RandomSource random(77);
    std::vector<Point> points{{0, 0}, {50, 50}};
    DrawFigure({surface, 1.0f, random}, points, kFigureRectangle, kFill, kLine, style, 4);

    RandomSource expected(77);
    const std::vector<Seen> strokes = StrokesOf(surface);
    ASSERT_EQ(strokes.size(), 7u);
    for (std::size_t k = 0; k < strokes.size(); ++k) {
      EXPECT_EQ(strokes[k].colour, RandomPastel(expected, style == 38 ? 0 : 255)) << "stroke " << k;
      EXPECT_EQ(strokes[k].fill, kFill);
    }
  }
}

TEST(DrawFigure, ReverseExchangesTheArcEndsInTheCallersArray) {
  RecordingSurface surface;
  RandomSource random;
  std::vector<Point> points{{50, 50}, {80, 50}, {50, 20}};
  DrawFigure({surface, 1.0f, random}, points, kFigureArc, kNoColour, kLine, 0, 1, 30, 20, true);
  EXPECT_EQ(points, (std::vector<Point>{{50, 50}, {50, 20}, {80, 50}}));
  ASSERT_EQ(surface.calls.size(), 1u);
  EXPECT_EQ(surface.calls[0].op, SurfaceOp::Arc);
  EXPECT_EQ(surface.calls[0].rect, (Rect{20, 30, 80, 70})) << "the arc box around point 0";
  EXPECT_EQ(surface.calls[0].points, (std::vector<Point>{{80, 50}, {50, 20}})) << "from point 2 to point 1";
}

TEST(DrawFigure, TooFewPointsDrawNothing) {
  RecordingSurface surface;
  RandomSource random;
  std::vector<Point> points{{0, 0}, {5, 5}, {9, 9}};
  DrawFigure({surface, 1.0f, random}, points, kFigureQuad, kFill, kLine, 5, 1);
  DrawFigure({surface, 1.0f, random}, points, PolylineFigure(6), kFill, kLine, 0, 1);
  EXPECT_TRUE(surface.calls.empty());
  EXPECT_TRUE(surface.pixelReads.empty());
}

TEST(ShadeColour, ClampsEachChannelAndGreysTheExtremes) {
  EXPECT_EQ(ShadeColour(kBlack, 16), Rgb(128, 128, 128));
  EXPECT_EQ(ShadeColour(kWhite, -16), Rgb(128, 128, 128));
  EXPECT_EQ(ShadeColour(kBlack, -16), Rgb(16, 16, 16));
  EXPECT_EQ(ShadeColour(kWhite, 16), Rgb(239, 239, 239));
  EXPECT_EQ(ShadeColour(Rgb(10, 200, 250), -16), Rgb(26, 216, 255));
  EXPECT_EQ(ShadeColour(Rgb(10, 200, 250), 16), Rgb(0, 184, 234));
}

TEST(LineStyleName, NamesEveryStyle) {
  EXPECT_EQ(LineStyleName(0), "実線");
  EXPECT_EQ(LineStyleName(5), "2重線");
  EXPECT_EQ(LineStyleName(23), "11911線");
  EXPECT_EQ(LineStyleName(39), "明乱色線");
  EXPECT_EQ(LineStyleName(40), "");
  EXPECT_EQ(LineStyleName(-1), "");
}

}  // namespace
}  // namespace ravelo
