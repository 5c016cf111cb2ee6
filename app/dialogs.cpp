#include "app/dialogs.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/image.h>
#include <wx/listctrl.h>
#include <wx/mstream.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/valtext.h>

#include "app/wx_text.h"
#include "model/show_folder.h"
#include "platform/wx/wx_desktop.h"
#include "resources/builtin_pictures.h"

namespace ravelo {

namespace {

constexpr int kRemoveCheckedId = 1001;
constexpr int kRemoveAllId = 1002;

wxCheckBox* CheckBox(wxWindow* parent, const char* label, const char* name) {
  return new wxCheckBox(parent, wxID_ANY, U(label), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                        U(name));
}

wxRadioButton* RadioButton(wxWindow* parent, const char* label, const std::string& name, bool first) {
  return new wxRadioButton(parent, wxID_ANY, U(label), wxDefaultPosition, wxDefaultSize,
                           first ? wxRB_GROUP : 0, wxDefaultValidator, U(name));
}

wxStaticText* Label(wxWindow* parent, const char* text) {
  return new wxStaticText(parent, wxID_ANY, U(text));
}

}  // namespace

KansetDialog::KansetDialog(wxWindow* parent, SettingsStore& store, SystemSettings& held)
    : wxDialog(parent, wxID_ANY, U("システムの環境設定"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE, U("KansetDlg")),
      store_(store),
      held_(held) {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  // One row: a control or a group of them, indented under the item it belongs to.
  const auto add = [rows](auto* item, int indent = 0) {
    rows->AddSpacer(6);
    rows->Add(item, 0, wxEXPAND | wxLEFT | wxRIGHT, 8 + indent);
  };

  firstOpen_ = CheckBox(this, "1 起動時に前回のファイルを開く(&L)", "FirstOpen");
  add(firstOpen_);
  bkColRnd_ = CheckBox(this, "2 ノード新規作成時、背景色をランダムに設定する(&I)", "BkColRnd");
  add(bkColRnd_);
  add(Label(this, "※ チェックがないときは、初期値が適用されます。"), 24);
  playAnime_ =
      CheckBox(this, "3 オブジェクト上にマウスカーソルが乗ったとき、アニメを表示する(&A)", "PlayAnime");
  add(playAnime_);

  auto* count = new wxBoxSizer(wxHORIZONTAL);
  count->Add(Label(this, "表示するアニメの個数："), 0, wxALIGN_CENTER_VERTICAL);
  animeCount_ = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                               wxTextValidator(wxFILTER_DIGITS), U("AnimeCount"));
  animeCount_->SetMaxLength(4);
  count->Add(animeCount_, 0, wxALIGN_CENTER_VERTICAL);
  animeSpin_ = new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  animeSpin_->SetRange(kMinAnimeCount, kMaxAnimeCount);
  count->Add(animeSpin_, 0, wxALIGN_CENTER_VERTICAL);
  count->Add(Label(this, "(1 - 10個)"), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
  add(count, 24);

  auto* speed = new wxBoxSizer(wxHORIZONTAL);
  speed->Add(Label(this, "アニメの表示速度："), 0, wxALIGN_CENTER_VERTICAL);
  const char* speedLabels[5] = {"速い", "", "", "", "遅い"};
  for (int i = 0; i < 5; ++i) {
    speed_[i] = RadioButton(this, speedLabels[i], "SpeedAnime" + std::to_string(i), i == 0);
    speed->Add(speed_[i], 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  }
  add(speed, 24);

  makeBackup_ = CheckBox(this, "4 上書き保存時、バックアップファイルを作成する(&B)", "MakeBackup");
  add(makeBackup_);

  auto* selBox = new wxStaticBoxSizer(wxVERTICAL, this, U("5 範囲選択時の範囲内判定（リンクアークを除く）"));
  const char* selLabels[3] = {"イメージなど、矩形全体が選択範囲に入ったとき(&1)",
                              "タイトル矩形が選択範囲に入ったとき(&2)",
                              "矩形全体の中心が選択範囲に入ったとき(&3)"};
  for (int i = 0; i < 3; ++i) {
    selPart_[i] = RadioButton(selBox->GetStaticBox(), selLabels[i], "SelPart" + std::to_string(i), i == 0);
    selBox->Add(selPart_[i], 0, wxALL, 4);
  }
  add(selBox);

  dspGuide_ = CheckBox(this, "6 ステータスバーに操作ガイドを表示する(&G)", "DspGuide");
  add(dspGuide_);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_OK, U("保存して終了(&S)")), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, wxID_CANCEL, U("閉じる(&C)")));
  rows->Add(buttons, 0, wxEXPAND | wxALL, 8);

