#include "app/main_frame.h"

#include <wx/artprov.h>
#include <wx/utils.h>
#include <wx/dcmemory.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/gdicmn.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/ribbon/art.h>
#include <wx/ribbon/bar.h>
#include <wx/ribbon/buttonbar.h>
#include <wx/ribbon/page.h>
#include <wx/ribbon/panel.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>

#include <array>

#include "app/action_chart_control.h"
#include "app/chart_switch.h"
#include "app/chart_view.h"
#include "app/commands.h"
#include "app/data_commands.h"
#include "app/dialogs.h"
#include "app/frame_housekeeping.h"
#include "app/search_pane_window.h"
#include "app/image_save_command.h"
#include "app/print_command.h"
#include "app/test_script.h"
#include "app/window_icons.h"
#include "app/wx_text.h"
#include "arcs/shape_defaults.h"
#include "charts/chart_modules.h"
#include "charts/flow/flow_chart.h"
#include "model/string_table.h"
#include "platform/wx/gauge_progress.h"
#include "view/zoom.h"

namespace ravelo {

using namespace command;

namespace {

constexpr int kIconSize = 32;
constexpr int kTimedMessageMs = 1000;

struct PaneText {
  const char* widthTemplate;
  const char* tooltip;
};

// Width templates and tooltips of the status bar panes, in StatusPane order.
constexpr std::array<PaneText, kStatusPaneCount> kPaneTexts = {{
    {"99999999999999999999", "処理の進行状況を表示します。"},
    {"Arc 99999", "リンクアーク数(イメージあり)"},
    {"P-Node 99999", "親ノード数(イメージあり)"},
    {"E-Node 99999", "末端ノード数(イメージあり)"},
    {"Object 99999", "オブジェクト総数"},
    {nullptr, nullptr},
    {"9999, 9999", "カーソル位置(単位:Pixel)"},
}};

struct WindowStyle {
  int id;
  const char* label;
  wxColour primary;  // the colour scheme of the ribbon; invalid for the plain look
  wxColour secondary;
  wxColour tertiary;
};

const WindowStyle kRibbonStyles[] = {
    {kStyleOffice2007Blue, "ブルー", wxColour(194, 216, 241), wxColour(255, 223, 114), wxColour(0, 0, 0)},
    {kStyleOffice2007Black, "ブラック", wxColour(83, 83, 83), wxColour(255, 223, 114),
     wxColour(255, 255, 255)},
    {kStyleOffice2007Silver, "シルバー", wxColour(208, 212, 221), wxColour(255, 223, 114), wxColour(0, 0, 0)},
    {kStyleOffice2007Aqua, "アクア", wxColour(181, 230, 234), wxColour(255, 223, 114), wxColour(0, 0, 0)},
    {kStyleWindows7, "Windows 7", wxColour(220, 230, 242), wxColour(120, 174, 229), wxColour(0, 0, 0)},
};

struct ChartButton {
  int id;
  int chart;
  const char* label;
};

const ChartButton kChartButtons[] = {
    {ID_VIEW_BOX, BoxChart, "ボック ス"},
    {ID_VIEW_STAR, StarChart, "スター"},
    {ID_VIEW_ACT, ActionChart, "アクシ ョン"},
    {ID_VIEW_FLOW, FlowChart, "フロー"},
};

wxBitmap ArtIcon(const char* id) {
  wxBitmap icon = wxArtProvider::GetBitmap(U(id), U(wxART_TOOLBAR), wxSize(kIconSize, kIconSize));
  if (icon.IsOk()) return icon;
  // A theme without the icon still gives the button a face: a plain document sheet.
  icon.Create(kIconSize, kIconSize, 24);
  wxMemoryDC dc(icon);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  dc.SetPen(wxPen(wxColour(90, 90, 90)));
  dc.SetBrush(wxBrush(wxColour(235, 240, 248)));
  dc.DrawRectangle(7, 3, 18, 26);
  return icon;
}

// The chart buttons' faces: each chart drawn in miniature.
wxBitmap ChartIcon(int chart) {
  wxBitmap icon(kIconSize, kIconSize, 24);
  wxMemoryDC dc(icon);
  dc.SetBackground(wxBrush(wxColour(250, 250, 250)));
  dc.Clear();
  const wxColour ink(40, 80, 140);
  dc.SetPen(wxPen(ink, 2));
  dc.SetBrush(wxBrush(wxColour(165, 214, 239)));
  switch (chart) {
    case BoxChart:
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
      dc.DrawRoundedRectangle(3, 3, 26, 26, 3);
      dc.SetBrush(wxBrush(wxColour(165, 214, 239)));
      dc.DrawRectangle(7, 8, 8, 6);
      dc.DrawRectangle(17, 18, 8, 6);
      break;
    case StarChart:
      for (const wxPoint& p : {wxPoint(16, 4), wxPoint(27, 16), wxPoint(16, 27), wxPoint(5, 16)})
        dc.DrawLine(16, 16, p.x, p.y);
      dc.DrawCircle(16, 16, 5);
      for (const wxPoint& p : {wxPoint(16, 4), wxPoint(27, 16), wxPoint(16, 27), wxPoint(5, 16)})
        dc.DrawCircle(p, 3);
      break;
    case ActionChart:
      dc.SetBrush(*wxTRANSPARENT_BRUSH);
      dc.DrawCircle(16, 16, 13);
      dc.DrawCircle(16, 16, 7);
      dc.SetBrush(wxBrush(wxColour(165, 214, 239)));
      dc.DrawCircle(16, 16, 3);
      dc.DrawCircle(23, 16, 2);
      dc.DrawCircle(7, 23, 2);
      break;
    default:
      dc.DrawLine(16, 9, 8, 22);
      dc.DrawLine(16, 9, 24, 22);
      dc.DrawRectangle(11, 3, 10, 7);
      dc.DrawRectangle(3, 22, 10, 7);
      dc.DrawRectangle(19, 22, 10, 7);
      break;
  }
  dc.SelectObject(wxNullBitmap);
  return icon;
}

// The faces of the view buttons: the zoom console, the grid and the automatic adjustment.
wxBitmap ViewIcon(int id) {
  wxBitmap icon(kIconSize, kIconSize, 24);
  wxMemoryDC dc(icon);
  dc.SetBackground(wxBrush(wxColour(250, 250, 250)));
  dc.Clear();
  const wxColour ink(40, 80, 140);
  dc.SetPen(wxPen(ink, 1));
  if (id == zoom_command::kResetConsole) {
    dc.SetBrush(wxBrush(wxColour(120, 200, 130)));
    dc.DrawCircle(16, 16, 13);
    dc.SetPen(wxPen(wxColour(30, 60, 220), 3));
    dc.DrawLine(16, 5, 16, 12);
    dc.DrawLine(12, 8, 20, 8);
    dc.SetPen(wxPen(wxColour(220, 40, 40), 3));
    dc.DrawLine(12, 25, 20, 25);
  } else if (id == grid_command::kToggle) {
    for (int k = 4; k < kIconSize; k += 6) {
      dc.DrawLine(k, 2, k, kIconSize - 2);
      dc.DrawLine(2, k, kIconSize - 2, k);
    }
  } else {
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(3, 3, 26, 26);
    dc.SetBrush(wxBrush(wxColour(165, 214, 239)));
    dc.DrawRectangle(7, 8, 8, 6);
    dc.DrawRectangle(19, 18, 8, 6);
    dc.SetPen(wxPen(ink, 2));
    dc.DrawLine(22, 8, 28, 8);
    dc.DrawLine(25, 5, 28, 8);
    dc.DrawLine(25, 11, 28, 8);
  }
  dc.SelectObject(wxNullBitmap);
  return icon;
}

bool IsRibbonStyle(int style) {
  for (const WindowStyle& s : kRibbonStyles)
    if (s.id == style) return true;
  return false;
}

}  // namespace

// The file dialogs of the desktop, for documents of the program.
class MainFrame::WxFileDialogs final : public FileDialogs {
 public:
  explicit WxFileDialogs(wxWindow* parent) : parent_(parent) {}

