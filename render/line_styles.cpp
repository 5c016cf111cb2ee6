#include "render/line_styles.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "model/diagram.h"
#include "render/figure.h"

namespace ravelo {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);

constexpr std::array<std::string_view, kLineStyleCount> kNames{
    "実線",    "破線",       "点線",       "1点破線",   "2点破線",   "2重線",        "2重破線",
    "2重点線", "2重1点破線", "2重2点破線", "2重内破線", "2重内点線", "2重内1点破線", "2重内2点破線",
    "3重線",   "4重線",      "5重線",      "6重線",     "7重線",     "外薄線",       "外濃線",
    "虹色線",  "薄虹色線",   "11911線",    "12721線",   "13531線",   "14341線",      "15151線",
    "21712線", "22522線",    "23332線",    "24142線",   "31513線",   "32323線",      "33133線",
    "41314線", "42124線",    "51115線",    "暗乱色線",  "明乱色線"};
static_assert(kNames.back() == "明乱色線");

// The seven strokes of the shaded, rainbow and random-colour lines in units of l, widest first.
constexpr std::array<int, 7> kSevenfoldUnits{13, 11, 9, 7, 5, 3, 1};

constexpr std::array<Colour, 7> kRainbow{Rgb(255, 0, 0),  Rgb(255, 128, 0), Rgb(255, 255, 128),
                                         Rgb(0, 128, 0),  Rgb(0, 128, 255), Rgb(0, 64, 128),
                                         Rgb(255, 0, 255)};
constexpr std::array<Colour, 7> kLightRainbow{Rgb(245, 176, 144), Rgb(252, 215, 161), Rgb(255, 249, 177),
                                              Rgb(165, 212, 173), Rgb(163, 188, 226), Rgb(165, 154, 202),
                                              Rgb(207, 167, 205)};

// Styles 23 to 37, as their names read: the widths in units of l of outer line, gap, centre line,
// gap and outer line across the 13-unit line.
constexpr std::array<int, 15> kPatterns{11911, 12721, 13531, 14341, 15151, 21712, 22522, 23332,
                                        24142, 31513, 32323, 33133, 41314, 42124, 51115};

struct Stroke {
  int64_t width;  // document pixels
  Colour colour;
  DashStyle dash;
};

// At most seven strokes, widest first.
struct Strokes {
  std::array<Stroke, 7> items;
  int count = 0;
  void Add(int64_t width, Colour colour, DashStyle dash = DashStyle::Solid) {
    items[static_cast<std::size_t>(count++)] = {width, colour, dash};
  }
};

Strokes ExpandStyle(int style, int width, Colour line, Colour back, RandomSource& random) {
  const int64_t l = std::max(1, width / 4);
  Strokes s;
  if (style >= 5 && style <= 13) {
    const int64_t inner = l;
    const int64_t outer = inner + 2 * std::max(1, width / 2);
    const auto outerDash = static_cast<DashStyle>(style <= 9 ? style - 5 : 0);
    const auto innerDash = static_cast<DashStyle>(style >= 10 ? style - 9 : 0);
    s.Add(outer, line, outerDash);
    s.Add(inner, back, innerDash);
  } else if (style >= 14 && style <= 18) {
    const int lines = style - 11;  // 3 to 7 lines and gaps
    for (int k = 0; k < lines; ++k) {
      s.Add((2 * (lines - k) - 1) * l, k % 2 == 0 ? line : back);
    }
  } else if (style >= 23 && style <= 37) {
    const int pattern = kPatterns[static_cast<std::size_t>(style - 23)];
    const int outer = pattern / 10000, centre = pattern / 100 % 10;
    s.Add(13 * l, line);
    s.Add((13 - 2 * outer) * l, back);
    s.Add(centre * l, line);
  } else {  // the seven strokes of 13l down to l: shaded, rainbow and random colours
    Colour shade = line;
    for (std::size_t k = 0; k < kSevenfoldUnits.size(); ++k) {
      Colour colour = line;
      switch (style) {
        case 19:
        case 20:
          colour = shade = ShadeColour(shade, style == 19 ? 16 : -16);
          break;
        case 21:
          colour = kRainbow[k];
          break;
        case 22:
          colour = kLightRainbow[k];
          break;
        default:
          colour = RandomPastel(random, style == 38 ? 0 : 255);
      }
      s.Add(kSevenfoldUnits[k] * l, colour);
    }
  }
  return s;
}

