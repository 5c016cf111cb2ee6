#include "app/search_pane_window.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <algorithm>

#include "view/chart_area.h"
#include "app/chart_view.h"
#include "app/dictionary_dialogs.h"
#include "app/wx_text.h"
#include "search/dictionary_folder.h"

namespace ravelo {

namespace {

enum ControlId : int {
  kSearchBoxId = 344,
  kReplaceBoxId = 345,
  kTargetId = 346,
  kResultListChoiceId = 347,
  kSearchId = 348,
  kReplaceByPhraseId = 349,
  kReplaceByDictionaryId = 350,
  kDictionaryChoiceId = 351,
  kManageDictionariesId = 352,
  kResultToolsId = 388,
  kShowRowId = 454,
  kNextRowId = 455,
  kPreviousRowId = 456,
  kRowToFrontId = 457,
  kClearListId = 458,
  kClearAllListsId = 459,
  kCaseId = 1001,
  kSwitchScreenId = 1011,
};

struct ResultTool {
  int id;
  const char* art;   // an art provider id
  const char* help;  // long help, then after the line feed the short tooltip
};
constexpr ResultTool kResultTools[] = {
    {kShowRowId, wxART_FIND, "現在行の該当位置を中央に表示します\n現在行の位置表示"},
    {kNextRowId, wxART_GO_DOWN, "下の行の該当位置を中央に表示します\n下の行の位置表示"},
    {kPreviousRowId, wxART_GO_UP, "上の行の該当位置を中央に表示します\n上の行の位置表示"},
    {kRowToFrontId, wxART_GOTO_LAST,
     "該当位置を最前面に表示します※オブジェクトが他の下に隠れている場合に有効です\n該当位置最前面表示"},
    {kClearListId, wxART_DELETE, "現在表示中の結果表示先をクリアします\n現在の表示先クリア"},
    {kClearAllListsId, wxART_CROSS_MARK, "すべての結果表示先をクリアします\nすべての表示先クリア"},
};

wxString ShortHelp(const char* help) {
  const std::string_view text = help;
  return U(text.substr(text.find('\n') + 1));
}
wxString LongHelp(const char* help) {
  const std::string_view text = help;
  return U(text.substr(0, text.find('\n')));
}

}  // namespace

SearchPaneWindow::SearchPaneWindow(wxWindow* container, EditorContext& context, SearchPaneServices services)
    : wxPanel(container, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, U("search-pane")),
      context_(context),
      services_(std::move(services)),
      documentsFolder_(Utf8Of(wxStandardPaths::Get().GetDocumentsDir()) + "/"),
      pane_(context.diagram, context.store, context.messages, *this) {
  SetFont(wxFont(wxFontInfo(9).FaceName(U("Meiryo UI"))));
  pane_.dictionaryFolder = DictionaryFolder(documentsFolder_).path();
  pane_.Load();
  BuildControls();
  ShowScreen();
  Bind(wxEVT_BUTTON, &SearchPaneWindow::OnCommand, this);
  Bind(wxEVT_MENU, &SearchPaneWindow::OnCommand, this);
  Bind(wxEVT_UPDATE_UI, &SearchPaneWindow::OnUpdateUi, this);
}

void AddSearchPane(wxWindow& container, EditorContext& context, SearchPaneServices services) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(new SearchPaneWindow(&container, context, std::move(services)), 1, wxEXPAND);
  container.SetSizer(sizer);
}

