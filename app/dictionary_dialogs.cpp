#include "app/dictionary_dialogs.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <filesystem>

#include "app/wx_text.h"
#include "model/cp932.h"
#include "model/records.h"
#include "model/string_table.h"

namespace ravelo {

namespace {

enum DialogId : int {
  kTextId = 1000,
  kAddDictionaryId = 1001,
  kRenameDictionaryId = 1002,
  kDeleteDictionaryId = 1003,
  kAddPairId = 1004,
  kModifyPairId = 1005,
  kDeletePairId = 1006,
  kAfterTextId = 1007,
  kPairListId = 1028,
  kLocationId = 1040,
  kDictionaryNameId = 383,
};

// A button with a name, by which the window's smoke tests find it.
wxButton* Button(wxWindow* parent, int id, const char* label, const std::string& name) {
  return new wxButton(parent, id, U(label), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, U(name));
}

wxSizer* OkCancelRow(wxWindow* parent, const std::string& dialogName) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->AddStretchSpacer();
  row->Add(Button(parent, wxID_OK, "決定(&S)", dialogName + "-ok"), 0, wxALL, 4);
  row->Add(Button(parent, wxID_CANCEL, "中止(&C)", dialogName + "-cancel"), 0, wxALL, 4);
  return row;
}

wxChoice* DictionaryChoice(wxWindow* parent, const DictionaryFolder& folder, const std::string& select) {
  auto* choice = new wxChoice(parent, kDictionaryNameId, wxDefaultPosition, wxSize(260, -1), 0, nullptr, 0,
                              wxDefaultValidator, U("dictionary"));
  const std::vector<std::string> names = folder.Names();
  for (const std::string& name : names) choice->Append(U(name));
  const int found = FindByPrefix(names, select);
  if (found >= 0) choice->SetSelection(found);
  return choice;
}

// The text of an edit as cp932; nothing after telling which characters cp932 cannot hold.
std::optional<std::string> Cp932Of(const wxTextCtrl& edit, Messages& messages) {
  Cp932Conversion converted = Utf8ToCp932(Utf8Of(edit.GetValue()));
  if (converted.Complete()) return std::move(converted.text);
  std::string shown;
  for (const std::string& character : converted.unconvertible) shown += character;
  ShowResourceMessage(messages, shown + "\n", kMsgNotInCp932, MessageIcon::Stop);
  return std::nullopt;
}

}  // namespace

DictionaryNameDialog::DictionaryNameDialog(wxWindow* parent, const std::string& title, const std::string& initial,
                                           std::size_t limit, Messages& messages)
    : wxDialog(parent, wxID_ANY, U(title.empty() ? "名前の入力" : title)), limit_(limit), messages_(messages) {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  edit_ =
      new wxTextCtrl(this, kTextId, U(initial), wxDefaultPosition, wxSize(320, -1), 0, wxDefaultValidator, U("name"));
  rows->Add(edit_, 0, wxEXPAND | wxALL, 6);
  rows->Add(new wxStaticText(this, wxID_ANY, U("※ 次の文字は含めないでください。(/:*?\"<>|)")), 0, wxLEFT | wxRIGHT, 6);
  rows->Add(new wxStaticText(this, wxID_ANY, wxString()), 0, wxLEFT | wxRIGHT, 6);
  rows->Add(OkCancelRow(this, "name"), 0, wxEXPAND | wxALL, 4);
  SetSizerAndFit(rows);
  Bind(wxEVT_BUTTON, &DictionaryNameDialog::OnOk, this, wxID_OK);
}

std::string DictionaryNameDialog::name() const { return Utf8Of(edit_->GetValue()); }

void DictionaryNameDialog::OnOk(wxCommandEvent&) {
  if (CheckDictionaryName(name(), limit_, messages_)) {
    EndModal(wxID_OK);
  } else {
    edit_->SetFocus();
  }
}

