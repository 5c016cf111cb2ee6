// The dialogs of the replacement dictionaries: the management dialog ("置換辞書管理"), the phrase
// input dialog ("置換語句の入力") and the name input dialog used for dictionary names.
#pragma once

#include <wx/dialog.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "search/dictionary_folder.h"

class wxButton;
class wxChoice;
class wxListCtrl;
class wxTextCtrl;

namespace ravelo {

// A name for a dictionary: refused while the checks of CheckDictionaryName fail.
class DictionaryNameDialog final : public wxDialog {
 public:
  DictionaryNameDialog(wxWindow* parent, const std::string& title, const std::string& initial, std::size_t limit,
                       Messages& messages);
  std::string name() const;

 private:
  void OnOk(wxCommandEvent& event);

  std::size_t limit_;
  Messages& messages_;
  wxTextCtrl* edit_;
};

// Adds a pair to a dictionary (an empty after-text given) or modifies the given pair.
class PhraseDialog final : public wxDialog {
 public:
  PhraseDialog(wxWindow* parent, const DictionaryFolder& folder, const std::string& dictionary, const PhrasePair& pair,
               Messages& messages);

 private:
  void OnOk(wxCommandEvent& event);

  const DictionaryFolder& folder_;
  Messages& messages_;
  std::optional<PhrasePair> oldPair_;  // set when modifying
  wxChoice* dictionaries_;
  wxTextCtrl* before_;
  wxTextCtrl* after_;
};

// The dictionaries of the folder and the pairs of the one selected.
class DictionaryManagerDialog final : public wxDialog {
 public:
  DictionaryManagerDialog(wxWindow* parent, DictionaryFolder folder, const std::string& name, Messages& messages);
  // Whether a dictionary was added, renamed or deleted.
  bool changed() const { return changed_; }
  // The dictionary shown when the dialog closed; empty when none.
  std::string SelectedName() const;

 private:
  void LoadPairs();
  void EnablePairButtons();
  // Asks for a name not yet taken; nothing when the user gave up.
  std::optional<std::string> AskNewName(const std::string& initial);
  int SelectedRow() const;
  void OnAddDictionary(wxCommandEvent& event);
  void OnRenameDictionary(wxCommandEvent& event);
  void OnDeleteDictionary(wxCommandEvent& event);
  void OnAddPair(wxCommandEvent& event);
  void OnModifyPair(wxCommandEvent& event);
  void OnDeletePair(wxCommandEvent& event);

  DictionaryFolder folder_;
  Messages& messages_;
  bool changed_ = false;
  std::string lastInput_;
  wxChoice* names_;
  wxListCtrl* list_;
  std::vector<wxButton*> pairButtons_;
  std::vector<PhrasePair> pairs_;
};

}  // namespace ravelo
