// The phrases used before, newest first, kept in the settings section "Search" as "Goku<list>_<n>"
// (list "1" for search phrases, "2" for replacement phrases; n from 1). How many are kept is
// KanSet/SaveCnt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"

namespace ravelo {

class PhraseHistory {
 public:
  PhraseHistory(SettingsStore& store, std::string_view list);

  // The phrase goes first; the older entries that differ from it follow in their order.
  void Add(std::string_view phrase);
  // The stored phrases, newest first, empty entries left out.
  std::vector<std::string> Entries() const;

 private:
  std::string Key(int position) const;

  SettingsStore& store_;
  std::string list_;
};

}  // namespace ravelo
