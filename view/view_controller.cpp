#include "view/view_controller.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>

#include "arcs/arc_handles.h"
#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "charts/chart_rules.h"
#include "charts/scene.h"
#include "geometry/geometry.h"
#include "model/cp932.h"
#include "view/chart_area.h"
#include "view/hit_test.h"
#include "view/move_edits.h"
#include "view/resize_edits.h"
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
constexpr Colour kOutlineColour = Rgb(0, 0, 128);
constexpr Colour kSizeLabelColour = Rgb(224, 85, 78);
constexpr int kArrowStep = 10;
constexpr int kSmallestRadius = 40;
constexpr int kLargestRadius = 140;
constexpr int kTitleReach = 200;  // how far a title or memo may stand from its anchor

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
  const std::string size =
      right ? "Width=" + std::to_string(header.ViewWidth[chart]) : "Height=" + std::to_string(header.ViewHeight[chart]);
  return size + "\nmin:500  max:5000\n" + (autoMent == 1 ? "オブジェクト位置自動調整" : "余白のみ変更");
}

std::string_view ViewEdgeGuide(int autoMent) {
  return autoMent == 1 ? "ノード位置を自動調整せずに右余白の増減のみしたいときは、「自動調整」ボタンをオフにします"
                       : "ビューのサイズに合せてノード位置を自動調整したいときは、「自動調整」ボタンをオンにします";
}

double AngleAround(Point centre, Point p) {
  return std::atan2(static_cast<double>(p.Y) - centre.Y, static_cast<double>(p.X) - centre.X);
}

Point CentreOf(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
Point Minus(Point a, Point b) { return {a.X - b.X, a.Y - b.Y}; }
bool Within(Point d, int pixels) { return std::abs(d.X) <= pixels && std::abs(d.Y) <= pixels; }

std::string Quoted(const DiagramObject& object) { return "『" + Cp932ToUtf8(FieldText(object.Title)) + "』"; }

}  // namespace

ViewController::ViewController(Diagram& diagram, ViewHost& host, RandomSource& random, const SystemSettings& settings,
                               const ObjectServices& objects)
    : diagram_(diagram), host_(host), random_(random), settings_(settings), objects_(objects) {}

const ChartRules& ViewController::Rules() const { return RulesOf(Chart()); }
int ViewController::Chart() const { return ShownChart(diagram_.header); }
float ViewController::Zoom() const { return diagram_.header.Zoom[Chart()]; }

bool ViewController::IsMain(int index) const {
  return index >= 0 && index < diagram_.count() && index == diagram_.header.CurrentObject;
}

Point ViewController::Canvas(Point client) const {
  const Point scroll = host_.ScrollPosition();
  return {client.X + scroll.X, client.Y + scroll.Y};
}

Point ViewController::ConsoleCentre() const { return {diagram_.header.ConsoleX, diagram_.header.ConsoleY}; }

bool ViewController::ConsoleVisible() const { return consoleShowing_ || diagram_.header.ConsoleShown != 0; }

void ViewController::Guide(std::string_view textUtf8) {
  if (settings_.DspGuide == 1) host_.SetGuideText(textUtf8);
}

void ViewController::AfterSelectionChange(int paneType) {
  host_.Redraw();
  host_.SelectionChanged(paneType);
}

void ViewController::AfterEdit() {
  host_.Redraw();
  host_.DocumentChanged();
}

void ViewController::StartDrag(DragMode mode, ViewCursor cursor) {
  mode_ = mode;
  host_.SetCursor(cursor);
  host_.CaptureMouse();
}

// --- painting ---

void ViewController::LayOut(Surface& surface, const std::function<void(RenderContext&)>& layout) {
  const SceneSettings scene{.gridInFront = settings_.GridFoward != 0};
  RenderContext context(diagram_, surface, view_, random_, scene, &arcs_);
  layout(context);
}

void ViewController::Paint(Surface& surface, const Rect& visible) {
  const SceneSettings scene{.gridInFront = settings_.GridFoward != 0};
  RenderContext context(diagram_, surface, view_, random_, scene, &arcs_);
  PaintCanvas(context, visible, others_);
}

Point ViewController::GhostShift() const {
  const Point to = Minus(lastCanvas_, dragOffset_);
  const Point shift = Minus(to, movedCentre_);
  if (mode_ != DragMode::MoveNodes && mode_ != DragMode::MoveBox && mode_ != DragMode::MoveHeadline) return shift;
  const Rect kept = KeptInView(diagram_.header, OffsetRect(movedRect_, shift.X, shift.Y));
  return {kept.left - movedRect_.left, kept.top - movedRect_.top};
}

void ViewController::PaintGhost(Surface& surface) {
  const Point shift = GhostShift();
  const Rect ghost = OffsetRect(movedRect_, shift.X, shift.Y);
  const Colour under = surface.PixelAt(lastCanvas_);
  const int r = under == kNoColour ? 255 : RedOf(under);
  const int g = under == kNoColour ? 255 : GreenOf(under);
  const int b = under == kNoColour ? 255 : BlueOf(under);
  int marumi = 0;
  if (mode_ == DragMode::MoveHeadline) {
    marumi = diagram_.header.Headline[Chart()].Marumi;
  } else if (IsMain(diagram_.header.CurrentObject)) {
    marumi = diagram_.object(diagram_.header.CurrentObject).Marumi;
  }
  const int corner = TruncToInt(marumi * 10.0 * Zoom());
  for (int k = 0; k < 3; ++k) {
    const Colour colour = Rgb((156 - r - 14 * k) & 0xFF, (152 - g - 12 * k) & 0xFF, (144 - b - 8 * k) & 0xFF);
    const Pen pen{colour, 3 - k, DashStyle::Solid};
    if (corner > 0) {
      surface.DrawRoundRect(ghost, corner, corner, pen, Brush::Hollow());
    } else {
      const RectanglePointList outline = RectanglePoints(ghost, kClosedOutline);
      surface.DrawPolyline(std::span<const Point>(outline.points.data(), 5), pen);
    }
  }
}

