#include "search/search_pane.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/cp932.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/memory_settings.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::AddNode;
using testing::MemorySettings;
using testing::RecordingMessages;

std::string Sjis(const char* utf8) { return Utf8ToCp932(utf8).text; }

class FakeHost final : public SearchHost {
 public:
  void TakeUndoSnapshot() override { ++snapshots; }
  void DocumentChanged() override { ++changes; }
  Size ViewSize() const override { return view; }
  Size ClientSize() const override { return client; }
  void ScrollTo(Point position) override { scrolledTo = position; }
  void Redraw() override { ++redraws; }
  void BringSelectionToFront() override { ++broughtToFront; }

  int snapshots = 0, changes = 0, redraws = 0, broughtToFront = 0;
  Size view{2000, 1500};
  Size client{400, 300};
  std::optional<Point> scrolledTo;
};

class SearchPaneTest : public ::testing::Test {
 protected:
  int Node(const char* title, const char* memo = "") {
    const int index = AddNode(*diagram, diagram->count() + 1, {}, Sjis(title));
    SetFieldText(diagram->object(index).MemoText, Sjis(memo), kMemoBytes);
    return index;
  }
  std::string Title(int index) { return Cp932ToUtf8(FieldText(diagram->object(index).Title)); }
  std::string Memo(int index) { return Cp932ToUtf8(FieldText(diagram->object(index).MemoText)); }
  std::vector<std::string> Lines(int list = 0) {
    std::vector<std::string> lines;
    for (const ResultLine& line : pane.list(list).lines) lines.push_back(line.text);
    return lines;
  }
  std::string LastMessage() { return messages.shown.empty() ? "" : messages.shown.back().text; }
  void ReplaceScreen(const char* from, const char* to) {
    pane.searchScreen = false;
    pane.SetSearchText(from);
    pane.SetReplacementText(to);
  }

  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  MemorySettings settings;
  RecordingMessages messages;
  FakeHost host;
  SearchPane pane{*diagram, settings, messages, host};
};

TEST_F(SearchPaneTest, SearchListsEachFieldAndCountsTheObjectOnce) {
  Node("東京タワー", "東京の\r\n電波塔");
  Node("大阪城");
  Node("", "");
  pane.SetSearchText("東\r\n京");  // a line break typed into the box is not searched
  pane.Search();
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "「すべて」の中から「東京」を大文字・小文字を区別しないで検索…",
                         "東京タワー【タイトル】(0)",
                         "東京の 電波塔【記事】(0)",
                         "検索オブジェクト数 2件、ヒット数 2件",
                     }));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(settings.ReadString("Search", "Goku1_1", ""), "東京");
}

TEST_F(SearchPaneTest, TargetsAndTheChosenList) {
  Node("abc", "ABC");
  Node("", "abc");
  pane.SetSearchText("abc");
  pane.target = SearchTarget::Memos;
  pane.letterCase = LetterCase::Match;
  pane.resultList = 3;
  pane.Search();
  EXPECT_EQ(Lines(3), (std::vector<std::string>{"「記事」の中から「abc」を大文字・小文字を区別して検索…",
                                                "abc【記事】(1)", "検索オブジェクト数 2件、ヒット数 1件"}));
  EXPECT_TRUE(pane.list(0).lines.empty());
  EXPECT_EQ(pane.activeList, 3);
  EXPECT_EQ(settings.ReadInt("Search", "DspOut", 0), 3);
  EXPECT_EQ(settings.ReadInt("Search", "Kubetu", 0), 1);
  EXPECT_EQ(settings.ReadInt("Search", "Target", 0), 2);

  pane.target = SearchTarget::Titles;
  pane.resultList = 0;
  pane.Search();
  EXPECT_EQ(Lines(0).back(), "検索オブジェクト数 1件、ヒット数 1件");
}

TEST_F(SearchPaneTest, HitTextIsCutAtOneHundredBytesOnACharacterBoundary) {
  std::string memo(99, 'x');
  memo += "あ";
  Node("", memo.c_str());
  pane.SetSearchText("あ");
  pane.Search();
  EXPECT_EQ(Lines()[1], std::string(99, 'x') + "【記事】(0)");
}

