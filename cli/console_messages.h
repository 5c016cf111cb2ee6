// Messages for the command-line tool: the text goes to stderr; questions are declined, which leaves
// everything unchanged.
#pragma once

#include <iostream>

#include "platform/messages.h"

namespace ravelo::cli {

class ConsoleMessages final : public Messages {
 public:
  MessageAnswer Show(std::string_view text, MessageIcon, MessageButtons buttons) override {
    std::cerr << text << '\n';
    switch (buttons) {
      case MessageButtons::Ok: return MessageAnswer::Ok;
      case MessageButtons::YesNo: return MessageAnswer::No;
      case MessageButtons::YesNoCancel: return MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
  }
};

}  // namespace ravelo::cli