void ViewController::PaintSizing(Surface& surface) {
  const Pen outline{kOutlineColour, 1, DashStyle::Dot};
  switch (mode_) {
    case DragMode::BoxResize:
    case DragMode::BoxMargins:
      surface.DrawRectangle(DraggedRect(diagram_.header, movedRect_, grabbed_, lastCanvas_), outline, Brush::Hollow());
      break;
    case DragMode::ImageResize: {
      const int width = DraggedPictureWidth(movedRect_, lastCanvas_.X, Zoom());
      const int height = movedRect_.right > movedRect_.left
                             ? (movedRect_.bottom - movedRect_.top) * width / (movedRect_.right - movedRect_.left)
                             : 0;
      const Point c = CentreOf(movedRect_);
      surface.DrawRectangle({c.X - width / 2, c.Y - height / 2, c.X - width / 2 + width, c.Y - height / 2 + height},
                            outline, Brush::Hollow());
      break;
    }
    case DragMode::ArcRadius:
    case DragMode::NodeRadius: {
      const Point c = RingCentre(diagram_, diagram_.header.CurrentObject);
      const int radius = std::clamp(std::abs(lastCanvas_.X - c.X), kSmallestRadius, kLargestRadius);
      surface.DrawEllipse({c.X - radius, c.Y - radius, c.X + radius, c.Y + radius}, outline, Brush::Hollow());
      break;
    }
    case DragMode::NodeRing: {
      const int main = diagram_.header.CurrentObject;
      for (int i = 0; IsMain(main) && i < diagram_.count(); ++i) {
        if (IsDirectRelative(diagram_, main, i))
          surface.DrawRectangle(TurnedAboutRing(diagram_, main, i, pressCanvas_, lastCanvas_), outline,
                                Brush::Hollow());
      }
      break;
    }
    case DragMode::ViewWidth:
    case DragMode::ViewHeight: {
      const bool width = mode_ == DragMode::ViewWidth;
      const Rect view = ViewRect(diagram_.header);
      const int edge = DraggedViewEdge(width ? lastCanvas_.X : lastCanvas_.Y, Zoom());
      const Rect bar = width ? Rect{edge - 2, 0, edge + 2, view.bottom} : Rect{0, edge - 2, view.right, edge + 2};
      surface.DrawRectangle(bar, kNullPen, Brush::Checker(Rgb(255, 0, 255), Rgb(255, 255, 255)));
      surface.SetFont(Font{"Meiryo UI", -ZoomedLength(11, 1.0f), false, false, 0});
      surface.SetTextColour(kSizeLabelColour);
      surface.SetTransparentBackground(true);
      const std::string label = std::to_string(TruncToInt(edge / static_cast<double>(Zoom())));
      if (width && lastCanvas_.Y < view.bottom - 50)
        surface.DrawText({edge - 8 - surface.TextExtent(label).width, lastCanvas_.Y + 20}, label);
      if (!width && lastCanvas_.X < view.right - 70)
        surface.DrawText({lastCanvas_.X + 30, edge - 6 - surface.TextExtent(label).height}, label);
      break;
    }
    default:
      break;
  }
}

void ViewController::PaintFeedback(Surface& surface) {
  const Point scroll = host_.ScrollPosition();
  switch (mode_) {
    case DragMode::MoveNodes:
    case DragMode::MoveBox:
    case DragMode::MoveArcTitle:
    case DragMode::MoveMemo:
    case DragMode::MoveHeadline:
      if (lastCanvas_ != pressCanvas_) PaintGhost(surface);
      break;
    case DragMode::ReconnectArcEnd: {
      const int arc = diagram_.header.CurrentObject;
      if (!IsMain(arc)) break;
      const ObjectState& state = diagram_.state(arc);
      const int n = ArcPointCount(state);
      if (n == 0) break;
      const Point other = view_.selectedArcEnd == kArcFromEnd ? state.ArcPoints[n - 1] : state.ArcPoints[0];
      const ArcStyle& style = diagram_.object(arc).Arc[Chart()];
      const HitResult hit = HitTestObjects(diagram_, Rules(), lastCanvas_);
      Colour colour = style.refArcLine;
      if (hit.Index < 0 || IsLinkArc(diagram_.object(hit.Index))) {
        const Colour complement = 0xFFFFFF - (style.refArcLine & 0xFFFFFF);
        colour = complement == 0 ? Rgb(128, 128, 128)
                                 : Rgb(std::max(0, RedOf(complement) - 64), std::max(0, GreenOf(complement) - 64),
                                       std::max(0, BlueOf(complement) - 64));
      }
      const std::array<Point, 2> line{other, lastCanvas_};
      surface.DrawPolyline(line, Pen{colour, std::max(1, ZoomedLength(style.ArcFutosa, Zoom())), DashStyle::Solid});
      break;
    }
    case DragMode::RubberBand: {
      const Rect band = BandBetween(pressCanvas_, lastCanvas_);
      if (band.right - band.left >= kBandFeedback || band.bottom - band.top >= kBandFeedback)
        surface.DrawRectangle(band, Pen{kBandColour, 1, DashStyle::Dot}, Brush::Hollow());
      break;
    }
    default:
      PaintSizing(surface);
      break;
  }
  if (ConsoleVisible() && !scrollBarDrag_) {
    const Point kept = ClampConsoleCentre(ConsoleCentre(), host_.ClientSize());
    diagram_.header.ConsoleX = kept.X;
    diagram_.header.ConsoleY = kept.Y;
    DrawZoomConsole(surface, {kept.X + scroll.X, kept.Y + scroll.Y}, Zoom(), consoleActivated_);
  }
  if (mode_ == DragMode::ConsoleMove) {
    const Point centre{ConsoleCentre().X + lastClient_.X - pressClient_.X + scroll.X,
                       ConsoleCentre().Y + lastClient_.Y - pressClient_.Y + scroll.Y};
    surface.DrawRectangle(
        {centre.X - kConsoleRadius, centre.Y - kConsoleRadius, centre.X + kConsoleRadius, centre.Y + kConsoleRadius},
        Pen{kOutlineColour, 1, DashStyle::Solid}, Brush::Hollow());
  }
}

