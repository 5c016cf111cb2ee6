// The progress bar of the main frame, driven by long document operations.
#pragma once

namespace ravelo {

class Progress {
 public:
  virtual ~Progress() = default;
  virtual void SetRange(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
  // Holds the finished bar on screen for a moment before it is reset.
  virtual void Pause(int milliseconds) = 0;
};

// For callers that show no progress (the command-line tool, benchmarks).
class NoProgress final : public Progress {
 public:
  void SetRange(int) override {}
  void SetPosition(int) override {}
  void Pause(int) override {}
};

}  // namespace ravelo
