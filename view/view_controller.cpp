#include "view/view_controller.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "arcs/arc_handles.h"
#include "arcs/arc_types.h"
#include "charts/chart_rules.h"
#include "charts/scene.h"
#include "geometry/geometry.h"
#include "view/chart_area.h"
#include "view/hit_test.h"
#include "view/zoom.h"
#include "view/zoom_console.h"

namespace ravelo {
namespace {

constexpr float kConsoleStep = 0.01f;
constexpr float kWheelStep = 0.1f;
constexpr float kFineWheelStep = 0.01f;
constexpr int kConsoleMoveThreshold = 4;
constexpr int kBandFeedback = 10;
constexpr Colour kBandColour = Rgb(70, 70, 70);
constexpr Colour kConsoleOutline = Rgb(0, 0, 128);
constexpr int kArrowStep = 10;

const char* const kMoveGuide = "Ctrlキーを押しながら方向キーで、微移動ができます";

ViewCursor HandleCursor(int kind) {
  switch (kind) {
    case 0:
    case 2:
      return ViewCursor::SizeNWSE;
    case 1:
    case 3:
      return ViewCursor::SizeNESW;
    case 4:
    case 6:
      return ViewCursor::SizeNS;
    case 5:
    case 7:
      return ViewCursor::SizeWE;
    default:
      return ViewCursor::Arrow;
  }
}

// The guide text while a shape handle of an arc of this type is dragged; chosen is the selected
// arc end (handle + 1).
std::string_view ArcShapeGuide(int type, int chosen) {
  if (IsCurveType(type) || IsRailType(type)) return "方向キーで自由に形状変更ができます";
  switch (type) {
    case kArcLightning:
      return "↑ ↓　始点・終点間の位置　← →　イナズマ線の長さ　を変更することができます";
    case kArcBreak:
      return "↑ ↓　始点・終点間の位置　← →　中略線の隙間　を変更することができます";
    case kArcHop:
      return "↑ ↓　始点・終点間の位置　← →　マタギ線の隙間　を変更することができます";
    case kArcZigzag:
    case kArcWave:
      return "↑ ↓　山（波）の高さ　← →　山（波）の幅　を変更することができます";
    case kArcZigzagGroups:
    case kArcWaveGroups:
      return chosen == 1 ? "↑ ↓　山（波）の高さ　← →　山（波）の幅　を変更することができます"
                         : "← →　山（波）のない平らな状態の長さを変更することができます";
    default:
      return {};
  }
}

// Near the right or bottom edge of the view area: its size, limits and what dragging it does.
std::string EdgeTooltip(const DocumentHeader& header, Point canvas, int autoMent) {
  const int chart = ShownChart(header);
  const bool right = HitViewRightEdge(header, canvas);
  if (!right && !HitViewBottomEdge(header, canvas)) return {};
  const std::string size = right ? "Width=" + std::to_string(header.ViewWidth[chart])
                                 : "Height=" + std::to_string(header.ViewHeight[chart]);
  return size + "\nmin:500  max:5000\n" + (autoMent == 1 ? "オブジェクト位置自動調整" : "余白のみ変更");
}

double AngleAround(Point centre, Point p) {
  return std::atan2(static_cast<double>(p.Y) - centre.Y, static_cast<double>(p.X) - centre.X);
}

}  // namespace

ViewController::ViewController(Diagram& diagram, ViewHost& host, RandomSource& random,
                               const SystemSettings& settings)
    : diagram_(diagram), host_(host), random_(random), settings_(settings) {}

Point ViewController::Canvas(Point client) const {
  const Point scroll = host_.ScrollPosition();
  return {client.X + scroll.X, client.Y + scroll.Y};
}

Point ViewController::ConsoleCentre() const { return {diagram_.header.ConsoleX, diagram_.header.ConsoleY}; }

bool ViewController::ConsoleVisible() const { return consoleShowing_ || diagram_.header.ConsoleShown != 0; }

void ViewController::Paint(Surface& surface, const Rect& visible) {
  const SceneSettings scene{.gridInFront = settings_.GridFoward != 0};
  RenderContext context(diagram_, surface, view_, random_, scene, &arcs_);
  PaintCanvas(context, visible);
}

void ViewController::PaintFeedback(Surface& surface) {
  const Point scroll = host_.ScrollPosition();
  if (mode_ == DragMode::RubberBand) {
    const Rect band = BandBetween(pressCanvas_, dragCanvas_);
    if (band.right - band.left >= kBandFeedback || band.bottom - band.top >= kBandFeedback) {
      surface.DrawRectangle(band, Pen{kBandColour, 1, DashStyle::Dot}, Brush::Hollow());
    }
  }
  if (ConsoleVisible()) {
    const Point kept = ClampConsoleCentre(ConsoleCentre(), host_.ClientSize());
    diagram_.header.ConsoleX = kept.X;
    diagram_.header.ConsoleY = kept.Y;
    const float zoom = diagram_.header.Zoom[ShownChart(diagram_.header)];
    DrawZoomConsole(surface, {kept.X + scroll.X, kept.Y + scroll.Y}, zoom, consoleActivated_);
  }
  if (mode_ == DragMode::ConsoleMove) {
    const Point centre{ConsoleCentre().X + dragClient_.X - pressClient_.X + scroll.X,
                       ConsoleCentre().Y + dragClient_.Y - pressClient_.Y + scroll.Y};
    surface.DrawRectangle({centre.X - kConsoleRadius, centre.Y - kConsoleRadius, centre.X + kConsoleRadius,
                           centre.Y + kConsoleRadius},
                          Pen{kConsoleOutline, 1, DashStyle::Solid}, Brush::Hollow());
  }
}

void ViewController::Guide(std::string_view textUtf8) {
  if (settings_.DspGuide == 1) host_.SetGuideText(textUtf8);
}

void ViewController::AfterSelectionChange(int paneType) {
  host_.Redraw();
  host_.SelectionChanged(paneType);
}

void ViewController::StartDrag(DragMode mode) {
  mode_ = mode;
  host_.CaptureMouse();
}

bool ViewController::PressOnConsole(Point client) {
  const Point centre = ConsoleCentre();
  if (consoleActivated_ && ConsoleVisible() && OnZoomConsoleRing(centre, client)) {
    turnAngle_ = AngleAround(centre, client);
    StartDrag(DragMode::ConsoleTurn);
    return true;
  }
  const int part = HitZoomConsole(centre, client, true);
  if (part < 0) return false;
  consoleShowing_ = true;
  const float zoom = diagram_.header.Zoom[ShownChart(diagram_.header)];
  if (part == kConsolePlus) {
    SetZoom(zoom + kConsoleStep);
  } else if (part == kConsoleMinus) {
    SetZoom(zoom - kConsoleStep);
  } else {
    consoleActivated_ = true;
    host_.RedrawFeedback();
  }
  pressClient_ = dragClient_ = client;
  StartDrag(DragMode::ConsoleMove);
  return true;
}

bool ViewController::PressOnArcHandle(Point canvas) {
  const ArcHandleHit hit = HitArcHandle(diagram_, canvas);
  if (hit.arc < 0) return false;
  diagram_.header.CurrentObject = hit.arc;
  view_.selectedArcEnd = hit.handle + 1;
  view_.memoSelected = false;
  grabbedHandle_ = hit.handle;
  pressCanvas_ = canvas;
  StartDrag(DragMode::ArcShape);
  AfterSelectionChange(kPaneLinkArc);
  return true;
}

void ViewController::StartMoveOf(int index) {
  const std::string_view refusal = RulesOf(ShownChart(diagram_.header)).MoveRefusal(diagram_, index);
  if (!refusal.empty()) {
    Guide(refusal);
    return;
  }
  const bool box = RulesOf(ShownChart(diagram_.header)).IsBox(diagram_.object(index));
  host_.SetCursor(ViewCursor::Move);
  Guide(kMoveGuide);
  StartDrag(box ? DragMode::MoveBox : DragMode::MoveNodes);
}

// The press on an object; the properties pane's type to show, or -1 when nothing was hit.
int ViewController::PressOnObject(Point canvas, unsigned flags) {
  const HitResult hit = HitTestObjects(diagram_, RulesOf(ShownChart(diagram_.header)), canvas);
  if (hit.Index < 0) return -1;
  const int i = hit.Index;
  const bool ctrl = flags == (kLeftButton | kCtrlKey);
  if (hit.OnChildMark) {
    if (!ctrl) ClearSelection(diagram_, view_);
    view_.memoSelected = false;
    diagram_.header.CurrentObject = i;
    diagram_.state(i).Selected = 1;
    SelectDescendants(diagram_);
    StartMoveOf(i);
    return kPaneNode;
  }
  if (hit.ArcPart == kArcFromEnd || hit.ArcPart == kArcToEnd) {
    ClearSelection(diagram_, view_);
    diagram_.header.CurrentObject = i;
    diagram_.state(i).Selected = 1;
    view_.selectedArcEnd = hit.ArcPart;
    return kPaneArcEnd;
  }
  if (hit.ArcPart == kArcTitleBox || hit.OnMemo) {
    if (!ctrl) ClearSelection(diagram_, view_);
    diagram_.header.CurrentObject = i;
    diagram_.state(i).Selected = 1;
    if (hit.OnMemo) {
      view_.memoSelected = true;
      return kPaneMemo;
    }
    view_.selectedArcEnd = kArcTitleBox;
    return kPaneLinkArc;
  }
  view_.headlineSelected = false;
  view_.memoSelected = false;
  view_.selectedArcEnd = hit.ArcPart;
  if (ClickSelect(diagram_, i, flags) && diagram_.header.CurrentObject == i) StartMoveOf(i);
  return PaneTypeOf(diagram_, view_, hit.OnImage);
}

void ViewController::OnLeftDown(Point client, unsigned flags) {
  host_.SetFocus();
  if (mode_ != DragMode::None) return;
  const Point canvas = Canvas(client);
  if (PressOnConsole(client)) return;
  const int main = diagram_.header.CurrentObject;
  const bool mainIsArc = main >= 0 && main < diagram_.count() && IsLinkArc(diagram_.object(main));
  if (!(mainIsArc && PressOnArcHandle(canvas))) {
    int pane = PressOnObject(canvas, flags);
    if (pane < 0) {
      if (HitViewRightEdge(diagram_.header, canvas) || HitViewBottomEdge(diagram_.header, canvas)) {
        pane = PaneTypeOf(diagram_, view_, false);
      } else if (HitHeadline(diagram_, view_, canvas)) {
        ClearSelection(diagram_, view_);
        view_.headlineSelected = true;
        pane = kPaneHeadline;
      } else {
        ClearSelection(diagram_, view_);
        pressCanvas_ = dragCanvas_ = canvas;
        StartDrag(DragMode::RubberBand);
        pane = PaneTypeOf(diagram_, view_, false);
      }
    }
    pressCanvas_ = canvas;
    AfterSelectionChange(pane);
  }
  // A console that showed only because the pointer came near goes; one always shown is deactivated.
  if (diagram_.header.ConsoleShown != 0) {
    consoleActivated_ = false;
  } else {
    consoleShowing_ = false;
    consoleActivated_ = false;
  }
}

void ViewController::OnMouseMove(Point client, unsigned flags) {
  if ((flags & kLeftButton) == 0 || mode_ == DragMode::None) {
    HoverCursor(client);
    return;
  }
  const Point canvas = Canvas(client);
  switch (mode_) {
    case DragMode::RubberBand:
      dragCanvas_ = canvas;
      host_.RedrawFeedback();
      break;
    case DragMode::ConsoleMove:
      dragClient_ = client;
      host_.RedrawFeedback();
      break;
    case DragMode::ConsoleTurn: {
      const double angle = AngleAround(ConsoleCentre(), client);
      double change = angle - turnAngle_;
      if (change > kPi) change -= 2 * kPi;
      if (change < -kPi) change += 2 * kPi;
      turnAngle_ = angle;
      SetZoom(diagram_.header.Zoom[ShownChart(diagram_.header)] + static_cast<float>(change));
      break;
    }
    case DragMode::ArcShape: {
      const int chart = ShownChart(diagram_.header);
      const float zoom = diagram_.header.Zoom[chart];
      const bool inside = canvas.X > 0 && canvas.Y > 0 && canvas.X < ZoomedLength(diagram_.header.ViewWidth[chart], zoom) &&
                          canvas.Y < ZoomedLength(diagram_.header.ViewHeight[chart], zoom);
      host_.SetCursor(inside ? ViewCursor::Move : ViewCursor::Arrow);
      const int main = diagram_.header.CurrentObject;
      if (main >= 0 && main < diagram_.count())
        Guide(ArcShapeGuide(diagram_.object(main).Arc[chart].ArcType, view_.selectedArcEnd));
      break;
    }
    default:
      break;
  }
}

void ViewController::OnLeftUp(Point client, unsigned) {
  if (mode_ == DragMode::None) return;
  ReleaseDrag(client);
}

void ViewController::ReleaseDrag(Point client) {
  const DragMode mode = mode_;
  mode_ = DragMode::None;
  host_.ReleaseMouse();
  host_.SetCursor(ViewCursor::Arrow);
  const Point canvas = Canvas(client);
  switch (mode) {
    case DragMode::RubberBand:
      if (RubberBandSelect(diagram_, BandBetween(pressCanvas_, canvas), settings_.SelPart)) {
        AfterSelectionChange(PaneTypeOf(diagram_, view_, false));
      } else {
        host_.RedrawFeedback();
      }
      break;
    case DragMode::ConsoleMove: {
      const int dx = client.X - pressClient_.X, dy = client.Y - pressClient_.Y;
      if (std::abs(dx) >= kConsoleMoveThreshold || std::abs(dy) >= kConsoleMoveThreshold) {
        const Point moved = ClampConsoleCentre({diagram_.header.ConsoleX + dx, diagram_.header.ConsoleY + dy},
                                               host_.ClientSize());
        diagram_.header.ConsoleX = moved.X;
        diagram_.header.ConsoleY = moved.Y;
      }
      host_.RedrawFeedback();
      break;
    }
    case DragMode::ArcShape:
      if (DragArcHandle(diagram_, grabbedHandle_, pressCanvas_, canvas, [this] { host_.TakeSnapshot(); })) {
        host_.Redraw();
        host_.DocumentChanged();
      }
      break;
    default:
      break;
  }
}

void ViewController::HoverCursor(Point client) {
  const Point centre = ConsoleCentre();
  const bool onRing = consoleActivated_ && ConsoleVisible() && OnZoomConsoleRing(centre, client);
  const int part = HitZoomConsole(centre, client, true);
  if (part >= 0 || onRing) {
    if (!ConsoleVisible()) {
      consoleShowing_ = true;
      host_.RedrawFeedback();
    }
    host_.SetCursor(onRing                    ? ViewCursor::Hand
                    : part == kConsolePlus    ? ViewCursor::ZoomIn
                    : part == kConsoleMinus   ? ViewCursor::ZoomOut
                    : consoleActivated_       ? ViewCursor::Move
                                              : ViewCursor::Hand);
    return;
  }
  if (consoleShowing_ && diagram_.header.ConsoleShown == 0 && !consoleActivated_) {
    consoleShowing_ = false;
    host_.RedrawFeedback();
  }
  host_.SetTooltip(EdgeTooltip(diagram_.header, Canvas(client), settings_.AutoMent));
  const int main = diagram_.header.CurrentObject;
  if (main >= 0 && main < diagram_.count() && IsLinkArc(diagram_.object(main))) {
    const ArcHandleHit hit = HitArcHandle(diagram_, Canvas(client));
    if (hit.arc >= 0) {
      host_.SetCursor(HandleCursor(hit.cursor));
      return;
    }
  }
  host_.SetCursor(ViewCursor::Arrow);
}

void ViewController::CancelDrag() {
  mode_ = DragMode::None;
  host_.RedrawFeedback();
}

bool ViewController::OnContextMenu(Point client) {
  if (HitZoomConsole(ConsoleCentre(), client, false) < 0) return false;
  host_.ShowZoomMenu(client);
  return true;
}

void ViewController::ScrollToMainSelection() {
  const int chart = ShownChart(diagram_.header);
  const Size area = ScrollArea(diagram_.header, chart);
  const Size client = host_.ClientSize();
  const Rect& r = diagram_.state(diagram_.header.CurrentObject).ObjectRect;
  Point scroll = host_.ScrollPosition();
  if (area.width > client.width) scroll.X = std::max(0, (r.left + r.right) / 2 - client.width / 2);
  if (area.height > client.height) scroll.Y = std::max(0, (r.top + r.bottom) / 2 - client.height / 2);
  host_.ScrollTo(scroll);
}

bool ViewController::OnKey(ViewKey key, unsigned flags) {
  if (key == ViewKey::Tab) {
    if (!CycleMainSelection(diagram_, (flags & kShiftKey) != 0)) return true;
    view_.selectedArcEnd = -1;
    view_.memoSelected = false;
    ScrollToMainSelection();
    AfterSelectionChange(PaneTypeOf(diagram_, view_, false));
    return true;
  }
  const int step = (flags & kCtrlKey) != 0 ? 1 : kArrowStep;
  const int dx = key == ViewKey::Left ? -step : key == ViewKey::Right ? step : 0;
  const int dy = key == ViewKey::Up ? -step : key == ViewKey::Down ? step : 0;
  if (consoleActivated_ && ConsoleVisible()) {
    const Point moved = ClampConsoleCentre({diagram_.header.ConsoleX + dx, diagram_.header.ConsoleY + dy},
                                           host_.ClientSize());
    diagram_.header.ConsoleX = moved.X;
    diagram_.header.ConsoleY = moved.Y;
    host_.RedrawFeedback();
    return true;
  }
  const int main = diagram_.header.CurrentObject;
  const int end = view_.selectedArcEnd;
  if (main >= 0 && main < diagram_.count() && IsLinkArc(diagram_.object(main)) && end >= 1 && end <= 5) {
    if (NudgeArcHandle(diagram_, end - 1, dx, dy)) {
      host_.Redraw();
      host_.DocumentChanged();
    }
    return true;
  }
  return false;
}

bool ViewController::OnWheel(Point client, int notches, unsigned flags) {
  const float zoom = diagram_.header.Zoom[ShownChart(diagram_.header)];
  if (consoleActivated_ && ConsoleVisible() && OnZoomConsoleRing(ConsoleCentre(), client)) {
    // Turning the wheel towards the user zooms in.
    float step = -kWheelStep;
    if (flags == kCtrlKey) step = -kFineWheelStep;
    if (flags == (kCtrlKey | kShiftKey)) step = kFineWheelStep;
    if ((flags & kRightButton) != 0) step = kWheelStep;
    SetZoom(zoom + step * static_cast<float>(notches));
    return true;
  }
  if ((flags & kCtrlKey) == 0) return false;
  const float wheeled = std::clamp(zoom + kWheelStep * static_cast<float>(notches), kSmallestZoom, kLargestZoom);
  diagram_.header.Zoom[ShownChart(diagram_.header)] = wheeled;
  host_.SetScrollArea(ScrollArea(diagram_.header, ShownChart(diagram_.header)));
  host_.Redraw();
  host_.DocumentChanged();
  return true;
}

void ViewController::SetZoom(float zoom) {
  const int chart = ShownChart(diagram_.header);
  diagram_.header.Zoom[chart] = ClampZoom(diagram_.header, chart, zoom);
  host_.SetScrollArea(ScrollArea(diagram_.header, chart));
  host_.Redraw();
  host_.DocumentChanged();
}

bool ViewController::ZoomCommand(int command) {
  using namespace zoom_command;
  const int chart = ShownChart(diagram_.header);
  if (const auto zoom = CommandZoom(command)) {
    SetZoom(*zoom);
  } else if (command == kFitToWindow) {
    if (const auto fit = FitZoom(diagram_.header, chart, host_.ClientSize())) SetZoom(*fit);
  } else if (command == kAlwaysShowConsole) {
    diagram_.header.ConsoleShown = diagram_.header.ConsoleShown != 0 ? 0 : 1;
    consoleShowing_ = diagram_.header.ConsoleShown != 0;
    host_.RedrawFeedback();
    host_.DocumentChanged();
  } else if (command == kResetConsole) {
    diagram_.header.ConsoleX = kConsoleHome.X;
    diagram_.header.ConsoleY = kConsoleHome.Y;
    consoleShowing_ = true;
    host_.RedrawFeedback();
  } else {
    return false;
  }
  return true;
}

bool ViewController::GridCommand(int command) {
  const auto mode = GridModeAfter(diagram_.header.GridMode, command);
  if (!mode) return false;
  diagram_.header.GridMode = *mode;
  host_.Redraw();
  host_.DocumentChanged();
  return true;
}

void ViewController::SelectByKindCommand(SelectKind kind) {
  SelectByKind(diagram_, kind);
  host_.Redraw();
  if (diagram_.header.CurrentObject >= 0) host_.SelectionChanged(PaneTypeOf(diagram_, view_, false));
}

void ViewController::SelectDescendantsCommand() {
  SelectDescendants(diagram_);
  AfterSelectionChange(PaneTypeOf(diagram_, view_, false));
}

void ViewController::SelectSameLevelCommand() {
  if (SelectSameLevel(diagram_)) AfterSelectionChange(PaneTypeOf(diagram_, view_, false));
}

void ViewController::SelectArcEndNodesCommand() {
  SelectArcEndNodes(diagram_);
  AfterSelectionChange(PaneTypeOf(diagram_, view_, false));
}

void ViewController::ChooseArcEnd(int end) {
  view_.selectedArcEnd = end;
  AfterSelectionChange(kPaneArcEnd);
}

void ViewController::Reset() {
  if (mode_ != DragMode::None) host_.ReleaseMouse();
  mode_ = DragMode::None;
  view_ = ViewState{};
  consoleShowing_ = false;
  consoleActivated_ = false;
  grabbedHandle_ = -1;
}

}  // namespace ravelo
