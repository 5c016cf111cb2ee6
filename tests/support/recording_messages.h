// A Messages fake that records every message and answers with a preset button.
#pragma once

#include <string>
#include <vector>

#include "platform/messages.h"

namespace ravelo::testing {

struct RecordedMessage {
  std::string text;
  MessageIcon icon;
  MessageButtons buttons;
};

class RecordingMessages final : public Messages {
 public:
  MessageAnswer Show(std::string_view text, MessageIcon icon, MessageButtons buttons) override;

  std::vector<RecordedMessage> shown;
  MessageAnswer answer = MessageAnswer::Yes;
};

}  // namespace ravelo::testing
