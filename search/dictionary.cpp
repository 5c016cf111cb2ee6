#include "search/dictionary.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

#include "model/cp932.h"
#include "model/string_table.h"
#include "platform/files.h"
#include "search/phrase_match.h"

namespace ravelo {

namespace {

// Enough bytes for 500 lines of the longest length with their line ends: whatever lies beyond is
// never read.
constexpr std::size_t kReadLimit = kDictionaryLines * (kDictionaryLineBytes + 2);

enum class Utf8Kind { Invalid, Ascii, MultiByte };

// How a line reads as UTF-8. A dictionary saved as UTF-8 is told by its pairs: all of them valid
// UTF-8 and at least one beyond ASCII, which real cp932 text (its kana and most kanji start with a
// byte that UTF-8 never starts with) is not. Only pair lines count, so that rewriting a dictionary,
// which drops the other lines, never changes the verdict.
Utf8Kind Utf8KindOf(std::string_view text) {
  Utf8Kind kind = Utf8Kind::Ascii;
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80             ? 1
                               : (c & 0xE0) == 0xC0 ? 2
                               : (c & 0xF0) == 0xE0 ? 3
                               : (c & 0xF8) == 0xF0 ? 4
                                                    : 0;
    if (length == 0 || i + length > text.size()) return Utf8Kind::Invalid;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return Utf8Kind::Invalid;
    if (length > 1) kind = Utf8Kind::MultiByte;
    i += length;
  }
  return kind;
}

enum class FileRead { Done, Missing, NotAFile, Failed };

// At most kReadLimit bytes of the file. A FIFO or a folder is refused before anything is read,
// and opening never waits for a writer.
FileRead ReadLeadingBytes(const std::string& path, std::string& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
  struct stat info {};
  FileRead result = FileRead::Done;
  if (::fstat(fd, &info) != 0) {
    result = FileRead::Failed;
  } else if (!S_ISREG(info.st_mode)) {
    result = FileRead::NotAFile;
  } else {
    bytes.assign(kReadLimit, '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) result = FileRead::Failed;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
  }
  ::close(fd);
  return result;
}

std::string Named(std::string_view name) { return "『" + std::string(name) + "』"; }

// The file's pairs, or nothing after telling the user what is wrong with it. A missing file is
// reported with missingPrefix + missingId.
std::optional<std::vector<PhrasePair>> ReadPairs(const std::string& path, std::string_view name, Messages& messages,
                                                 const std::string& missingPrefix, int missingId) {
  std::string bytes;
  switch (ReadLeadingBytes(path, bytes)) {
    case FileRead::Done:
      break;
    case FileRead::Missing:
      ShowResourceMessage(messages, missingPrefix, missingId, MessageIcon::Stop);
      return std::nullopt;
    case FileRead::NotAFile:
      ShowResourceMessage(messages, Named(name) + "\n", kMsgNotADictionaryFile, MessageIcon::Stop);
      return std::nullopt;
    case FileRead::Failed:
      ShowResourceMessage(messages, Named(name) + "\n", kMsgDictionaryReadFailed, MessageIcon::Stop);
      return std::nullopt;
  }
  ParsedDictionary parsed = ParseDictionary(bytes);
  if (parsed.fault == DictionaryFault::None) return std::move(parsed.pairs);
  const int id = parsed.fault == DictionaryFault::NotCp932 ? kMsgDictionaryNotCp932 : kMsgDictionaryLineTooLong;
  ShowResourceMessage(messages, Named(name) + "の" + std::to_string(parsed.faultLine), id, MessageIcon::Stop);
  return std::nullopt;
}

std::string FileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Puts the new contents in place of the file in one step: written beside it under a unique
// hidden name, then renamed over it.
bool ReplaceDictionaryFile(const std::string& path, const std::string& bytes) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash);
  const std::string temporary =
      files::CreateUniqueFile(folder + "/." + FileName(path) + ".", files::FileAccess::Default);
  if (temporary.empty()) return false;
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out && files::ReplaceFile(temporary, path)) return true;
  std::remove(temporary.c_str());
  return false;
}

}  // namespace

