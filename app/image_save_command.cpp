#include "app/image_save_command.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <filesystem>
#include <string>

#include "app/chart_drawings.h"
#include "app/test_script.h"
#include "app/wx_text.h"
#include "output/chart_export.h"
#include "output/image_save.h"
#include "platform/cairo/cairo_targets.h"

namespace ravelo {

namespace {

class WxImageSaveHost final : public ImageSaveHost {
 public:
  WxImageSaveHost(wxWindow* parent, TestScript* script) : parent_(parent), script_(script) {}

  std::optional<ChosenImageFile> ChooseImageFile(const std::string& initialName) override {
    if (script_ != nullptr) {
      // A test names the file; the kind is the one its extension stands for.
      const std::optional<std::string> path = script_->NextFileChoice("image " + initialName);
      const std::string extension = path ? std::filesystem::path(*path).extension().string() : std::string();
      const std::optional<ImageKind> kind = ImageKindOfExtension(extension.empty() ? "" : extension.substr(1));
      if (!path || !kind) return std::nullopt;
      return ChosenImageFile{*path, static_cast<int>(*kind) + 1};
    }
    // The toolkit's filter has no empty entry at its end.
    std::string filter = ImageSaveFilter();
    while (!filter.empty() && filter.back() == '|') filter.pop_back();
    wxFileDialog dialog(parent_, U("保存するファイルを指定"), wxString(), U(initialName), U(filter), wxFD_SAVE);
    dialog.SetFilterIndex(static_cast<int>(ImageKind::Jpeg));
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    std::string path = Utf8Of(dialog.GetPath());
    if (std::filesystem::path(path).extension().empty()) path += ".gif";  // the dialog's default extension
    return ChosenImageFile{path, dialog.GetFilterIndex() + 1};
  }

  std::optional<int> AskJpegQuality(int initial) override { return ravelo::AskJpegQuality(parent_, initial); }

  void SetBusy(bool busy) override {
    if (busy) {
      wxBeginBusyCursor();
    } else {
      wxEndBusyCursor();
    }
  }

  bool ShowFolder(const std::string& folder) override { return wxLaunchDefaultApplication(U(folder)); }

 private:
  wxWindow* parent_;
  TestScript* script_;
};

}  // namespace

std::optional<int> AskJpegQuality(wxWindow* parent, int initial) {
  wxDialog dialog(parent, 328, U("画質設定"));
  auto* rows = new wxBoxSizer(wxVERTICAL);
  auto* valueRow = new wxBoxSizer(wxHORIZONTAL);
  valueRow->Add(new wxStaticText(&dialog, wxID_ANY, U("画質：")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  auto* value = new wxStaticText(&dialog, 343, U(std::to_string(initial)));
  valueRow->Add(value, 0, wxALIGN_CENTER_VERTICAL);
  rows->Add(valueRow, 0, wxALL, 8);
  auto* slider = new wxSlider(&dialog, 1003, std::clamp(initial, 10, 100), 10, 100, wxDefaultPosition, wxSize(320, -1));
  slider->Bind(wxEVT_SLIDER, [&](wxCommandEvent&) { value->SetLabel(U(std::to_string(slider->GetValue()))); });
  rows->Add(slider, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  auto* scale = new wxBoxSizer(wxHORIZONTAL);
  scale->Add(new wxStaticText(&dialog, wxID_ANY, U("10")));
  scale->AddStretchSpacer();
  scale->Add(new wxStaticText(&dialog, wxID_ANY, U("低画質　←・→　高画質")));
  scale->AddStretchSpacer();
  scale->Add(new wxStaticText(&dialog, wxID_ANY, U("100")));
  rows->Add(scale, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
  // The ten buttons 10 .. 100 set the slider and the label.
  static constexpr int kButtonIds[10] = {1004, 1019, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013};
  auto* buttons = new wxGridSizer(2, 5, 2, 2);
  for (int i = 0; i < 10; ++i) {
    const int quality = (i + 1) * 10;
    auto* button = new wxButton(&dialog, kButtonIds[i], U(std::to_string(quality)), wxDefaultPosition, wxSize(48, -1));
    button->Bind(wxEVT_BUTTON, [slider, value, quality](wxCommandEvent&) {
      slider->SetValue(quality);
      value->SetLabel(U(std::to_string(quality)));
    });
    buttons->Add(button);
  }
  rows->Add(buttons, 0, wxALL, 8);
  auto* actions = new wxBoxSizer(wxHORIZONTAL);
  actions->Add(new wxButton(&dialog, wxID_OK, U("決定(&S)")), 0, wxRIGHT, 8);
  actions->Add(new wxButton(&dialog, wxID_CANCEL, U("中止(&C)")));
  rows->Add(actions, 0, wxALIGN_RIGHT | wxALL, 8);
  dialog.SetSizerAndFit(rows);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return slider->GetValue();
}

bool SaveChartImageCommand(wxWindow* parent, EditorContext& context) {
  WxImageSaveHost host(parent, context.testScript);
  CairoTargets targets;
  const OtherCharts others = EditorChartDrawings();
  return SaveChartAsImage(context.diagram, {context.messages, context.store, targets, host,
                                            SceneSettings{.gridInFront = context.held.GridFoward != 0}, others});
}

}  // namespace ravelo