TEST_F(SearchPaneTest, SearchStopsAtOneThousandHits) {
  for (int i = 0; i < 1001; ++i) Node("hit");
  pane.SetSearchText("hit");
  pane.Search();
  EXPECT_EQ(pane.list(0).HitRows(), 1000);
  EXPECT_EQ(Lines().back(), "検索オブジェクト数 1000件、ヒット数 1000件");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "最大ヒット件数を超えました");
}

TEST_F(SearchPaneTest, ReplaceByPhraseTakesOneSnapshotAndCounts) {
  const int a = Node("abc abc", "xabc");
  const int b = Node("ABC");
  Node("none");
  ReplaceScreen("abc", "xy");
  pane.ReplaceByPhrase();
  EXPECT_EQ(Title(a), "xy xy");
  EXPECT_EQ(Memo(a), "xxy");
  EXPECT_EQ(Title(b), "xy");
  EXPECT_EQ(host.snapshots, 1);
  EXPECT_EQ(host.changes, 1);
  ASSERT_EQ(messages.shown.size(), 2u);
  const std::string condition = "「すべて」の中から「abc」を「xy」に大文字・小文字を区別しないで";
  EXPECT_EQ(messages.shown[0].text, "置換対象数 : 全 3件\n\n" + condition + "一括置換してよろしいですか");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(messages.shown[1].text, "置換対象数 3件\n置換数 4件\n\n" + condition + "一括置換を完了しました");
  EXPECT_EQ(settings.ReadString("Search", "Goku2_1", ""), "xy");
}

TEST_F(SearchPaneTest, ReplacementThatWouldPassTheLimitLeavesTheFieldAndSaysSo) {
  const std::string full = std::string(49, 'b') + "a";  // 50 bytes, the most a title holds
  const int tight = Node(full.c_str(), "a");
  const std::string memo = std::string(498, 'b') + "a";  // 499 bytes: "aa" makes 500, which fits
  const int roomy = Node("a", memo.c_str());
  ReplaceScreen("a", "aa");
  pane.ReplaceByPhrase();
  EXPECT_EQ(Title(tight), full);
  EXPECT_EQ(Memo(tight), "aa");
  EXPECT_EQ(Title(roomy), "aa");
  EXPECT_EQ(Memo(roomy), std::string(498, 'b') + "aa");
  EXPECT_EQ(pane.counters().replacements, 3);
  EXPECT_EQ(pane.counters().skipped, 1);
  EXPECT_EQ(LastMessage(),
            "置換対象数 2件\n置換数 "
            "3件\n文字数の上限(タイトル50バイト、記事500バイト)を超えるため置換しなかったテキスト 1件\n\n"
            "「すべて」の中から「a」を「aa」に大文字・小文字を区別しないで一括置換を完了しました");
}

TEST_F(SearchPaneTest, ReplacementNeverSplitsACharacterAtTheLimit) {
  // 48 bytes then "x": replacing x by a two-byte character gives 50 bytes, which fits whole.
  const std::string title = std::string(48, 'b') + "x";
  const int index = Node(title.c_str());
  ReplaceScreen("x", "あい");  // 4 bytes: 52 would not fit
  pane.ReplaceByPhrase();
  EXPECT_EQ(Title(index), title);
  ReplaceScreen("x", "あ");
  pane.ReplaceByPhrase();
  EXPECT_EQ(Title(index), std::string(48, 'b') + "あ");
}

TEST_F(SearchPaneTest, ReplacementRefusals) {
  const int index = Node("abc");
  ReplaceScreen("abc", "abc");
  pane.ReplaceByPhrase();
  EXPECT_EQ(LastMessage(), "置換前後の語句が同じです");
  ReplaceScreen("zzz", "y");
  pane.ReplaceByPhrase();
  EXPECT_EQ(LastMessage(), "置換対象語句が見つかりません");
  messages.answer = MessageAnswer::No;
  ReplaceScreen("abc", "y");
  pane.ReplaceByPhrase();
  EXPECT_EQ(Title(index), "abc");
  ReplaceScreen("😀", "y");
  pane.ReplaceByPhrase();
  EXPECT_EQ(LastMessage(), "😀\n上の文字はシフトJIS(cp932)で表せないため使えません");
  EXPECT_EQ(host.snapshots, 0);
  EXPECT_EQ(host.changes, 0);
}

