// The settings store as an INI-style file of the user's own (GLib key file). Every write replaces
// the file as a whole: the new contents go to a temporary file that is flushed and renamed over the
// old one, so a crash leaves either the old or the new settings, never a torn file.
#pragma once

#include <string>

#include "platform/settings_store.h"

typedef struct _GKeyFile GKeyFile;

namespace ravelo {

class KeyFileSettings final : public SettingsStore {
 public:
  // Loads path when it exists. A file that cannot be read whole is read line by line, keeping every line
  // the format accepts, and is then moved aside (keptAsidePath) so that no write replaces it; when it
  // cannot be moved, nothing is written at all.
  explicit KeyFileSettings(std::string path);
  ~KeyFileSettings() override;
  KeyFileSettings(const KeyFileSettings&) = delete;
  KeyFileSettings& operator=(const KeyFileSettings&) = delete;

  int ReadInt(std::string_view section, std::string_view key, int fallback) const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  void WriteString(std::string_view section, std::string_view key, std::string_view value) override;

  // False once a write could not be stored (the value is still held in memory).
  bool lastWriteStored() const { return lastWriteStored_; }

  // Where an unreadable settings file was moved when this store was made; empty when none was.
  const std::string& keptAsidePath() const { return keptAside_; }

 private:
  void Store();

  std::string path_;
  GKeyFile* file_;
  bool lastWriteStored_ = true;
  bool writable_ = true;
  std::string keptAside_;
};

// $XDG_CONFIG_HOME/Orvenda/Ravelo.ini (or the same under ~/.config).
std::string DefaultSettingsPath();

}  // namespace ravelo
