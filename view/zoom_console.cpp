#include "view/zoom_console.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "geometry/geometry.h"

namespace ravelo {
namespace {

constexpr int kRingOuter = 74;
constexpr int kEdgeMargin = 5;

// Button areas relative to the console's top-left corner.
constexpr Rect kPlusVertical{59, 5, 71, 35};
constexpr Rect kPlusHorizontal{50, 14, 80, 26};
constexpr Rect kMinus{50, 104, 80, 116};

bool InArea(const Rect& area, Point relative) {
  return relative.X >= area.left && relative.X <= area.right && relative.Y >= area.top && relative.Y <= area.bottom;
}

Rect Moved(const Rect& r, Point by) { return OffsetRect(r, by.X, by.Y); }

// A digit as seven segments (a top, b upper right, c lower right, d bottom, e lower left, f upper
// left, g middle) in a 32 × 50 cell.
constexpr std::array<uint8_t, 10> kSegments = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void DrawDigit(Surface& surface, Point cell, int digit) {
  const Pen pen{Rgb(20, 60, 20), 5, DashStyle::Solid};
  const int l = cell.X + 7, r = cell.X + 25, t = cell.Y + 6, m = cell.Y + 25, b = cell.Y + 44;
  const std::array<std::array<Point, 2>, 7> segments{{
      {{{l, t}, {r, t}}},
      {{{r, t}, {r, m}}},
      {{{r, m}, {r, b}}},
      {{{l, b}, {r, b}}},
      {{{l, m}, {l, b}}},
      {{{l, t}, {l, m}}},
      {{{l, m}, {r, m}}},
  }};
  for (int s = 0; s < 7; ++s) {
    if (kSegments[static_cast<std::size_t>(digit)] & (1 << s))
      surface.DrawPolyline(segments[static_cast<std::size_t>(s)], pen);
  }
}

}  // namespace

int HitZoomConsole(Point centre, Point client, bool withButtons) {
  if (Distance(centre, client) > kConsoleRadius) return -1;
  if (!withButtons) return kConsoleBody;
  const Point relative{client.X - (centre.X - kConsoleRadius), client.Y - (centre.Y - kConsoleRadius)};
  if (InArea(kPlusVertical, relative) || InArea(kPlusHorizontal, relative)) return kConsolePlus;
  if (InArea(kMinus, relative)) return kConsoleMinus;
  return kConsoleBody;
}

bool OnZoomConsoleRing(Point centre, Point client) {
  const int d = Distance(centre, client);
  return d >= kConsoleRadius && d < kRingOuter;
}

Point ClampConsoleCentre(Point centre, Size client) {
  constexpr int kInset = kEdgeMargin + kConsoleRadius;
  return {std::max(kInset, std::min(centre.X, client.width - kInset)),
          std::max(kInset, std::min(centre.Y, client.height - kInset))};
}

void DrawZoomConsole(Surface& surface, Point centre, float zoom, bool activated) {
  const Point corner{centre.X - kConsoleRadius, centre.Y - kConsoleRadius};
  // The face: a green disc lighter towards its centre, in rings of 5 pixels.
  for (int r = kConsoleRadius; r > 0; r -= 5) {
    const int light = 150 + (kConsoleRadius - r) * 100 / kConsoleRadius;
    const Rect disc{centre.X - r, centre.Y - r, centre.X + r, centre.Y + r};
    const Pen edge = r == kConsoleRadius ? Pen{Rgb(0, 90, 40), 2, DashStyle::Solid} : kNullPen;
    surface.DrawEllipse(disc, edge, Brush::Solid(Rgb(light / 3, light, light / 2)));
  }
  const Brush plus = Brush::Solid(Rgb(30, 60, 220));
  surface.DrawRectangle(Moved(kPlusVertical, corner), kNullPen, plus);
  surface.DrawRectangle(Moved(kPlusHorizontal, corner), kNullPen, plus);
  surface.DrawRectangle(Moved(kMinus, corner), kNullPen, Brush::Solid(Rgb(220, 40, 40)));

  const int percent = std::clamp(TruncToInt(static_cast<double>(zoom) * 100), 0, 999);
  const std::string digits = std::to_string(percent);
  constexpr std::array<int, 3> kFirstLeft = {49, 31, 15};
  int x = kFirstLeft[digits.size() - 1];
  for (char c : digits) {
    DrawDigit(surface, {corner.X + x, corner.Y + 40}, c - '0');
    x += 34;
  }

  if (!activated) return;
  constexpr double kTwoPi = 2 * kPi;
  for (int k = 1; k <= 68; ++k) {
    const double angle = kTwoPi * k / 69;
    const Point dot{centre.X + TruncToInt(69 * std::cos(angle)), centre.Y + TruncToInt(69 * std::sin(angle))};
    const Colour colour = Rgb(98 + 2 * k, 98 + 2 * k, 0);
    surface.DrawEllipse({dot.X - 2, dot.Y - 2, dot.X + 3, dot.Y + 3}, kNullPen, Brush::Solid(colour));
  }
}

}  // namespace ravelo
