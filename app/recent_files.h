// The recently used documents, newest first, kept in the Recent File List section as File1 .. File10.
// Every change is written at once, so the list survives a crash of the program.
#pragma once

#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace ravelo {

class RecentFileList {
 public:
  // Reads File1 .. File10, up to the first empty entry.
  explicit RecentFileList(SettingsStore& store);

  const std::vector<std::string>& entries() const { return entries_; }

  // Puts path first; an equal entry further down is dropped and the eleventh falls off the end.
  void Add(const std::string& path);
  void Remove(std::size_t index);
  void Clear();

 private:
  void Store();

  SettingsStore& store_;
  std::vector<std::string> entries_;
};

}  // namespace ravelo