  std::optional<std::string> ChooseDocumentToOpen(const std::string& folder) override {
    wxFileDialog dialog(parent_, U("開く"), U(folder), wxString(), Filter(),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return Utf8Of(dialog.GetPath());
  }

  std::optional<std::string> ChooseDocumentToSave(const std::string& folder,
                                                  const std::string& suggestedName) override {
    wxFileDialog dialog(parent_, U("名前を付けて保存"), U(folder), U(suggestedName), Filter(), wxFD_SAVE);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return Utf8Of(dialog.GetPath());
  }

  std::optional<std::string> ChoosePictureToOpen() override {
    wxFileDialog dialog(parent_, U("変更するイメージを指定"), wxString(), wxString(),
                        U("イメージファイル(jpeg, gif, bmp, png, tiff) |*.jpg;*.jpeg;*.gif;*.bmp;*.png;*.tif;*.tiff|"
                          "JPEGファイル(*.jpeg)|*.jpg;*.jpeg|GIFファイル(*.gif)|*.gif|ビットマップファイル(*.bmp)|*.bmp|"
                          "PNGファイル(*.png)|*.png|TIFFファイル(*.tiff)|*.tif;*.tiff"),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return Utf8Of(dialog.GetPath());
  }

 private:
  static wxString Filter() {
    return U("ラヴェロドキュメント(*.rvl)|*.rvl;*.RVL;*.Rvl|すべてのファイル (*.*)|*");
  }

  wxWindow* parent_;
};

MainFrame::MainFrame(EditorContext& context)
    : wxFrame(nullptr, wxID_ANY, U("ラヴェロ"), wxDefaultPosition, wxSize(1200, 820)), context_(context) {
  SetIcons(ApplicationIcons());
  if (context_.testScript != nullptr) {
    fileDialogs_ = std::make_unique<ScriptedFileDialogs>(*context_.testScript);
  } else {
    fileDialogs_ = std::make_unique<WxFileDialogs>(this);
  }
}

MainFrame::~MainFrame() {
  WriteBackSystemSettings(context_.store, context_.held);
  RemoveLeftoverUndoFiles(context_.workRoot);
  aui_.UnInit();
}

bool MainFrame::Build() {
  BuildRibbon();
  auto* dockArea = new wxPanel(this);
  aui_.SetManagedWindow(dockArea);
  ViewFrameLink link{
      .cursorText = [this](const std::string& text) { SetStatusText(U(text), kCursorPane); },
      .guideText = [this](const std::string& text) { SetStatusText(U(text), kMessagePane); },
      .selectionChanged =
          [this](int paneType) {
            propertiesPaneType_ = paneType;
            RefreshCounts();
          },
      .takeSnapshot = [this] { session_->TakeSnapshot(); },
      .documentChanged =
          [this] {
            session_->MarkModified();
            RefreshCounts();
            RefreshUndoButtons();
            RefreshViewButtons();
          },
      .zoomMenu = [this](Point client) { ShowZoomMenu(client); },
  };
  objects_.emplace(ObjectServices{context_.store, context_.messages, context_.random,
                                  [](Diagram& d, int index, int chart) { ResetShapeParams(d, index, true, chart); },
                                  {}, {}});
  view_ = new ChartView(dockArea, context_.diagram, context_.random, context_.held, context_.messages, *objects_,
                        std::move(link));
  if (!view_->Ready()) {
    ShowResourceMessage(context_.messages, "", kMsgMemoryAllocationFailed, MessageIcon::Stop);
    return false;
  }
  aui_.AddPane(view_, wxAuiPaneInfo().Name(U("view")).CenterPane());
  if (!BuildPanes()) return false;
  aui_.Update();

  auto* rows = new wxBoxSizer(wxVERTICAL);
  rows->Add(ribbon_, 0, wxEXPAND);
  rows->Add(dockArea, 1, wxEXPAND);
  SetSizer(rows);

  BuildStatusBar();
  progress_ = std::make_unique<GaugeProgress>(*gauge_);
  services_.emplace(DocumentServices{context_.messages, *progress_, context_.codec, context_.store,
                                     context_.cabinet, context_.workRoot});
  session_ = std::make_unique<DocumentSession>(context_.diagram, context_.random, context_.clock, *services_,
                                               context_.recent, *fileDialogs_);
  const auto takeSnapshot = [this] { session_->TakeSnapshot(); };
  const auto afterMove = [this] {
    session_->MarkModified();
    AfterEdit();
  };
  actionChart_ = std::make_unique<ActionChartControl>(*view_, context_.diagram, context_.random, context_.clock,
                                                      ActionChartControl::Hooks{takeSnapshot, afterMove});
  BindCommands();
  dataCommands_ = std::make_unique<DataCommands>(*this, context_, *session_, *progress_,
                                                 DataCommands::FrameHooks{[this] { SwitchTo(BoxChart); },
                                                                          [this] { AfterEdit(); }});
  return true;
}

bool MainFrame::BuildPanes() {
  struct Pane {
    int id;
    const char* title;
    const char* name;
  };
  // The search pane is made first, then the properties pane.
  const Pane panes[] = {{kSearchPaneId, "検索・置換", "search"},
                        {kPropertiesPaneId, "プロパティ", "properties"}};
  for (const Pane& pane : panes) {
    auto* window = new wxPanel();
    if (!window->Create(aui_.GetManagedWindow(), pane.id)) {
      delete window;
      ShowResourceMessage(context_.messages, pane.title, kMsgPaneCreationFailed, MessageIcon::Stop);
      return false;
    }
    if (pane.id == kSearchPaneId)
      AddSearchPane(*window, context_,
                    {[this] { session_->TakeSnapshot(); }, [this] {
                       session_->MarkModified();
                       AfterEdit();
                     },
                     [this]() -> ChartView& { return *view_; }});
    wxAuiPaneInfo info;
    info.Name(U(pane.name)).Caption(U(pane.title)).BestSize(280, 240).MinSize(160, 120).CloseButton(true);
    if (pane.id == kSearchPaneId) {
      info.Right().Position(1);
      info.MinSize(260, 120);  // room for the labels of its buttons
      info.dock_proportion = 200000;  // twice the share AUI gives the properties pane by default
    } else {
      info.Right().Position(0);
    }
    aui_.AddPane(window, info);
  }
  return true;
}

void MainFrame::BuildRibbon() {
  ribbon_ = new wxRibbonBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                            wxRIBBON_BAR_FLOW_HORIZONTAL | wxRIBBON_BAR_SHOW_PAGE_LABELS |
                                wxRIBBON_BAR_SHOW_TOGGLE_BUTTON | wxRIBBON_BAR_SHOW_HELP_BUTTON |
                                wxRIBBON_BAR_ALWAYS_SHOW_TABS);
  auto* home = new wxRibbonPage(ribbon_, wxID_ANY, U("ホーム"));
  const auto bar = [home](const char* title) {
    return new wxRibbonButtonBar(new wxRibbonPanel(home, wxID_ANY, U(title)));
  };

  wxRibbonButtonBar* file = bar("ファイル");
  file->AddButton(ID_FILE_NEW, U("新規作成"), ArtIcon(wxART_NEW));
  file->AddHybridButton(ID_FILE_OPEN, U("開く"), ArtIcon(wxART_FILE_OPEN));
  file->AddButton(ID_FILE_SAVE, U("上書き 保存"), ArtIcon(wxART_FILE_SAVE));
  file->AddDropdownButton(ID_HOZON_BTN, U("名前を付けて 保存"), ArtIcon(wxART_FILE_SAVE_AS));
  file->AddButton(ID_FILE_PRINT, U("印刷"), ArtIcon(wxART_PRINT));

  editButtons_ = bar("編集");
  editButtons_->AddButton(ID_UNDO, U("元に戻す"), ArtIcon(wxART_UNDO));
  editButtons_->AddButton(ID_REDO, U("やり直し"), ArtIcon(wxART_REDO));

  chartButtons_ = bar("チャート切替え");
  for (const ChartButton& b : kChartButtons)
    chartButtons_->AddToggleButton(b.id, U(b.label), ChartIcon(b.chart));
  chartButtons_->AddButton(ID_FIRST_POS_FLOW, U("リセット"), ArtIcon(wxART_GOTO_FIRST));

  viewButtons_ = bar("表示");
  viewButtons_->AddButton(zoom_command::kResetConsole, U("ズーム コンソール"), ViewIcon(zoom_command::kResetConsole));
  viewButtons_->AddHybridButton(grid_command::kToggle, U("グリッド"), ViewIcon(grid_command::kToggle));
  viewButtons_->AddToggleButton(ID_AUTO_MENT, U("自動 調整"), ViewIcon(ID_AUTO_MENT));

  AddDataPanel(home);

  wxRibbonButtonBar* settings = bar("設定");
  settings->AddDropdownButton(ID_SETTEU_BTN, U("設定"), ArtIcon(wxART_EXECUTABLE_FILE));

  wxRibbonButtonBar* window = bar("ウィンドウ");
  window->AddDropdownButton(ID_PANE_BTN, U("パネル"), ArtIcon(wxART_LIST_VIEW));
  window->AddDropdownButton(ID_STYLE, U("スタイル"), ArtIcon(wxART_TIP));
  window->AddButton(ID_VIEW_FULLSCREEN, U("全画面 表示"), ArtIcon(wxART_FULL_SCREEN));

  ApplyWindowStyle(Read(context_.store, settings::kApplicationLook));
  ribbon_->Realize();
}

void MainFrame::ApplyWindowStyle(int style) {
  auto* art = new wxRibbonMSWArtProvider();
  for (const WindowStyle& s : kRibbonStyles)
    if (s.id == style) art->SetColourScheme(s.primary, s.secondary, s.tertiary);
  ribbon_->SetArtProvider(art);
  ribbon_->Refresh();
}

void MainFrame::BuildStatusBar() {
  statusBar_ = CreateStatusBar(kStatusPaneCount, wxSTB_DEFAULT_STYLE);
  std::array<int, kStatusPaneCount> widths{};
  for (int pane = 0; pane < kStatusPaneCount; ++pane) {
    const char* widthTemplate = kPaneTexts[static_cast<std::size_t>(pane)].widthTemplate;
    widths[static_cast<std::size_t>(pane)] =
        widthTemplate == nullptr ? -1 : statusBar_->GetTextExtent(U(widthTemplate)).GetWidth() + 16;
  }
  statusBar_->SetStatusWidths(kStatusPaneCount, widths.data());
  for (int pane = kArcPane; pane <= kObjectPane; ++pane) statusBar_->SetStatusText(U("0"), pane);

  gauge_ = new wxGauge(statusBar_, 479, 1, wxDefaultPosition, wxDefaultSize, wxGA_HORIZONTAL | wxGA_SMOOTH);
  gauge_->SetToolTip(U(kPaneTexts[kProgressPane].tooltip));
  statusBar_->Bind(wxEVT_SIZE, &MainFrame::OnStatusBarSize, this);
  statusBar_->Bind(wxEVT_MOTION, &MainFrame::OnStatusBarMotion, this);
}

void MainFrame::OnStatusBarSize(wxSizeEvent& event) {
  wxRect pane;
  if (statusBar_->GetFieldRect(kProgressPane, pane)) gauge_->SetSize(pane.Deflate(2));
  event.Skip();
}

void MainFrame::OnStatusBarMotion(wxMouseEvent& event) {
  for (int pane = kArcPane; pane < kStatusPaneCount; ++pane) {
    wxRect rect;
    if (!statusBar_->GetFieldRect(pane, rect) || !rect.Contains(event.GetPosition())) continue;
    const char* tooltip = kPaneTexts[static_cast<std::size_t>(pane)].tooltip;
    if (tooltip == nullptr) {
      statusBar_->UnsetToolTip();
    } else if (statusBar_->GetToolTipText() != U(tooltip)) {
      statusBar_->SetToolTip(U(tooltip));
    }
  }
  event.Skip();
}

void MainFrame::BindCommands() {
  Bind(wxEVT_MENU, &MainFrame::OnCommand, this);
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
  ribbon_->Bind(wxEVT_RIBBONBUTTONBAR_CLICKED, &MainFrame::OnRibbonButton, this);
  ribbon_->Bind(wxEVT_RIBBONBUTTONBAR_DROPDOWN_CLICKED, &MainFrame::OnRibbonDropdown, this);
  ribbon_->Bind(wxEVT_RIBBONBAR_HELP_CLICK, [this](wxRibbonBarEvent&) { ShowAboutDialog(this); });
  ribbon_->Bind(wxEVT_RIBBONBAR_TOGGLED, [this](wxRibbonBarEvent&) { Layout(); });
  messageTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { SetStatusText(wxString(), kMessagePane); });
  view_->Bind(wxEVT_CONTEXT_MENU, &MainFrame::OnViewContextMenu, this);

