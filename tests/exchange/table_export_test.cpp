// The rows of an export, the CSV text they make, and the names of spreadsheet columns.
#include "exchange/table_export.h"

#include <gtest/gtest.h>

#include "exchange/csv_file.h"
#include "tests/exchange/exchange_fixture.h"
#include "tests/support/diagram_builder.h"

namespace ravelo {
namespace {

class ExportTest : public testing::ExchangeFixture {
 protected:
  int Node(int32_t serial, std::initializer_list<int32_t> parents, const std::string& title,
           const std::string& memo = "", int picture = 0) {
    const int index = testing::AddNode(d, serial, parents, Utf8ToCp932(title).text);
    SetFieldText(d.object(index).MemoText, Utf8ToCp932(memo).text, kMemoBytes);
    d.object(index).DefImage = picture;
    return index;
  }
  void Arc(int32_t from, int32_t to, const std::string& title, const std::string& memo = "") {
    const int index = testing::AddArc(d, from, to);
    SetFieldText(d.object(index).Title, Utf8ToCp932(title).text, kTitleBytes);
    SetFieldText(d.object(index).MemoText, Utf8ToCp932(memo).text, kMemoBytes);
  }
  // The export's rows in UTF-8.
  testing::Rows Rows(MemoLines memos = MemoLines::Keep) {
    testing::Rows rows;
    for (const CellRow& row : ExportRows(d, memos, progress)) {
      auto& utf8 = rows.emplace_back();
      for (const std::string& cell : row) utf8.push_back(Cp932ToUtf8(cell));
    }
    return rows;
  }
  std::string CsvUtf8() { return Cp932ToUtf8(CsvFileText(ExportRows(d, MemoLines::FeedsAsSpaces, progress))); }

  const std::string header_ =
      "親ノードイメージ,親ノードタイトル,親ノード記事,子ノードイメージ,子ノードタイトル,子ノード記事,"
      "リンク子ノード名,リンクアークタイトル,リンクアーク記事,\r\n";
};

TEST_F(ExportTest, ALoneEndNodeIsOneLineOfFiveCommas) {
  Node(1, {}, "ひとり");
  EXPECT_EQ(CsvUtf8(), header_ + ",,,,ひとり,\r\n");
}

TEST_F(ExportTest, AChildOfTwoParentsGivesTwoRowsWithItsLinksOnTheFirst) {
  Node(1, {}, "家族", "家", 3);
  Node(2, {}, "会社");
  Node(3, {1, 2}, "父", "", 5);
  Node(4, {1}, "母");
  Arc(3, 4, "夫婦", "メモ");
  Arc(3, 99, "行方不明");
  EXPECT_EQ(Rows(), (testing::Rows{{"3", "家族", "家", "5", "父", "", "母", "夫婦", "メモ", "", "行方不明", ""},
                                   {"", "会社", "", "5", "父", ""},
                                   {"3", "家族", "家", "", "母", ""}}));
}

TEST_F(ExportTest, ANestedParentHasRowsOfItsOwnAndUnknownParentsAreSkipped) {
  Node(1, {}, "部");
  Node(2, {1, 77}, "課");
  Node(3, {2}, "係");
  EXPECT_EQ(Rows(), (testing::Rows{{"", "部", "", "", "課", ""}, {"", "課", "", "", "係", ""}}));
}

TEST_F(ExportTest, CsvMemosLoseOnlyTheirLineFeedsAndTitlesStayUnquoted) {
  Node(1, {}, "a,b", "一行\n二行\r\n三行");
  Arc(1, 1, "自分", "x\ny");
  EXPECT_EQ(CsvUtf8(), header_ + ",,,,a,b,一行 二行\r 三行,a,b,自分,x y\r\n");
  EXPECT_EQ(Rows()[0][5], "一行\n二行\r\n三行");  // a worksheet keeps them
}

TEST_F(ExportTest, AtMostEightyLinksPerNode) {
  Node(1, {}, "元");
  for (int i = 0; i < 85; ++i) Arc(1, 1, std::to_string(i));
  EXPECT_EQ(CollectOutgoingLinks(d, 0).size(), static_cast<std::size_t>(kMaxLinkTriples));
  EXPECT_EQ(Rows()[0].size(), static_cast<std::size_t>(kMaxExchangeColumns));
}

TEST(ExcelColumnNameTest, BijectiveBase26) {
  const std::pair<int, const char*> cases[] = {{0, "A"},     {25, "Z"},      {26, "AA"},  {701, "ZZ"},
                                               {702, "AAA"}, {16383, "XFD"}, {16384, ""}, {-1, ""}};
  for (const auto& [index, name] : cases) EXPECT_EQ(ExcelColumnName(index), name) << index;
}

}  // namespace
}  // namespace ravelo