  SetSizerAndFit(rows);
  Fill(LoadKanset(store_, held_));
  Bind(wxEVT_BUTTON, &KansetDialog::OnSave, this, wxID_OK);
  animeSpin_->Bind(wxEVT_SPIN, &KansetDialog::OnSpin, this);
  animeCount_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
    animeSpin_->SetValue(ParseAnimeCount(Utf8Of(animeCount_->GetValue())));
  });
}

void KansetDialog::Fill(const KansetValues& v) {
  firstOpen_->SetValue(v.FirstOpen);
  bkColRnd_->SetValue(v.BkColRnd);
  playAnime_->SetValue(v.PlayAnime);
  animeCount_->ChangeValue(U(std::to_string(v.AnimeCount)));
  animeSpin_->SetValue(v.AnimeCount);
  speed_[v.SpeedAnime]->SetValue(true);
  makeBackup_->SetValue(v.MakeBackup);
  selPart_[v.SelPart]->SetValue(true);
  dspGuide_->SetValue(v.DspGuide);
}

KansetValues KansetDialog::Collect() const {
  KansetValues v;
  v.FirstOpen = firstOpen_->GetValue();
  v.BkColRnd = bkColRnd_->GetValue();
  v.PlayAnime = playAnime_->GetValue();
  v.AnimeCount = ParseAnimeCount(Utf8Of(animeCount_->GetValue()));
  for (int i = 0; i < 5; ++i)
    if (speed_[i]->GetValue()) v.SpeedAnime = i;
  v.MakeBackup = makeBackup_->GetValue();
  for (int i = 0; i < 3; ++i)
    if (selPart_[i]->GetValue()) v.SelPart = i;
  v.DspGuide = dspGuide_->GetValue();
  return v;
}

void KansetDialog::OnSave(wxCommandEvent&) {
  SaveKanset(store_, held_, Collect());
  EndModal(wxID_OK);
}

void KansetDialog::OnSpin(wxSpinEvent& event) {
  animeCount_->ChangeValue(U(std::to_string(event.GetPosition())));
}

RecentDocumentsDialog::RecentDocumentsDialog(wxWindow* parent, RecentFileList& recent, Messages& messages)
    : wxDialog(parent, wxID_ANY, U("最近使ったファイルの管理"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, U("RecentDlg")),
      recent_(recent),
      messages_(messages) {
  auto* rows = new wxBoxSizer(wxVERTICAL);
  list_ = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxSize(530, 260),
                         wxLC_REPORT | wxLC_HRULES | wxLC_VRULES | wxLC_SINGLE_SEL);
  list_->EnableCheckBoxes();
  list_->AppendColumn(U("№"), wxLIST_FORMAT_CENTRE, 60);
  list_->AppendColumn(U("パス"), wxLIST_FORMAT_LEFT, 450);
  rows->Add(list_, 1, wxEXPAND | wxALL, 8);
  rows->Add(Label(this, "※ 行をＷクリックするとファイルの場所を表示します。"), 0, wxLEFT | wxRIGHT, 8);

  auto* buttons = new wxBoxSizer(wxHORIZONTAL);
  buttons->Add(new wxButton(this, kRemoveCheckedId, U("チェックのある履歴を削除(&P)")), 0, wxRIGHT, 8);
  buttons->Add(new wxButton(this, kRemoveAllId, U("すべての履歴を削除(&A)")), 0, wxRIGHT, 8);
  buttons->AddStretchSpacer();
  buttons->Add(new wxButton(this, wxID_CANCEL, U("戻る(&B)")));
  rows->Add(buttons, 0, wxEXPAND | wxALL, 8);
  SetSizerAndFit(rows);

  FillRows();
  Bind(wxEVT_BUTTON, &RecentDocumentsDialog::OnRemoveChecked, this, kRemoveCheckedId);
  Bind(wxEVT_BUTTON, &RecentDocumentsDialog::OnRemoveAll, this, kRemoveAllId);
  list_->Bind(wxEVT_LIST_ITEM_ACTIVATED, &RecentDocumentsDialog::OnRowActivated, this);
}