void SearchPaneWindow::BuildControls() {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  const auto add = [rows](wxWindow* window, std::vector<wxWindow*>* screen, int proportion = 0) {
    rows->Add(window, proportion, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 3);
    if (screen != nullptr) screen->push_back(window);
  };
  // A label and its control on one row.
  const auto labelled = [this, rows](const char* text, wxWindow* control, std::vector<wxWindow*>* screen) {
    auto* label = new wxStaticText(this, wxID_ANY, U(text));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(label, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3);
    row->Add(control, 1, wxALIGN_CENTER_VERTICAL);
    rows->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 3);
    if (screen != nullptr) screen->insert(screen->end(), {label, control});
  };
  const auto button = [this](int id, const char* text, const char* tip, const char* name) {
    auto* b = new wxButton(this, id, U(text), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, U(name));
    b->SetToolTip(U(tip));
    return b;
  };
  const auto phraseBox = [this](int id, const char* tip, const char* name) {
    auto* box = new wxComboBox(this, id, wxString(), wxDefaultPosition, wxDefaultSize, 0, nullptr, wxCB_DROPDOWN,
                               wxDefaultValidator, U(name));
    box->SetToolTip(U(tip));
    box->Bind(wxEVT_KEY_DOWN, &SearchPaneWindow::OnPhraseBoxKey, this);
    return box;
  };

  switchButton_ = button(kSwitchScreenId, "切替え(検索/置換)(&C)", "検索と置換の画面を切り替えます", "switch-button");
  add(switchButton_, nullptr);
  searchBox_ = phraseBox(kSearchBoxId, "検索語句を入力してください", "search-text");
  labelled("検索語句：", searchBox_, nullptr);
  replaceBox_ = phraseBox(kReplaceBoxId, "置換語句を入力してください", "replace-text");
  labelled("置換語句：", replaceBox_, &replaceScreenOnly_);
  caseBox_ = new wxCheckBox(this, kCaseId, U("大文字・小文字を区別する(&D)"), wxDefaultPosition, wxDefaultSize, 0,
                            wxDefaultValidator, U("match-case"));
  caseBox_->SetValue(pane_.letterCase == LetterCase::Match);
  add(caseBox_, nullptr);

  targetChoice_ = new wxChoice(this, kTargetId);
  for (const char* item : {"すべて", "タイトル", "記事"}) targetChoice_->Append(U(item));
  targetChoice_->SetSelection(0);
  targetChoice_->SetToolTip(U("検索対象を選択してください"));
  labelled("検索対象：", targetChoice_, &searchScreenOnly_);
  listChoice_ = new wxChoice(this, kResultListChoiceId);
  for (int i = 1; i <= kResultListCount; ++i) listChoice_->Append(U("検索結果" + std::to_string(i)));
  listChoice_->SetSelection(pane_.resultList);
  listChoice_->SetToolTip(U("検索結果を表示するリストを変更したいとき\n結果1から結果10までのリストを指定できます"));
  labelled("結果表示先：", listChoice_, &searchScreenOnly_);
  add(button(kSearchId, "検索実行(&S)", "セットした条件で文献内を検索し、\nその結果を下のリストに表示します",
             "search-button"),
      &searchScreenOnly_);

  add(button(kReplaceByPhraseId, "▲ 上の検索・置換語句で一括置換(&B)",
             "検索対象内のすべての検索語句を\n置換語句で置き換えます", "replace-button"),
      &replaceScreenOnly_);
  add(button(kReplaceByDictionaryId, "▼ 下の置換辞書を使用して一括置換(&F)",
             "指定された置換辞書を使用して\n検索対象内のすべての対象語句を\n置換します", "dictionary-replace-button"),
      &replaceScreenOnly_);
  dictionaryChoice_ = new wxChoice(this, kDictionaryChoiceId, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                   wxDefaultValidator, U("dictionary"));
  dictionaryChoice_->SetToolTip(U("一括置換で使用する置換辞書を指定します"));
  labelled("置換辞書：", dictionaryChoice_, &replaceScreenOnly_);
  add(button(kManageDictionariesId, "置換辞書管理(&M)", "置換辞書の新規作成や登録語句の\n追加・修正などをします",
             "dictionary-manage-button"),
      &replaceScreenOnly_);

  resultTools_ = new wxToolBar(this, kResultToolsId, wxDefaultPosition, wxDefaultSize, wxTB_HORIZONTAL | wxTB_FLAT);
  for (const ResultTool& tool : kResultTools)
    resultTools_->AddTool(tool.id, wxString(),
                          wxArtProvider::GetBitmapBundle(U(tool.art), U(wxART_TOOLBAR), wxSize(16, 16)),
                          ShortHelp(tool.help), wxITEM_NORMAL);
  for (const ResultTool& tool : kResultTools) resultTools_->SetToolLongHelp(tool.id, LongHelp(tool.help));
  resultTools_->Realize();
  add(resultTools_, &searchScreenOnly_);
  resultTabs_ = new wxNotebook(this, wxID_ANY);
  for (int i = 0; i < kResultListCount; ++i) {
    auto* list = new wxListBox(resultTabs_, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                               wxLB_SINGLE | wxLB_HSCROLL | wxLB_NEEDED_SB, wxDefaultValidator,
                               U("result-list-" + std::to_string(i + 1)));
    list->Bind(wxEVT_LISTBOX, [this, i](wxCommandEvent& event) { pane_.SelectRow(i, event.GetSelection()); });
    list->Bind(wxEVT_LISTBOX_DCLICK, [this, i](wxCommandEvent& event) {
      pane_.SelectRow(i, event.GetSelection());
      pane_.ShowResultRow(i, 0, false);
    });
    list->Bind(wxEVT_RIGHT_DOWN, &SearchPaneWindow::OnResultRightClick, this);
    resultTabs_->AddPage(list, U("結果" + std::to_string(i + 1)));
    resultLists_[static_cast<std::size_t>(i)] = list;
  }
  resultTabs_->SetSelection(pane_.activeList);
  resultTabs_->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, [this](wxBookCtrlEvent& event) {
    if (event.GetSelection() >= 0) pane_.activeList = event.GetSelection();
  });
  add(resultTabs_, &searchScreenOnly_, 1);
  rows->AddSpacer(3);
  SetSizer(rows);

  searchBox_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { pane_.SetSearchText(Utf8Of(searchBox_->GetValue())); });
  replaceBox_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { pane_.SetReplacementText(Utf8Of(replaceBox_->GetValue())); });
  FillPhraseBox(*searchBox_, pane_.searchHistory());
  FillPhraseBox(*replaceBox_, pane_.replacementHistory());
  FillDictionaryList();
}