// --- the press ---

bool ViewController::PressOnConsole(Point client) {
  const Point centre = ConsoleCentre();
  if (consoleActivated_ && ConsoleVisible() && OnZoomConsoleRing(centre, client)) {
    turnAngle_ = AngleAround(centre, client);
    StartDrag(DragMode::ConsoleTurn, ViewCursor::Hand);
    return true;
  }
  const int part = HitZoomConsole(centre, client, true);
  if (part < 0) return false;
  consoleShowing_ = true;
  if (part == kConsolePlus) {
    SetZoom(Zoom() + kConsoleStep);
  } else if (part == kConsoleMinus) {
    SetZoom(Zoom() - kConsoleStep);
  } else {
    consoleActivated_ = true;
    host_.RedrawFeedback();
  }
  pressClient_ = lastClient_ = client;
  StartDrag(DragMode::ConsoleMove, ViewCursor::Move);
  return true;
}

// The ring, radius and shape handles of the main link arc or node, the box handles and the
// picture size handle; true when a drag started.
bool ViewController::PressOnHandles(Point canvas) {
  const int main = diagram_.header.CurrentObject;
  if (!IsMain(main)) return false;
  const DiagramObject& object = diagram_.object(main);
  if (IsLinkArc(object)) {
    if (HitRadiusHandle(diagram_, Rules(), canvas)) {
      StartDrag(DragMode::ArcRadius, ViewCursor::SizeWE);
      return true;
    }
    if (HitRotationRing(diagram_, Rules(), canvas)) {
      turnAngle_ = AngleAround(RingCentre(diagram_, main), canvas);
      StartDrag(DragMode::ArcRing, ViewCursor::Hand);
      return true;
    }
    const ArcHandleHit hit = HitArcHandle(diagram_, canvas);
    if (hit.arc >= 0) {
      diagram_.header.CurrentObject = hit.arc;
      view_.selectedArcEnd = hit.handle + 1;
      view_.memoSelected = false;
      grabbed_ = hit.handle;
      StartDrag(DragMode::ArcShape, ViewCursor::Move);
      AfterSelectionChange(kPaneLinkArc);
      host_.SetFocus();
      return true;
    }
  } else if (Rules().NodesHaveRing() && (object.ParentCount > 0 || CountChildren(diagram_, main, true) > 0)) {
    if (HitRadiusHandle(diagram_, Rules(), canvas)) {
      StartDrag(DragMode::NodeRadius, ViewCursor::SizeWE);
      return true;
    }
    if (HitRotationRing(diagram_, Rules(), canvas)) {
      StartDrag(DragMode::NodeRing, ViewCursor::Hand);
      return true;
    }
  }
  for (const bool outer : {true, false}) {
    const BoxHandleHit box = HitBoxHandle(diagram_, Rules(), canvas, outer);
    if (box.index < 0) continue;
    target_ = box.index;
    grabbed_ = box.handle;
    movedRect_ = outer ? diagram_.state(box.index).BoxOuterRect : diagram_.state(box.index).BoxFrameRect;
    StartDrag(outer ? DragMode::BoxResize : DragMode::BoxMargins, HandleCursor(box.handle));
    return true;
  }
  if (diagram_.header.ShowImages[Chart()] != 0) {
    const int picture = HitImageSizeHandle(diagram_, canvas);
    if (picture >= 0) {
      diagram_.header.CurrentObject = picture;
      target_ = picture;
      movedRect_ = diagram_.state(picture).ImageRect;
      StartDrag(DragMode::ImageResize, ViewCursor::SizeWE);
      AfterSelectionChange(kPaneImage);
      return true;
    }
  }
  return false;
}

void ViewController::StartMove(DragMode mode, const Rect& moved, Point centre, Point canvas) {
  movedRect_ = moved;
  movedCentre_ = centre;
  dragOffset_ = Minus(canvas, centre);
  lastCanvas_ = canvas;
  if (mode == DragMode::MoveHeadline) {
    mode_ = mode;  // a headline drag takes no capture and shows no text
    return;
  }
  Guide(kMoveGuide);
  StartDrag(mode, ViewCursor::Move);
}

void ViewController::StartMoveOf(int index, Point canvas) {
  const std::string_view refusal = Rules().MoveRefusal(diagram_, index);
  if (!refusal.empty()) {
    Guide(refusal);
    return;
  }
  const bool box = Rules().IsBox(diagram_.object(index));
  const Rect& own = box ? diagram_.state(index).BodyRect : diagram_.state(index).ObjectRect;
  StartMove(box ? DragMode::MoveBox : DragMode::MoveNodes, SelectionBounds(diagram_, box), CentreOf(own), canvas);
}

