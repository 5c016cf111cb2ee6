// Wall-clock time, injected so that tests can fix it.
#pragma once

#include <cstdint>

namespace ravelo {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since the epoch.
  virtual int64_t Now() const = 0;
};

}  // namespace ravelo