void SearchPaneWindow::ShowScreen() {
  for (wxWindow* window : searchScreenOnly_) window->Show(pane_.searchScreen);
  for (wxWindow* window : replaceScreenOnly_) window->Show(!pane_.searchScreen);
  Layout();
}

void SearchPaneWindow::FillPhraseBox(wxComboBox& box, PhraseHistory& history) {
  box.Clear();
  for (const std::string& entry : history.Entries()) box.Append(U(entry));
  if (box.GetCount() > 0) box.SetSelection(0);
}

void SearchPaneWindow::FillDictionaryList() {
  dictionaryChoice_->Clear();
  const DictionaryFolder folder(documentsFolder_);
  const std::vector<std::string> names = folder.Names();
  for (const std::string& name : names) dictionaryChoice_->Append(U(name));
  if (!pane_.dictionary.empty()) {
    const int found = FindByPrefix(names, pane_.dictionary);
    if (found >= 0) dictionaryChoice_->SetSelection(found);
  }
}

void SearchPaneWindow::FillResultList(int index) {
  wxListBox* list = resultLists_[static_cast<std::size_t>(index)];
  wxArrayString lines;
  for (const ResultLine& line : pane_.list(index).lines) lines.Add(U(line.text));
  list->Set(lines);
  if (pane_.list(index).selected >= 0 && pane_.list(index).selected < static_cast<int>(list->GetCount()))
    list->SetSelection(pane_.list(index).selected);
}