  const wxAcceleratorEntry keys[] = {
      {wxACCEL_CTRL, 'N', ID_FILE_NEW},
      {wxACCEL_CTRL, 'O', ID_FILE_OPEN},
      {wxACCEL_CTRL, 'S', ID_FILE_SAVE},
      {wxACCEL_CTRL, 'P', ID_FILE_PRINT},
      {wxACCEL_CTRL, 'Z', ID_UNDO},
      {wxACCEL_CTRL, 'Y', ID_REDO},
      {wxACCEL_CTRL, 'A', kSelectAll},
      {wxACCEL_CTRL, WXK_TAB, kNextChart},
      {wxACCEL_CTRL | wxACCEL_SHIFT, WXK_TAB, kPreviousChart},
      {wxACCEL_NORMAL, WXK_F5, ID_REPLACE},
      {wxACCEL_NORMAL, WXK_F10, kToggleHoverAnimation},
      {wxACCEL_NORMAL, WXK_F11, ID_VIEW_FULLSCREEN},
      {wxACCEL_CTRL, WXK_F1, ID_SHOW_MENU},
  };
  SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(keys)), keys));
}

void MainFrame::SetDocumentsFolder(const std::string& folder) { session_->SetDocumentsFolder(folder); }

void MainFrame::StartWithNewDocument() {
  session_->New();
  AfterDocumentReplaced();
}

