// An in-memory settings store for tests.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/settings_store.h"

namespace ravelo::testing {

class MemorySettings final : public SettingsStore {
 public:
  int ReadInt(std::string_view section, std::string_view key, int fallback) const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

  std::map<std::pair<std::string, std::string>, std::string> values;
};

}  // namespace ravelo::testing
