// The search and replace pane without its windows: the phrases and options of its two screens,
// the ten result lists, searching, bulk replacement by phrase and by dictionary, and showing a
// hit in the view. The editor's pane and ravelo-cli both work through it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/diagram.h"
#include "platform/messages.h"
#include "platform/settings_store.h"
#include "render/surface.h"
#include "search/dictionary.h"
#include "search/phrase_history.h"
#include "search/phrase_match.h"

namespace ravelo {

enum class SearchTarget { All = 0, Titles = 1, Memos = 2 };

constexpr int kResultListCount = 10;
constexpr int kHitLimit = 1000;

// One line of a result list. The first line is the condition and the last the summary; a hit
// line between them keeps the object and field it was found in.
struct ResultLine {
  std::string text;  // UTF-8
  int object = -1;   // the object's index at the time of the search; -1 on the first and last line
  bool memo = false;
};

struct ResultList {
  std::vector<ResultLine> lines;
  int selected = -1;
  int HitRows() const { return lines.size() > 2 ? static_cast<int>(lines.size()) - 2 : 0; }
  bool IsHitRow(int row) const { return row >= 1 && row <= HitRows(); }
};

// What the pane needs of the editor around it.
class SearchHost {
 public:
  virtual ~SearchHost() = default;
  virtual void TakeUndoSnapshot() = 0;
  // The document was changed: mark it modified, redraw the view and refresh the status counts.
  virtual void DocumentChanged() = 0;
  // The chart's scrollable size and the window's, in canvas pixels; scroll to a canvas position.
  virtual Size ViewSize() const = 0;
  virtual Size ClientSize() const = 0;
  virtual void ScrollTo(Point position) = 0;
  virtual void Redraw() = 0;
  // Brings the selected objects to the front of the drawing order.
  virtual void BringSelectionToFront() = 0;
};

// The counts of the running operation.
struct ScanCounters {
  int searched = 0;       // objects looked at
  int hits = 0;           // fields that held the phrase
  long replacements = 0;  // matches replaced and stored
  int skipped = 0;        // fields left as they were because the result would not fit
};

class SearchPane {
 public:
  SearchPane(Diagram& diagram, SettingsStore& store, Messages& messages, SearchHost& host);

  // Restores the screen, case option, result list and dictionary from the settings.
  void Load();

  // Texts typed into the phrase boxes (UTF-8); line breaks are removed. An empty replacement box
  // leaves the replacement phrase as it was.
  void SetSearchText(std::string_view utf8);
  void SetReplacementText(std::string_view utf8);
  const std::string& searchText() const { return searchText_; }
  const std::string& replacementText() const { return replacementText_; }
  PhraseHistory& searchHistory() { return searchHistory_; }
  PhraseHistory& replacementHistory() { return replacementHistory_; }

  bool searchScreen = true;
  SearchTarget target = SearchTarget::All;
  LetterCase letterCase = LetterCase::Ignore;
  int resultList = 0;      // the list the next search fills
  std::string dictionary;  // the selected dictionary's name
  std::string dictionaryFolder;

  // Which commands can run now.
  bool HasObjects() const { return diagram_.count() > 0; }
  bool CanSearch() const { return HasObjects() && !searchText_.empty(); }

  // The commands of the pane; each tells the user what came of it.
  void Search();
  void ReplaceByPhrase();
  void ReplaceByDictionary();
  // The same run with a dictionary file named by its path.
  void ReplaceByDictionaryFile(const std::string& path, std::string_view name);
  void SwitchScreen();

  const ResultList& list(int index) const { return lists_[static_cast<std::size_t>(index)]; }
  void SelectRow(int index, int row) { lists_[static_cast<std::size_t>(index)].selected = row; }
  void ClearList(int index) { lists_[static_cast<std::size_t>(index)] = {}; }
  void ClearAllLists() { lists_ = {}; }
  int activeList = 0;  // the list whose tab is shown

  // Shows the hit of the selected row of the list (step 0), of the next (+1) or previous (-1) hit
  // row, wrapping around; toFront also brings the object to the front.
  void ShowResultRow(int index, int step, bool toFront);

  const ScanCounters& counters() const { return counters_; }

 private:
  enum class ScanMode { List, Count, Replace };
  // The condition line, or nothing after telling the user why the command cannot run.
  std::optional<std::string> BuildConditionText(bool forDictionary);
  bool TakePhrases(bool forDictionary);
  void ScanObjects(ScanMode mode);
  bool RecordHit(ScanMode mode, int object, bool memo);
  std::string CompletionText(int searched) const;
  void RunDictionary(const std::vector<PhrasePair>& pairs, bool forward);

  Diagram& diagram_;
  SettingsStore& store_;
  Messages& messages_;
  SearchHost& host_;
  PhraseHistory searchHistory_;
  PhraseHistory replacementHistory_;
  std::string searchText_;       // UTF-8, as typed
  std::string replacementText_;  // UTF-8, as typed
  std::string phrase_;           // cp932, of the running operation
  std::string replacement_;      // cp932, of the running operation
  std::array<ResultList, kResultListCount> lists_{};
  ScanCounters counters_;
};

}  // namespace ravelo
