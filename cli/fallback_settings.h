// Settings for the command-line tool: every value reads as its default and nothing is kept, so a
// script's result never depends on the editor's settings.
#pragma once

#include "platform/settings_store.h"

namespace ravelo::cli {

class FallbackSettings final : public SettingsStore {
 public:
  int ReadInt(std::string_view, std::string_view, int fallback) const override { return fallback; }
  std::string ReadString(std::string_view, std::string_view, std::string_view fallback) const override {
    return std::string(fallback);
  }
  void WriteInt(std::string_view, std::string_view, int) override {}
  void WriteString(std::string_view, std::string_view, std::string_view) override {}
};

}  // namespace ravelo::cli
