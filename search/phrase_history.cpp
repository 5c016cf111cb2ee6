#include "search/phrase_history.h"

#include <algorithm>

#include "model/program_settings.h"

namespace ravelo {

namespace {
constexpr std::string_view kSection = "Search";
}

PhraseHistory::PhraseHistory(SettingsStore& store, std::string_view list) : store_(store), list_(list) {}

std::string PhraseHistory::Key(int position) const { return "Goku" + list_ + "_" + std::to_string(position); }

void PhraseHistory::Add(std::string_view phrase) {
  const int count = std::clamp(Read(store_, settings::kSaveCnt), 5, 100);
  std::vector<std::string> old;
  for (int position = 1; position <= count; ++position) old.push_back(store_.ReadString(kSection, Key(position), ""));
  store_.WriteString(kSection, Key(1), phrase);
  int position = 2;
  for (const std::string& entry : old) {
    if (entry.empty() || position > count) break;
    if (entry != phrase) store_.WriteString(kSection, Key(position++), entry);
  }
}

std::vector<std::string> PhraseHistory::Entries() const {
  std::vector<std::string> entries;
  const int count = Read(store_, settings::kSaveCnt);
  for (int position = 1; position <= count; ++position) {
    std::string entry = store_.ReadString(kSection, Key(position), "");
    if (!entry.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace ravelo
