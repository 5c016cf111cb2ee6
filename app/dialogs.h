// The dialogs of the application shell: the environment settings (CKansetDlg), the recent
// documents list, the choice of a built-in picture (CSelImageDlg) and the About box.
#pragma once

#include <wx/dialog.h>

#include "app/kanset.h"
#include "app/recent_files.h"
#include "platform/messages.h"

class wxCheckBox;
class wxListCtrl;
class wxListEvent;
class wxRadioButton;
class wxSpinButton;
class wxSpinEvent;
class wxTextCtrl;

namespace ravelo {

// "システムの環境設定": filled from the settings and the held values; "保存して終了" writes them
// back by the dialog's rules, "閉じる" discards.
class KansetDialog final : public wxDialog {
 public:
  KansetDialog(wxWindow* parent, SettingsStore& store, SystemSettings& held);

 private:
  void Fill(const KansetValues& values);
  KansetValues Collect() const;
  void OnSave(wxCommandEvent& event);
  void OnSpin(wxSpinEvent& event);

  SettingsStore& store_;
  SystemSettings& held_;
  wxCheckBox* firstOpen_;
  wxCheckBox* bkColRnd_;
  wxCheckBox* playAnime_;
  wxTextCtrl* animeCount_;
  wxSpinButton* animeSpin_;
  wxRadioButton* speed_[5];
  wxCheckBox* makeBackup_;
  wxRadioButton* selPart_[3];
  wxCheckBox* dspGuide_;
};

// "最近使ったファイルの管理": the recent documents with check boxes, to take entries off the list.
class RecentDocumentsDialog final : public wxDialog {
 public:
  RecentDocumentsDialog(wxWindow* parent, RecentFileList& recent, Messages& messages);

 private:
  void FillRows();
  void OnRemoveChecked(wxCommandEvent& event);
  void OnRemoveAll(wxCommandEvent& event);
  void OnRowActivated(wxListEvent& event);

  RecentFileList& recent_;
  Messages& messages_;
  wxListCtrl* list_;
};

// "既定のイメージから選択": the seventeen built-in pictures as buttons; the number of the picture
// clicked (1..17), or 0 when the user stopped.
int ChooseBuiltInPicture(wxWindow* parent);

void ShowAboutDialog(wxWindow* parent);

}  // namespace ravelo