// The press on an object; the properties pane's type to show, or -1 when nothing was hit.
int ViewController::PressOnObject(Point canvas, unsigned flags) {
  const HitResult hit = HitTestObjects(diagram_, Rules(), canvas);
  if (hit.Index < 0) return -1;
  const int i = hit.Index;
  const ObjectState& state = diagram_.state(i);
  const bool ctrl = flags == (kLeftButton | kCtrlKey);
  if (hit.OnChildMark) {
    if (!ctrl) ClearSelection(diagram_, view_);
    view_.memoSelected = false;
    diagram_.header.CurrentObject = i;
    diagram_.state(i).Selected = 1;
    SelectDescendants(diagram_);
    StartMoveOf(i, canvas);
    return kPaneNode;
  }
  if (hit.ArcPart == kArcFromEnd || hit.ArcPart == kArcToEnd) {
    ClearSelection(diagram_, view_);
    diagram_.header.CurrentObject = i;
    diagram_.state(i).Selected = 1;
    view_.selectedArcEnd = hit.ArcPart;
    lastCanvas_ = canvas;
    StartDrag(DragMode::ReconnectArcEnd, ViewCursor::Move);
    return kPaneArcEnd;
  }
  if (hit.ArcPart == kArcTitleBox || hit.OnMemo) {
    if (!ctrl) ClearSelection(diagram_, view_);
    diagram_.header.CurrentObject = i;
    diagram_.state(i).Selected = 1;
    if (hit.OnMemo) {
      view_.memoSelected = true;
      StartMove(DragMode::MoveMemo, state.MemoRect, CentreOf(state.MemoRect), canvas);
      return kPaneMemo;
    }
    view_.selectedArcEnd = kArcTitleBox;
    const bool memoShown = diagram_.object(i).ShowMemo[Chart()] != 0;
    const Rect moved = memoShown ? UnionRect(state.ObjectRect, state.MemoRect) : state.ObjectRect;
    StartMove(DragMode::MoveArcTitle, moved, CentreOf(moved), canvas);
    return kPaneLinkArc;
  }
  view_.headlineSelected = false;
  view_.memoSelected = false;
  view_.selectedArcEnd = hit.ArcPart;
  titleSideAtPress_ = hit.TitleSide;
  if (ClickSelect(diagram_, i, flags) && IsMain(i)) StartMoveOf(i, canvas);
  return PaneTypeOf(diagram_, view_, hit.OnImage);
}

void ViewController::OnLeftDown(Point client, unsigned flags) {
  host_.SetFocus();
  // A drag whose release never came (a headline drag holds no capture) ends here.
  if (mode_ != DragMode::None) CancelDrag();
  const Point canvas = Canvas(client);
  pressCanvas_ = lastCanvas_ = canvas;
  if (PressOnConsole(client)) return;
  if (!PressOnHandles(canvas)) {
    int pane = PressOnObject(canvas, flags);
    if (pane < 0) {
      pane = PaneTypeOf(diagram_, view_, false);
      if (HitViewRightEdge(diagram_.header, canvas)) {
        StartDrag(DragMode::ViewWidth, ViewCursor::SizeWE);
      } else if (HitViewBottomEdge(diagram_.header, canvas)) {
        StartDrag(DragMode::ViewHeight, ViewCursor::SizeNS);
      } else if (HitHeadline(diagram_, view_, canvas)) {
        ClearSelection(diagram_, view_);
        view_.headlineSelected = true;
        const HeadlineStyle& headline = diagram_.header.Headline[Chart()];
        StartMove(DragMode::MoveHeadline, view_.headlineRect,
                  {ZoomedLength(headline.X, Zoom()), ZoomedLength(headline.Y, Zoom())}, canvas);
        pane = kPaneHeadline;
      } else {
        ClearSelection(diagram_, view_);
        StartDrag(DragMode::RubberBand);
        pane = PaneTypeOf(diagram_, view_, false);
      }
    }
    AfterSelectionChange(pane);
  }
  // A console that showed only because the pointer came near goes; one always shown is deactivated.
  if (diagram_.header.ConsoleShown == 0) consoleShowing_ = false;
  consoleActivated_ = false;
}

// --- moving with the button down ---

void ViewController::DropFeedback(Point canvas) {
  const int dragged = diagram_.header.CurrentObject;
  const HitResult hit = HitTestObjects(diagram_, Rules(), canvas);
  if (!IsMain(dragged) || hit.Index < 0) {
    host_.SetCursor(ViewCursor::Move);
    return;
  }
  if (hit.Index == dragged && hit.TitleSide > 0 && hit.TitleSide != diagram_.object(dragged).TitlePos) {
    host_.SetCursor(hit.TitleSide % 2 == 1 ? ViewCursor::SizeWE : ViewCursor::SizeNS);
    return;
  }
  const DiagramObject& target = diagram_.object(hit.Index);
  if (IsLinkArc(target) || hit.OnImage || hit.OnMemo || hit.OnChildMark || diagram_.state(hit.Index).Selected != 0) {
    host_.SetCursor(ViewCursor::Move);
    return;
  }
  const DiagramObject& node = diagram_.object(dragged);
  switch (DropActionOn(diagram_, dragged, hit.Index, hit.FirstHalf)) {
    case DropAction::Link:
      host_.SetCursor(ViewCursor::Link);
      Guide(Quoted(target) + Quoted(node) + "間にリンクアークを設定します");
      break;
    case DropAction::Unlink:
      host_.SetCursor(ViewCursor::Unlink);
      Guide(Quoted(target) + Quoted(node) + "間のリンクアークを解除します");
      break;
    case DropAction::Relate:
      host_.SetCursor(ViewCursor::Relate);
      Guide(Quoted(target) + Quoted(node) + "間に関係を設定します");
      break;
    case DropAction::Unrelate:
      host_.SetCursor(ViewCursor::Unrelate);
      Guide(Quoted(target) + Quoted(node) + "間の関係を解除します解除をします");
      break;
    case DropAction::Move:
      host_.SetCursor(ViewCursor::Move);
      break;
  }
}

