#include "app/print_command.h"

#include <cairo.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/panel.h>
#include <wx/print.h>
#include <wx/printdlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/chart_drawings.h"
#include "app/wx_text.h"
#include "model/program_settings.h"
#include "model/string_table.h"
#include "output/chart_export.h"
#include "output/page_layout.h"
#include "platform/cairo/cairo_targets.h"

namespace ravelo {

namespace {

static_assert(wxPAPER_A4 == 3 && wxPAPER_A3 == 12 && wxPAPER_B4 == 15 && wxPAPER_B5 == 16 && wxPAPER_LETTER == 1 &&
                  wxPAPER_FANFOLD_LGL_GERMAN == 41,
              "the paper table's toolkit ids are wxPaperSize values");

std::unique_ptr<wxPrintData>& PrintData() {
  static std::unique_ptr<wxPrintData> data;
  return data;
}

// The paper of the printer settings, A4 when the toolkit names one the table does not have.
const Paper& PaperOf(const wxPrintData& data) {
  const Paper* paper = PaperOfToolkitId(data.GetPaperId());
  return paper != nullptr ? *paper : *PaperOfCode(kPaperA4);
}

Orientation OrientationOf(const wxPrintData& data) {
  return data.GetOrientation() == wxLANDSCAPE ? Orientation::Landscape : Orientation::Portrait;
}

// The chart's pages on the printer: each page's placement drawn through the scene on the printer's
// Cairo context, whose units are printer pixels.
class ChartPrintout final : public wxPrintout {
 public:
  ChartPrintout(ChartScene& scene, PrintSheet sheet, Size chart, bool onePage, PageGrid grid, std::vector<int> pages)
      : wxPrintout(U("Ravelo")),
        scene_(scene),
        sheet_(sheet),
        chart_(chart),
        onePage_(onePage),
        grid_(grid),
        pages_(std::move(pages)) {}

  bool HasPage(int page) override { return page >= 1 && page <= static_cast<int>(pages_.size()); }
  void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override {
    *minPage = *pageFrom = 1;
    *maxPage = *pageTo = static_cast<int>(pages_.size());
  }
  bool OnPrintPage(int page) override {
    wxDC* dc = GetDC();
    auto* cr = dc == nullptr ? nullptr : static_cast<cairo_t*>(dc->GetImpl()->GetCairoContext());
    if (cr == nullptr) return false;
    int dpiX = 0, dpiY = 0;
    GetPPIPrinter(&dpiX, &dpiY);
    cairo_save(cr);
    cairo_scale(cr, dpiX / 96.0, dpiY / 96.0);
    const PagePlacement placement =
        PlacePage(sheet_, chart_.width, chart_.height, onePage_, grid_, pages_[static_cast<std::size_t>(page - 1)]);
    DrawPlaced(cr, DeviceCaps{}, placement, [&](Surface& surface) { scene_.Draw(surface, 1.0f); });
    cairo_restore(cr);
    return true;
  }

 private:
  ChartScene& scene_;
  PrintSheet sheet_;
  Size chart_;
  bool onePage_;
  PageGrid grid_;
  std::vector<int> pages_;
};

// CInsatuDlg: printer, orientation, range, margins and the preview of the current page.
class InsatuDialog final : public wxDialog {
  enum class MarginLine { None, Left, Top, Right, Bottom };

 public:
  InsatuDialog(wxWindow* parent, EditorContext& context, wxPrintData& data)
      : wxDialog(parent, 156, U("印刷"), wxDefaultPosition, wxDefaultSize,
                 wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER | wxMAXIMIZE_BOX),
        context_(context),
        store_(context.store),
        data_(data),
        scene_(context.diagram, SceneSettings{.gridInFront = context.held.GridFoward != 0}, EditorChartDrawings()) {
    Build();
    Recompute();
    PlaceFromSettings();
  }