ParsedDictionary ParseDictionary(std::string_view bytes) {
  ParsedDictionary parsed;
  bool someNotUtf8 = false;
  int firstMultiByte = 0;
  std::size_t start = 0;
  for (int line = 1; line <= kDictionaryLines && start < bytes.size(); ++line) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r') --end;
    const std::string_view text = bytes.substr(start, end - start);
    start = next;
    if (text.size() > kDictionaryLineBytes || !IsCp932Text(text)) {
      parsed.fault = text.size() > kDictionaryLineBytes ? DictionaryFault::LineTooLong : DictionaryFault::NotCp932;
      parsed.faultLine = line;
      parsed.pairs.clear();
      return parsed;
    }
    const std::size_t tab = text.find('\t');
    if (tab == std::string_view::npos) continue;
    parsed.pairs.push_back({std::string(text.substr(0, tab)), std::string(text.substr(tab + 1))});
    const Utf8Kind kind = Utf8KindOf(text);
    someNotUtf8 = someNotUtf8 || kind == Utf8Kind::Invalid;
    if (kind == Utf8Kind::MultiByte && firstMultiByte == 0) firstMultiByte = line;
  }
  if (!someNotUtf8 && firstMultiByte != 0) {
    parsed.fault = DictionaryFault::NotCp932;
    parsed.faultLine = firstMultiByte;
    parsed.pairs.clear();
  }
  return parsed;
}

std::string FormatDictionary(const std::vector<PhrasePair>& pairs) {
  std::string bytes;
  for (const PhrasePair& pair : pairs) bytes += pair.before + '\t' + pair.after + "\r\n";
  return bytes;
}

std::size_t InsertionPoint(const std::vector<PhrasePair>& pairs, std::string_view before) {
  for (std::size_t i = 0; i < pairs.size(); ++i)
    if (FindPhrase(before, pairs[i].before, LetterCase::Match) != std::string_view::npos) return i;
  return pairs.size();
}

std::optional<std::vector<PhrasePair>> ReadDictionaryFile(const std::string& path, std::string_view name,
                                                          Messages& messages) {
  return ReadPairs(path, name, messages, Named(name) + "\n", kMsgDictionaryReadFailed);
}

bool WriteDictionaryPair(const std::string& path, const PhrasePair& pair, const std::optional<PhrasePair>& oldPair,
                         Messages& messages) {
  std::optional<std::vector<PhrasePair>> pairs =
      ReadPairs(path, FileName(path), messages, path + "\n", kMsgDictionaryFileMissing);
  if (!pairs) return false;
  for (const PhrasePair& existing : *pairs) {
    if (existing.before != pair.before) continue;
    ShowResourceMessage(messages, Named(Cp932ToUtf8(pair.before)) + "は、", kMsgAlreadyRegistered, MessageIcon::Stop);
    return false;
  }
  if (oldPair) std::erase(*pairs, *oldPair);
  if (pairs->size() >= static_cast<std::size_t>(kDictionaryLines)) {
    ShowResourceMessage(messages, "", kMsgDictionaryFull, MessageIcon::Stop);
    return false;
  }
  pairs->insert(pairs->begin() + static_cast<std::ptrdiff_t>(InsertionPoint(*pairs, pair.before)), pair);
  if (ReplaceDictionaryFile(path, FormatDictionary(*pairs))) return true;
  ShowResourceMessage(messages, "", kMsgFileCreationFailed, MessageIcon::Stop);
  return false;
}

bool DeleteDictionaryPair(const std::string& path, const PhrasePair& pair, Messages& messages) {
  std::optional<std::vector<PhrasePair>> pairs =
      ReadPairs(path, FileName(path), messages, path + "\n", kMsgDictionaryFileMissing);
  if (!pairs) return false;
  std::erase(*pairs, pair);
  if (ReplaceDictionaryFile(path, FormatDictionary(*pairs))) return true;
  ShowResourceMessage(messages, "", kMsgFileCreationFailed, MessageIcon::Stop);
  return false;
}

}  // namespace ravelo
