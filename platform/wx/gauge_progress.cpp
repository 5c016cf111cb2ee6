#include "platform/wx/gauge_progress.h"

#include <wx/gauge.h>
#include <wx/utils.h>

#include <algorithm>

namespace ravelo {

void GaugeProgress::SetRange(int maximum) {
  gauge_.SetRange(std::max(maximum, 1));
  gauge_.Update();
}

void GaugeProgress::SetPosition(int position) {
  gauge_.SetValue(std::clamp(position, 0, gauge_.GetRange()));
  gauge_.Update();
}

void GaugeProgress::Pause(int milliseconds) {
  gauge_.Update();
  wxMilliSleep(static_cast<unsigned long>(std::max(milliseconds, 0)));
}

}  // namespace ravelo
