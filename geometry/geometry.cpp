#include "geometry/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace ravelo {
namespace {

// p moved by the offsets, each truncated first.
Point Shifted(Point p, double dx, double dy) {
  return {TruncToInt(p.X + std::trunc(dx)), TruncToInt(p.Y + std::trunc(dy))};
}

double SquaredDistance(Point a, Point b) {
  const double dx = static_cast<double>(b.X) - a.X;
  const double dy = static_cast<double>(b.Y) - a.Y;
  return dx * dx + dy * dy;
}

}  // namespace

int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLow = std::numeric_limits<int>::min();
  constexpr double kHigh = std::numeric_limits<int>::max();
  return static_cast<int>(std::clamp(value, kLow, kHigh));
}

bool RectsIntersect(const Rect& a, const Rect& b) {
  return !IsEmptyRect(a) && !IsEmptyRect(b) && a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}

Rect UnionRect(const Rect& a, const Rect& b) {
  if (IsEmptyRect(a)) return IsEmptyRect(b) ? Rect{0, 0, 0, 0} : b;
  if (IsEmptyRect(b)) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

Point Midpoint(Point a, Point b) {
  const auto half = [](int32_t u, int32_t v) {
    const int64_t low = std::min(u, v);
    return static_cast<int32_t>(low + (std::max<int64_t>(u, v) - low) / 2);
  };
  return {half(a.X, b.X), half(a.Y, b.Y)};
}

int Distance(Point a, Point b) { return TruncToInt(std::sqrt(SquaredDistance(a, b))); }

Point PointToward(Point a, Point b, int d) {
  if (a == b) return a;
  const float e = static_cast<float>(d) / static_cast<float>(Distance(a, b));
  return Shifted(a, static_cast<float>(static_cast<int64_t>(b.X) - a.X) * e,
                 static_cast<float>(static_cast<int64_t>(b.Y) - a.Y) * e);
}

Point PointAtPercent(Point a, Point b, float pct) {
  const float f = pct / 100.0f;
  return Shifted(a, static_cast<float>(static_cast<int64_t>(b.X) - a.X) * f,
                 static_cast<float>(static_cast<int64_t>(b.Y) - a.Y) * f);
}

Point RotatePoint(bool reflectLeft, Point centre, Point p, double delta) {
  const double dx = static_cast<double>(p.X) - centre.X;
  const double dy = static_cast<double>(p.Y) - centre.Y;
  double theta = std::atan2(dy, dx);
  if (reflectLeft && dx < 0) theta += kPi;
  const int r = Distance(centre, p);
  const double phi = theta + delta;
  return Shifted(centre, std::cos(phi) * r, std::sin(phi) * r);
}

Point PerpendicularAtMidpoint(Point a, Point b, int d) {
  const Point m = Midpoint(a, b);
  if (d == 0) return m;
  return RotatePoint(false, m, PointToward(m, b, d), kHalfPi);
}

Point PerpendicularAt(Point a, Point b, int d, bool plusHalfPi) {
  const int t = Distance(a, b) + d;
  const Point beyond = t != 0 ? PointToward(a, b, t) : a;
  return RotatePoint(false, b, beyond, plusHalfPi ? kHalfPi : kThreeHalvesPi);
}

RotatedBounds RotateRectangle(std::array<Point, 4>& corners, double angle) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  double minX = 0, maxX = 0, minY = 0, maxY = 0;  // the origin, corner 0, is part of the box
  for (std::size_t i = 1; i < corners.size(); ++i) {
    const double x = corners[i].X;
    const double y = corners[i].Y;
    const double rx = x * c + y * s;
    const double ry = y * c - x * s;
    minX = std::min(minX, rx);
    maxX = std::max(maxX, rx);
    minY = std::min(minY, ry);
    maxY = std::max(maxY, ry);
    corners[i] = {TruncToInt(rx), TruncToInt(ry)};
  }
  return {
      {TruncToInt(-minX), TruncToInt(-minY)}, TruncToInt(maxX - minX + 1.5), TruncToInt(maxY - minY + 1.5)};
}

Point NearerPoint(Point reference, Point p1, Point p2) {
  return Distance(reference, p1) < Distance(reference, p2) ? p1 : p2;
}