void ViewController::ReconnectFeedback(Point canvas) {
  const int arc = diagram_.header.CurrentObject;
  if (!IsMain(arc)) return;
  const HitResult hit = HitTestObjects(diagram_, Rules(), canvas);
  if (hit.Index < 0 || IsLinkArc(diagram_.object(hit.Index))) {
    Guide("リンクアークが解除されます");
    return;
  }
  const DiagramObject& a = diagram_.object(arc);
  const int32_t grabbed = view_.selectedArcEnd == kArcFromEnd ? a.Serial : a.ToSerial;
  const int32_t other = view_.selectedArcEnd == kArcFromEnd ? a.ToSerial : a.Serial;
  const int otherNode = FindBySerial(diagram_, other);
  if (diagram_.object(hit.Index).Serial != grabbed &&
      (otherNode < 0 || ArcsBetween(diagram_, hit.Index, otherNode).empty())) {
    Guide("リンクアークの接続先が" + Quoted(diagram_.object(hit.Index)) + "に変更されます");
  }
}

void ViewController::OnMouseMove(Point client, unsigned flags) {
  if ((flags & kLeftButton) == 0 || mode_ == DragMode::None) {
    HoverCursor(client);
    return;
  }
  const Point canvas = Canvas(client);
  lastCanvas_ = canvas;
  lastClient_ = client;
  switch (mode_) {
    case DragMode::MoveNodes:
    case DragMode::MoveBox:
      DropFeedback(canvas);
      break;
    case DragMode::ReconnectArcEnd:
      ReconnectFeedback(canvas);
      break;
    case DragMode::ConsoleTurn: {
      const double angle = AngleAround(ConsoleCentre(), client);
      double change = angle - turnAngle_;
      if (change > kPi) change -= 2 * kPi;
      if (change < -kPi) change += 2 * kPi;
      turnAngle_ = angle;
      SetZoom(Zoom() + static_cast<float>(change));
      return;
    }
    case DragMode::ArcRing: {
      const int arc = diagram_.header.CurrentObject;
      if (!IsMain(arc)) break;
      const double angle = AngleAround(RingCentre(diagram_, arc), canvas);
      ArcStyle& style = diagram_.object(arc).Arc[Chart()];
      const double change = angle - turnAngle_;
      turnAngle_ = angle;
      double rad = style.Rad + (style.ArcType == kArcLightning ? change : -change);
      rad = std::fmod(rad, 2 * kPi);
      style.Rad = rad < 0 ? rad + 2 * kPi : rad;
      host_.Redraw();
      return;
    }
    case DragMode::ArcShape: {
      const Rect view = ViewRect(diagram_.header);
      const bool inside = canvas.X > 0 && canvas.Y > 0 && canvas.X < view.right && canvas.Y < view.bottom;
      host_.SetCursor(inside ? ViewCursor::Move : ViewCursor::Arrow);
      if (IsMain(diagram_.header.CurrentObject))
        Guide(ArcShapeGuide(diagram_.object(diagram_.header.CurrentObject).Arc[Chart()].ArcType, view_.selectedArcEnd));
      break;
    }
    case DragMode::ViewWidth:
    case DragMode::ViewHeight:
      Guide(ViewEdgeGuide(settings_.AutoMent));
      break;
    default:
      break;
  }
  host_.RedrawFeedback();
}

// --- the release ---

void ViewController::OnLeftUp(Point client, unsigned flags) {
  if (mode_ == DragMode::None) return;
  const DragMode mode = mode_;
  mode_ = DragMode::None;
  host_.ReleaseMouse();
  host_.SetCursor(ViewCursor::Arrow);
  lastClient_ = client;
  ReleaseDrag(mode, Canvas(client), flags);
  host_.RedrawFeedback();
}

void ViewController::CancelDrag() {
  mode_ = DragMode::None;
  host_.ReleaseMouse();
  host_.RedrawFeedback();
}

bool ViewController::UnlinkWithQuestion(int target, std::vector<int> arcs, int other) {
  if (arcs.empty()) return false;
  const std::string question = UnlinkQuestion(diagram_, target, other, static_cast<int>(arcs.size()));
  if (host_.messages().Show(question, MessageIcon::Question, MessageButtons::YesNo) != MessageAnswer::Yes) return false;
  host_.TakeSnapshot();
  RemoveObjects(diagram_, std::move(arcs));
  diagram_.header.CurrentObject = -1;
  view_.selectedArcEnd = -1;
  return true;
}

