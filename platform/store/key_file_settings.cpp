#include "platform/store/key_file_settings.h"

#include <glib.h>

#include <memory>

namespace ravelo {

namespace {

struct GFreeDeleter {
  void operator()(void* p) const { g_free(p); }
};
using GText = std::unique_ptr<char, GFreeDeleter>;

// Section and key names the file format can hold: printable, no brackets or "=" in keys, and no
// space at either end (which the format would not keep).
bool StorableName(const std::string& name, bool isKey) {
  if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
  for (unsigned char c : name) {
    if (c < 0x20 || c == 0x7F || c == '[' || c == ']') return false;
    if (isKey && c == '=') return false;
  }
  return g_utf8_validate(name.data(), static_cast<gssize>(name.size()), nullptr);
}

}  // namespace

KeyFileSettings::KeyFileSettings(std::string path) : path_(std::move(path)), file_(g_key_file_new()) {
  if (!g_key_file_load_from_file(file_, path_.c_str(), G_KEY_FILE_KEEP_COMMENTS, nullptr)) {
    g_key_file_free(file_);
    file_ = g_key_file_new();
  }
}

KeyFileSettings::~KeyFileSettings() { g_key_file_free(file_); }

int KeyFileSettings::ReadInt(std::string_view section, std::string_view key, int fallback) const {
  const std::string s(section), k(key);
  GError* error = nullptr;
  const int value = g_key_file_get_integer(file_, s.c_str(), k.c_str(), &error);
  if (error == nullptr) return value;
  g_error_free(error);
  return fallback;
}

std::string KeyFileSettings::ReadString(std::string_view section, std::string_view key,
                                        std::string_view fallback) const {
  const std::string s(section), k(key);
  GText value(g_key_file_get_string(file_, s.c_str(), k.c_str(), nullptr));
  return value ? std::string(value.get()) : std::string(fallback);
}

void KeyFileSettings::WriteInt(std::string_view section, std::string_view key, int value) {
  const std::string s(section), k(key);
  if (!StorableName(s, false) || !StorableName(k, true)) {
    lastWriteStored_ = false;
    return;
  }
  g_key_file_set_integer(file_, s.c_str(), k.c_str(), value);
  Store();
}

void KeyFileSettings::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string s(section), k(key);
  if (!StorableName(s, false) || !StorableName(k, true)) {
    lastWriteStored_ = false;
    return;
  }
  // The file is UTF-8 throughout; a malformed sequence is stored as U+FFFD rather than breaking it.
  GText valid(g_utf8_make_valid(value.data(), static_cast<gssize>(value.size())));
  g_key_file_set_string(file_, s.c_str(), k.c_str(), valid.get());
  Store();
}

void KeyFileSettings::Store() {
  gsize length = 0;
  GText data(g_key_file_to_data(file_, &length, nullptr));
  GText folder(g_path_get_dirname(path_.c_str()));
  lastWriteStored_ =
      g_mkdir_with_parents(folder.get(), 0700) == 0 &&
      g_file_set_contents_full(
          path_.c_str(), data.get(), static_cast<gssize>(length),
          static_cast<GFileSetContentsFlags>(G_FILE_SET_CONTENTS_CONSISTENT | G_FILE_SET_CONTENTS_DURABLE),
          0600, nullptr);
}

std::string DefaultSettingsPath() {
  GText path(g_build_filename(g_get_user_config_dir(), "Orvenda", "Ravelo.ini", nullptr));
  return path.get();
}

}  // namespace ravelo
