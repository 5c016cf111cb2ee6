// The import passes over tables of rows: which nodes, parents and arcs each shape of row gives.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/string_table.h"
#include "tests/exchange/exchange_fixture.h"

namespace ravelo {
namespace {

using ImportTest = testing::ExchangeFixture;

TEST_F(ImportTest, ARowWithOnlyATitleGivesOneEndNodeWithoutParent) {
  ImportRows({{"", "", "", "", "ひとり"}});
  ASSERT_EQ(d.count(), 1);
  EXPECT_EQ(Title(0), "ひとり");
  EXPECT_EQ(d.object(0).IsEndNode, 1);
  EXPECT_EQ(d.object(0).ParentCount, 0);
  EXPECT_EQ(d.object(0).Pos[BoxChart], kUnsetPoint);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ImportTest, TheSameParentOnTwoRowsIsMadeOnceWithTheValuesOfTheFirst) {
  ImportRows({{"3", "家族", "最初", "", "父"}, {"5", "家族", "後", "", "母"}});
  const int family = Find("家族");
  ASSERT_GE(family, 0);
  EXPECT_EQ(d.object(family).IsEndNode, 0);
  EXPECT_EQ(d.object(family).DefImage, 3);
  EXPECT_EQ(Memo(family), "最初");
  EXPECT_EQ(Count(Node), 3);
  EXPECT_EQ(Parents(Find("父")), std::vector<std::string>{"家族"});
  EXPECT_EQ(Parents(Find("母")), std::vector<std::string>{"家族"});
}

TEST_F(ImportTest, TheSameChildUnderTwoParentsIsOneNodeWithBothParents) {
  ImportRows({{"", "家族", "", "", "父", "一行目"}, {"", "会社", "", "", "父", "二行目"}});
  EXPECT_EQ(Count(Node), 3);
  EXPECT_EQ(Parents(Find("父")), (std::vector<std::string>{"家族", "会社"}));
  EXPECT_EQ(Memo(Find("父")), "一行目");  // later rows do not change a child made already
}

TEST_F(ImportTest, AChildNamedLikeAParentNestsThatParentAndPutsItsMemoInFront) {
  ImportRows({{"", "部", "部の記事", "", "課"}, {"", "課", "課の記事", "", "係"}, {"", "部", "", "", "課", "追記"}});
  const int section = Find("課");
  EXPECT_EQ(Count(Node), 3);  // no second node for 課
  EXPECT_EQ(d.object(section).IsEndNode, 0);
  EXPECT_EQ(Parents(section), std::vector<std::string>{"部"});
  // The row that names 課 again with a memo puts it in front of the memo 課 has as a parent.
  EXPECT_EQ(Memo(section), "追記\n課の記事");
  EXPECT_EQ(Parents(Find("係")), std::vector<std::string>{"課"});
}

TEST_F(ImportTest, PictureNumbersOfColumnsAAndD) {
  settings.WriteInt("NodeDef", "DefImage", 4);
  struct Case {
    const char* cell;
    int picture;
  } cases[] = {{"", 4}, {"0", 4}, {"-2", 0}, {" +7x", 7}, {"abc", 4}, {"99", 0}};
  for (const Case& c : cases) {
    ResetToNewDocument(d, random, 1);
    ImportRows({{"", "", "", c.cell, "子"}});
    EXPECT_EQ(std::max(d.object(0).DefImage, 0), c.picture) << "column D " << c.cell;
  }
  EXPECT_EQ(Texts(), std::vector<std::string>{"イメージの読込みに失敗しました"});
}

TEST_F(ImportTest, RowsWithoutChildTitleAreReportedByNumberInBothPassesAndMakeNoArcs) {
  ImportRows({{"", "家族", "", "", ""}, {"", "", "", "", "", "", "母"}, {"", "", "", "", "母"}}, 2);
  const std::string report = "行目\n" + std::string(ResourceText(kMsgRowWithoutChildTitle));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"2" + report, "2" + report, "3" + report}));
  EXPECT_EQ(Find("家族"), -1);
  EXPECT_EQ(Count(LinkArc), 0);
}