// A drop of the dragged selection on its own title band or another node; true when it was taken
// as anything but a move.
bool ViewController::Drop(Point canvas) {
  const int dragged = diagram_.header.CurrentObject;
  const HitResult hit = HitTestObjects(diagram_, Rules(), canvas);
  if (!IsMain(dragged) || hit.Index < 0) return false;
  if (hit.Index == dragged) {
    if (hit.TitleSide < 1 || hit.TitleSide == titleSideAtPress_ || hit.TitleSide == diagram_.object(dragged).TitlePos)
      return false;
    host_.TakeSnapshot();
    diagram_.object(dragged).TitlePos = hit.TitleSide;
    AfterEdit();
    return true;
  }
  const int target = hit.Index;
  if (IsLinkArc(diagram_.object(target)) || diagram_.state(target).Selected != 0 || hit.OnImage || hit.OnMemo ||
      hit.OnChildMark)
    return false;
  switch (DropActionOn(diagram_, dragged, target, hit.FirstHalf)) {
    case DropAction::Link:
      host_.TakeSnapshot();
      LinkSelectionTo(diagram_, target, objects_);
      AfterEdit();
      host_.SelectionChanged(PaneTypeOf(diagram_, view_, false));
      return true;
    case DropAction::Unlink: {
      const std::vector<int> arcs = ArcsToSelection(diagram_, target);
      const DiagramObject& first = diagram_.object(arcs.front());
      const int32_t otherSerial = first.Serial == diagram_.object(target).Serial ? first.ToSerial : first.Serial;
      const int other = std::max(0, FindBySerial(diagram_, otherSerial));
      if (UnlinkWithQuestion(target, arcs, other)) {
        AfterEdit();
        host_.SelectionChanged(PaneTypeOf(diagram_, view_, false));
      }
      return true;
    }
    case DropAction::Relate:
      host_.TakeSnapshot();
      RelateSelectionTo(diagram_, host_.messages(), target);
      AfterEdit();
      return true;
    case DropAction::Unrelate:
      host_.TakeSnapshot();
      UnrelateSelectionFrom(diagram_, target);
      AfterEdit();
      return true;
    case DropAction::Move:
      return false;
  }
  return false;
}

void ViewController::ReleaseReconnect(Point canvas) {
  const int arc = diagram_.header.CurrentObject;
  const int end = view_.selectedArcEnd;
  if (!IsMain(arc) || (end != kArcFromEnd && end != kArcToEnd)) return;
  DiagramObject& a = diagram_.object(arc);
  const int grabbed = FindBySerial(diagram_, end == kArcFromEnd ? a.Serial : a.ToSerial);
  const int other = FindBySerial(diagram_, end == kArcFromEnd ? a.ToSerial : a.Serial);
  const HitResult hit = HitTestObjects(diagram_, Rules(), canvas);
  if (hit.Index == arc || (hit.Index >= 0 && hit.Index == grabbed)) return;
  if (hit.Index < 0 || IsLinkArc(diagram_.object(hit.Index))) {
    if (grabbed < 0 || other < 0) return;
    const int32_t otherSerial = diagram_.object(other).Serial;  // its index moves with the arc gone
    if (UnlinkWithQuestion(grabbed, {arc}, other)) {
      const int kept = FindBySerial(diagram_, otherSerial);
      ClearSelection(diagram_, view_);
      if (kept >= 0) {
        diagram_.state(kept).Selected = 1;
        diagram_.header.CurrentObject = kept;
      }
      AfterEdit();
      host_.SelectionChanged(PaneTypeOf(diagram_, view_, false));
    }
    return;
  }
  if (other >= 0 && !ArcsBetween(diagram_, hit.Index, other).empty()) {
    host_.messages().Show("同一ノード間に複数のアークを設定することはできません", MessageIcon::Information,
                          MessageButtons::Ok);
    return;
  }
  host_.TakeSnapshot();
  (end == kArcFromEnd ? a.Serial : a.ToSerial) = diagram_.object(hit.Index).Serial;
  AfterEdit();
}

bool ViewController::MoveTitleOrMemo(bool memo, Point displacement) {
  const int main = diagram_.header.CurrentObject;
  if (!IsMain(main)) return false;
  host_.TakeSnapshot();
  DiagramObject& object = diagram_.object(main);
  const ObjectState& state = diagram_.state(main);
  Point& offset = memo ? object.Memo.MemoPos[Chart()] : object.Pos[Chart()];
  // The anchor the offset is kept from, in document units: the title's centre for a memo, the
  // arc's middle for an arc title (its laid-out anchor less its offset).
  const Point title = CentreOf(state.ObjectRect);
  const Point anchor =
      memo ? Point{TruncToInt(title.X / static_cast<double>(Zoom())), TruncToInt(title.Y / static_cast<double>(Zoom()))}
           : Minus(state.ChartPos, offset);
  const auto kept = [](int value, int anchorAt, int viewSize) {
    const int reach = std::clamp(value, -kTitleReach, kTitleReach);
    return std::clamp(reach, -anchorAt, std::max(-anchorAt, viewSize - anchorAt));
  };
  offset = {kept(offset.X + DocumentStep(displacement.X, Zoom()), anchor.X, diagram_.header.ViewWidth[Chart()]),
            kept(offset.Y + DocumentStep(displacement.Y, Zoom()), anchor.Y, diagram_.header.ViewHeight[Chart()])};
  AfterEdit();
  return true;
}

bool ViewController::MoveHeadline(Point displacement) {
  HeadlineStyle& headline = diagram_.header.Headline[Chart()];
  const Rect moved = OffsetRect(view_.headlineRect, displacement.X, displacement.Y);
  const Rect kept = KeptInView(diagram_.header, moved);
  if (kept == moved) {
    headline.X += DocumentStep(displacement.X, Zoom());
    headline.Y += DocumentStep(displacement.Y, Zoom());
  } else {
    const Point centre = CentreOf(kept);
    headline.X = TruncToInt(centre.X / static_cast<double>(Zoom()));
    headline.Y = TruncToInt(centre.Y / static_cast<double>(Zoom()));
  }
  AfterEdit();
  return true;
}

bool ViewController::MoveConsoleBy(Point displacement) {
  const Point moved = ClampConsoleCentre(
      {diagram_.header.ConsoleX + displacement.X, diagram_.header.ConsoleY + displacement.Y}, host_.ClientSize());
  diagram_.header.ConsoleX = moved.X;
  diagram_.header.ConsoleY = moved.Y;
  host_.RedrawFeedback();
  return true;
}

