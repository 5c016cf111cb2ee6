#include "tests/support/memory_settings.h"

#include <cstdlib>

namespace ravelo::testing {

int MemorySettings::ReadInt(std::string_view section, std::string_view key, int fallback) const {
  const auto found = values.find({std::string(section), std::string(key)});
  return found == values.end() ? fallback : std::atoi(found->second.c_str());
}

std::string MemorySettings::ReadString(std::string_view section, std::string_view key,
                                       std::string_view fallback) const {
  const auto found = values.find({std::string(section), std::string(key)});
  return found == values.end() ? std::string(fallback) : found->second;
}

void MemorySettings::WriteInt(std::string_view section, std::string_view key, int value) {
  values[{std::string(section), std::string(key)}] = std::to_string(value);
}

void MemorySettings::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  values[{std::string(section), std::string(key)}] = std::string(value);
}

}  // namespace ravelo::testing
