#include "app/recent_files.h"

#include <algorithm>

#include "model/program_settings.h"

namespace ravelo {

using settings::kRecentFileCount;
using settings::kRecentFileSection;
using settings::RecentFileKey;

RecentFileList::RecentFileList(SettingsStore& store) : store_(store) {
  for (int number = 1; number <= kRecentFileCount; ++number) {
    std::string path = store_.ReadString(kRecentFileSection, RecentFileKey(number), "");
    if (path.empty()) break;
    entries_.push_back(std::move(path));
  }
}

void RecentFileList::Add(const std::string& path) {
  if (path.empty()) return;
  std::erase(entries_, path);
  entries_.insert(entries_.begin(), path);
  if (entries_.size() > static_cast<std::size_t>(kRecentFileCount)) entries_.resize(kRecentFileCount);
  Store();
}

void RecentFileList::Remove(std::size_t index) {
  if (index >= entries_.size()) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  Store();
}

void RecentFileList::Clear() {
  entries_.clear();
  Store();
}

void RecentFileList::Store() {
  for (int number = 1; number <= kRecentFileCount; ++number) {
    const std::size_t i = static_cast<std::size_t>(number - 1);
    store_.WriteString(kRecentFileSection, RecentFileKey(number), i < entries_.size() ? entries_[i] : "");
  }
}

}  // namespace ravelo
