#include "platform/store/key_file_settings.h"

#include <glib.h>
#include <glib/gstdio.h>

#include <algorithm>
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

bool Loads(GKeyFile* file, const std::string& text) {
  return g_key_file_load_from_data(file, text.data(), text.size(), G_KEY_FILE_KEEP_COMMENTS, nullptr);
}

// The lines of a settings file that the key file format accepts, each tried on its own: a group line, or
// a comment, a blank line or a value under a readable group line. Anything else (a line that is no
// setting, a byte that is no UTF-8, the values of a damaged group line) is left out.
std::string ReadableLines(const std::string& text) {
  std::string kept;
  bool inGroup = false;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    GKeyFile* probe = g_key_file_new();
    const bool group = !line.empty() && line.front() == '[';
    const bool readable = Loads(probe, group ? line : "[probe]\n" + line) &&
                          (group || inGroup || line.empty() || line.front() == '#');
    g_key_file_free(probe);
    if (group) inGroup = readable;  // the values under a damaged group line are left out too
    if (!readable) continue;
    kept += line;
    kept += '\n';
  }
  return kept;
}

// A name beside path that no file has yet: path + ".unreadable", then with a number added.
std::string FreeNameBeside(const std::string& path) {
  std::string name = path + ".unreadable";
  for (int n = 2; g_file_test(name.c_str(), G_FILE_TEST_EXISTS); ++n)
    name = path + ".unreadable" + std::to_string(n);
  return name;
}

}  // namespace

KeyFileSettings::KeyFileSettings(std::string path) : path_(std::move(path)), file_(g_key_file_new()) {
  GError* error = nullptr;
  if (g_key_file_load_from_file(file_, path_.c_str(), G_KEY_FILE_KEEP_COMMENTS, &error)) return;
  const bool missing = g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT);
  g_clear_error(&error);
  if (missing) return;

  // The file is there but cannot be read whole. What can be read line by line is used, and the file is
  // kept aside under another name before anything is written; when it cannot be moved (or not read at
  // all), nothing is ever written over it.
  g_key_file_free(file_);
  file_ = g_key_file_new();
  gchar* contents = nullptr;
  gsize length = 0;
  if (g_file_get_contents(path_.c_str(), &contents, &length, nullptr)) {
    const GText text(contents);
    if (!Loads(file_, ReadableLines(std::string(text.get(), length)))) {
      g_key_file_free(file_);
      file_ = g_key_file_new();
    }
  }
  const std::string aside = FreeNameBeside(path_);
  if (g_rename(path_.c_str(), aside.c_str()) != 0) {
    writable_ = false;
    return;
  }
  keptAside_ = aside;
  Store();  // what could be read is in a whole file again at once
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
  if (!writable_) {
    lastWriteStored_ = false;
    return;
  }
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