TEST_F(SearchPaneTest, BulkReplacementCountsAndChangesOnlyTheFirstThousandFields) {
  for (int i = 0; i < 1002; ++i) Node("a");
  ReplaceScreen("a", "b");
  pane.ReplaceByPhrase();
  EXPECT_EQ(messages.shown[0].text, "最大ヒット件数を超えました");
  EXPECT_EQ(messages.shown[1].text.rfind("置換対象数 : 全 1000件\n", 0), 0u);
  EXPECT_EQ(messages.shown[2].text, "最大ヒット件数を超えました");
  EXPECT_EQ(Title(999), "b");
  EXPECT_EQ(Title(1000), "a");
  EXPECT_EQ(host.snapshots, 1);
}

class DictionaryRunTest : public SearchPaneTest {
 protected:
  void SetUp() override {
    pane.dictionaryFolder = folder.path();
    pane.dictionary = "地名.txt";
    pane.searchScreen = false;
  }
  void WriteDictionary(const std::string& bytes) { testing::WriteFileBytes(folder / "地名.txt", bytes); }
  testing::ScratchFolder folder;
};

TEST_F(DictionaryRunTest, PairsRunInOrderOverTheChangedTexts) {
  WriteDictionary(Sjis("東京\t東京都\r\n東京都\t首都\r\n"));
  const int a = Node("東京", "東京と大阪");
  pane.ReplaceByDictionary();
  EXPECT_EQ(Title(a), "首都");
  EXPECT_EQ(Memo(a), "首都と大阪");
  EXPECT_EQ(host.snapshots, 1);
  const std::string condition = "「すべて」の中の文字を置換辞書「地名.txt」を使用して大文字・小文字を区別しないで";
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(messages.shown[0].text.substr(0, condition.size()), condition);
  // One object searched for each of the two pairs: 2 / 2.
  EXPECT_EQ(messages.shown[1].text, "置換対象数 1件\n置換数 4件\n\n" + condition + "一括置換を完了しました");
  EXPECT_EQ(settings.ReadString("Search", "RepDic", ""), "地名.txt");
}

TEST_F(DictionaryRunTest, ReverseSwapsEachPairAndCancelChangesNothing) {
  WriteDictionary("A\tB\r\n");
  const int a = Node("B");
  messages.answer = MessageAnswer::Cancel;
  pane.ReplaceByDictionary();
  EXPECT_EQ(Title(a), "B");
  EXPECT_EQ(host.snapshots, 0);
  messages.answer = MessageAnswer::No;
  pane.ReplaceByDictionary();
  EXPECT_EQ(Title(a), "A");
  EXPECT_EQ(host.snapshots, 1);
}

TEST_F(DictionaryRunTest, DictionaryThatCannotBeUsedTakesNoSnapshot) {
  Node("a");
  pane.dictionary.clear();
  pane.ReplaceByDictionary();
  EXPECT_EQ(LastMessage(), "置換辞書が不明です");
  pane.dictionary = "地名.txt";
  WriteDictionary("no tab here\r\n");
  pane.ReplaceByDictionary();
  EXPECT_EQ(LastMessage(), "『地名.txt』\n置換辞書に置換語句が登録されていません");
  WriteDictionary(
      "\xEF\xBB\xBF"
      "東京\t東京都\r\n");  // saved as UTF-8
  pane.ReplaceByDictionary();
  EXPECT_EQ(LastMessage(),
            "『地名.txt』の1行目がシフトJIS(cp932)"
            "のテキストではないため、この置換辞書は使えません\nシフトJISで保存し直してください");
  std::filesystem::remove(folder / "地名.txt");
  pane.ReplaceByDictionary();
  EXPECT_EQ(LastMessage(), "『地名.txt』\n置換辞書の読み込みに失敗しました");
  EXPECT_EQ(host.snapshots, 0);
}