void ViewController::ReleaseViewEdge(bool width, Point canvas) {
  const Rect view = ViewRect(diagram_.header);
  const int edge = width ? canvas.X : canvas.Y;
  if (std::abs(edge - (width ? view.right : view.bottom)) < 3) return;
  host_.TakeSnapshot();
  if (!ResizeViewArea(diagram_, Rules(), width, edge, settings_.AutoMent)) return;
  host_.SetScrollArea(ScrollArea(diagram_.header, Chart()));
  AfterEdit();
  host_.SelectionChanged(kPaneChart + Chart());
}

void ViewController::ReleaseDrag(DragMode mode, Point canvas, unsigned flags) {
  const Point moved = Minus(canvas, pressCanvas_);
  switch (mode) {
    case DragMode::MoveNodes:
    case DragMode::MoveBox: {
      if (Drop(canvas)) return;
      lastCanvas_ = canvas;
      mode_ = mode;  // the ghost's place, as the feedback showed it
      const Point shift = GhostShift();
      mode_ = DragMode::None;
      if (mode == DragMode::MoveNodes ? Within(shift, 2) : Within(shift, 1)) return;
      host_.TakeSnapshot();
      if (mode == DragMode::MoveNodes) {
        MoveSelectedNodes(diagram_, Rules(), shift);
      } else {
        MoveSelectedBoxes(diagram_, Rules(), shift);
      }
      AfterEdit();
      break;
    }
    case DragMode::MoveArcTitle:
    case DragMode::MoveMemo:
      if (!Within(moved, 3)) MoveTitleOrMemo(mode == DragMode::MoveMemo, moved);
      break;
    case DragMode::MoveHeadline:
      if (!Within(moved, 4)) MoveHeadline(moved);
      break;
    case DragMode::ReconnectArcEnd:
      ReleaseReconnect(canvas);
      break;
    case DragMode::ArcShape:
      if (DragArcHandle(diagram_, grabbed_, pressCanvas_, canvas, [this] { host_.TakeSnapshot(); })) AfterEdit();
      break;
    case DragMode::ArcRing:
      host_.DocumentChanged();
      break;
    case DragMode::ArcRadius:
    case DragMode::NodeRadius: {
      const int main = diagram_.header.CurrentObject;
      if (!IsMain(main)) break;
      const int x = RingCentre(diagram_, main).X;
      diagram_.object(main).RoundR = std::clamp(canvas.X - x, kSmallestRadius, kLargestRadius);
      AfterEdit();
      break;
    }
    case DragMode::NodeRing:
      host_.TakeSnapshot();
      TurnRelatedNodes(diagram_, Rules(), pressCanvas_, canvas, (flags & kCtrlKey) != 0);
      AfterEdit();
      break;
    case DragMode::BoxResize: {
      const Rect after = DraggedRect(diagram_.header, movedRect_, grabbed_, canvas);
      if (after == movedRect_) break;
      host_.TakeSnapshot();
      ScaleBoxContents(diagram_, target_, movedRect_, after);
      AfterEdit();
      break;
    }
    case DragMode::BoxMargins: {
      const Rect after = DraggedRect(diagram_.header, movedRect_, grabbed_, canvas);
      host_.TakeSnapshot();
      ChangeBoxMargins(diagram_, Rules(), movedRect_, after);
      AfterEdit();
      break;
    }
    case DragMode::ImageResize:
      host_.TakeSnapshot();
      ResizeSelectedPictures(diagram_, DraggedPictureWidth(movedRect_, canvas.X, Zoom()));
      AfterEdit();
      break;
    case DragMode::ViewWidth:
    case DragMode::ViewHeight:
      ReleaseViewEdge(mode == DragMode::ViewWidth, canvas);
      break;
    case DragMode::RubberBand:
      if (RubberBandSelect(diagram_, BandBetween(pressCanvas_, canvas), settings_.SelPart))
        AfterSelectionChange(PaneTypeOf(diagram_, view_, false));
      break;
    case DragMode::ConsoleMove: {
      const Point d = Minus(lastClient_, pressClient_);
      if (!Within(d, kConsoleMoveThreshold - 1)) MoveConsoleBy(d);
      break;
    }
    default:
      break;
  }
}

// --- hover, menus, keys and wheel ---

void ViewController::HoverCursor(Point client) {
  const Point centre = ConsoleCentre();
  const bool onRing = consoleActivated_ && ConsoleVisible() && OnZoomConsoleRing(centre, client);
  const int part = HitZoomConsole(centre, client, true);
  if (part >= 0 || onRing) {
    if (!ConsoleVisible()) {
      consoleShowing_ = true;
      host_.RedrawFeedback();
    }
    host_.SetCursor(onRing                  ? ViewCursor::Hand
                    : part == kConsolePlus  ? ViewCursor::ZoomIn
                    : part == kConsoleMinus ? ViewCursor::ZoomOut
                    : consoleActivated_     ? ViewCursor::Move
                                            : ViewCursor::Hand);
    return;
  }
  if (consoleShowing_ && diagram_.header.ConsoleShown == 0 && !consoleActivated_) {
    consoleShowing_ = false;
    host_.RedrawFeedback();
  }
  const Point canvas = Canvas(client);
  host_.SetTooltip(EdgeTooltip(diagram_.header, canvas, settings_.AutoMent));
  const int main = diagram_.header.CurrentObject;
  if (IsMain(main) && IsLinkArc(diagram_.object(main))) {
    const ArcHandleHit hit = HitArcHandle(diagram_, canvas);
    if (hit.arc >= 0) {
      host_.SetCursor(HandleCursor(hit.cursor));
      return;
    }
  }
  if (IsMain(main)) {
    for (const bool outer : {true, false}) {
      const BoxHandleHit box = HitBoxHandle(diagram_, Rules(), canvas, outer);
      if (box.index < 0) continue;
      host_.SetCursor(HandleCursor(box.handle));
      Guide(outer ? "ボックスサイズに合せてノード位置を自動調整します。そのノード位置でボックス矩形が再設定されます"
                  : "ノード位置を変えずにボックス内の余白を変更します");
      return;
    }
  }
  if (diagram_.header.ShowImages[Chart()] != 0 && HitImageSizeHandle(diagram_, canvas) >= 0) {
    host_.SetCursor(ViewCursor::SizeWE);
    Guide("←左へドラッグすると縮小、→右へドラッグすると拡大します");
    return;
  }
  const HitResult hit = HitTestObjects(diagram_, Rules(), canvas);
  if (hit.Index >= 0) {
    host_.SetCursor(ViewCursor::Arrow);
    return;
  }
  if (HitViewRightEdge(diagram_.header, canvas)) {
    host_.SetCursor(ViewCursor::SizeWE);
  } else if (HitViewBottomEdge(diagram_.header, canvas)) {
    host_.SetCursor(ViewCursor::SizeNS);
  } else if (HitHeadline(diagram_, view_, canvas)) {
    host_.SetCursor(ViewCursor::Hand);
  } else {
    host_.SetCursor(ViewCursor::Arrow);
  }
}