// Pixel width of a document width at the zoom, in single precision as the layout computes it.
int ZoomedWidth(int64_t width, float zoom) {
  constexpr float kWidest = 1 << 20;  // far beyond any surface; keeps the conversion defined
  return static_cast<int>(std::clamp(static_cast<float>(width) * zoom, -kWidest, kWidest));
}

}  // namespace

std::string_view LineStyleName(int style) {
  return style >= 0 && style < kLineStyleCount ? kNames[static_cast<std::size_t>(style)] : "";
}

Colour ShadeColour(Colour colour, int step) {
  if ((step > 0 && colour == Rgb(0, 0, 0)) || (step < 0 && colour == kWhite)) return Rgb(128, 128, 128);
  const auto shade = [step](int channel) { return std::clamp(channel - step, 0, 255); };
  return Rgb(shade(RedOf(colour)), shade(GreenOf(colour)), shade(BlueOf(colour)));
}

void DrawFigure(const FigureContext& context, std::span<Point> points, int figure, Colour fill, Colour line,
                int style, int width, int arcHalfWidth, int arcHalfHeight, bool reverse) {
  if (points.size() < static_cast<std::size_t>(FigurePointCount(figure))) return;
  Surface& surface = context.surface;
  const Point centre = points[0];
  const Rect arcBox{centre.X - arcHalfWidth, centre.Y - arcHalfHeight, centre.X + arcHalfWidth,
                    centre.Y + arcHalfHeight};
  if (figure == kFigureArc && reverse) std::swap(points[1], points[2]);

  const int plainWidth = std::max(1, ZoomedWidth(width, context.zoom));
  if (line == kNoColour) {
    StrokeFigure(surface, points, figure, fill, kNoColour, DashStyle::Solid, plainWidth, arcBox);
    return;
  }
  // The gaps of a white line take the colour it is drawn on, so that it still shows as lines.
  const Colour back = line == kWhite ? surface.PixelAt(centre) : kWhite;
  if (style < 5 || style >= kLineStyleCount) {
    const auto dash = static_cast<DashStyle>(style >= 0 && style < 5 ? style : 0);
    StrokeFigure(surface, points, figure, fill, line, dash, plainWidth, arcBox);
    return;
  }

  const Strokes strokes = ExpandStyle(style, width, line, back, context.random);
  const bool patterned = style >= 23 && style <= 37;
  // At small zooms the narrowest stroke vanishes: a double line becomes one thick line.
  int drawn = strokes.count;
  if (!patterned &&
      ZoomedWidth(strokes.items[static_cast<std::size_t>(drawn - 1)].width, context.zoom) <= 0) {
    --drawn;
  }
  for (int k = 0; k < drawn; ++k) {
    const Stroke& stroke = strokes.items[static_cast<std::size_t>(k)];
    const bool last = k == strokes.count - 1;
    Colour strokeFill = fill;
    if (style <= 18) {
      // A last fill would cover the inner lines of an ellipse or quadrilateral.
      const bool openCentre = figure == kFigureEllipse || figure == kFigureQuad || figure == BezierFigure(3);
      if (last && openCentre) strokeFill = kNoColour;
    } else if (style <= 20) {
      // Only the narrowest stroke drawn fills, so that the shades stay visible; when the narrowest
      // of the table is left out, the one before it takes the fill.
      if (k != drawn - 1) strokeFill = kNoColour;
    } else if (patterned) {
      strokeFill = kNoColour;
    }
    StrokeFigure(surface, points, figure, strokeFill, stroke.colour, stroke.dash,
                 std::max(1, ZoomedWidth(stroke.width, context.zoom)), arcBox);
  }
}

}  // namespace ravelo