Point FootOfPerpendicular(Point p, Point a, Point b) {
  if (a == b) return a;  // no line to project onto
  const double a2 = SquaredDistance(p, a);
  const double b2 = SquaredDistance(p, b);
  const double c2 = SquaredDistance(a, b);
  const int along = TruncToInt((a2 + c2 - b2) / (2 * std::sqrt(c2)));
  return along == 0 ? a : PointToward(a, b, along);
}

bool NearSegment(int tolerance, Point p, Point a, Point b) {
  if (a == b) return p == a;
  const double reach = static_cast<double>(tolerance) + 3;
  if (p.X < std::min(a.X, b.X) - reach || p.X > std::max(a.X, b.X) + reach ||
      p.Y < std::min(a.Y, b.Y) - reach || p.Y > std::max(a.Y, b.Y) + reach) {
    return false;
  }
  const double pa2 = SquaredDistance(p, a);
  const double pb2 = SquaredDistance(p, b);
  const double ab2 = SquaredDistance(a, b);
  const double ab = std::sqrt(ab2);
  const double fromB = ab - (pa2 + ab2 - pb2) / (2 * ab);
  // Rounding can take a point on the line slightly below zero; it lies on the line.
  const double offLine = std::sqrt(std::max(0.0, pb2 - fromB * fromB));
  return offLine <= reach;
}

std::optional<Point> IntersectSegments(bool unbounded, Point a, Point b, Point c, Point d) {
  const double abX = static_cast<double>(b.X) - a.X, abY = static_cast<double>(b.Y) - a.Y;
  const double cdX = static_cast<double>(d.X) - c.X, cdY = static_cast<double>(d.Y) - c.Y;
  const double acX = static_cast<double>(c.X) - a.X, acY = static_cast<double>(c.Y) - a.Y;
  const double den = abY * cdX - abX * cdY;
  if (den == 0) return std::nullopt;
  const double ua = (cdX * acY - cdY * acX) / den;
  const double ub = (abX * acY - abY * acX) / den;
  if (!unbounded && (ua < 0 || ua > 1 || ub < 0 || ub > 1)) return std::nullopt;
  return Point{TruncToInt(a.X + abX * ua), TruncToInt(a.Y + abY * ua)};
}

RectanglePointList RectanglePoints(const Rect& r, int mode) {
  const Point topLeft{r.left, r.top}, topRight{r.right, r.top};
  const Point bottomRight{r.right, r.bottom}, bottomLeft{r.left, r.bottom};
  if (mode == kClosedOutline) return {{topLeft, topRight, bottomRight, bottomLeft, topLeft}, 5};
  return {{topLeft, topRight, bottomRight, bottomLeft, Midpoint(topLeft, topRight),
           Midpoint(topRight, bottomRight), Midpoint(bottomRight, bottomLeft), Midpoint(bottomLeft, topLeft)},
          8};
}

int DistanceRatio(Point a, Point b, Point q) {
  const auto length = [](Point from, Point to) {
    const float dx = static_cast<float>(static_cast<int64_t>(to.X) - from.X);
    const float dy = static_cast<float>(static_cast<int64_t>(to.Y) - from.Y);
    return std::sqrt(dx * dx + dy * dy);
  };
  const float whole = length(a, b);
  if (whole == 0) return 1;
  return TruncToInt(length(a, q) / whole * 100.0f);
}

int PercentAlong(int v, int lo, int hi) {
  if (lo == hi) return 1;
  if (lo < hi) {
    if (v <= lo) return 0;
    if (v >= hi) return 100;
    return TruncToInt((static_cast<double>(v) - lo) / (static_cast<double>(hi) - lo) * 100);
  }
  if (v <= hi) return 100;
  if (v >= lo) return 0;
  return TruncToInt(100 - (static_cast<double>(v) - hi) / (static_cast<double>(lo) - hi) * 100);
}

double RadiansToDegrees(double angle) { return angle * 180 / (4 * std::atan(1.0)); }

std::array<Point, 2> EllipseFoci(Point centre, int width, int height) {
  const double halfW = width / 2.0;
  const double halfH = height / 2.0;
  const int f = TruncToInt(std::sqrt(std::abs(halfW * halfW - halfH * halfH)));
  if (width > height) return {{{centre.X - f, centre.Y}, {centre.X + f, centre.Y}}};
  return {{{centre.X, centre.Y - f}, {centre.X, centre.Y + f}}};
}

}  // namespace ravelo