bool MainFrame::StartWithDocument(const std::string& path) {
  const bool opened = session_->Open(path);
  AfterDocumentReplaced();
  return opened;
}

int MainFrame::RibbonCategoryCount() const { return static_cast<int>(ribbon_->GetPageCount()); }

std::string MainFrame::StatusText(StatusPane pane) const { return Utf8Of(statusBar_->GetStatusText(pane)); }

bool MainFrame::Animating() const { return actionChart_ != nullptr && actionChart_->Animating(); }

bool MainFrame::PaneShown(int paneId) {
  wxWindow* window = FindWindow(paneId);
  return window != nullptr && aui_.GetPane(window).IsShown();
}

void MainFrame::AfterDocumentReplaced() {
  Diagram& d = context_.diagram;
  d.header.CurrentObject = -1;
  for (int i = 0; i < d.count(); ++i) d.state(i).Selected = 0;
  view_->controller().Reset();
  view_->ShowChart(RestoredScroll(d.header, ShownChart(d.header), view_->ClientArea()));
  EnterShownChart();
  RefreshCounts();
  RefreshChartButtons();
  RefreshUndoButtons();
  RefreshViewButtons();
  SetTitle(U(session_->WindowTitle()));
}

void MainFrame::AfterEdit() {
  view_->Refresh();
  RefreshCounts();
  RefreshUndoButtons();
}

