// The progress bar of the main frame: a gauge in the status bar, repainted at once on every step
// because the work it shows holds up the event loop.
#pragma once

#include "platform/progress.h"

class wxGauge;

namespace ravelo {

class GaugeProgress final : public Progress {
 public:
  explicit GaugeProgress(wxGauge& gauge) : gauge_(gauge) {}
  void SetRange(int maximum) override;
  void SetPosition(int position) override;
  void Pause(int milliseconds) override;

 private:
  wxGauge& gauge_;
};

}  // namespace ravelo