  void Print() {
    const Margins margins = MarginsNow();
    Write(store_, settings::kMarginLmm, margins.left);
    Write(store_, settings::kMarginRmm, margins.right);
    Write(store_, settings::kMarginTmm, margins.top);
    Write(store_, settings::kMarginBmm, margins.bottom);
    const std::vector<int> pages =
        PagesToPrint(RangeNow(), grid_, page_->GetValue(), from_->GetValue(), to_->GetValue(), onePage_->GetValue());
    if (pages.empty()) return;
    ChartPrintout printout(scene_, Sheet(), scene_.SizeAt(1.0f), onePage_->GetValue(), grid_, pages);
    wxPrintDialogData dialogData(data_);
    wxPrinter printer(&dialogData);
    // The system's print dialog: a machine without a printer can still print to a file there.
    if (printer.Print(this, &printout, true)) {
      data_ = printer.GetPrintDialogData().GetPrintData();
    } else if (wxPrinter::GetLastError() == wxPRINTER_ERROR) {
      ShowResourceMessage(context_.messages, "CreateDC At SetPaperSize\n", kMsgPrinterDcFailed, MessageIcon::Stop,
                          MessageButtons::Ok);
    }
  }

  void StoreOnClose() {
    Write(store_, settings::kDspYohaku, showMargins_->GetValue() ? 1 : 0);
    Write(store_, settings::kPrintZoomed, IsMaximized() ? 1 : 0);
    if (!IsMaximized()) {
      const wxRect rect = GetRect();
      Write(store_, settings::kPrintDialogX, std::max(rect.x, 0));
      Write(store_, settings::kPrintDialogY, std::max(rect.y, 0));
      Write(store_, settings::kPrintDialogWidth, rect.width);
      Write(store_, settings::kPrintDialogHeight, rect.height);
    }
  }

