// The search and replace pane docked in the main frame: its two screens (search with the ten
// result lists, replace with the dictionaries), over the toolkit-free SearchPane.
#pragma once

#include <wx/panel.h>

#include <array>
#include <functional>
#include <string>

#include "app/editor_context.h"
#include "search/search_pane.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxComboBox;
class wxListBox;
class wxNotebook;
class wxSizer;
class wxToolBar;
class wxUpdateUIEvent;

namespace ravelo {

class ChartView;

// What the pane asks of the frame around it.
struct SearchPaneServices {
  std::function<void()> takeUndoSnapshot;
  std::function<void()> documentChanged;  // mark modified, redraw, refresh the counts
  std::function<ChartView&()> view;
};

class SearchPaneWindow final : public wxPanel, private SearchHost {
 public:
  // Fills the dock pane container with the pane's controls.
  SearchPaneWindow(wxWindow* container, EditorContext& context, SearchPaneServices services);

  // For the window's smoke tests: the lines of the result list shown.
  std::vector<std::string> ShownResultLines() const;

 private:
  // SearchHost
  void TakeUndoSnapshot() override { services_.takeUndoSnapshot(); }
  void DocumentChanged() override { services_.documentChanged(); }
  Size ViewSize() const override;
  Size ClientSize() const override;
  void ScrollTo(Point position) override;
  void Redraw() override;
  void BringSelectionToFront() override;

  void BuildControls();
  void ShowScreen();
  void FillPhraseBox(wxComboBox& box, PhraseHistory& history);
  void FillDictionaryList();
  void FillResultList(int index);
  void TakeBoxTexts();
  void OnCommand(wxCommandEvent& event);
  void OnUpdateUi(wxUpdateUIEvent& event);
  void OnPhraseBoxKey(wxKeyEvent& event);
  void OnResultRightClick(wxMouseEvent& event);
  int ActiveList() const;

  EditorContext& context_;
  SearchPaneServices services_;
  std::string documentsFolder_;  // ends with "/"
  SearchPane pane_;
  wxButton* switchButton_ = nullptr;
  wxComboBox* searchBox_ = nullptr;
  wxComboBox* replaceBox_ = nullptr;
  wxCheckBox* caseBox_ = nullptr;
  wxChoice* targetChoice_ = nullptr;
  wxChoice* listChoice_ = nullptr;
  wxChoice* dictionaryChoice_ = nullptr;
  wxToolBar* resultTools_ = nullptr;
  wxNotebook* resultTabs_ = nullptr;
  std::array<wxListBox*, kResultListCount> resultLists_{};
  std::vector<wxWindow*> searchScreenOnly_;
  std::vector<wxWindow*> replaceScreenOnly_;
};

// Puts the search pane into its dock pane container.
void AddSearchPane(wxWindow& container, EditorContext& context, SearchPaneServices services);

}  // namespace ravelo
