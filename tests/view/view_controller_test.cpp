// The view controller driven as the window drives it, with client points, key flags and a fake
// host: presses classified in their order, the notifications after a selection change, the
// rubber band, the zoom console, the zoom and grid commands, Tab and the arc handles.
#include "view/view_controller.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/view/controller_fixture.h"
#include "view/chart_area.h"
#include "view/hit_test.h"
#include "view/zoom.h"
#include "view/zoom_console.h"

namespace ravelo::testing {
namespace {

TEST_F(ControllerTest, AClickThroughTheScrolledViewSelectsAndTellsTheFrame) {
  const Point title = Centre(State(b).ObjectRect);
  controller.OnLeftDown(Client(title), kLeftButton);
  EXPECT_EQ(diagram->header.CurrentObject, b);
  EXPECT_EQ(State(b).Selected, 1);
  EXPECT_EQ(controller.mode(), DragMode::MoveNodes);
  EXPECT_TRUE(host.captured);
  EXPECT_EQ(host.guide, "Ctrlキーを押しながら方向キーで、微移動ができます");
  ASSERT_FALSE(host.paneTypes.empty());
  EXPECT_EQ(host.paneTypes.back(), kPaneNode);
  EXPECT_GE(host.redraws, 1);
  controller.OnLeftUp(Client(title), 0);
  EXPECT_EQ(controller.mode(), DragMode::None);
  EXPECT_FALSE(host.captured);
  EXPECT_EQ(host.snapshots, 0) << "a click changes no document";
}

TEST_F(ControllerTest, AClickAtZoomTwoFindsTheSameNode) {
  SetZoom(2.0f);
  Show();
  Click(Centre(State(e).ObjectRect));
  EXPECT_EQ(diagram->header.CurrentObject, e);
  Click(Centre(State(e).ImageRect));
  EXPECT_EQ(host.paneTypes.back(), kPaneImage);
}

TEST_F(ControllerTest, TheTitleBandOfABoxStartsABoxMove) {
  controller.OnLeftDown(Client(Centre(State(p).ObjectRect)), kLeftButton);
  EXPECT_EQ(controller.mode(), DragMode::MoveBox);
}

TEST_F(ControllerTest, CtrlClickAddsWithoutAMove) {
  Click(Centre(State(a).ObjectRect));
  controller.OnLeftDown(Client(Centre(State(b).ObjectRect)), kLeftButton | kCtrlKey);
  EXPECT_EQ(controller.mode(), DragMode::None);
  EXPECT_EQ(State(a).Selected, 1);
  EXPECT_EQ(State(b).Selected, 1);
  EXPECT_EQ(diagram->header.CurrentObject, b);
}

TEST_F(ControllerTest, AnArcEndIsChosenAloneAndShownAsAnArcEnd) {
  Click(Centre(State(a).ObjectRect));
  Click(State(ab).ArcPoints[0]);
  EXPECT_EQ(diagram->header.CurrentObject, ab);
  EXPECT_EQ(State(a).Selected, 0);
  EXPECT_EQ(controller.state().selectedArcEnd, kArcFromEnd);
  EXPECT_EQ(host.paneTypes.back(), kPaneArcEnd);
}

TEST_F(ControllerTest, TheSelectionMarkSelectsTheNodeAndItsDescendants) {
  diagram->header.ShowChildMark[BoxChart] = 1;
  Show();
  Click(Centre(State(p).ChildMarkRect));
  EXPECT_EQ(diagram->header.CurrentObject, p);
  EXPECT_EQ(State(d).Selected, 1);
  EXPECT_EQ(State(e).Selected, 1);
  EXPECT_EQ(State(a).Selected, 0);
}

TEST_F(ControllerTest, TheHeadlineIsSelectedInsteadOfObjects) {
  diagram->header.Headline[BoxChart].Show = 1;
  Show();
  Click(Centre(State(a).ObjectRect));
  Click(Centre(controller.state().headlineRect));
  EXPECT_TRUE(controller.state().headlineSelected);
  EXPECT_EQ(diagram->header.CurrentObject, -1);
  EXPECT_EQ(host.paneTypes.back(), kPaneHeadline);
}

TEST_F(ControllerTest, TheRubberBandClearsThenSelectsWhatItHolds) {
  Click(Centre(State(e).ObjectRect));
  const Rect& ra = State(a).BodyRect;
  const Rect& rc = State(c).BodyRect;
  const Point from{std::min(ra.left, rc.left) - 5, std::min(ra.top, rc.top) - 5};
  const Point to{std::max(ra.right, rc.right) + 5, std::max(ra.bottom, rc.bottom) + 5};
  controller.OnLeftDown(Client(from), kLeftButton);
  EXPECT_EQ(controller.mode(), DragMode::RubberBand);
  EXPECT_EQ(State(e).Selected, 0) << "the press clears the selection";
  EXPECT_EQ(host.paneTypes.back(), kPaneChart);
  controller.OnMouseMove(Client(to), kLeftButton);
  surface.calls.clear();
  controller.PaintFeedback(surface);
  ASSERT_FALSE(surface.calls.empty());
  EXPECT_EQ(surface.calls[0].rect, BandBetween(from, to)) << "the band drawn in canvas pixels";
  EXPECT_EQ(surface.calls[0].pen, (Pen{Rgb(70, 70, 70), 1, DashStyle::Dot}));
  controller.OnLeftUp(Client(to), 0);
  EXPECT_EQ(State(a).Selected, 1);
  EXPECT_EQ(State(c).Selected, 1);
  EXPECT_EQ(State(b).Selected, 0);
  EXPECT_EQ(diagram->header.CurrentObject, c);
}

TEST_F(ControllerTest, ATinyBandLeavesTheSelectionCleared) {
  Click(Centre(State(e).ObjectRect));
  controller.OnLeftDown({5, 590}, kLeftButton);
  controller.OnMouseMove({15, 580}, kLeftButton);
  controller.OnLeftUp({15, 580}, 0);
  EXPECT_EQ(diagram->header.CurrentObject, -1);
  EXPECT_EQ(State(e).Selected, 0);
}

TEST_F(ControllerTest, TheConsoleButtonsZoomByOnePercentAndTheConsoleMoves) {
  const Point corner{700 - kConsoleRadius, 500 - kConsoleRadius};
  controller.OnLeftDown({corner.X + 65, corner.Y + 20}, kLeftButton);
  EXPECT_FLOAT_EQ(Zoom(), 1.01f);
  EXPECT_EQ(host.area, ScrollArea(diagram->header, BoxChart));
  EXPECT_EQ(controller.mode(), DragMode::ConsoleMove);
  controller.OnLeftUp({corner.X + 65, corner.Y + 20}, 0);
  EXPECT_EQ(diagram->header.ConsoleX, 700) << "no move below 4 pixels";
  controller.OnLeftDown({corner.X + 65, corner.Y + 110}, kLeftButton);
  EXPECT_FLOAT_EQ(Zoom(), 1.0f);
  controller.OnMouseMove({corner.X + 45, corner.Y + 140}, kLeftButton);
  controller.OnLeftUp({corner.X + 45, corner.Y + 140}, 0);
  EXPECT_EQ(diagram->header.ConsoleX, 680);
  EXPECT_EQ(diagram->header.ConsoleY, 530);
}

TEST_F(ControllerTest, TheActivatedConsolesRingTurnsTheZoom) {
  controller.OnLeftDown({700, 500}, kLeftButton);  // the body activates it
  controller.OnLeftUp({700, 500}, 0);
  EXPECT_TRUE(controller.consoleActivated());
  controller.OnLeftDown({700 + 70, 500}, kLeftButton);
  EXPECT_EQ(controller.mode(), DragMode::ConsoleTurn);
  controller.OnMouseMove({700 + 50, 500 + 50}, kLeftButton);  // an eighth of a turn
  EXPECT_NEAR(Zoom(), 1.0f + std::atan(1.0), 1e-5);
}

TEST_F(ControllerTest, APressElsewhereHidesAConsoleShownByHover) {
  controller.OnMouseMove({700, 500}, 0);
  EXPECT_TRUE(controller.consoleShowing());
  EXPECT_EQ(host.cursor, ViewCursor::Hand);
  controller.OnMouseMove({700, 500 - 65 + 20}, 0);  // the plus button
  EXPECT_EQ(host.cursor, ViewCursor::ZoomIn);
  Click({5 + 30, 590 + 40});
  EXPECT_FALSE(controller.consoleShowing());
}

TEST_F(ControllerTest, ARightClickOnTheConsoleOpensTheZoomMenu) {
  EXPECT_TRUE(controller.OnContextMenu({700, 560}));
  ASSERT_EQ(host.zoomMenus.size(), 1u);
  EXPECT_EQ(host.zoomMenus[0], (Point{700, 560}));
  EXPECT_FALSE(controller.OnContextMenu({100, 100}));
}

TEST_F(ControllerTest, TheConsoleIsKeptInsideTheClientAreaWhenPainted) {
  diagram->header.ConsoleShown = 1;
  diagram->header.ConsoleX = 5;
  diagram->header.ConsoleY = 900;
  Show();
  EXPECT_EQ(diagram->header.ConsoleX, 70);
  EXPECT_EQ(diagram->header.ConsoleY, 530);
}

TEST_F(ControllerTest, TheConsoleHidesWhileTheScrollBarsAreDragged) {
  diagram->header.ConsoleShown = 1;
  const auto consoleDrawn = [this] {
    surface.calls.clear();
    controller.PaintFeedback(surface);
    return !surface.calls.empty();
  };
  EXPECT_TRUE(consoleDrawn());
  controller.ScrollBarDrag(true);
  EXPECT_FALSE(consoleDrawn());
  controller.ScrollBarDrag(false);
  EXPECT_TRUE(consoleDrawn());
}

TEST_F(ControllerTest, TheSelectionCommandsRedrawAndTellThePane) {
  controller.SelectByKindCommand(SelectKind::All);
  EXPECT_EQ(host.paneTypes.back(), kPaneNode) << "the lowest new object, node A";
  const std::size_t told = host.paneTypes.size();
  controller.SelectByKindCommand(SelectKind::All);
  EXPECT_EQ(host.paneTypes.size(), told) << "nothing new selected: no main selection to show";
  ClearSelection(*diagram, controller.state());
  diagram->header.CurrentObject = p;
  controller.SelectDescendantsCommand();
  EXPECT_EQ(State(d).Selected + State(e).Selected, 2);
  diagram->header.CurrentObject = ab;
  controller.SelectArcEndNodesCommand();
  EXPECT_EQ(State(a).Selected + State(b).Selected, 2);
  controller.ChooseArcEnd(kArcToEnd);
  EXPECT_EQ(controller.state().selectedArcEnd, kArcToEnd);
  EXPECT_EQ(host.paneTypes.back(), kPaneArcEnd);
  const int redraws = host.redraws;
  diagram->header.CurrentObject = d;
  State(d).Level = State(e).Level = 1;
  State(e).Selected = 0;
  controller.SelectSameLevelCommand();
  EXPECT_EQ(State(e).Selected, 1);
  EXPECT_GT(host.redraws, redraws);
}

TEST_F(ControllerTest, ZoomCommandsClampAndSetTheScrollArea) {
  EXPECT_TRUE(controller.ZoomCommand(zoom_command::kZoom400));
  EXPECT_FLOAT_EQ(Zoom(), 3.3333333f) << "1500 units at most 5000 pixels";
  EXPECT_EQ(host.area, ScrollArea(diagram->header, BoxChart));
  EXPECT_EQ(host.changes, 1);
  EXPECT_TRUE(controller.ZoomCommand(zoom_command::kFitToWindow));
  EXPECT_FLOAT_EQ(Zoom(), 0.4f) << "600 client pixels over 1500 units";
  EXPECT_TRUE(controller.ZoomCommand(zoom_command::kAlwaysShowConsole));
  EXPECT_EQ(diagram->header.ConsoleShown, 1);
  EXPECT_TRUE(controller.consoleShowing());
  EXPECT_FALSE(controller.ZoomCommand(12345));
}

TEST_F(ControllerTest, CtrlWheelStepsByATenthWithinTheWideLimitsOnly) {
  EXPECT_FALSE(controller.OnWheel({100, 100}, 1, 0)) << "a plain wheel scrolls";
  for (int i = 0; i < 40; ++i) controller.OnWheel({100, 100}, 1, kCtrlKey);
  EXPECT_FLOAT_EQ(Zoom(), 4.0f) << "beyond the size rules, as the wheel allows";
  controller.OnWheel({100, 100}, -100, kCtrlKey);
  EXPECT_FLOAT_EQ(Zoom(), 0.08f);
}

TEST_F(ControllerTest, GridCommandsChangeTheDocumentsMode) {
  diagram->header.GridMode = -2;
  EXPECT_TRUE(controller.GridCommand(grid_command::kToggle));
  EXPECT_EQ(diagram->header.GridMode, 2);
  EXPECT_EQ(host.changes, 1);
  EXPECT_FALSE(controller.GridCommand(grid_command::kInFront));
}

TEST_F(ControllerTest, TabScrollsTheNewMainSelectionIntoTheMiddle) {
  host.client = {300, 200};
  Click(Centre(State(d).ObjectRect));
  EXPECT_TRUE(controller.OnKey(ViewKey::Tab, 0));
  EXPECT_EQ(diagram->header.CurrentObject, e);
  const Point centre = Centre(State(e).ObjectRect);
  EXPECT_EQ(host.scroll, (Point{centre.X - 150, centre.Y - 100}));
  EXPECT_TRUE(controller.OnKey(ViewKey::Tab, kShiftKey));
  EXPECT_EQ(diagram->header.CurrentObject, d);
}

TEST_F(ControllerTest, AnArcHandleIsGrabbedAndAppliedOnRelease) {
  Click(PointToward(State(de).ArcExtraSegments[0], State(de).ArcExtraSegments[1], 2));
  ASSERT_EQ(diagram->header.CurrentObject, de);
  Show();
  const Point handle = State(de).ArcHandles[0];
  const uint16_t before = Object(de).Arc[BoxChart].Shape[0];
  controller.OnLeftDown(Client(handle), kLeftButton);
  EXPECT_EQ(controller.mode(), DragMode::ArcShape);
  EXPECT_EQ(controller.state().selectedArcEnd, 1);
  controller.OnLeftUp(Client({handle.X + 2, handle.Y}), 0);
  EXPECT_EQ(host.snapshots, 0) << "released within 2 pixels";
  controller.OnLeftDown(Client(handle), kLeftButton);
  controller.OnMouseMove(Client({handle.X + 40, handle.Y}), kLeftButton);
  EXPECT_EQ(Object(de).Arc[BoxChart].Shape[0], before) << "the arc keeps its shape while held";
  EXPECT_EQ(host.cursor, ViewCursor::Move);
  EXPECT_EQ(host.guide, "↑ ↓　始点・終点間の位置　← →　中略線の隙間　を変更することができます");
  controller.OnLeftUp(Client({handle.X + 40, handle.Y}), 0);
  EXPECT_EQ(host.snapshots, 1);
  EXPECT_EQ(host.changes, 1);
  EXPECT_NE(Object(de).Arc[BoxChart].Shape[0], before);
}

TEST_F(ControllerTest, ArrowKeysNudgeTheChosenArcHandle) {
  diagram->header.CurrentObject = de;
  State(de).Selected = 1;
  controller.state().selectedArcEnd = 2;  // handle 1: the gap
  const uint16_t gap = Object(de).Arc[BoxChart].Shape[1];
  EXPECT_TRUE(controller.OnKey(ViewKey::Right, kCtrlKey));
  EXPECT_EQ(Object(de).Arc[BoxChart].Shape[1], gap + 1);
  EXPECT_EQ(host.changes, 1);
  controller.state().selectedArcEnd = 99;
  controller.OnKey(ViewKey::Right, 0);
  EXPECT_EQ(host.changes, 1) << "the line is not a handle: nothing moves";
}

TEST_F(ControllerTest, TheViewEdgesShowTheirSizeAsATooltip) {
  controller.OnMouseMove(Client({1500 + 2, 300}), 0);
  EXPECT_EQ(host.tooltip, "Width=1500\nmin:500  max:5000\n余白のみ変更");
  controller.OnMouseMove(Client({300, 300}), 0);
  EXPECT_EQ(host.tooltip, "");
}

}  // namespace
}  // namespace ravelo::testing
