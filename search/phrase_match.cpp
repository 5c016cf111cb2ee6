#include "search/phrase_match.h"

#include "model/cp932.h"

namespace ravelo {

namespace {

std::size_t CharacterLength(std::string_view text, std::size_t at) {
  return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

unsigned char Folded(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

// Whether the phrase matches the text at the character boundary at, character by character.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view phrase, LetterCase letterCase) {
  std::size_t p = 0;
  while (p < phrase.size()) {
    if (at >= text.size()) return false;
    const std::size_t length = CharacterLength(text, at);
    if (length != CharacterLength(phrase, p)) return false;
    if (length == 2) {
      if (text[at] != phrase[p] || text[at + 1] != phrase[p + 1]) return false;
    } else {
      const auto t = static_cast<unsigned char>(text[at]);
      const auto q = static_cast<unsigned char>(phrase[p]);
      if (letterCase == LetterCase::Match ? t != q : Folded(t) != Folded(q)) return false;
    }
    at += length;
    p += length;
  }
  return true;
}

}  // namespace

std::size_t FindPhrase(std::string_view text, std::string_view phrase, LetterCase letterCase, std::size_t from) {
  if (phrase.empty()) return std::string_view::npos;
  const auto first = static_cast<unsigned char>(phrase[0]);
  const bool foldFirst = letterCase == LetterCase::Ignore && Folded(first) >= 'a' && Folded(first) <= 'z';
  for (std::size_t at = from; at + phrase.size() <= text.size(); at += CharacterLength(text, at)) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c != first && !(foldFirst && Folded(c) == Folded(first))) continue;
    if (MatchesAt(text, at, phrase, letterCase)) return at;
  }
  return std::string_view::npos;
}

Replaced ReplacePhrase(std::string_view text, std::string_view phrase, std::string_view replacement,
                       LetterCase letterCase) {
  Replaced result;
  std::size_t copied = 0;
  for (std::size_t at = FindPhrase(text, phrase, letterCase); at != std::string_view::npos;
       at = FindPhrase(text, phrase, letterCase, copied)) {
    result.text.append(text.substr(copied, at - copied));
    result.text.append(replacement);
    copied = at + phrase.size();
    ++result.count;
  }
  result.text.append(text.substr(copied));
  return result;
}

std::string StripLineBreaks(std::string_view text) {
  std::string stripped;
  stripped.reserve(text.size());
  for (char c : text)
    if (c != '\r' && c != '\n') stripped += c;
  return stripped;
}

bool IsCp932Text(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0x80 || c == 0xA0 || c >= 0xFD) return false;
    if (!IsLeadByte(c)) continue;
    if (++i == text.size()) return false;
    const auto trail = static_cast<unsigned char>(text[i]);
    if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
  }
  return true;
}

}  // namespace ravelo
