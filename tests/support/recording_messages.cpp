#include "tests/support/recording_messages.h"

namespace ravelo::testing {

MessageAnswer RecordingMessages::Show(std::string_view text, MessageIcon icon, MessageButtons buttons) {
  shown.push_back({std::string(text), icon, buttons});
  return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
}

}  // namespace ravelo::testing
