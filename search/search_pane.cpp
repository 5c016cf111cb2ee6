#include "search/search_pane.h"

#include <algorithm>

#include "arcs/arc_path.h"
#include "model/cp932.h"
#include "model/string_table.h"

namespace ravelo {

namespace {

constexpr std::string_view kSection = "Search";
constexpr const char* kTargetNames[] = {"すべて", "タイトル", "記事"};
// How much of a field a hit line shows.
constexpr std::size_t kHitTextBytes = 100;

// A hit line holds one line of text: the line breaks of a memo show as spaces.
std::string OneLine(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
  }
  return line;
}

Point TargetPoint(const Diagram& diagram, int object) {
  const ObjectState& state = diagram.state(object);
  if (IsLinkArc(diagram.object(object))) return state.ArcHandles[0];
  const Rect& body = state.BodyRect;
  return {body.left + (body.right - body.left) / 2, body.top + (body.bottom - body.top) / 2};
}

// The scroll position that puts point in the middle of the window along one direction; 0 when
// the view fits the window that way.
int CentredScroll(int point, int view, int client) {
  return view > client ? std::clamp(point - client / 2, 0, view - client) : 0;
}

}  // namespace

SearchPane::SearchPane(Diagram& diagram, SettingsStore& store, Messages& messages, SearchHost& host)
    : diagram_(diagram),
      store_(store),
      messages_(messages),
      host_(host),
      searchHistory_(store, "1"),
      replacementHistory_(store, "2") {}

void SearchPane::Load() {
  searchScreen = store_.ReadInt(kSection, "Change", 1) != 0;
  letterCase = store_.ReadInt(kSection, "Kubetu", 0) != 0 ? LetterCase::Match : LetterCase::Ignore;
  resultList = std::clamp(store_.ReadInt(kSection, "DspOut", 0), 0, kResultListCount - 1);
  activeList = resultList;
  dictionary = store_.ReadString(kSection, "RepDic", "");
  const std::vector<std::string> searches = searchHistory_.Entries();
  const std::vector<std::string> replacements = replacementHistory_.Entries();
  searchText_ = searches.empty() ? std::string() : searches.front();
  replacementText_ = replacements.empty() ? std::string() : replacements.front();
}

void SearchPane::SetSearchText(std::string_view utf8) { searchText_ = StripLineBreaks(utf8); }

void SearchPane::SetReplacementText(std::string_view utf8) {
  std::string text = StripLineBreaks(utf8);
  if (!text.empty()) replacementText_ = std::move(text);
}

bool SearchPane::TakePhrases(bool forDictionary) {
  if (forDictionary) return true;
  const auto convert = [this](const std::string& utf8, std::string& cp932) {
    Cp932Conversion converted = Utf8ToCp932(utf8);
    if (!converted.Complete()) {
      std::string shown;
      for (const std::string& character : converted.unconvertible) shown += character;
      ShowResourceMessage(messages_, shown + "\n", kMsgNotInCp932, MessageIcon::Stop);
      return false;
    }
    cp932 = std::move(converted.text);
    return true;
  };
  if (searchText_.empty()) {
    ShowResourceMessage(messages_, "", kMsgNoText, MessageIcon::Stop);
    return false;
  }
  if (!convert(searchText_, phrase_)) return false;
  searchHistory_.Add(searchText_);
  if (searchScreen) return true;
  if (!convert(replacementText_, replacement_)) return false;
  if (!replacementText_.empty()) replacementHistory_.Add(replacementText_);
  return true;
}

std::optional<std::string> SearchPane::BuildConditionText(bool forDictionary) {
  if (!TakePhrases(forDictionary)) return std::nullopt;
  if (forDictionary) {
    if (dictionary.empty()) {
      ShowResourceMessage(messages_, "", kMsgNoDictionaryChosen, MessageIcon::Information);
      return std::nullopt;
    }
    store_.WriteString(kSection, "RepDic", dictionary);
  }
  store_.WriteInt(kSection, "Target", static_cast<int>(target));
  std::string text = "「" + std::string(kTargetNames[static_cast<int>(target)]);
  if (forDictionary) {
    text += "」の中の文字を置換辞書「" + dictionary + "」を使用して";
  } else {
    text += "」の中から「" + searchText_ + "」を";
    if (!searchScreen) text += "「" + replacementText_ + "」に";
  }
  text += "大文字・小文字を区別";
  text += letterCase == LetterCase::Match ? "して" : "しないで";
  if (searchScreen) text += "検索…";
  store_.WriteInt(kSection, "Kubetu", letterCase == LetterCase::Match ? 1 : 0);
  if (!forDictionary) store_.WriteInt(kSection, "DspOut", resultList);
  return text;
}

