// Messages for the command-line tool: each text goes to stderr; questions are declined (No, or Cancel
// where offered), which leaves everything unchanged.
#pragma once

#include <cstdio>
#include <string_view>

#include "platform/messages.h"

namespace ravelo {

class ConsoleMessages final : public Messages {
 public:
  MessageAnswer Show(std::string_view text, MessageIcon, MessageButtons buttons) override {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    switch (buttons) {
      case MessageButtons::Ok:
        return MessageAnswer::Ok;
      case MessageButtons::YesNo:
        return MessageAnswer::No;
      case MessageButtons::YesNoCancel:
        break;
    }
    return MessageAnswer::Cancel;
  }
};

}  // namespace ravelo
