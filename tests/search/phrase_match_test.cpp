#include "search/phrase_match.h"

#include <gtest/gtest.h>

#include "model/cp932.h"

namespace ravelo {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

constexpr std::size_t npos = std::string_view::npos;

struct MatchCase {
  const char* name;
  std::string text;
  std::string phrase;
  LetterCase letterCase;
  std::size_t expected;
};

TEST(FindPhrase, TableOfCases) {
  const MatchCase cases[] = {
      {"plain", "abcabc", "ca", LetterCase::Match, 2},
      {"ignore case finds upper", "xABC", "abc", LetterCase::Ignore, 1},
      {"match case does not", "xABC", "abc", LetterCase::Match, npos},
      {"match case finds exact", "xABCabc", "abc", LetterCase::Match, 4},
      // ア is 83 41: its trail byte is the letter A, in either case option.
      {"trail byte A", Sjis("ア"), "A", LetterCase::Match, npos},
      {"trail byte a, case ignored", Sjis("ア"), "a", LetterCase::Ignore, npos},
      {"letter after the character", Sjis("アA"), "A", LetterCase::Match, 2},
      // ソ is 83 5C: its trail byte is the backslash.
      {"trail byte backslash", Sjis("ソ"), "\\", LetterCase::Match, npos},
      {"backslash after katakana", Sjis("ソ\\"), "\\", LetterCase::Match, 2},
      // ャ is 83 83; ア (83 41) inside ャA would start on a trail byte.
      {"phrase starting on a trail byte", Sjis("ャA"), Sjis("ア"), LetterCase::Match, npos},
      {"double-byte phrase", Sjis("関係図の見出し"), Sjis("見出"), LetterCase::Ignore, 8},
      // The case option never folds a double-byte character's bytes.
      {"trail bytes never fold", Sjis("ア"),
       "\x83"
       "a",
       LetterCase::Ignore, npos},
      {"full-width letters do not fold", Sjis("ＡＢＣ"), Sjis("ａｂｃ"), LetterCase::Ignore, npos},
      {"memo with line feeds", "first\r\nsecond", "second", LetterCase::Match, 7},
      {"no match across a line feed", "first\r\nsecond", "firstsecond", LetterCase::Match, npos},
      {"empty phrase", "abc", "", LetterCase::Match, npos},
      {"phrase longer than text", "ab", "abc", LetterCase::Match, npos},
      {"lone lead byte at the end", "a\x83", "\x83", LetterCase::Match, 1},
  };
  for (const MatchCase& c : cases) EXPECT_EQ(FindPhrase(c.text, c.phrase, c.letterCase), c.expected) << c.name;
}

TEST(ReplacePhrase, LeftToRightWithoutOverlap) {
  const Replaced a = ReplacePhrase("aaaa", "aa", "b", LetterCase::Match);
  EXPECT_EQ(a.text, "bb");
  EXPECT_EQ(a.count, 2);
  const Replaced b = ReplacePhrase("Abc abc ABC", "abc", "x", LetterCase::Ignore);
  EXPECT_EQ(b.text, "x x x");
  EXPECT_EQ(b.count, 3);
  const Replaced c = ReplacePhrase(Sjis("ソ\\ソ"), "\\", "/", LetterCase::Match);
  EXPECT_EQ(c.text, Sjis("ソ/ソ"));
  EXPECT_EQ(c.count, 1);
  const Replaced none = ReplacePhrase("abc", "x", "y", LetterCase::Match);
  EXPECT_EQ(none.text, "abc");
  EXPECT_EQ(none.count, 0);
}

TEST(StripLineBreaks, RemovesEveryKind) { EXPECT_EQ(StripLineBreaks("a\r\nb\rc\nd\n\re"), "abcde"); }

TEST(IsCp932Text, RefusesBrokenCharacters) {
  EXPECT_TRUE(IsCp932Text(Sjis("東京都ｶﾀｶﾅ abc")));
  EXPECT_FALSE(IsCp932Text("\x83"));      // lead byte without trail
  EXPECT_FALSE(IsCp932Text("\x83\x7F"));  // no trail byte
  EXPECT_FALSE(IsCp932Text("\x83\x20"));
  EXPECT_FALSE(IsCp932Text("a\xFF"));
  EXPECT_FALSE(IsCp932Text("\x80"));
}

}  // namespace
}  // namespace ravelo
