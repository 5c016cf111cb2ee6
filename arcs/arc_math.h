// Point arithmetic of the arc geometry. Sums and differences are taken in 64 bits and kept to what a
// coordinate holds, so that a damaged document's far-off positions cannot overflow.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "geometry/geometry.h"
#include "model/records.h"

namespace ravelo {

constexpr int32_t Clamp32(int64_t v) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
constexpr Point Plus(Point a, Point b) {
  return {Clamp32(static_cast<int64_t>(a.X) + b.X), Clamp32(static_cast<int64_t>(a.Y) + b.Y)};
}
constexpr Point Minus(Point a, Point b) {
  return {Clamp32(static_cast<int64_t>(a.X) - b.X), Clamp32(static_cast<int64_t>(a.Y) - b.Y)};
}
// The reflection of p through the centre: 2 * centre - p.
constexpr Point Reflect(Point centre, Point p) {
  return {Clamp32(2 * static_cast<int64_t>(centre.X) - p.X),
          Clamp32(2 * static_cast<int64_t>(centre.Y) - p.Y)};
}
// a + trunc(k * (c - a)) per coordinate, in single precision.
inline Point Toward(Point a, Point c, float k) {
  const auto step = [k](int32_t from, int32_t to) {
    return Clamp32(from +
                   static_cast<int64_t>(TruncToInt(k * static_cast<float>(static_cast<int64_t>(to) - from))));
  };
  return {step(a.X, c.X), step(a.Y, c.Y)};
}

}  // namespace ravelo