bool ViewController::OnContextMenu(Point client) {
  if (HitZoomConsole(ConsoleCentre(), client, false) < 0) return false;
  host_.ShowZoomMenu(client);
  return true;
}

void ViewController::ScrollToMainSelection() {
  const Size area = ScrollArea(diagram_.header, Chart());
  const Size client = host_.ClientSize();
  const Rect& r = diagram_.state(diagram_.header.CurrentObject).ObjectRect;
  Point scroll = host_.ScrollPosition();
  if (area.width > client.width) scroll.X = std::max(0, (r.left + r.right) / 2 - client.width / 2);
  if (area.height > client.height) scroll.Y = std::max(0, (r.top + r.bottom) / 2 - client.height / 2);
  host_.ScrollTo(scroll);
}

void ViewController::ScrollBarDrag(bool started) {
  if (scrollBarDrag_ == started) return;
  scrollBarDrag_ = started;
  if (ConsoleVisible()) host_.RedrawFeedback();
}

void ViewController::MoveSelectionBy(Point displacement) {
  const int main = diagram_.header.CurrentObject;
  if (!IsMain(main) || IsLinkArc(diagram_.object(main)) || !Rules().MoveRefusal(diagram_, main).empty()) return;
  host_.TakeSnapshot();
  if (Rules().IsBox(diagram_.object(main))) {
    MoveSelectedBoxes(diagram_, Rules(), displacement);
  } else {
    MoveSelectedNodes(diagram_, Rules(), displacement);
  }
  AfterEdit();
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
  const Point d{key == ViewKey::Left    ? -step
                : key == ViewKey::Right ? step
                                        : 0,
                key == ViewKey::Up     ? -step
                : key == ViewKey::Down ? step
                                       : 0};
  if (consoleActivated_ && ConsoleVisible()) return MoveConsoleBy(d);
  if (view_.headlineSelected) {
    // The headline refuses a step that would take it past an edge of the view area.
    const Rect moved = OffsetRect(view_.headlineRect, d.X, d.Y);
    if (KeptInView(diagram_.header, moved) == moved) MoveHeadline(d);
    return true;
  }
  const int main = diagram_.header.CurrentObject;
  if (!IsMain(main)) return false;
  if (IsLinkArc(diagram_.object(main))) {
    const int end = view_.selectedArcEnd;
    if (end == kArcTitleBox) {
      MoveTitleOrMemo(false, d);
    } else if (end >= 1 && end <= 5 && NudgeArcHandle(diagram_, end - 1, d.X, d.Y)) {
      AfterEdit();
    }
    return true;
  }
  if (view_.memoSelected) return MoveTitleOrMemo(true, d);
  MoveSelectionBy(d);
  return true;
}

bool ViewController::OnWheel(Point client, int notches, unsigned flags) {
  if (consoleActivated_ && ConsoleVisible() && OnZoomConsoleRing(ConsoleCentre(), client)) {
    // Turning the wheel towards the user zooms in.
    float step = -kWheelStep;
    if (flags == kCtrlKey) step = -kFineWheelStep;
    if (flags == (kCtrlKey | kShiftKey)) step = kFineWheelStep;
    if ((flags & kRightButton) != 0) step = kWheelStep;
    SetZoom(Zoom() + step * static_cast<float>(notches));
    return true;
  }
  if ((flags & kCtrlKey) == 0) return false;
  diagram_.header.Zoom[Chart()] =
      std::clamp(Zoom() + kWheelStep * static_cast<float>(notches), kSmallestZoom, kLargestZoom);
  host_.SetScrollArea(ScrollArea(diagram_.header, Chart()));
  AfterEdit();
  return true;
}

// --- commands ---

void ViewController::SetZoom(float zoom) {
  diagram_.header.Zoom[Chart()] = ClampZoom(diagram_.header, Chart(), zoom);
  host_.SetScrollArea(ScrollArea(diagram_.header, Chart()));
  AfterEdit();
}

bool ViewController::ZoomCommand(int command) {
  using namespace zoom_command;
  if (const auto zoom = CommandZoom(command)) {
    SetZoom(*zoom);
  } else if (command == kFitToWindow) {
    if (const auto fit = FitZoom(diagram_.header, Chart(), host_.ClientSize())) SetZoom(*fit);
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
  AfterEdit();
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
  grabbed_ = -1;
  target_ = -1;
}

}  // namespace ravelo
