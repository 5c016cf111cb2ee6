// Message boxes: how the logic tells the user something or asks a question.
// The editor shows a dialog captioned "Ravelo"; the command-line tool prints the text to stderr.
#pragma once

#include <string_view>

namespace ravelo {

enum class MessageIcon { None, Stop, Information, Question, Warning };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

class Messages {
 public:
  virtual ~Messages() = default;
  // Shows one message (UTF-8 text) and returns the button chosen.
  virtual MessageAnswer Show(std::string_view text, MessageIcon icon, MessageButtons buttons) = 0;
};

// For work whose failures stay silent (undo snapshots, benchmarks): nothing is shown, every question
// is declined.
class SilentMessages final : public Messages {
 public:
  MessageAnswer Show(std::string_view, MessageIcon, MessageButtons buttons) override {
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
  }
};

}  // namespace ravelo