TEST_F(ImportTest, LinkTriplesBecomeArcsFromTheRowNodeAndUnknownTargetsAreSkipped) {
  ImportRows({{"", "家族", "", "", "父", "", "誰か", "不明", "", "母", "夫婦", "メモ\n二行", "家族", "所属", ""},
              {"", "家族", "", "", "母"}});
  ASSERT_EQ(Count(LinkArc), 2);
  const int marriage = Find("夫婦", LinkArc);
  ASSERT_GE(marriage, 0);
  EXPECT_EQ(d.object(marriage).Serial, d.object(Find("父")).Serial);
  EXPECT_EQ(d.object(marriage).ToSerial, d.object(Find("母")).Serial);
  EXPECT_EQ(Memo(marriage), "メモ\n二行");
  for (int chart = 0; chart < kChartCount; ++chart) EXPECT_EQ(d.object(marriage).ShowMemo[chart], 0);
  EXPECT_EQ(d.object(Find("所属", LinkArc)).ToSerial, d.object(Find("家族")).Serial);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ImportTest, TriplesEndAtTheFirstEmptyName) {
  ImportRows({{"", "", "", "", "父", "", "", "x", "", "父", "自分へ"}});
  EXPECT_EQ(Count(LinkArc), 0);
}

TEST_F(ImportTest, AnEleventhParentIsReportedWithTheChildsTitleAndDropped) {
  testing::Rows rows;
  for (int p = 0; p < 11; ++p) rows.push_back({"", "親" + std::to_string(p), "", "", "子"});
  ImportRows(rows);
  EXPECT_EQ(d.object(Find("子")).ParentCount, kMaxParents);
  EXPECT_EQ(Texts(), std::vector<std::string>{"『子』の" + std::string(ResourceText(kMsgTooManyParents))});
}

TEST_F(ImportTest, AParentThatWouldBecomeItsOwnAncestorIsRefused) {
  ImportRows({{"", "甲", "", "", "乙"}, {"", "乙", "", "", "甲"}, {"", "丙", "", "", "丙"}});
  EXPECT_EQ(Parents(Find("乙")), std::vector<std::string>{"甲"});
  EXPECT_TRUE(Parents(Find("甲")).empty());
  EXPECT_TRUE(Parents(Find("丙")).empty());
  const std::string refused(ResourceText(kMsgParentCycle));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"2行目\n" + refused, "3行目\n" + refused}));
}

TEST_F(ImportTest, LongTextsAreCutOnACharacterBoundary) {
  std::string longTitle = "a";
  for (int i = 0; i < 30; ++i) longTitle += "漢";  // 1 + 60 bytes in cp932
  std::string longMemo = "b";
  for (int i = 0; i < 300; ++i) longMemo += "字";
  ImportRows({{"", "", "", "", longTitle, longMemo}});
  const std::string storedTitle(FieldText(d.object(0).Title));
  const std::string storedMemo(FieldText(d.object(0).MemoText));
  EXPECT_EQ(storedTitle.size(), 49u);  // 1 + 24 characters: a 25th would need bytes 50 and 51
  EXPECT_EQ(storedMemo.size(), 499u);
  EXPECT_EQ(Cp932ToUtf8(storedTitle), longTitle.substr(0, 1 + 24 * 3));
}

TEST_F(ImportTest, AFullTableEndsThePassThatMeetsIt) {
  testing::Rows rows;
  for (int i = 0; i < kMaxObjects - 1; ++i) rows.push_back({"", "", "", "", "n" + std::to_string(i)});
  rows.push_back({"", "", "", "", "last", "", "n0", "arc"});
  rows.push_back({"", "", "", "", "one too many"});
  ImportRows(rows);
  EXPECT_EQ(d.count(), kMaxObjects);
  EXPECT_EQ(Find("one too many"), -1);
  EXPECT_EQ(Count(LinkArc), 0);
  EXPECT_EQ(Texts(), (std::vector<std::string>(2, std::string(ResourceText(kMsgObjectLimit)))));
}

}  // namespace
}  // namespace ravelo
