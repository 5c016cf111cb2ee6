#include "app/chart_view.h"

#include <wx/dcclient.h>
#include <wx/gdicmn.h>
#include <wx/tooltip.h>

#include "app/chart_drawings.h"
#include "app/wx_text.h"

namespace ravelo {

namespace {

Size ScreenSize() {
  const wxSize size = wxGetDisplaySize();
  return {size.GetWidth(), size.GetHeight()};
}

unsigned FlagsOf(const wxMouseState& state) {
  unsigned flags = 0;
  if (state.LeftIsDown()) flags |= kLeftButton;
  if (state.RightIsDown()) flags |= kRightButton;
  if (state.MiddleIsDown()) flags |= kMiddleButton;
  if (state.ShiftDown()) flags |= kShiftKey;
  if (state.ControlDown()) flags |= kCtrlKey;
  return flags;
}

wxStockCursor StockCursor(ViewCursor cursor) {
  switch (cursor) {
    case ViewCursor::SizeNWSE:
      return wxCURSOR_SIZENWSE;
    case ViewCursor::SizeNESW:
      return wxCURSOR_SIZENESW;
    case ViewCursor::SizeNS:
      return wxCURSOR_SIZENS;
    case ViewCursor::SizeWE:
      return wxCURSOR_SIZEWE;
    case ViewCursor::Move:
      return wxCURSOR_SIZING;
    case ViewCursor::Hand:
      return wxCURSOR_HAND;
    case ViewCursor::ZoomIn:
    case ViewCursor::ZoomOut:
      return wxCURSOR_MAGNIFIER;
    case ViewCursor::Link:
      return wxCURSOR_CROSS;
    case ViewCursor::Unlink:
    case ViewCursor::Unrelate:
      return wxCURSOR_NO_ENTRY;
    case ViewCursor::Relate:
      return wxCURSOR_POINT_LEFT;
    default:
      return wxCURSOR_ARROW;
  }
}

}  // namespace

ChartView::ChartView(wxWindow* parent, Diagram& diagram, RandomSource& random, const SystemSettings& settings,
                     Messages& messages, const ObjectServices& objects, ViewFrameLink frame)
    : wxScrolledCanvas(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL | wxWANTS_CHARS),
      diagram_(diagram),
      messages_(messages),
      frame_(std::move(frame)),
      scene_(ScreenSize().width, ScreenSize().height),
      feedback_(ScreenSize().width, ScreenSize().height),
      controller_(diagram, *this, random, settings, objects) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetScrollRate(1, 1);
  // The view's tooltip shows soon, stays three seconds and shows again after two.
  wxToolTip::SetDelay(100);
  wxToolTip::SetAutoPop(3000);
  wxToolTip::SetReshow(2000);
  controller_.SetOtherCharts(EditorChartDrawings());
  Bind(wxEVT_PAINT, &ChartView::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, &ChartView::OnMouse, this);
  Bind(wxEVT_LEFT_UP, &ChartView::OnMouse, this);
  Bind(wxEVT_MOTION, &ChartView::OnMouse, this);
  Bind(wxEVT_LEAVE_WINDOW, &ChartView::OnLeave, this);
  Bind(wxEVT_KEY_DOWN, &ChartView::OnKeyDown, this);
  Bind(wxEVT_MOUSEWHEEL, &ChartView::OnWheel, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { controller_.CancelDrag(); });
  Bind(wxEVT_SCROLLWIN_THUMBTRACK, [this](wxScrollWinEvent& event) {
    controller_.ScrollBarDrag(true);
    event.Skip();
  });
  Bind(wxEVT_SCROLLWIN_THUMBRELEASE, [this](wxScrollWinEvent& event) {
    controller_.ScrollBarDrag(false);
    event.Skip();
  });
}

void ChartView::ShowChart(Point position) {
  SetScrollArea(ScrollArea(diagram_.header, ShownChart(diagram_.header)));
  Scroll(position.X, position.Y);
  // While the frame is still being laid out the toolkit may reset a position it cannot show yet;
  // scrolling once more after the pending layout keeps the position the chart was left at.
  CallAfter([this, position] { Scroll(position.X, position.Y); });
  Refresh(false);
}

Point ChartView::ScrollPosition() const {
  const wxPoint start = GetViewStart();
  return {start.x, start.y};
}

Size ChartView::ClientArea() const {
  const wxSize size = GetClientSize();
  return {size.GetWidth(), size.GetHeight()};
}

void ChartView::Refresh(bool eraseBackground, const wxRect* rect) {
  sceneStale_ = true;
  wxScrolledCanvas::Refresh(eraseBackground, rect);
}