std::vector<std::string> SearchPaneWindow::ShownResultLines() const {
  std::vector<std::string> lines;
  const wxListBox* list = resultLists_[static_cast<std::size_t>(ActiveList())];
  for (unsigned int i = 0; i < list->GetCount(); ++i) lines.push_back(Utf8Of(list->GetString(i)));
  return lines;
}

int SearchPaneWindow::ActiveList() const { return std::max(resultTabs_->GetSelection(), 0); }

void SearchPaneWindow::TakeBoxTexts() {
  pane_.SetSearchText(Utf8Of(searchBox_->GetValue()));
  pane_.SetReplacementText(Utf8Of(replaceBox_->GetValue()));
  pane_.letterCase = caseBox_->GetValue() ? LetterCase::Match : LetterCase::Ignore;
  pane_.target = static_cast<SearchTarget>(std::max(targetChoice_->GetSelection(), 0));
  pane_.resultList = std::max(listChoice_->GetSelection(), 0);
  const int dictionary = dictionaryChoice_->GetSelection();
  pane_.dictionary = dictionary == wxNOT_FOUND ? std::string() : Utf8Of(dictionaryChoice_->GetString(dictionary));
}

void SearchPaneWindow::OnCommand(wxCommandEvent& event) {
  const int list = ActiveList();
  switch (event.GetId()) {
    case kSwitchScreenId:
      pane_.SwitchScreen();
      ShowScreen();
      break;
    case kSearchId:
      TakeBoxTexts();
      pane_.Search();
      FillPhraseBox(*searchBox_, pane_.searchHistory());
      FillResultList(pane_.resultList);
      resultTabs_->SetSelection(pane_.resultList);
      break;
    case kReplaceByPhraseId:
      TakeBoxTexts();
      pane_.ReplaceByPhrase();
      FillPhraseBox(*searchBox_, pane_.searchHistory());
      FillPhraseBox(*replaceBox_, pane_.replacementHistory());
      break;
    case kReplaceByDictionaryId:
      TakeBoxTexts();
      pane_.ReplaceByDictionary();
      break;
    case kManageDictionariesId: {
      TakeBoxTexts();
      context_.store.WriteString("Search", "RepDic", pane_.dictionary);
      const DictionaryFolder folder(documentsFolder_);
      if (!folder.Ensure(context_.messages)) break;
      DictionaryManagerDialog dialog(this, folder, pane_.dictionary, context_.messages);
      dialog.ShowModal();
      // With no dictionary chosen before, the one the dialog showed last becomes the choice.
      if (pane_.dictionary.empty()) pane_.dictionary = dialog.SelectedName();
      if (dialog.changed() || !pane_.dictionary.empty()) FillDictionaryList();
      break;
    }
    case kShowRowId:
    case kNextRowId:
    case kPreviousRowId:
    case kRowToFrontId: {
      const int id = event.GetId();
      pane_.ShowResultRow(list, id == kNextRowId ? 1 : id == kPreviousRowId ? -1 : 0, id == kRowToFrontId);
      FillResultList(list);
      break;
    }
    case kClearListId:
      pane_.ClearList(list);
      FillResultList(list);
      break;
    case kClearAllListsId:
      pane_.ClearAllLists();
      for (int i = 0; i < kResultListCount; ++i) FillResultList(i);
      break;
    default:
      event.Skip();
  }
}

void SearchPaneWindow::OnUpdateUi(wxUpdateUIEvent& event) {
  const ResultList& list = pane_.list(ActiveList());
  switch (event.GetId()) {
    case kSearchId:
    case kReplaceByPhraseId:
      event.Enable(pane_.HasObjects() && !StripLineBreaks(Utf8Of(searchBox_->GetValue())).empty());
      break;
    case kReplaceByDictionaryId:
    case kManageDictionariesId:
    case kSwitchScreenId:
      event.Enable(pane_.HasObjects());
      break;
    case kShowRowId:
    case kRowToFrontId:
      event.Enable(list.IsHitRow(list.selected));
      break;
    case kNextRowId:
    case kPreviousRowId:
      event.Enable(list.IsHitRow(list.selected) && list.HitRows() >= 2);
      break;
    default:
      event.Skip();
  }
}

