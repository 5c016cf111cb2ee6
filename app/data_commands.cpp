#include "app/data_commands.h"

#include <wx/artprov.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/gdicmn.h>
#include <wx/menu.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/panel.h>

#include "app/commands.h"
#include "app/test_script.h"
#include "app/wx_text.h"
#include "arcs/shape_defaults.h"
#include "exchange/arrange_import.h"
#include "exchange/import_file.h"
#include "exchange/import_history.h"
#include "output/object_pictures.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo {

using namespace command;

namespace {

constexpr int kIconSize = 32;
constexpr int kDataButtonBarId = 7373;

wxBitmap Icon(const char* id) {
  return wxArtProvider::GetBitmap(U(id), U(wxART_TOOLBAR), wxSize(kIconSize, kIconSize));
}

bool IsDialogImport(int id) { return id == ID_IMPORT_OBJ || id == ID_IMPORT_CSV || id == ID_IMPORT_XLS; }

}  // namespace

void AddDataPanel(wxRibbonPage* page) {
  auto* bar = new wxRibbonButtonBar(new wxRibbonPanel(page, wxID_ANY, U("データ")), kDataButtonBarId);
  bar->AddButton(ID_IMPORT_OBJ, U("イン ポート"), Icon(wxART_FILE_OPEN));
  // Importing by a dialog is for an empty document only, importing again from the history always:
  // the history has a drop-down of its own, which the import button's state does not grey.
  bar->AddDropdownButton(kImportMenu, U("履歴"), Icon(wxART_GO_BACK));
  bar->AddButton(ID_EXPORT_OBJ, U("エクス ポート"), Icon(wxART_FILE_SAVE_AS));
}

DataCommands::DataCommands(wxFrame& frame, EditorContext& context, DocumentSession& session, Progress& progress,
                           FrameHooks hooks)
    : frame_(frame), context_(context), session_(session), progress_(progress), hooks_(std::move(hooks)) {
  frame_.Bind(wxEVT_MENU, &DataCommands::OnCommand, this, ID_IMPORT_OBJ, ID_EXPORT_OBJ);
  frame_.Bind(wxEVT_MENU, &DataCommands::OnCommand, this, ID_IMPORT_CSV, ID_IMPORT_CLS);
  frame_.Bind(wxEVT_MENU, &DataCommands::OnCommand, this, kImportMenu);
  frame_.Bind(wxEVT_UPDATE_UI, &DataCommands::OnUpdate, this, ID_IMPORT_OBJ, ID_EXPORT_OBJ);
  frame_.Bind(wxEVT_UPDATE_UI, &DataCommands::OnUpdate, this, ID_IMPORT_CSV, ID_IMPORT_XLS);
  if (wxWindow* bar = frame_.FindWindow(kDataButtonBarId))
    bar->Bind(wxEVT_RIBBONBUTTONBAR_DROPDOWN_CLICKED, &DataCommands::OnDropdown, this);
}

void DataCommands::OnDropdown(wxRibbonButtonBarEvent& event) {
  wxMenu menu;
  menu.Append(ID_IMPORT_CSV, U("CSVファイルからインポート(&V)"));
  menu.Append(ID_IMPORT_XLS, U("Excelファイルからインポート(&X)"));
  menu.AppendSeparator();
  const ImportHistory history = ReadImportHistory(context_.store);
  for (int slot = 0; slot < kImportHistorySize; ++slot) {
    const std::string& path = history[static_cast<std::size_t>(slot)];
    const std::string label = path.empty() ? "履歴" + std::to_string(slot + 1) : path;
    // A path is shown as it is: "&" would otherwise mark a key.
    wxString text = U(label);
    text.Replace(wxS("&"), wxS("&&"));
    menu.Append(ID_IMPORT_F1 + slot, text);
  }
  menu.AppendSeparator();
  menu.Append(ID_IMPORT_CLS, U("最近インポートしたファイルをクリア(&C)"));
  event.PopupMenu(&menu);
}

void DataCommands::OnUpdate(wxUpdateUIEvent& event) {
  const bool empty = context_.diagram.count() == 0;
  event.Enable(event.GetId() == ID_EXPORT_OBJ ? !empty : empty);
}

