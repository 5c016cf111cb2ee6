// Wall-clock time, injected so that tests can fix it.
#pragma once

#include <cstdint>
#include <ctime>

namespace ravelo {

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since the epoch.
  virtual int64_t Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  int64_t Now() const override { return static_cast<int64_t>(std::time(nullptr)); }
};

}  // namespace ravelo