PictureServices MainFrame::PictureServicesOf() {
  return PictureServices{context_.messages, context_.store, nullptr, wxDisplayDepth(), {}};
}

void MainFrame::RefreshUndoButtons() {
  editButtons_->EnableButton(ID_UNDO, session_->CanUndo());
  editButtons_->EnableButton(ID_REDO, session_->CanRedo());
}

void MainFrame::RefreshViewButtons() {
  const Diagram& d = context_.diagram;
  viewButtons_->EnableButton(zoom_command::kResetConsole,
                             !view_->controller().consoleShowing() && d.header.ConsoleShown == 0);
  viewButtons_->ToggleButton(grid_command::kToggle, d.header.GridMode > 0);
  viewButtons_->ToggleButton(ID_AUTO_MENT, context_.held.AutoMent == 1);
}

void MainFrame::ShowZoomMenu(Point client) {
  const bool shown = context_.diagram.header.ConsoleShown != 0;
  wxMenu menu;
  menu.AppendCheckItem(zoom_command::kAlwaysShowConsole, U("ズームコンソールを常に表示(&Z)"))->Check(shown);
  menu.AppendSeparator();
  menu.Append(zoom_command::kZoom10, U("10%(&A)"));
  menu.Append(zoom_command::kZoom25, U("25%(&B)"));
  menu.Append(zoom_command::kZoom50, U("50%(&C)"));
  menu.Append(zoom_command::kZoom100, U("100%(&1)\t【等倍】"));
  menu.Append(zoom_command::kZoom200, U("200%(&2)"));
  menu.Append(zoom_command::kZoom300, U("300%(&3)"));
  menu.Append(zoom_command::kZoom400, U("400%(&4)"));
  menu.AppendSeparator();
  menu.Append(zoom_command::kFitToWindow, U("画面に合せて表示(&F)"));
  view_->PopupMenu(&menu, client.X, client.Y);
}