void RecentDocumentsDialog::FillRows() {
  list_->DeleteAllItems();
  const auto& entries = recent_.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const long row = list_->InsertItem(static_cast<long>(i), U(std::to_string(i + 1)));
    list_->SetItem(row, 1, U(entries[i]));
  }
}

void RecentDocumentsDialog::OnRemoveChecked(wxCommandEvent&) {
  for (long row = list_->GetItemCount() - 1; row >= 0; --row)
    if (list_->IsItemChecked(row)) recent_.Remove(static_cast<std::size_t>(row));
  FillRows();
}

void RecentDocumentsDialog::OnRemoveAll(wxCommandEvent&) {
  recent_.Clear();
  FillRows();
}

void RecentDocumentsDialog::OnRowActivated(wxListEvent& event) {
  WxDesktop desktop;
  ShowFolderInExplorer(desktop, messages_, Utf8Of(list_->GetItemText(event.GetIndex(), 1)));
}

int ChooseBuiltInPicture(wxWindow* parent) {
  // The buttons' control numbers, for pictures 1 to 17 in that order.
  static constexpr int kButtonIds[kBuiltInPictureCount] = {1004, 1019, 1006, 1007, 1008, 1009, 1010, 1011, 1012,
                                                           1013, 1014, 1015, 1016, 1017, 1018, 1020, 1021};
  wxDialog dialog(parent, 331, U("既定のイメージから選択"));
  auto* rows = new wxBoxSizer(wxVERTICAL);
  rows->Add(Label(&dialog, "セットしたいイメージを選択して、ボタンをクリックしてください。"), 0, wxALL, 8);
  auto* grid = new wxGridSizer(6, 4, 4);
  for (int number = 1; number <= kBuiltInPictureCount; ++number) {
    const std::span<const uint8_t> png = BuiltInPicturePng(number);
    wxMemoryInputStream stream(png.data(), png.size());
    const wxBitmap bitmap{wxImage(stream, wxBITMAP_TYPE_PNG)};
    auto* button = new wxBitmapButton(&dialog, kButtonIds[number - 1], bitmap);
    button->SetToolTip(U(std::string(BuiltInPictureCaption(number))));
    button->Bind(wxEVT_BUTTON, [&dialog, number](wxCommandEvent&) { dialog.EndModal(number); });
    grid->Add(button);
  }
  rows->Add(grid, 0, wxLEFT | wxRIGHT, 8);
  rows->Add(new wxButton(&dialog, wxID_CANCEL, U("中止(&C)")), 0, wxALIGN_RIGHT | wxALL, 8);
  dialog.SetSizerAndFit(rows);
  dialog.SetEscapeId(wxID_CANCEL);
  const int chosen = dialog.ShowModal();
  return chosen >= 1 && chosen <= kBuiltInPictureCount ? chosen : 0;
}

void ShowAboutDialog(wxWindow* parent) {
  wxDialog dialog(parent, wxID_ANY, U("バージョン情報"), wxDefaultPosition, wxDefaultSize,
                  wxDEFAULT_DIALOG_STYLE, U("AboutDlg"));
  auto* rows = new wxBoxSizer(wxVERTICAL);
  auto* name = new wxStaticText(&dialog, wxID_ANY, U("Ravelo"));
  name->SetFont(name->GetFont().Larger().Bold());
  rows->Add(name, 0, wxALL, 12);
  rows->Add(Label(&dialog, "ラヴェロ  Version 1.05"), 0, wxLEFT | wxRIGHT, 12);
  rows->Add(new wxButton(&dialog, wxID_OK, U("OK")), 0, wxALIGN_RIGHT | wxALL, 12);
  dialog.SetSizerAndFit(rows);
  dialog.ShowModal();
}

}  // namespace ravelo
