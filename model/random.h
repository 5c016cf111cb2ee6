// The program's one random generator: a linear congruential generator yielding 15-bit numbers
// (0..32767), so that a seed always gives the same sequence of colours.
#pragma once

#include <cstdint>

namespace ravelo {

class RandomSource {
 public:
  explicit RandomSource(uint32_t seed = 1) : state_(seed) {}
  void Seed(uint32_t seed) { state_ = seed; }
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  uint32_t state_;
};

}  // namespace ravelo