void ChartView::RedrawFeedback() { wxScrolledCanvas::Refresh(false); }

void ChartView::SetCursor(ViewCursor cursor) { wxScrolledCanvas::SetCursor(wxCursor(StockCursor(cursor))); }

void ChartView::CaptureMouse() {
  if (!HasCapture()) wxScrolledCanvas::CaptureMouse();
}

void ChartView::ReleaseMouse() {
  if (HasCapture()) wxScrolledCanvas::ReleaseMouse();
}

void ChartView::SetTooltip(std::string_view textUtf8) {
  if (tooltip_ == textUtf8) return;
  tooltip_ = textUtf8;
  if (tooltip_.empty()) {
    UnsetToolTip();
  } else {
    SetToolTip(U(tooltip_));
  }
}

void ChartView::SetGuideText(std::string_view textUtf8) { frame_.guideText(std::string(textUtf8)); }

void ChartView::ScrollTo(Point position) { Scroll(position.X, position.Y); }

void ChartView::SetScrollArea(Size area) { SetVirtualSize(area.width, area.height); }

void ChartView::SetOverlay(std::function<void(Surface&)> overlay) {
  overlay_ = std::move(overlay);
  Refresh(false);
}

void ChartView::LayOut(const std::function<void(RenderContext&)>& layout) {
  scene_.Draw(ScrollPosition(), [this, &layout](Surface& surface) { controller_.LayOut(surface, layout); });
  sceneStale_ = true;
}

void ChartView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  const Point scroll = ScrollPosition();
  const Size client = ClientArea();
  // While an overlay is set the last scene stays as it was drawn, the overlay over it.
  if (!overlay_ && (sceneStale_ || scroll != sceneOrigin_ || client != sceneClient_)) {
    const Rect visible{scroll.X, scroll.Y, scroll.X + client.width, scroll.Y + client.height};
    scene_.Draw(scroll, [this, &visible](Surface& surface) { controller_.Paint(surface, visible); });
    sceneStale_ = false;
    sceneOrigin_ = scroll;
    sceneClient_ = client;
  }
  feedback_.CopyFrom(scene_, client.width, client.height);
  feedback_.Draw(scroll, [this](Surface& surface) {
    if (overlay_) {
      overlay_(surface);
    } else {
      controller_.PaintFeedback(surface);
    }
  });
  feedback_.CopyTo(dc, client.width, client.height);
}

void ChartView::OnMouse(wxMouseEvent& event) {
  const Point client{event.GetX(), event.GetY()};
  const unsigned flags = FlagsOf(event);
  if (event.GetEventType() == wxEVT_LEFT_DOWN) {
    controller_.OnLeftDown(client, flags);
  } else if (event.GetEventType() == wxEVT_LEFT_UP) {
    controller_.OnLeftUp(client, flags);
  } else {
    const Point scroll = ScrollPosition();
    frame_.cursorText(
        CursorPositionText(diagram_.header, ShownChart(diagram_.header), {client.X + scroll.X, client.Y + scroll.Y}));
    controller_.OnMouseMove(client, flags);
  }
  event.Skip();
}

void ChartView::OnLeave(wxMouseEvent& event) {
  frame_.cursorText({});
  event.Skip();
}

void ChartView::OnKeyDown(wxKeyEvent& event) {
  unsigned flags = 0;
  if (event.ShiftDown()) flags |= kShiftKey;
  if (event.ControlDown()) flags |= kCtrlKey;
  bool handled = false;
  switch (event.GetKeyCode()) {
    case WXK_TAB:
      // Ctrl+Tab belongs to the frame: it switches charts.
      handled = (flags & kCtrlKey) == 0 && controller_.OnKey(ViewKey::Tab, flags);
      break;
    case WXK_LEFT:
      handled = controller_.OnKey(ViewKey::Left, flags);
      break;
    case WXK_RIGHT:
      handled = controller_.OnKey(ViewKey::Right, flags);
      break;
    case WXK_UP:
      handled = controller_.OnKey(ViewKey::Up, flags);
      break;
    case WXK_DOWN:
      handled = controller_.OnKey(ViewKey::Down, flags);
      break;
    default:
      break;
  }
  if (!handled) event.Skip();
}

void ChartView::OnWheel(wxMouseEvent& event) {
  const int delta = event.GetWheelDelta() != 0 ? event.GetWheelDelta() : 120;
  const int notches = event.GetWheelRotation() / delta;
  if (notches == 0 || !controller_.OnWheel({event.GetX(), event.GetY()}, notches, FlagsOf(event))) event.Skip();
}

}  // namespace ravelo