std::optional<std::string> DataCommands::ChooseImportFile(int filter) {
  if (context_.testScript != nullptr) return context_.testScript->NextFileChoice("import " + std::to_string(filter));
  wxFileDialog dialog(&frame_, U("インポートファイルを指定"), wxString(), wxString(),
                      U("Excelファイル・CSVファイル(*.xls,*.xlsx,*.csv)|*.xls;*.xlsx;*.csv;*.XLS;*.XLSX;*.CSV|"
                        "Excelファイル(*.xls,*.xlsx)|*.xls;*.xlsx;*.XLS;*.XLSX|CSVファイル(*.csv)|*.csv;*.CSV"),
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  dialog.SetFilterIndex(filter);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return Utf8Of(dialog.GetPath());
}

std::optional<std::string> DataCommands::ChooseExportFile(ExportCarrier carrier, const std::string& suggestedName) {
  const bool csv = carrier == ExportCarrier::Csv;
  const std::string extension = csv ? ".csv" : ".xlsx";
  if (context_.testScript != nullptr) return context_.testScript->NextFileChoice("export " + suggestedName + extension);
  wxFileDialog dialog(&frame_, U("保存するファイルを指定"), wxString(), U(suggestedName + extension),
                      U(csv ? "CSVファイル(*.csv)|*.csv" : "Excelファイル(*.xlsx)|*.xlsx"), wxFD_SAVE);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  std::string path = Utf8Of(dialog.GetPath());
  // The default extension, as the dialog of the other platform adds it.
  if (wxFileName(U(path)).GetExt().empty()) path += extension;
  return path;
}

void DataCommands::Import(const std::string& path) {
  Diagram& diagram = context_.diagram;
  const auto shapes = [](Diagram& d, int index, int chart) { ResetShapeParams(d, index, true, chart); };
  const PictureServices pictures{context_.messages, context_.store, nullptr, wxDisplayDepth(), {}};
  const auto builtIn = [&pictures](Diagram& d, int index, int number) {
    return SetObjectBuiltInPicture(d, index, number, pictures);
  };
  const ObjectServices objects{context_.store, context_.messages, context_.random, shapes, builtIn, {}};
  const auto arrange = [&](std::string_view baseName) {
    // The layout measures texts as the view draws them; the scratch surface is never shown.
    const auto surface = CairoSurface::CreateImage(1, 1);
    ViewState view;
    RandomSource random;
    RenderContext layout(diagram, *surface, view, random);
    ArrangeImportedBoxes(layout, baseName, {context_.clock, {}});
  };
  const ImportServices services{objects,        progress_,           spreadsheets_, context_.store,
                                HeaderRow::Ask, hooks_.showBoxChart, arrange};
  if (!ImportFromFile(diagram, path, services)) return;
  session_.MarkModified();
  hooks_.afterEdit();
}

void DataCommands::OnCommand(wxCommandEvent& event) {
  const int id = event.GetId();
  if (IsDialogImport(id)) {
    if (context_.diagram.count() != 0) return;
    const int filter = id == ID_IMPORT_OBJ ? 0 : id == ID_IMPORT_XLS ? 1 : 2;
    if (const auto path = ChooseImportFile(filter)) Import(*path);
  } else if (id >= ID_IMPORT_F1 && id < ID_IMPORT_F1 + kImportHistorySize) {
    const std::string path = ReadImportHistory(context_.store)[static_cast<std::size_t>(id - ID_IMPORT_F1)];
    if (!path.empty()) Import(path);
  } else if (id == ID_IMPORT_CLS) {
    ClearImportHistory(context_.store, context_.messages);
  } else if (id == ID_EXPORT_OBJ) {
    if (context_.diagram.count() == 0) return;
    const ExportServices services{
        context_.messages, progress_, spreadsheets_, desktop_,
        [this](ExportCarrier carrier, const std::string& name) { return ChooseExportFile(carrier, name); }};
    ExportCommand(context_.diagram, services);
  } else if (id != kImportMenu) {
    event.Skip();
  }
}

}  // namespace ravelo