// The phrase boxes' own keys: Ctrl+C copies the whole text, Ctrl+X cuts the selection, Ctrl+V puts
// the clipboard's text in place of the whole text.
void SearchPaneWindow::OnPhraseBoxKey(wxKeyEvent& event) {
  auto* box = dynamic_cast<wxComboBox*>(event.GetEventObject());
  if (box == nullptr || event.GetModifiers() != wxMOD_CONTROL) {
    event.Skip();
    return;
  }
  switch (event.GetKeyCode()) {
    case 'C':
      if (wxTheClipboard->Open()) {
        wxTheClipboard->Clear();
        wxTheClipboard->SetData(new wxTextDataObject(box->GetValue()));
        wxTheClipboard->Close();
      }
      {
        wxBusyCursor wait;
        wxMilliSleep(300);
      }
      break;
    case 'X':
      box->Cut();
      break;
    case 'V': {
      wxTextDataObject text;
      if (wxTheClipboard->Open()) {
        if (!wxTheClipboard->GetData(text)) text.SetText(wxString());
        wxTheClipboard->Close();
      }
      box->SetValue(text.GetText());
      break;
    }
    default:
      event.Skip();
  }
}

void SearchPaneWindow::OnResultRightClick(wxMouseEvent& event) {
  auto* list = dynamic_cast<wxListBox*>(event.GetEventObject());
  const int index = ActiveList();
  const int row = list == nullptr ? wxNOT_FOUND : list->HitTest(event.GetPosition());
  if (!pane_.list(index).IsHitRow(row)) return;
  list->SetSelection(row);
  pane_.SelectRow(index, row);
  wxMenu menu;
  menu.Append(kShowRowId, U("選択行表示(&N)"));
  menu.Append(kRowToFrontId, U("最前面に表示(&T)"));
  menu.Append(kClearListId, U("クリア(&C)"));
  PopupMenu(&menu);
}

Size SearchPaneWindow::ViewSize() const {
  return ScrollArea(context_.diagram.header, ShownChart(context_.diagram.header));
}

Size SearchPaneWindow::ClientSize() const { return services_.view().ClientArea(); }

void SearchPaneWindow::ScrollTo(Point position) {
  ChartView& view = services_.view();
  view.Scroll(position.X, position.Y);
  view.Refresh(false);
}

void SearchPaneWindow::Redraw() { services_.view().Refresh(false); }

// The selected objects go to the end of the table in their order, the main selection with them
// as the last; the others keep their order before them.
void SearchPaneWindow::BringSelectionToFront() {
  Diagram& d = context_.diagram;
  std::vector<int> order;
  for (int selected = 0; selected <= 1; ++selected)
    for (int i = 0; i < d.count(); ++i)
      if ((d.state(i).Selected != 0) == (selected == 1)) order.push_back(i);
  ObjectTable& table = d.table;
  std::vector<DiagramObject> objects(order.size());
  std::vector<ObjectState> states(order.size());
  std::vector<std::unique_ptr<Picture>> pictures(order.size());
  for (std::size_t k = 0; k < order.size(); ++k) {
    const auto from = static_cast<std::size_t>(order[k]);
    objects[k] = table.objects[from];
    states[k] = table.states[from];
    pictures[k] = std::move(table.pictures[from]);
  }
  for (std::size_t k = 0; k < order.size(); ++k) {
    table.objects[k] = objects[k];
    table.states[k] = states[k];
    table.pictures[k] = std::move(pictures[k]);
  }
  d.header.CurrentObject = d.count() - 1;
  services_.documentChanged();
}

}  // namespace ravelo
