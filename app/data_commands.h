// The data panel of the ribbon: importing CSV files and workbooks (with the history of files
// imported), and exporting the diagram as either.
#pragma once

#include <wx/frame.h>

#include <functional>
#include <optional>
#include <string>

#include "app/document_session.h"
#include "app/editor_context.h"
#include "exchange/export_file.h"
#include "platform/wx/wx_desktop.h"
#include "platform/xlsx/xlsx_spreadsheets.h"

class wxRibbonPage;
class wxRibbonButtonBarEvent;
class wxUpdateUIEvent;

namespace ravelo {

// Adds the panel "データ" with its buttons to the ribbon page.
void AddDataPanel(wxRibbonPage* page);

class DataCommands {
 public:
  struct FrameHooks {
    std::function<void()> showBoxChart;
    std::function<void()> afterEdit;  // redraw, counts, undo buttons
  };

  // Binds the panel's commands on the frame, whose ribbon has the panel.
  DataCommands(wxFrame& frame, EditorContext& context, DocumentSession& session, Progress& progress, FrameHooks hooks);

 private:
  void OnCommand(wxCommandEvent& event);
  void OnDropdown(wxRibbonButtonBarEvent& event);
  void OnUpdate(wxUpdateUIEvent& event);

  // A file chosen in the open dialog; filter is the filter entry preselected (0 to 2).
  std::optional<std::string> ChooseImportFile(int filter);
  std::optional<std::string> ChooseExportFile(ExportCarrier carrier, const std::string& suggestedName);
  void Import(const std::string& path);

  wxFrame& frame_;
  EditorContext& context_;
  DocumentSession& session_;
  Progress& progress_;
  FrameHooks hooks_;
  XlsxSpreadsheets spreadsheets_;
  WxDesktop desktop_;
};

}  // namespace ravelo
