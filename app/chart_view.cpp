#include "app/chart_view.h"

#include <wx/dcclient.h>
#include <wx/gdicmn.h>

#include "arcs/arc_painter.h"
#include "charts/chart_modules.h"

namespace ravelo {

namespace {

Size ScreenSize() {
  const wxSize size = wxGetDisplaySize();
  return {size.GetWidth(), size.GetHeight()};
}

}  // namespace

ChartView::ChartView(wxWindow* parent, Diagram& diagram, RandomSource& random, const SystemSettings& settings,
                     CursorListener onCursor)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL),
      diagram_(diagram),
      random_(random),
      settings_(settings),
      onCursor_(std::move(onCursor)),
      buffer_(ScreenSize().width, ScreenSize().height) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetScrollRate(1, 1);
  Bind(wxEVT_PAINT, &ChartView::OnPaint, this);
  Bind(wxEVT_MOTION, &ChartView::OnMotion, this);
  Bind(wxEVT_LEAVE_WINDOW, &ChartView::OnLeave, this);
}

void ChartView::ShowChart(Point position) {
  const Size area = ScrollArea(diagram_.header, ShownChart(diagram_.header));
  SetVirtualSize(area.width, area.height);
  Scroll(position.X, position.Y);
  // While the frame is still being laid out the toolkit may reset a position it cannot show yet;
  // scrolling once more after the pending layout keeps the position the chart was left at.
  CallAfter([this, position] { Scroll(position.X, position.Y); });
  Refresh(false);
}

void ChartView::LayOut(const std::function<void(RenderContext&)>& layout) {
  buffer_.Draw(ScrollPosition(), [this, &layout](Surface& surface) {
    LinkArcPainter arcs;
    const SceneSettings scene{.gridInFront = settings_.GridFoward != 0};
    RenderContext context(diagram_, surface, state_, random_, scene, &arcs);
    layout(context);
  });
}

Point ChartView::ScrollPosition() const {
  const wxPoint start = GetViewStart();
  return {start.x, start.y};
}

Size ChartView::ClientArea() const {
  const wxSize size = GetClientSize();
  return {size.GetWidth(), size.GetHeight()};
}

void ChartView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const Point scroll = ScrollPosition();
  const Size client = ClientArea();
  const Rect visible{scroll.X, scroll.Y, scroll.X + client.width, scroll.Y + client.height};
  buffer_.Draw(scroll, [this, &visible](Surface& surface) {
    LinkArcPainter arcs;
    const SceneSettings scene{.gridInFront = settings_.GridFoward != 0};
    RenderContext context(diagram_, surface, state_, random_, scene, &arcs);
    PaintCanvas(context, visible, ChartDrawings());
  });
  buffer_.CopyTo(dc, client.width, client.height);
}

void ChartView::OnMotion(wxMouseEvent& event) {
  const Point scroll = ScrollPosition();
  const Point canvas{event.GetX() + scroll.X, event.GetY() + scroll.Y};
  onCursor_(CursorPositionText(diagram_.header, ShownChart(diagram_.header), canvas));
  event.Skip();
}

void ChartView::OnLeave(wxMouseEvent& event) {
  onCursor_({});
  event.Skip();
}

}  // namespace ravelo
