// The main window: the ribbon, the view, the properties and search panes, and the status bar with
// its progress bar and counts; the file commands and the frame's own commands.
#pragma once

#include <wx/aui/framemanager.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <memory>
#include <optional>
#include <string>

#include "app/document_session.h"
#include "app/editor_context.h"
#include "platform/wx/wx_clipboard.h"

class wxGauge;
class wxRibbonBar;
class wxRibbonButtonBar;
class wxRibbonButtonBarEvent;
class wxContextMenuEvent;
class wxStatusBar;

namespace ravelo {

class ActionChartControl;
class ChartView;
class DataCommands;
class GaugeProgress;

// The status bar panes, left to right; the message pane takes what room is left.
enum StatusPane : int {
  kProgressPane,
  kArcPane,
  kParentNodePane,
  kEndNodePane,
  kObjectPane,
  kMessagePane,
  kCursorPane,
  kStatusPaneCount
};

class MainFrame final : public wxFrame {
 public:
  explicit MainFrame(EditorContext& context);
  ~MainFrame() override;

  // Creates the ribbon, the panes and the status bar; false after telling the user which pane
  // could not be made.
  bool Build();
  void SetDocumentsFolder(const std::string& folder);

  // The document the program starts with.
  void StartWithNewDocument();
  bool StartWithDocument(const std::string& path);

  int RibbonCategoryCount() const;
  std::string StatusText(StatusPane pane) const;
  bool PaneShown(int paneId);
  ChartView& view() { return *view_; }
  // The type of the properties pane the view last asked for (PaneType).
  int propertiesPaneType() const { return propertiesPaneType_; }
  DocumentSession& session() { return *session_; }
  // Whether the view is in the middle of an animation.
  bool Animating() const;

 private:
  class WxFileDialogs;

  bool BuildPanes();
  void BuildRibbon();
  void BuildStatusBar();
  void BindCommands();
  void ApplyWindowStyle(int style);

  void AfterDocumentReplaced();
  void RefreshCounts();
  void RefreshChartButtons();
  void RefreshUndoButtons();
  void RefreshViewButtons();
  PictureServices PictureServicesOf();
  // After an edit of the document: redraw, counts, undo buttons.
  void AfterEdit();
  void OnViewContextMenu(wxContextMenuEvent& event);
  void ShowZoomMenu(Point client);
  // The view's commands: zoom, console, grid, the automatic adjustment and select all.
  bool ViewCommand(int id);
  void ShowTimedMessage(const std::string& text);

  void OnCommand(wxCommandEvent& event);
  void OnRibbonButton(wxRibbonButtonBarEvent& event);
  void OnRibbonDropdown(wxRibbonButtonBarEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnStatusBarSize(wxSizeEvent& event);
  void OnStatusBarMotion(wxMouseEvent& event);

  void SwitchTo(int chart);
  // The entry step of the chart shown, then the view shown again when the layout resized it.
  void EnterShownChart();
  void ResetFlowPositions();
  void AfterChartLayout(bool viewResized);
  uint32_t LayoutSeed() const;
  void TogglePane(int paneId);
  void ToggleFullScreen();

  EditorContext& context_;
  std::unique_ptr<FileDialogs> fileDialogs_;
  std::unique_ptr<GaugeProgress> progress_;
  std::optional<DocumentServices> services_;
  std::optional<ObjectServices> objects_;  // builds the objects the view's edits create
  std::unique_ptr<DocumentSession> session_;
  std::unique_ptr<DataCommands> dataCommands_;

  wxAuiManager aui_;
  wxRibbonBar* ribbon_ = nullptr;
  wxRibbonButtonBar* editButtons_ = nullptr;
  WxClipboard clipboard_;
  wxRibbonButtonBar* chartButtons_ = nullptr;
  wxRibbonButtonBar* viewButtons_ = nullptr;
  int propertiesPaneType_ = 0;
  ChartView* view_ = nullptr;
  std::unique_ptr<ActionChartControl> actionChart_;
  wxStatusBar* statusBar_ = nullptr;
  wxGauge* gauge_ = nullptr;
  wxTimer messageTimer_;
};

}  // namespace ravelo
