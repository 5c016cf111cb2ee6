// The per-user settings: named sections of integer and string values, a missing value reading as
// the fallback the caller gives. Strings are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace ravelo {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual int ReadInt(std::string_view section, std::string_view key, int fallback) const = 0;
  virtual std::string ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback) const = 0;
  virtual void WriteInt(std::string_view section, std::string_view key, int value) = 0;
  virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace ravelo