bool MainFrame::ViewCommand(int id) {
  ViewController& view = view_->controller();
  if (id == grid_command::kInFront) {
    context_.held.GridFoward = context_.held.GridFoward == 1 ? 0 : 1;
    view_->Refresh(false);
  } else if (id == ID_AUTO_MENT) {
    context_.held.AutoMent = context_.held.AutoMent == 1 ? 0 : 1;
  } else if (id == kSelectAll) {
    view.SelectByKindCommand(SelectKind::All);
  } else if (!view.ZoomCommand(id) && !view.GridCommand(id)) {
    return false;
  }
  RefreshViewButtons();
  return true;
}

void MainFrame::OnViewContextMenu(wxContextMenuEvent& event) {
  const wxPoint at = view_->ScreenToClient(event.GetPosition());
  if (event.GetPosition() != wxDefaultPosition && view_->controller().OnContextMenu({at.x, at.y})) return;
  const Diagram& d = context_.diagram;
  const int main = d.header.CurrentObject;
  const bool hasMain = main >= 0 && main < d.count();
  const bool arc = hasMain && IsLinkArc(d.object(main));
  wxMenu menu;
  menu.Append(kSetAsDefault, U(arc ? "リンクアークの初期値にする(&N)" : "ノードの初期値にする(&N)"))->Enable(hasMain);
  if (ShownChart(d.header) == BoxChart)
    menu.Append(kSetMemoAsDefault, U("記事の初期値にする(&D)"))->Enable(hasMain);
  menu.Append(kApplyArcDefaults, U("選択アークに初期値を適用する(&A)"))->Enable(HasSelectedLinkArc(d));
  menu.AppendSeparator();
  const bool hasPicture = hasMain && d.object(main).Image != 0;
  menu.Append(kSetPictureFromFile, U(hasPicture ? "ファイルから選択して変更(&M)\tDrag&&Drop"
                                                : "ファイルから選択してイメージをセット(&M)\tDrag&&Drop"))
      ->Enable(hasMain);
  menu.Append(kSetBuiltInPicture, U(hasPicture ? "既定のイメージに変更(&D)" : "既定のイメージをセット(&S)"))
      ->Enable(hasMain);
  menu.Append(kPasteCopiedPicture, U("コピーしたイメージを貼り付け(&V)"))->Enable(hasMain && clipboard_.HasPicture());
  if (ShownChart(d.header) == ActionChart) {
    menu.AppendSeparator();
    menu.Append(ID_REPLACE, U("再配置(&R)\tF5"));
    menu.Append(kRecentreOnSelection, U("このノードを中心に再配置(&R)\tWClick"))->Enable(hasMain);
    menu.Append(kFitActionView, U("ビューサイズを画面と同じにする(&M)"));
  }
  view_->PopupMenu(&menu);
}

void MainFrame::RefreshCounts() {
  const ObjectStatistics s = CountObjects(context_.diagram);
  SetStatusText(U(ArcCountText(s)), kArcPane);
  SetStatusText(U(ParentNodeCountText(s)), kParentNodePane);
  SetStatusText(U(EndNodeCountText(s)), kEndNodePane);
  SetStatusText(U(ObjectCountText(s)), kObjectPane);
}

void MainFrame::RefreshChartButtons() {
  const int shown = ShownChart(context_.diagram.header);
  for (const ChartButton& b : kChartButtons) chartButtons_->ToggleButton(b.id, b.chart == shown);
  chartButtons_->EnableButton(ID_FIRST_POS_FLOW, shown == FlowChart && context_.diagram.count() > 0);
}

void MainFrame::ShowTimedMessage(const std::string& text) {
  SetStatusText(U(text), kMessagePane);
  messageTimer_.StartOnce(kTimedMessageMs);
}

void MainFrame::OnRibbonButton(wxRibbonButtonBarEvent& event) {
  wxCommandEvent command(wxEVT_MENU, event.GetId());
  command.SetEventObject(this);
  ProcessWindowEvent(command);
}