TEST_F(SearchPaneTest, ShowResultRowCentresSelectsAndWraps) {
  for (int i = 0; i < 3; ++i) {
    const int index = Node("hit");
    diagram->state(index).BodyRect = {1000 + 100 * i, 800, 1100 + 100 * i, 900};
  }
  diagram->header.CurrentObject = 0;
  diagram->state(0).Selected = 1;
  pane.SetSearchText("hit");
  pane.Search();
  pane.SelectRow(0, 3);
  pane.ShowResultRow(0, +1, false);  // from the last hit row to the first
  EXPECT_EQ(pane.list(0).selected, 1);
  EXPECT_EQ(host.scrolledTo, (Point{1050 - 200, 850 - 150}));
  EXPECT_EQ(diagram->header.CurrentObject, 0);
  pane.ShowResultRow(0, -1, true);  // from the first to the last
  EXPECT_EQ(pane.list(0).selected, 3);
  EXPECT_EQ(diagram->header.CurrentObject, 2);
  EXPECT_EQ(diagram->state(0).Selected, 0);
  EXPECT_EQ(diagram->state(2).Selected, 1);
  EXPECT_EQ(host.broughtToFront, 1);
  // The scroll stays inside the view; a direction that fits scrolls to 0.
  host.view = {1150, 200};
  pane.ShowResultRow(0, 0, false);
  EXPECT_EQ(host.scrolledTo, (Point{1150 - 400, 0}));
  // Nothing happens for the condition line or for an index no longer in the table.
  host.scrolledTo.reset();
  pane.SelectRow(0, 0);
  pane.ShowResultRow(0, 0, false);
  pane.SelectRow(0, 2);
  diagram->header.ObjectCount = 1;
  pane.ShowResultRow(0, 0, false);
  EXPECT_FALSE(host.scrolledTo);
}

TEST_F(SearchPaneTest, ALinkArcIsShownAtItsCentre) {
  Node("from");
  Node("to");
  const int arc = testing::AddArc(*diagram, 1, 2);
  SetFieldText(diagram->object(arc).Title, "arc title", kTitleBytes);
  diagram->state(arc).ArcHandles[0] = {700, 600};
  pane.SetSearchText("arc");
  pane.Search();
  pane.SelectRow(0, 1);
  pane.ShowResultRow(0, 0, false);
  EXPECT_EQ(host.scrolledTo, (Point{700 - 200, 600 - 150}));
  EXPECT_EQ(diagram->header.CurrentObject, arc);
  // A view that fits the window does not scroll.
  host.scrolledTo.reset();
  host.view = host.client;
  pane.ShowResultRow(0, 0, false);
  EXPECT_FALSE(host.scrolledTo);
}

TEST_F(SearchPaneTest, ShowingAHiddenMemoAsksToShowIt) {
  const int index = Node("", "memo text");
  pane.SetSearchText("memo");
  pane.Search();
  pane.SelectRow(0, 1);
  pane.ShowResultRow(0, 0, false);
  EXPECT_EQ(LastMessage(), "対象語句は記事中にありますが、現在非表示になっています。記事を表示しますか");
  EXPECT_EQ(diagram->object(index).ShowMemo[BoxChart], 1);
  EXPECT_EQ(host.changes, 1);
  pane.ShowResultRow(0, +1, false);  // a single hit row: stepping does nothing
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(SearchPaneTest, HistoriesKeepNewestFirstWithoutRepeats) {
  PhraseHistory& history = pane.searchHistory();
  for (const char* phrase : {"a", "b", "c", "a"}) history.Add(phrase);
  EXPECT_EQ(history.Entries(), (std::vector<std::string>{"a", "c", "b"}));
  settings.WriteInt("KanSet", "SaveCnt", 2);  // adding keeps at least five
  for (const char* phrase : {"d", "e", "f", "g", "h", "i"}) history.Add(phrase);
  settings.WriteInt("KanSet", "SaveCnt", 20);
  EXPECT_EQ(history.Entries(), (std::vector<std::string>{"i", "h", "g", "f", "e"}));
}

TEST_F(SearchPaneTest, LoadRestoresThePane) {
  settings.WriteInt("Search", "Change", 0);
  settings.WriteInt("Search", "Kubetu", 1);
  settings.WriteInt("Search", "DspOut", 7);
  settings.WriteString("Search", "RepDic", "辞書");
  pane.searchHistory().Add("前");
  pane.replacementHistory().Add("後");
  pane.Load();
  EXPECT_FALSE(pane.searchScreen);
  EXPECT_EQ(pane.letterCase, LetterCase::Match);
  EXPECT_EQ(pane.resultList, 7);
  EXPECT_EQ(pane.dictionary, "辞書");
  EXPECT_EQ(pane.searchText(), "前");
  EXPECT_EQ(pane.replacementText(), "後");
  pane.SwitchScreen();
  EXPECT_EQ(settings.ReadInt("Search", "Change", 0), 1);
}

}  // namespace
}  // namespace ravelo
