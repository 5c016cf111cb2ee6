#include "app/frame_housekeeping.h"

#include <cctype>
#include <filesystem>

namespace ravelo {

std::string ToggleHoverAnimation(SystemSettings& held, const SettingsStore& store) {
  held.PlayAnime = held.PlayAnime != 0 ? 0 : Read(store, settings::kPlayAnime);
  return held.PlayAnime != 0 ? "アニメポインタを表示するように設定しました"
                             : "アニメポインタを表示しないように設定しました";
}

namespace {

constexpr int kExaminedEntries = 100;

bool IsUndoFileName(const std::string& name) {
  static constexpr char kPrefix[] = "RVL";
  if (name.size() < 3) return false;
  for (int i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(name[static_cast<std::size_t>(i)])) != kPrefix[i])
      return false;
  return true;
}

}  // namespace

void RemoveLeftoverUndoFiles(const std::string& workFolder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator entry(workFolder, error);
  for (int examined = 0; !error && entry != fs::directory_iterator() && examined < kExaminedEntries;
       ++examined) {
    std::error_code ignored;
    if (fs::is_regular_file(entry->symlink_status(ignored)) &&
        IsUndoFileName(entry->path().filename().string()))
      fs::remove(entry->path(), ignored);
    entry.increment(error);
  }
}

}  // namespace ravelo
