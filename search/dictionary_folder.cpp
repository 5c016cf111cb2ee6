#include "search/dictionary_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "model/cp932.h"
#include "model/string_table.h"

namespace ravelo {

DictionaryFolder::DictionaryFolder(std::string_view documentsFolder) : path_(std::string(documentsFolder) + "dic") {}

bool DictionaryFolder::Exists() const {
  std::error_code error;
  return std::filesystem::is_directory(path_, error);
}

bool DictionaryFolder::Ensure(Messages& messages) const {
  std::error_code error;
  std::filesystem::create_directories(path_, error);
  if (Exists()) return true;
  ShowResourceMessage(messages, "置換辞書管理用", kMsgFolderCreationFailed, MessageIcon::Stop);
  return false;
}

std::vector<std::string> DictionaryFolder::Names() const {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(path_, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code ignored;
    if (name.front() != '.' && it->is_regular_file(ignored)) names.push_back(std::move(name));
  }
  return names;
}

std::size_t DictionaryFolder::NameLimit() const { return path_.size() + 1 >= 255 ? 0 : 255 - (path_.size() + 1); }

bool DictionaryFolder::Create(std::string_view name, Messages& messages) const {
  const int fd = ::open(PathOf(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    ::close(fd);
    return true;
  }
  ShowResourceMessage(messages, "", kMsgFileCreationFailed, MessageIcon::Stop);
  return false;
}

bool DictionaryFolder::Rename(std::string_view from, std::string_view to, Messages& messages) const {
  // Never over another file: an existing name is refused by the link, then the old name goes.
  if (::link(PathOf(from).c_str(), PathOf(to).c_str()) == 0) {
    if (::unlink(PathOf(from).c_str()) == 0) return true;
    ::unlink(PathOf(to).c_str());
  }
  ShowResourceMessage(messages, "", kMsgRenameFailed, MessageIcon::Stop);
  return false;
}

bool DictionaryFolder::Delete(std::string_view name, Messages& messages) const {
  if (ShowResourceMessage(messages, "『" + std::string(name) + "』を", kMsgConfirmDelete, MessageIcon::Question,
                          MessageButtons::YesNo) != MessageAnswer::Yes)
    return false;
  if (::unlink(PathOf(name).c_str()) == 0) return true;
  ShowResourceMessage(messages, "", kMsgDeleteFailed, MessageIcon::Stop);
  return false;
}

int FindByPrefix(const std::vector<std::string>& names, std::string_view prefix) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string& name = names[i];
    if (name.size() < prefix.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < prefix.size() && same; ++k) same = lower(name[k]) == lower(prefix[k]);
    if (same) return static_cast<int>(i);
  }
  return -1;
}

bool CheckDictionaryName(std::string_view name, std::size_t limit, Messages& messages) {
  if (name.empty()) {
    ShowResourceMessage(messages, "", kMsgNoText, MessageIcon::Stop);
    return false;
  }
  if (name.size() >= limit) {
    ShowResourceMessage(messages, "", kMsgTextTooLong, MessageIcon::Stop);
    return false;
  }
  // Names are file names (UTF-8), where a byte search never lands inside a character.
  for (char c : std::string_view("\\/:*?\"<>|")) {
    if (name.find(c) == std::string_view::npos) continue;
    ShowResourceMessage(messages, std::string(1, c) + "\n", kMsgInvalidFileNameCharacter, MessageIcon::Stop);
    return false;
  }
  const bool control =
      std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
  if (control || name.front() == '.' || name.find("..") != std::string_view::npos) {
    ShowResourceMessage(messages, "", kMsgReservedDictionaryName, MessageIcon::Stop);
    return false;
  }
  return true;
}

std::string PairQuestionText(const PhrasePair& pair) {
  return "置換前の語句：" + Cp932ToUtf8(pair.before) + "\n置換後の語句：" + Cp932ToUtf8(pair.after) + "\n\n";
}

}  // namespace ravelo