void MainFrame::OnRibbonDropdown(wxRibbonButtonBarEvent& event) {
  wxMenu menu;
  switch (event.GetId()) {
    case ID_FILE_OPEN: {
      const auto& entries = context_.recent.entries();
      for (std::size_t i = 0; i < entries.size(); ++i)
        menu.Append(ID_FILE_MRU_FILE1 + static_cast<int>(i),
                    U("&" + std::to_string(i + 1) + " " + entries[i]));
      if (!entries.empty()) menu.AppendSeparator();
      menu.Append(ID_RECENT_KANRI, U("最近使ったドキュメントの管理(&R)"));
      break;
    }
    case ID_HOZON_BTN:
      menu.Append(ID_FILE_SAVE_AS, U("名前を付けて保存(&A)"));
      menu.Append(ID_FILE_IMAGE, U("イメージとして保存(&I)"));
      break;
    case ID_SETTEU_BTN:
      menu.Append(ID_KAN_SET, U("システムの環境設定(&K)"));
      menu.Append(ID_RECENT_KANRI, U("最近使ったドキュメントの管理(&R)"));
      menu.AppendSeparator();
      menu.Append(ID_APP_ABOUT, U("バージョン情報(&A)"));
      break;
    case ID_PANE_BTN:
      menu.AppendCheckItem(ID_VIEW_PROPATY_PANE, U("プロパティ"))->Check(PaneShown(kPropertiesPaneId));
      menu.AppendCheckItem(ID_VIEW_SEARCH_PANE, U("検索・置換"))->Check(PaneShown(kSearchPaneId));
      break;
    case grid_command::kToggle: {
      const int mode = context_.diagram.header.GridMode;
      menu.AppendCheckItem(grid_command::kOff, U("なし(&N)"))->Check(mode < 0);
      menu.AppendCheckItem(grid_command::kCross, U("中央十字線(&C)"))->Check(mode == 5);
      menu.AppendCheckItem(grid_command::k10, U("10ピクセル間隔(&1)"))->Check(mode == 1);
      menu.AppendCheckItem(grid_command::k40, U("40ピクセル間隔(&4)"))->Check(mode == 2);
      menu.AppendCheckItem(grid_command::k70, U("70ピクセル間隔(&7)"))->Check(mode == 3);
      menu.AppendCheckItem(grid_command::k100, U("100ピクセル間隔(&A)"))->Check(mode == 4);
      menu.AppendSeparator();
      menu.AppendCheckItem(grid_command::kInFront, U("手前に表示(&F)"))->Check(context_.held.GridFoward == 1);
      break;
    }
    case ID_STYLE: {
      const int current = Read(context_.store, settings::kApplicationLook);
      for (const WindowStyle& s : kRibbonStyles)
        menu.AppendRadioItem(s.id, U(s.label))->Check(s.id == current);
      break;
    }
    default:
      return;
  }
  event.PopupMenu(&menu);
}