void SearchPane::ScanObjects(ScanMode mode) {
  for (int i = 0; i < diagram_.count(); ++i) {
    const DiagramObject& object = diagram_.object(i);
    const std::string_view title = target != SearchTarget::Memos ? FieldText(object.Title) : std::string_view();
    const std::string_view memo = target != SearchTarget::Titles ? FieldText(object.MemoText) : std::string_view();
    if (title.empty() && memo.empty()) continue;
    ++counters_.searched;
    if (FindPhrase(title, phrase_, letterCase) != std::string_view::npos && !RecordHit(mode, i, false)) return;
    if (FindPhrase(memo, phrase_, letterCase) != std::string_view::npos && !RecordHit(mode, i, true)) return;
  }
}

bool SearchPane::RecordHit(ScanMode mode, int index, bool memo) {
  DiagramObject& object = diagram_.object(index);
  const std::string_view field = memo ? FieldText(object.MemoText) : FieldText(object.Title);
  if (mode == ScanMode::List) {
    std::string line = OneLine(Cp932ToUtf8(TruncateBytes(field, kHitTextBytes)));
    line += memo ? "【記事】(" : "【タイトル】(";
    line += std::to_string(index) + ")";
    lists_[static_cast<std::size_t>(resultList)].lines.push_back({std::move(line), index, memo});
  } else if (mode == ScanMode::Replace) {
    // A result that would not fit is never cut: the field stays as it was and is counted, so that
    // the user learns how many texts were not replaced.
    const Replaced replaced = ReplacePhrase(field, phrase_, replacement_, letterCase);
    const std::size_t limit = memo ? kMemoBytes : kTitleBytes;
    if (replaced.text.size() > limit) {
      ++counters_.skipped;
    } else {
      if (memo) {
        SetFieldText(object.MemoText, replaced.text, limit);
      } else {
        SetFieldText(object.Title, replaced.text, limit);
      }
      counters_.replacements += replaced.count;
    }
  }
  if (++counters_.hits < kHitLimit) return true;
  ShowResourceMessage(messages_, "", kMsgHitLimit, MessageIcon::Information);
  return false;
}

void SearchPane::Search() {
  const std::optional<std::string> condition = BuildConditionText(false);
  if (!condition) return;
  counters_ = {};
  ResultList& list = lists_[static_cast<std::size_t>(resultList)];
  list = {};
  list.lines.push_back({*condition});
  ScanObjects(ScanMode::List);
  list.lines.push_back({"検索オブジェクト数 " + std::to_string(counters_.searched) + "件、ヒット数 " +
                        std::to_string(counters_.hits) + "件"});
  activeList = resultList;
}

std::string SearchPane::CompletionText(int searched) const {
  std::string text =
      "置換対象数 " + std::to_string(searched) + "件\n置換数 " + std::to_string(counters_.replacements) + "件\n";
  if (counters_.skipped > 0)
    text += std::string(ResourceText(kMsgSkippedByLimit)) + " " + std::to_string(counters_.skipped) + "件\n";
  return text + "\n";
}

void SearchPane::ReplaceByPhrase() {
  const std::optional<std::string> condition = BuildConditionText(false);
  if (!condition) return;
  if (phrase_ == replacement_) {
    ShowResourceMessage(messages_, "", kMsgSamePhrases, MessageIcon::Stop);
    return;
  }
  counters_ = {};
  ScanObjects(ScanMode::Count);
  if (counters_.hits == 0) {
    ShowResourceMessage(messages_, "", kMsgNothingToReplace, MessageIcon::Information);
    return;
  }
  const std::string question = "置換対象数 : 全 " + std::to_string(counters_.hits) + "件\n\n" + *condition;
  if (ShowResourceMessage(messages_, question, kMsgReplaceConfirm, MessageIcon::Question, MessageButtons::YesNo) !=
      MessageAnswer::Yes)
    return;
  counters_ = {};
  host_.TakeUndoSnapshot();
  ScanObjects(ScanMode::Replace);
  if (counters_.replacements > 0) host_.DocumentChanged();
  ShowResourceMessage(messages_, CompletionText(counters_.searched) + *condition, kMsgReplaceDone,
                      MessageIcon::Information);
}

