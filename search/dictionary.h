// Replacement dictionaries: plain text files of phrase pairs, one pair a line (before-text, TAB,
// after-text; the first TAB separates), cp932, lines ended by CR LF. Only the first 500 lines count;
// a line without a TAB is skipped. The order of the lines is the order the pairs are applied in.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"

namespace ravelo {

constexpr int kDictionaryLines = 500;
// No phrase is longer than a memo, so a longer line is no dictionary line.
constexpr std::size_t kDictionaryLineBytes = 1024;

struct PhrasePair {
  std::string before;  // cp932
  std::string after;   // cp932
  friend bool operator==(const PhrasePair&, const PhrasePair&) = default;
};

enum class DictionaryFault {
  None,
  NotCp932,     // a line is no cp932 text, or the whole file is UTF-8
  LineTooLong,  // a line of more than kDictionaryLineBytes bytes
};

struct ParsedDictionary {
  std::vector<PhrasePair> pairs;
  DictionaryFault fault = DictionaryFault::None;
  int faultLine = 0;  // 1-based line of the fault
};

// The pairs of a dictionary file's bytes.
ParsedDictionary ParseDictionary(std::string_view bytes);

// The bytes of a dictionary file holding these pairs.
std::string FormatDictionary(const std::vector<PhrasePair>& pairs);

// Where the pair goes by the order rule: before the first pair whose before-text occurs in the new
// before-text, so that a longer phrase is applied before the shorter ones it contains.
std::size_t InsertionPoint(const std::vector<PhrasePair>& pairs, std::string_view before);

// Reads the dictionary file at path. On any failure the user is told why (naming the file as
// name) and nothing is returned.
std::optional<std::vector<PhrasePair>> ReadDictionaryFile(const std::string& path, std::string_view name,
                                                          Messages& messages);

// Writes the pair into the dictionary file, replacing oldPair when given (a pair being modified).
// Refuses a before-text already in the file and a pair beyond the 500th; the file changes only
// when every check passed, and it is replaced whole, never left half-written.
bool WriteDictionaryPair(const std::string& path, const PhrasePair& pair, const std::optional<PhrasePair>& oldPair,
                         Messages& messages);

// Rewrites the dictionary file without every pair equal to pair.
bool DeleteDictionaryPair(const std::string& path, const PhrasePair& pair, Messages& messages);

}  // namespace ravelo