void MainFrame::OnCommand(wxCommandEvent& event) {
  const int id = event.GetId();
  const Point scroll = view_->ScrollPosition();
  if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + settings::kRecentFileCount) {
    if (session_->OpenRecentCommand(static_cast<std::size_t>(id - ID_FILE_MRU_FILE1), scroll) !=
        CommandOutcome::Cancelled)
      AfterDocumentReplaced();
    return;
  }
  if (IsRibbonStyle(id)) {
    ApplyWindowStyle(id);
    Write(context_.store, settings::kApplicationLook, id);
    return;
  }
  for (const ChartButton& b : kChartButtons) {
    if (b.id == id) {
      SwitchTo(b.chart);
      return;
    }
  }
  if (ViewCommand(id)) return;
  switch (id) {
    case ID_FILE_NEW:
      if (session_->NewCommand(scroll) != CommandOutcome::Cancelled) AfterDocumentReplaced();
      break;
    case ID_FILE_OPEN:
      if (session_->OpenCommand(scroll) != CommandOutcome::Cancelled) AfterDocumentReplaced();
      break;
    case ID_FILE_SAVE:
      if (session_->SaveCommand(scroll)) SetTitle(U(session_->WindowTitle()));
      break;
    case ID_FILE_SAVE_AS:
      if (session_->SaveAsCommand(scroll)) SetTitle(U(session_->WindowTitle()));
      break;
    case ID_FILE_IMAGE:
      SaveChartImageCommand(this, context_);
      view_->Refresh(false);
      break;
    case ID_FILE_PRINT:
      PrintChartCommand(this, context_);
      view_->Refresh(false);
      break;
    case ID_UNDO:
      if (session_->Undo()) AfterEdit();
      break;
    case ID_REDO:
      if (session_->Redo()) AfterEdit();
      break;
    case kSetAsDefault:
      session_->SetObjectAsDefaultsCommand();
      break;
    case kSetMemoAsDefault:
      session_->SetMemoAsDefaultsCommand();
      break;
    case kSetPictureFromFile:
      if (const auto path = fileDialogs_->ChoosePictureToOpen())
        if (session_->SetPictureFromFileCommand(*path, PictureServicesOf())) AfterEdit();
      break;
    case kSetBuiltInPicture:
      if (const int number = ChooseBuiltInPicture(this))
        if (session_->SetBuiltInPictureCommand(number, PictureServicesOf())) AfterEdit();
      break;
    case kPasteCopiedPicture:
      if (session_->PastePictureCommand(clipboard_)) AfterEdit();
      break;
    case kApplyArcDefaults: {
      const auto shapes = [](Diagram& d, int index, int chart) { ResetShapeParams(d, index, true, chart); };
      const ObjectServices objects{context_.store, context_.messages, context_.random, shapes, {}, {}};
      if (session_->ApplyArcDefaultsCommand(objects)) AfterEdit();
      break;
    }
    case kNextChart:
      SwitchTo(NextChart(ShownChart(context_.diagram.header)));
      break;
    case kPreviousChart:
      SwitchTo(PreviousChart(ShownChart(context_.diagram.header)));
      break;
    case ID_FIRST_POS_FLOW:
      ResetFlowPositions();
      break;
    case ID_KAN_SET: {
      KansetDialog dialog(this, context_.store, context_.held);
      dialog.ShowModal();
      break;
    }
    case ID_RECENT_KANRI: {
      RecentDocumentsDialog dialog(this, context_.recent, context_.messages);
      dialog.ShowModal();
      break;
    }
    case ID_APP_ABOUT:
      ShowAboutDialog(this);
      break;
    case ID_VIEW_PROPATY_PANE:
      TogglePane(kPropertiesPaneId);
      break;
    case ID_VIEW_SEARCH_PANE:
      TogglePane(kSearchPaneId);
      break;
    case ID_VIEW_FULLSCREEN:
      ToggleFullScreen();
      break;
    case ID_SHOW_MENU:
      if (ribbon_->ArePanelsShown()) {
        ribbon_->HidePanels();
      } else {
        ribbon_->ShowPanels();
      }
      Layout();
      break;
    case ID_REPLACE:
      actionChart_->Recentre(context_.diagram.header.ActCenterObject);
      break;
    case kRecentreOnSelection:
      actionChart_->Recentre(context_.diagram.header.CurrentObject);
      break;
    case kFitActionView:
    case ID_GAMEN_SIZE_ACT:
      actionChart_->FitScreen();
      break;
    case kToggleHoverAnimation:
      ShowTimedMessage(ToggleHoverAnimation(context_.held, context_.store));
      break;
    default:
      event.Skip();
      break;
  }
}

void MainFrame::SwitchTo(int chart) {
  DocumentHeader& header = context_.diagram.header;
  if (chart == ShownChart(header)) return;
  const Point scroll = SwitchChart(header, chart, view_->ScrollPosition(), view_->ClientArea());
  LeaveChart(view_->viewState());
  view_->ShowChart(scroll);
  EnterShownChart();
  RefreshChartButtons();
}

void MainFrame::EnterShownChart() {
  ChartEntryOutcome outcome;
  view_->LayOut([&](RenderContext& c) { outcome = EnterChart(c, LayoutSeed()); });
  AfterChartLayout(outcome.viewResized);
}

void MainFrame::ResetFlowPositions() {
  if (ShownChart(context_.diagram.header) != FlowChart) return;
  FlowLayoutOutcome outcome;
  view_->LayOut([&](RenderContext& c) {
    outcome = FlowResetCommand(c, context_.messages, [this] { session_->TakeSnapshot(); }, LayoutSeed());
  });
  if (!outcome.laidOut) return;
  session_->MarkModified();
  AfterChartLayout(outcome.viewResized);
  AfterEdit();
}

void MainFrame::AfterChartLayout(bool viewResized) {
  if (!viewResized) {
    view_->Refresh(false);
    return;
  }
  session_->MarkModified();
  view_->ShowChart({0, 0});
}

uint32_t MainFrame::LayoutSeed() const { return static_cast<uint32_t>(context_.clock.Now()); }

void MainFrame::TogglePane(int paneId) {
  wxWindow* window = FindWindow(paneId);
  if (window == nullptr) return;
  wxAuiPaneInfo& pane = aui_.GetPane(window);
  pane.Show(!pane.IsShown());
  aui_.Update();
}

void MainFrame::ToggleFullScreen() {
  if (!IsFullScreen()) {
    ShowFullScreen(true, wxFULLSCREEN_NOCAPTION | wxFULLSCREEN_NOBORDER);
    return;
  }
  ShowFullScreen(false);
  Maximize(true);
  Maximize(false);
}

void MainFrame::OnClose(wxCloseEvent& event) {
  if (event.CanVeto() && !session_->SaveModified(view_->ScrollPosition())) {
    event.Veto();
    return;
  }
  Destroy();
}

}  // namespace ravelo