 private:
  void Build() {
    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    auto* controls = new wxBoxSizer(wxVERTICAL);

    auto* printerBox = new wxStaticBoxSizer(wxVERTICAL, this, U("1 プリンタ："));
    auto* orientationRow = new wxBoxSizer(wxHORIZONTAL);
    portrait_ =
        new wxRadioButton(printerBox->GetStaticBox(), wxID_ANY, U("縦"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    landscape_ = new wxRadioButton(printerBox->GetStaticBox(), wxID_ANY, U("横"));
    auto* setup = new wxButton(printerBox->GetStaticBox(), wxID_ANY, U("設定(&P)"));
    orientationRow->Add(portrait_, 0, wxRIGHT, 8);
    orientationRow->Add(landscape_, 0, wxRIGHT, 8);
    orientationRow->Add(setup);
    printerBox->Add(orientationRow, 0, wxALL, 4);
    printerName_ = new wxStaticText(printerBox->GetStaticBox(), wxID_ANY, wxString());
    paperName_ = new wxStaticText(printerBox->GetStaticBox(), wxID_ANY, wxString());
    paperSize_ = new wxStaticText(printerBox->GetStaticBox(), wxID_ANY, wxString());
    for (wxStaticText* text : {printerName_, paperName_, paperSize_}) printerBox->Add(text, 0, wxALL, 2);
    controls->Add(printerBox, 0, wxEXPAND | wxALL, 4);

    auto* rangeBox = new wxStaticBoxSizer(wxVERTICAL, this, U("2 印刷範囲："));
    wxWindow* rangeParent = rangeBox->GetStaticBox();
    all_ =
        new wxRadioButton(rangeParent, wxID_ANY, U("すべてのページ(&A)"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    current_ = new wxRadioButton(rangeParent, wxID_ANY, U("現在のページ(&N)"));
    pagesMode_ = new wxRadioButton(rangeParent, wxID_ANY, U("ページ指定(&R)"));
    rangeBox->Add(all_, 0, wxALL, 2);
    rangeBox->Add(current_, 0, wxALL, 2);
    auto* fromTo = new wxBoxSizer(wxHORIZONTAL);
    fromTo->Add(pagesMode_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    fromTo->Add(new wxStaticText(rangeParent, wxID_ANY, U("開始：")), 0, wxALIGN_CENTER_VERTICAL);
    from_ =
        new wxSpinCtrl(rangeParent, wxID_ANY, U("1"), wxDefaultPosition, wxSize(120, -1), wxSP_ARROW_KEYS, 1, 9999, 1);
    fromTo->Add(from_);
    fromTo->Add(new wxStaticText(rangeParent, wxID_ANY, U("- 終了：")), 0, wxALIGN_CENTER_VERTICAL);
    to_ =
        new wxSpinCtrl(rangeParent, wxID_ANY, U("1"), wxDefaultPosition, wxSize(120, -1), wxSP_ARROW_KEYS, 1, 9999, 1);
    fromTo->Add(to_);
    rangeBox->Add(fromTo, 0, wxALL, 2);
    onePage_ = new wxCheckBox(rangeParent, wxID_ANY, U("全1ページ(&J)"));
    rangeBox->Add(onePage_, 0, wxALL, 2);
    controls->Add(rangeBox, 0, wxEXPAND | wxALL, 4);

    auto* marginBox = new wxStaticBoxSizer(wxVERTICAL, this, U("3 余白：(max : 50mm)"));
    auto* marginGrid = new wxFlexGridSizer(4, 2, 2);
    const Margins stored{Read(store_, settings::kMarginLmm), Read(store_, settings::kMarginTmm),
                         Read(store_, settings::kMarginRmm), Read(store_, settings::kMarginBmm)};
    const auto margin = [&](const char* label, int value) {
      marginGrid->Add(new wxStaticText(marginBox->GetStaticBox(), wxID_ANY, U(label)), 0, wxALIGN_CENTER_VERTICAL);
      auto* spin = new wxSpinCtrl(marginBox->GetStaticBox(), wxID_ANY, wxString(), wxDefaultPosition, wxSize(120, -1),
                                  wxSP_ARROW_KEYS, 0, 50, std::clamp(value, 0, 50));
      marginGrid->Add(spin);
      return spin;
    };
    top_ = margin("上", stored.top);
    bottom_ = margin("下", stored.bottom);
    left_ = margin("左", stored.left);
    right_ = margin("右", stored.right);
    marginBox->Add(marginGrid, 0, wxALL, 4);
    controls->Add(marginBox, 0, wxEXPAND | wxALL, 4);

    auto* previewBox = new wxStaticBoxSizer(wxVERTICAL, this, U("4 プレビュー："));
    gridText_ = new wxStaticText(previewBox->GetStaticBox(), wxID_ANY, wxString());
    previewBox->Add(gridText_, 0, wxALL, 2);
    auto* pageRow = new wxBoxSizer(wxHORIZONTAL);
    page_ = new wxSpinCtrl(previewBox->GetStaticBox(), wxID_ANY, U("1"), wxDefaultPosition, wxSize(120, -1),
                           wxSP_ARROW_KEYS, 1, 1, 1);
    pageCount_ = new wxStaticText(previewBox->GetStaticBox(), wxID_ANY, wxString());
    pageRow->Add(page_);
    pageRow->Add(pageCount_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
    previewBox->Add(pageRow, 0, wxALL, 2);
    showMargins_ = new wxCheckBox(previewBox->GetStaticBox(), wxID_ANY, U("余白を表示(&M)"));
    showMargins_->SetValue(Read(store_, settings::kDspYohaku) != 0);
    previewBox->Add(showMargins_, 0, wxALL, 2);
    controls->Add(previewBox, 0, wxEXPAND | wxALL, 4);

    auto* actions = new wxBoxSizer(wxHORIZONTAL);
    actions->Add(new wxButton(this, wxID_OK, U("印刷実行(&S)")), 0, wxRIGHT, 8);
    actions->Add(new wxButton(this, wxID_CANCEL, U("中止(&C)")));
    controls->Add(actions, 0, wxALIGN_RIGHT | wxALL, 8);

    preview_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(360, 420));
    preview_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    preview_->Bind(wxEVT_PAINT, &InsatuDialog::OnPaintPreview, this);
    preview_->Bind(wxEVT_MOTION, &InsatuDialog::OnPreviewMotion, this);
    preview_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
      dragged_ = LineAt(event.GetPosition());
      if (dragged_ != MarginLine::None) preview_->CaptureMouse();
    });
    preview_->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { EndDrag(); });
    preview_->Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { dragged_ = MarginLine::None; });
    preview_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
      preview_->Refresh();
      event.Skip();
    });
    columns->Add(controls, 0, wxALL, 4);
    columns->Add(preview_, 1, wxEXPAND | wxALL, 1);
    SetSizerAndFit(columns);
    // Names for the settings they stand for, as the test hook finds controls.
    const std::pair<wxWindow*, const char*> names[] = {
        {portrait_, "Portrait"},   {landscape_, "Landscape"}, {all_, "HaniAll"},          {current_, "HaniCurrent"},
        {pagesMode_, "HaniPages"}, {onePage_, "AllOne"},      {showMargins_, "DspYohaku"}};
    for (const auto& [window, name] : names) window->SetName(U(name));