PhraseDialog::PhraseDialog(wxWindow* parent, const DictionaryFolder& folder, const std::string& dictionary,
                           const PhrasePair& pair, Messages& messages)
    : wxDialog(parent, wxID_ANY, U("置換語句の入力")), folder_(folder), messages_(messages) {
  if (!pair.after.empty()) oldPair_ = pair;
  auto* grid = new wxFlexGridSizer(2, 4, 6);
  grid->AddGrowableCol(1);
  dictionaries_ = DictionaryChoice(this, folder, dictionary);
  before_ = new wxTextCtrl(this, kTextId, U(Cp932ToUtf8(pair.before)), wxDefaultPosition, wxSize(260, -1), 0,
                           wxDefaultValidator, U("before"));
  after_ = new wxTextCtrl(this, kAfterTextId, U(Cp932ToUtf8(pair.after)), wxDefaultPosition, wxSize(260, -1), 0,
                          wxDefaultValidator, U("after"));
  grid->Add(new wxStaticText(this, wxID_ANY, U("置換辞書名：")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(dictionaries_, 1, wxEXPAND);
  grid->Add(new wxStaticText(this, wxID_ANY, U("置換前")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(before_, 1, wxEXPAND);
  grid->Add(new wxStaticText(this, wxID_ANY, U("⇒　置換後")), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(after_, 1, wxEXPAND);
  auto* rows = new wxBoxSizer(wxVERTICAL);
  rows->Add(grid, 0, wxEXPAND | wxALL, 6);
  rows->Add(OkCancelRow(this, "phrase"), 0, wxEXPAND | wxALL, 4);
  SetSizerAndFit(rows);
  Bind(wxEVT_BUTTON, &PhraseDialog::OnOk, this, wxID_OK);
}

void PhraseDialog::OnOk(wxCommandEvent&) {
  const int selected = dictionaries_->GetSelection();
  if (selected == wxNOT_FOUND) {
    ShowResourceMessage(messages_, "", kMsgNoDictionaryChosen, MessageIcon::Information);
    dictionaries_->SetFocus();
    return;
  }
  for (wxTextCtrl* edit : {before_, after_}) {
    if (!edit->GetValue().empty()) continue;
    ShowResourceMessage(messages_, "", kMsgNoText, MessageIcon::Stop);
    edit->SetFocus();
    return;
  }
  std::optional<std::string> before = Cp932Of(*before_, messages_);
  std::optional<std::string> after = before ? Cp932Of(*after_, messages_) : std::nullopt;
  if (!before || !after) return;
  // No phrase can be longer than the longest text it could apply to, a memo.
  if (before->size() > kMemoBytes || after->size() > kMemoBytes) {
    ShowResourceMessage(messages_, "", kMsgTextTooLong, MessageIcon::Stop);
    return;
  }
  const PhrasePair pair{*before, *after};
  if (pair.before == pair.after) {
    ShowResourceMessage(messages_, "", kMsgSamePhrases, MessageIcon::Stop);
    before_->SetFocus();
    return;
  }
  const std::string name = Utf8Of(dictionaries_->GetString(selected));
  if (ShowResourceMessage(messages_, PairQuestionText(pair) + "を置換辞書『" + name + "』へ", kMsgConfirmRegister,
                          MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes)
    return;
  if (WriteDictionaryPair(folder_.PathOf(name), pair, oldPair_, messages_)) EndModal(wxID_OK);
}

DictionaryManagerDialog::DictionaryManagerDialog(wxWindow* parent, DictionaryFolder folder, const std::string& name,
                                                 Messages& messages)
    : wxDialog(parent, wxID_ANY, U("置換辞書管理"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      folder_(std::move(folder)),
      messages_(messages) {
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  top->Add(Button(this, kAddDictionaryId, "辞書追加(&A)", "dictionary-add"), 0, wxALL, 3);
  top->Add(Button(this, kRenameDictionaryId, "辞書名変更(&R)", "dictionary-rename"), 0, wxALL, 3);
  top->Add(Button(this, kDeleteDictionaryId, "辞書削除(&D)", "dictionary-delete"), 0, wxALL, 3);
  top->Add(Button(this, kLocationId, "辞書の場所(&P)", "dictionary-location"), 0, wxALL, 3);
  top->AddStretchSpacer();
  top->Add(Button(this, wxID_OK, "終了(&X)", "dictionary-exit"), 0, wxALL, 3);

  auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
  nameRow->Add(new wxStaticText(this, wxID_ANY, U("置換辞書名：")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
  names_ = DictionaryChoice(this, folder_, name);
  nameRow->Add(names_, 1, wxALL, 3);

  list_ = new wxListCtrl(this, kPairListId, wxDefaultPosition, wxSize(460, 300),
                         wxLC_REPORT | wxLC_HRULES | wxLC_VRULES | wxLC_SINGLE_SEL);
  list_->AppendColumn(U("№"), wxLIST_FORMAT_CENTRE, 60);
  list_->AppendColumn(U("置換前"), wxLIST_FORMAT_LEFT, 190);
  list_->AppendColumn(U("置換後"), wxLIST_FORMAT_LEFT, 190);

  auto* bottom = new wxBoxSizer(wxHORIZONTAL);
  pairButtons_ = {Button(this, kAddPairId, "置換語句追加(&G)", "pair-add"),
                  Button(this, kModifyPairId, "置換語句修正(&U)", "pair-modify"),
                  Button(this, kDeletePairId, "置換語句削除(&M)", "pair-delete")};
  for (wxButton* button : pairButtons_) bottom->Add(button, 0, wxALL, 3);
  bottom->AddStretchSpacer();
  bottom->Add(new wxStaticText(this, wxID_ANY, U("max:500")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);

  auto* rows = new wxBoxSizer(wxVERTICAL);
  rows->Add(top, 0, wxEXPAND | wxALL, 3);
  rows->Add(nameRow, 0, wxEXPAND | wxALL, 3);
  rows->Add(list_, 1, wxEXPAND | wxALL, 6);
  rows->Add(bottom, 0, wxEXPAND | wxALL, 3);
  SetSizerAndFit(rows);

  Bind(wxEVT_BUTTON, &DictionaryManagerDialog::OnAddDictionary, this, kAddDictionaryId);
  Bind(wxEVT_BUTTON, &DictionaryManagerDialog::OnRenameDictionary, this, kRenameDictionaryId);
  Bind(wxEVT_BUTTON, &DictionaryManagerDialog::OnDeleteDictionary, this, kDeleteDictionaryId);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { wxLaunchDefaultApplication(U(folder_.path() + "/")); }, kLocationId);
  Bind(wxEVT_BUTTON, &DictionaryManagerDialog::OnAddPair, this, kAddPairId);
  Bind(wxEVT_BUTTON, &DictionaryManagerDialog::OnModifyPair, this, kModifyPairId);
  Bind(wxEVT_BUTTON, &DictionaryManagerDialog::OnDeletePair, this, kDeletePairId);
  names_->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { LoadPairs(); });
  EnablePairButtons();
  LoadPairs();
  if (list_->GetItemCount() > 0) list_->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
}

std::string DictionaryManagerDialog::SelectedName() const {
  const int selected = names_->GetSelection();
  return selected == wxNOT_FOUND ? std::string() : Utf8Of(names_->GetString(selected));
}

void DictionaryManagerDialog::EnablePairButtons() {
  for (wxButton* button : pairButtons_) button->Enable(names_->GetCount() > 0);
}

void DictionaryManagerDialog::LoadPairs() {
  const std::string name = SelectedName();
  if (name.empty() || !std::filesystem::exists(folder_.PathOf(name))) return;
  list_->DeleteAllItems();
  pairs_.clear();
  // A dictionary that cannot be used is reported and shows no rows; the others stay usable.
  const std::optional<std::vector<PhrasePair>> pairs = ReadDictionaryFile(folder_.PathOf(name), name, messages_);
  if (!pairs) return;
  pairs_ = *pairs;
  for (std::size_t i = 0; i < pairs_.size(); ++i) {
    const long row = list_->InsertItem(static_cast<long>(i), U(std::to_string(i + 1)));
    list_->SetItem(row, 1, U(Cp932ToUtf8(pairs_[i].before)));
    list_->SetItem(row, 2, U(Cp932ToUtf8(pairs_[i].after)));
  }
}

std::optional<std::string> DictionaryManagerDialog::AskNewName(const std::string& initial) {
  std::string input = initial;
  for (;;) {
    DictionaryNameDialog dialog(this, "置換辞書名の入力", input, folder_.NameLimit(), messages_);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    input = dialog.name();
    if (FindByPrefix(folder_.Names(), input) < 0) return input;
    if (ShowResourceMessage(messages_, "", kMsgSameNameExists, MessageIcon::Question, MessageButtons::YesNo) !=
        MessageAnswer::Yes)
      return std::nullopt;
  }
}

void DictionaryManagerDialog::OnAddDictionary(wxCommandEvent&) {
  const std::optional<std::string> name = AskNewName(lastInput_);
  if (!name) return;
  lastInput_ = *name;
  if (!folder_.Create(*name, messages_)) return;
  names_->SetSelection(names_->Append(U(*name)));
  list_->DeleteAllItems();
  pairs_.clear();
  EnablePairButtons();
  changed_ = true;
}

void DictionaryManagerDialog::OnRenameDictionary(wxCommandEvent&) {
  const std::string current = SelectedName();
  if (current.empty()) return;
  DictionaryNameDialog dialog(this, "置換辞書名の入力", current, folder_.NameLimit(), messages_);
  if (dialog.ShowModal() != wxID_OK || dialog.name() == current) return;
  std::optional<std::string> name = dialog.name();
  if (FindByPrefix(folder_.Names(), *name) >= 0) {
    if (ShowResourceMessage(messages_, "", kMsgSameNameExists, MessageIcon::Question, MessageButtons::YesNo) !=
        MessageAnswer::Yes)
      return;
    name = AskNewName(*name);
  }
  if (!name || !folder_.Rename(current, *name, messages_)) return;
  const int position = names_->GetSelection();
  names_->SetString(static_cast<unsigned int>(position), U(*name));
  names_->SetSelection(position);
  changed_ = true;
}

void DictionaryManagerDialog::OnDeleteDictionary(wxCommandEvent&) {
  const std::string name = SelectedName();
  if (name.empty() || !folder_.Delete(name, messages_)) return;
  const int position = names_->GetSelection();
  names_->Delete(static_cast<unsigned int>(position));
  changed_ = true;
  list_->DeleteAllItems();
  pairs_.clear();
  if (names_->GetCount() > 0) {
    names_->SetSelection(std::min(position, static_cast<int>(names_->GetCount()) - 1));
    LoadPairs();
  }
  EnablePairButtons();
}

int DictionaryManagerDialog::SelectedRow() const {
  const long row = list_->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  if (row >= 0 && row < static_cast<long>(pairs_.size())) return static_cast<int>(row);
  ShowResourceMessage(messages_, "", kMsgNoRowSelected, MessageIcon::Stop);
  return -1;
}

void DictionaryManagerDialog::OnAddPair(wxCommandEvent&) {
  PhraseDialog dialog(this, folder_, SelectedName(), PhrasePair{}, messages_);
  if (dialog.ShowModal() == wxID_OK) LoadPairs();
}

void DictionaryManagerDialog::OnModifyPair(wxCommandEvent&) {
  const int row = SelectedRow();
  if (row < 0) return;
  PhraseDialog dialog(this, folder_, SelectedName(), pairs_[static_cast<std::size_t>(row)], messages_);
  if (dialog.ShowModal() == wxID_OK) LoadPairs();
}

void DictionaryManagerDialog::OnDeletePair(wxCommandEvent&) {
  const int row = SelectedRow();
  if (row < 0) return;
  const PhrasePair pair = pairs_[static_cast<std::size_t>(row)];
  if (ShowResourceMessage(messages_, PairQuestionText(pair) + "を", kMsgConfirmDelete, MessageIcon::Question,
                          MessageButtons::YesNo) != MessageAnswer::Yes)
    return;
  if (DeleteDictionaryPair(folder_.PathOf(SelectedName()), pair, messages_)) LoadPairs();
}

}  // namespace ravelo
