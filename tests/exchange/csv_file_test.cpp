// Reading CSV text for an import: line ends, encodings, the row count and its limit, fields.
#include "exchange/csv_file.h"

#include <gtest/gtest.h>

#include "model/cp932.h"
#include "model/text_fields.h"

namespace ravelo {
namespace {

CsvLines Decoded(const std::string& bytes) {
  CsvLines csv;
  EXPECT_EQ(DecodeCsvText(bytes, csv), CsvReadResult::Read);
  return csv;
}

std::string Lines(int count, const std::string& prefix = ",,,,") {
  std::string text;
  for (int i = 1; i <= count; ++i) text += prefix + std::to_string(i) + "\r\n";
  return text;
}

TEST(CsvReadTest, LinesLoseTheirCrLfButKeepALoneCr) {
  EXPECT_EQ(Decoded("a\r\nb\rc\nd").lines, (std::vector<std::string>{"a", "b\rc", "d"}));
  EXPECT_TRUE(Decoded("").lines.empty());
}

TEST(CsvReadTest, EncodingsOfTheFile) {
  const std::string cp932 = Utf8ToCp932(",,,,漢字ｶﾅ").text;
  EXPECT_EQ(Decoded(cp932).lines, std::vector<std::string>{cp932});
  // UTF-8, with or without its mark, is taken as such; what cp932 cannot hold is listed.
  EXPECT_EQ(Decoded(",,,,漢字ｶﾅ").lines, std::vector<std::string>{cp932});
  const CsvLines marked = Decoded("\xEF\xBB\xBF,,,,漢😀");
  EXPECT_EQ(marked.lines, std::vector<std::string>{Utf8ToCp932(",,,,漢?").text});
  EXPECT_EQ(marked.replaced, std::vector<std::string>{"😀"});

  CsvLines csv;
  for (const std::string bad : {"\x81", "a\xFF", "\x82\x20", "\x80\x80"})
    EXPECT_EQ(DecodeCsvText(bad, csv), CsvReadResult::NotCp932) << bad;
}

TEST(CsvRowsTest, HeaderAndRowCount) {
  const CsvLines csv = Decoded("h,h,h,h,h\r\n,,,,a\r\n,,,,b\r\n\r\n");
  EXPECT_EQ(CsvDataRows(csv, true).table.rows.size(), 2u);
  EXPECT_EQ(CsvDataRows(csv, false).table.rows.size(), 3u);
  EXPECT_EQ(CsvDataRows(csv, false).table.Cell(2, 5), "b");
}

TEST(CsvRowsTest, ShortLinesAmongRowsAreReadAndDoNotPushRowsOut) {
  const CsvLines csv = Decoded(",,,,a\r\n\r\nx,y\r\n,,,,b\r\n");
  const CsvRows rows = CsvDataRows(csv, false);
  ASSERT_EQ(rows.table.rows.size(), 4u);
  EXPECT_EQ(rows.table.Cell(3, 5), "b");
}

TEST(CsvRowsTest, TwoThousandRowsAreTakenAndMoreAreLeftOutWithNotice) {
  const CsvRows exactly = CsvDataRows(Decoded(Lines(2000)), false);
  EXPECT_EQ(exactly.table.rows.size(), 2000u);
  EXPECT_FALSE(exactly.overLimit);

  const CsvRows over = CsvDataRows(Decoded("header\r\n" + Lines(2500)), true);
  ASSERT_EQ(over.table.rows.size(), 2000u);
  EXPECT_TRUE(over.overLimit);
  EXPECT_EQ(over.table.Cell(1999, 5), "2000");
}

TEST(CsvRowsTest, AHundredThousandLinesAreNotAllRead) {
  const CsvLines csv = Decoded(Lines(100000));
  EXPECT_LE(csv.lines.size(), 2002u);
}

TEST(ExtractFieldTest, FieldsSplitAtEveryCommaOutsideTwoByteCharacters) {
  const std::string text = Utf8ToCp932("a,ソ表,,\"q, r\", s ").text;  // ソ and 表 end in 0x5C
  const std::pair<int, std::string> cases[] = {{1, "a"},    {2, "ソ表"}, {3, ""}, {4, "\"q"},
                                               {5, " r\""}, {6, " s "},  {7, ""}, {0, ""}};
  for (const auto& [n, field] : cases) EXPECT_EQ(ExtractField(text, n, ','), Utf8ToCp932(field).text) << n;
  // A lead byte swallows the byte after it, even a delimiter.
  EXPECT_EQ(ExtractField("\x83,x,y", 2, ','), "y");
  EXPECT_EQ(SplitFields(text, ',').size(), 6u);
}

}  // namespace
}  // namespace ravelo