void SearchPane::ReplaceByDictionary() {
  if (dictionary.empty()) {
    ShowResourceMessage(messages_, "", kMsgNoDictionaryChosen, MessageIcon::Information);
    return;
  }
  ReplaceByDictionaryFile(dictionaryFolder + "/" + dictionary, dictionary);
}

void SearchPane::ReplaceByDictionaryFile(const std::string& path, std::string_view name) {
  dictionary = name;
  const std::optional<std::string> condition = BuildConditionText(true);
  if (!condition) return;
  const MessageAnswer direction = ShowResourceMessage(messages_, *condition, kMsgDictionaryDirection,
                                                      MessageIcon::Question, MessageButtons::YesNoCancel);
  if (direction == MessageAnswer::Cancel) return;
  // The dictionary is read before the snapshot, so that a dictionary that cannot be used leaves
  // no empty undo step behind.
  const std::optional<std::vector<PhrasePair>> pairs = ReadDictionaryFile(path, name, messages_);
  if (!pairs) return;
  if (pairs->empty()) {
    ShowResourceMessage(messages_, "『" + std::string(name) + "』\n", kMsgDictionaryEmpty, MessageIcon::Information);
    return;
  }
  counters_ = {};
  host_.TakeUndoSnapshot();
  for (const PhrasePair& pair : *pairs) {
    phrase_ = direction == MessageAnswer::Yes ? pair.before : pair.after;
    replacement_ = direction == MessageAnswer::Yes ? pair.after : pair.before;
    ScanObjects(ScanMode::Replace);
  }
  if (counters_.replacements > 0) host_.DocumentChanged();
  const int searched = counters_.searched / static_cast<int>(pairs->size());
  ShowResourceMessage(messages_, CompletionText(searched) + *condition, kMsgReplaceDone, MessageIcon::Information);
}

void SearchPane::SwitchScreen() {
  searchScreen = !searchScreen;
  store_.WriteInt(kSection, "Change", searchScreen ? 1 : 0);
}

void SearchPane::ShowResultRow(int index, int step, bool toFront) {
  ResultList& list = lists_[static_cast<std::size_t>(index)];
  int row = list.selected;
  if (!list.IsHitRow(row)) return;
  const int rows = list.HitRows();
  if (step != 0 && rows == 1) return;
  if (step > 0) row = row == rows ? 1 : row + 1;
  if (step < 0) row = row == 1 ? rows : row - 1;
  if (step != 0) list.selected = row;
  const ResultLine& line = list.lines[static_cast<std::size_t>(row)];
  const int object = line.object;
  if (object < 0 || object >= diagram_.count()) return;

  const Point point = TargetPoint(diagram_, object);
  const Size view = host_.ViewSize();
  const Size client = host_.ClientSize();
  if (view.width > client.width || view.height > client.height)
    host_.ScrollTo(
        {CentredScroll(point.X, view.width, client.width), CentredScroll(point.Y, view.height, client.height)});
  const int current = diagram_.header.CurrentObject;
  if (current >= 0 && current < diagram_.count()) diagram_.state(current).Selected = 0;
  diagram_.state(object).Selected = 1;
  diagram_.header.CurrentObject = object;
  host_.Redraw();

  const int chart = ShownChart(diagram_);
  if (line.memo && diagram_.object(object).ShowMemo[chart] == 0 &&
      ShowResourceMessage(messages_, "", kMsgShowHiddenMemo, MessageIcon::Question, MessageButtons::YesNo) ==
          MessageAnswer::Yes) {
    diagram_.object(object).ShowMemo[chart] = 1;
    host_.DocumentChanged();
  }
  if (toFront) host_.BringSelectionToFront();
}

}  // namespace ravelo
