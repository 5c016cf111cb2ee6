// Finding and replacing a phrase in cp932 text. A match starts on a character boundary and covers
// whole characters, so the trail byte of a two-byte character never starts or ends one. Without
// the case option, the single-byte letters A-Z and a-z are not told apart; two-byte characters
// (full-width letters too) always compare exactly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ravelo {

enum class LetterCase { Ignore, Match };

// The byte position of the first match at or after the character boundary from; npos when none.
std::size_t FindPhrase(std::string_view text, std::string_view phrase, LetterCase letterCase, std::size_t from = 0);

struct Replaced {
  std::string text;
  int count = 0;  // how many matches were replaced
};

// Replaces every match, left to right and not overlapping.
Replaced ReplacePhrase(std::string_view text, std::string_view phrase, std::string_view replacement,
                       LetterCase letterCase);

// Deletes every CR LF pair, then every remaining CR, then every remaining LF.
std::string StripLineBreaks(std::string_view text);

// Whether text is well-formed cp932: every lead byte has a trail byte, and no byte is one that
// cp932 does not use.
bool IsCp932Text(std::string_view text);

}  // namespace ravelo
