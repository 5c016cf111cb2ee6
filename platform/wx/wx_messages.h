// Message boxes of the editor: captioned "Ravelo", with the icon asked for and Japanese button
// labels whatever the locale. A test run can take the boxes over: they are then passed to an
// observer that records them and answers, and nothing is shown.
#pragma once

#include <functional>

#include "platform/messages.h"

namespace ravelo {

class WxMessages final : public Messages {
 public:
  using Observer = std::function<MessageAnswer(std::string_view text, MessageIcon, MessageButtons)>;

  MessageAnswer Show(std::string_view text, MessageIcon icon, MessageButtons buttons) override;
  void TakeOver(Observer observer) { observer_ = std::move(observer); }

 private:
  Observer observer_;
};

}  // namespace ravelo
