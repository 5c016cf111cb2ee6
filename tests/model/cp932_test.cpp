#include "model/cp932.h"

#include <gtest/gtest.h>

namespace ravelo {
namespace {

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

TEST(Cp932, LeadByteRanges) {
  EXPECT_FALSE(IsLeadByte(0x80));
  EXPECT_TRUE(IsLeadByte(0x81));
  EXPECT_TRUE(IsLeadByte(0x9F));
  EXPECT_FALSE(IsLeadByte(0xA0));  // half-width katakana are single bytes
  EXPECT_FALSE(IsLeadByte(0xDF));
  EXPECT_TRUE(IsLeadByte(0xE0));
  EXPECT_TRUE(IsLeadByte(0xFC));
  EXPECT_FALSE(IsLeadByte(0xFD));
}

TEST(Cp932, TruncateNeverSplitsADoubleByteCharacter) {
  // 51 bytes: 49 ASCII bytes then one two-byte character; a limit of 50 keeps 49.
  const std::string title = std::string(49, 'a') + Sjis("あ");
  ASSERT_EQ(title.size(), 51u);
  EXPECT_EQ(TruncateBytes(title, 50), std::string(49, 'a'));
  EXPECT_EQ(TruncateBytes(title, 51), title);
  EXPECT_EQ(TruncateBytes(Sjis("日本語"), 5), Sjis("日本"));
  EXPECT_EQ(TruncateBytes("abc", 0), "");
  // A lone lead byte at the end counts as one byte.
  EXPECT_EQ(TruncateBytes("ab\x82", 3), "ab\x82");
}

TEST(Cp932, RoundTripsJapaneseText) {
  const std::string utf8 = "関係図の見出し　ｶﾀｶﾅ ABC①";
  const Cp932Conversion sjis = Utf8ToCp932(utf8);
  EXPECT_TRUE(sjis.Complete());
  EXPECT_EQ(Cp932ToUtf8(sjis.text), utf8);
  EXPECT_EQ(Sjis("あ"), "\x82\xA0");
}

TEST(Cp932, ReportsCharactersItCannotHold) {
  const Cp932Conversion sjis = Utf8ToCp932("a😀b한c");
  EXPECT_FALSE(sjis.Complete());
  EXPECT_EQ(sjis.unconvertible, (std::vector<std::string>{"😀", "한"}));
  EXPECT_EQ(sjis.text, "a?b?c");
}

TEST(Cp932, MalformedBytesBecomeReplacementCharacters) {
  EXPECT_EQ(Cp932ToUtf8("a\x82"), "a\xEF\xBF\xBD");
  EXPECT_EQ(Cp932ToUtf8("\xFF" "b"), "\xEF\xBF\xBD" "b");
}

TEST(Cp932, FieldsAreCutToTheirLimitAndZeroFilled) {
  char field[6];
  std::fill(std::begin(field), std::end(field), 'x');
  SetFieldText(field, Sjis("あいう"), 10);
  EXPECT_EQ(FieldText(field), Sjis("あい"));
  EXPECT_EQ(field[4], '\0');
  EXPECT_EQ(field[5], '\0');
  char full[3] = {'a', 'b', 'c'};  // no NUL: the text stops at the field's end
  EXPECT_EQ(FieldText(full), "abc");
}

}  // namespace
}  // namespace ravelo
