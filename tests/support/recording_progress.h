// A Progress fake that records every call as text ("range 3", "pos 1", "pause 100").
#pragma once

#include <string>
#include <vector>

#include "platform/progress.h"

namespace ravelo::testing {

class RecordingProgress final : public Progress {
 public:
  void SetRange(int maximum) override { calls.push_back("range " + std::to_string(maximum)); }
  void SetPosition(int position) override { calls.push_back("pos " + std::to_string(position)); }
  void Pause(int milliseconds) override { calls.push_back("pause " + std::to_string(milliseconds)); }

  std::vector<std::string> calls;
};

}  // namespace ravelo::testing