    (OrientationOf(data_) == Orientation::Landscape ? landscape_ : portrait_)->SetValue(true);
    const int range = Read(store_, settings::kHani);
    (range == 2 ? current_ : range == 3 ? pagesMode_ : all_)->SetValue(true);
    onePage_->SetValue(range == 3 && Read(store_, settings::kAllOne) != 0);
    onePage_->Enable(range == 3);

    for (wxRadioButton* button : {portrait_, landscape_})
      button->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnOrientation(); });
    for (wxRadioButton* button : {all_, current_, pagesMode_})
      button->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { OnRange(); });
    onePage_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
      Write(store_, settings::kAllOne, onePage_->GetValue() ? 1 : 0);
      Recompute();
    });
    showMargins_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { preview_->Refresh(); });
    for (wxSpinCtrl* spin : {top_, bottom_, left_, right_, page_})
      spin->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { Recompute(); });
    setup->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSetup(); });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) {
      if (event.GetId() == wxID_OK) Print();
      event.Skip();
    });
  }

  void PlaceFromSettings() {
    const wxRect stored(Read(store_, settings::kPrintDialogX), Read(store_, settings::kPrintDialogY),
                        Read(store_, settings::kPrintDialogWidth), Read(store_, settings::kPrintDialogHeight));
    SetSize(wxSize(std::max(stored.width, GetMinWidth()), std::max(stored.height, GetMinHeight())));
    if (wxDisplay::GetFromPoint(stored.GetTopLeft()) != wxNOT_FOUND) {
      Move(stored.GetTopLeft());
    } else {
      CentreOnParent();
    }
    if (Read(store_, settings::kPrintZoomed) == 1) Maximize();
  }

  Margins MarginsNow() const { return {left_->GetValue(), top_->GetValue(), right_->GetValue(), bottom_->GetValue()}; }
  PrintRange RangeNow() const {
    return current_->GetValue() ? PrintRange::Current : pagesMode_->GetValue() ? PrintRange::Pages : PrintRange::All;
  }
  PrintSheet Sheet() const { return SheetOf(PaperOf(data_), OrientationOf(data_), MarginsNow()); }

  void Recompute() {
    const PrintSheet sheet = Sheet();
    const Size chart = scene_.SizeAt(1.0f);
    grid_ = ComputePageGrid(sheet, chart.width, chart.height, onePage_->GetValue());
    const wxString name = data_.GetPrinterName();
    printerName_->SetLabel(U("プリンタ名：") + (name.empty() ? U("(既定のプリンタ)") : name));
    paperName_->SetLabel(U("用紙：") + U(PaperText(PaperOf(data_).code)));
    char size[64];
    std::snprintf(size, sizeof size, "%.1f X %.1f mm", sheet.widthMm, sheet.heightMm);
    paperSize_->SetLabel(U("サイズ：") + U(size));
    gridText_->SetLabel(U("(横 ") + U(std::to_string(grid_.across)) + U(" × 縦 ") + U(std::to_string(grid_.down)) +
                        U(" ページ)"));
    pageCount_->SetLabel(U("/ " + std::to_string(grid_.count()) + " ページ"));
    to_->SetValue(grid_.count());
    page_->SetRange(1, grid_.count());
    if (page_->GetValue() > grid_.count()) page_->SetValue(grid_.count());
    preview_->Refresh();
  }

  void OnOrientation() {
    const bool landscape = landscape_->GetValue();
    data_.SetOrientation(landscape ? wxLANDSCAPE : wxPORTRAIT);
    Write(store_, settings::kOrientation, landscape ? 2 : 1);
    Recompute();
  }

  void OnRange() {
    const PrintRange range = RangeNow();
    Write(store_, settings::kHani, static_cast<int>(range));
    onePage_->Enable(range == PrintRange::Pages);
    if (range != PrintRange::Pages) {
      onePage_->SetValue(false);
      Write(store_, settings::kAllOne, 0);
    }
    Recompute();
  }

  void OnSetup() {
    wxPageSetupDialogData setupData(data_);
    wxPageSetupDialog dialog(this, &setupData);
    if (dialog.ShowModal() != wxID_OK) return;
    data_ = dialog.GetPageSetupDialogData().GetPrintData();
    Write(store_, settings::kPaperSize, PaperOf(data_).code);
    Write(store_, settings::kOrientation, OrientationOf(data_) == Orientation::Landscape ? 2 : 1);
    (OrientationOf(data_) == Orientation::Landscape ? landscape_ : portrait_)->SetValue(true);
    Recompute();
  }

  // The margin line within a few pixels of the point, when the margins are shown.
  MarginLine LineAt(wxPoint at) const {
    if (!showMargins_->GetValue() || pixelsPerMm_ <= 0 || !paper_.Contains(at)) return MarginLine::None;
    constexpr int kNear = 3;
    const Margins m = MarginsNow();
    const auto near = [&](int position, int line) { return std::abs(position - line) <= kNear; };
    if (near(at.x, paper_.x + static_cast<int>(m.left * pixelsPerMm_))) return MarginLine::Left;
    if (near(at.x, paper_.GetRight() - static_cast<int>(m.right * pixelsPerMm_))) return MarginLine::Right;
    if (near(at.y, paper_.y + static_cast<int>(m.top * pixelsPerMm_))) return MarginLine::Top;
    if (near(at.y, paper_.GetBottom() - static_cast<int>(m.bottom * pixelsPerMm_))) return MarginLine::Bottom;
    return MarginLine::None;
  }

  // Over a margin line the resize cursor; dragging it moves the margin, its spin field and the
  // preview following at once.
  void OnPreviewMotion(wxMouseEvent& event) {
    const wxPoint at = event.GetPosition();
    const MarginLine line = dragged_ != MarginLine::None ? dragged_ : LineAt(at);
    const bool across = line == MarginLine::Left || line == MarginLine::Right;
    preview_->SetCursor(line == MarginLine::None ? wxNullCursor : wxCursor(across ? wxCURSOR_SIZEWE : wxCURSOR_SIZENS));
    if (dragged_ == MarginLine::None) return;
    const int distance = dragged_ == MarginLine::Left    ? at.x - paper_.x
                         : dragged_ == MarginLine::Right ? paper_.GetRight() - at.x
                         : dragged_ == MarginLine::Top   ? at.y - paper_.y
                                                         : paper_.GetBottom() - at.y;
    wxSpinCtrl* spin = dragged_ == MarginLine::Left    ? left_
                       : dragged_ == MarginLine::Right ? right_
                       : dragged_ == MarginLine::Top   ? top_
                                                       : bottom_;
    const int margin = DraggedMargin(distance, pixelsPerMm_, spin->GetMin());
    if (margin != spin->GetValue()) {
      spin->SetValue(margin);
      Recompute();
    }
  }

  void EndDrag() {
    if (preview_->HasCapture()) preview_->ReleaseMouse();
    dragged_ = MarginLine::None;
  }

  // The page as it will print: the area grey, the paper with its shadow, and the chart's part of
  // the current page drawn by the scene at the preview's scale.
  void OnPaintPreview(wxPaintEvent&) {
    wxPaintDC dc(preview_);
    const wxSize area = preview_->GetClientSize();
    dc.SetBackground(wxBrush(wxColour(247, 247, 247)));
    dc.Clear();
    const PrintSheet sheet = Sheet();
    constexpr double kPixelsPerMm = 96 / 25.4;
    const double paperWidth = sheet.widthMm * kPixelsPerMm, paperHeight = sheet.heightMm * kPixelsPerMm;
    const double scale = std::min((area.x - 28) / paperWidth, (area.y - 28) / paperHeight);
    if (!(scale > 0)) return;
    const wxRect paper(static_cast<int>((area.x - paperWidth * scale) / 2),
                       static_cast<int>((area.y - paperHeight * scale) / 2), static_cast<int>(paperWidth * scale),
                       static_cast<int>(paperHeight * scale));
    paper_ = paper;
    pixelsPerMm_ = kPixelsPerMm * scale;
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxColour(128, 128, 128)));
    dc.DrawRectangle(paper.x + 5, paper.y + 5, paper.width, paper.height);
    dc.SetPen(wxPen(wxColour(192, 192, 192)));
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.DrawRectangle(paper);
    auto* cr = static_cast<cairo_t*>(dc.GetImpl()->GetCairoContext());
    if (cr != nullptr) {
      const Size chart = scene_.SizeAt(1.0f);
      const PagePlacement placement =
          PlacePage(sheet, chart.width, chart.height, onePage_->GetValue(), grid_, page_->GetValue());
      cairo_save(cr);
      cairo_translate(cr, paper.x, paper.y);
      cairo_scale(cr, scale, scale);
      DrawPlaced(cr, DeviceCaps{}, placement, [&](Surface& surface) { scene_.Draw(surface, 1.0f); });
      cairo_restore(cr);
    }
    if (showMargins_->GetValue()) {
      // The margin lines across the whole paper, dotted in the preview's background colour.
      dc.SetPen(wxPen(wxColour(247, 247, 247), 1, wxPENSTYLE_DOT));
      const auto x = [&](double mm) { return paper.x + static_cast<int>(mm * kPixelsPerMm * scale); };
      const auto y = [&](double mm) { return paper.y + static_cast<int>(mm * kPixelsPerMm * scale); };
      const Margins& m = sheet.margins;
      dc.DrawLine(x(m.left), paper.y, x(m.left), paper.GetBottom());
      dc.DrawLine(x(sheet.widthMm - m.right), paper.y, x(sheet.widthMm - m.right), paper.GetBottom());
      dc.DrawLine(paper.x, y(m.top), paper.GetRight(), y(m.top));
      dc.DrawLine(paper.x, y(sheet.heightMm - m.bottom), paper.GetRight(), y(sheet.heightMm - m.bottom));
    }
  }

  EditorContext& context_;
  SettingsStore& store_;
  wxRect paper_;             // the paper in the preview, as last painted
  double pixelsPerMm_ = 0;   // preview pixels to the millimetre
  MarginLine dragged_ = MarginLine::None;
  wxPrintData& data_;
  ChartScene scene_;
  PageGrid grid_;
  wxRadioButton* portrait_ = nullptr;
  wxRadioButton* landscape_ = nullptr;
  wxRadioButton* all_ = nullptr;
  wxRadioButton* current_ = nullptr;
  wxRadioButton* pagesMode_ = nullptr;
  wxStaticText* printerName_ = nullptr;
  wxStaticText* paperName_ = nullptr;
  wxStaticText* paperSize_ = nullptr;
  wxStaticText* gridText_ = nullptr;
  wxStaticText* pageCount_ = nullptr;
  wxSpinCtrl* from_ = nullptr;
  wxSpinCtrl* to_ = nullptr;
  wxSpinCtrl* page_ = nullptr;
  wxSpinCtrl* top_ = nullptr;
  wxSpinCtrl* bottom_ = nullptr;
  wxSpinCtrl* left_ = nullptr;
  wxSpinCtrl* right_ = nullptr;
  wxCheckBox* onePage_ = nullptr;
  wxCheckBox* showMargins_ = nullptr;
  wxPanel* preview_ = nullptr;
};

}  // namespace

bool PrepareApplicationPrinter(int paperCode, int orientation) {
  auto& data = PrintData();
  data = std::make_unique<wxPrintData>();
  const Paper* paper = PaperOfCode(paperCode);
  data->SetPaperId(static_cast<wxPaperSize>((paper != nullptr ? paper : PaperOfCode(kPaperA4))->toolkitId));
  data->SetOrientation(orientation == 2 ? wxLANDSCAPE : wxPORTRAIT);
  return data->IsOk();
}

void PrintChartCommand(wxWindow* parent, EditorContext& context) {
  if (!PrintData())
    PrepareApplicationPrinter(Read(context.store, settings::kPaperSize), Read(context.store, settings::kOrientation));
  Diagram& diagram = context.diagram;
  for (int i = 0; i < diagram.count(); ++i) diagram.state(i).Selected = 0;
  InsatuDialog dialog(parent, context, *PrintData());
  dialog.ShowModal();
  dialog.StoreOnClose();
}

}  // namespace ravelo
