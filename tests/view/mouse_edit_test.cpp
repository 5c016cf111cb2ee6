// Each drag mode as the window's events give it to the view controller: the document afterwards,
// whether an undo snapshot was taken, and the guide text and cursor on the way.
#include <gtest/gtest.h>

#include <cmath>

#include "arcs/arc_path.h"
#include "tests/view/controller_fixture.h"
#include "view/hit_test.h"
#include "view/move_edits.h"

namespace ravelo::testing {
namespace {

class MouseEditTest : public ControllerTest {
 protected:
  // A point in the first (left) or second half of a node's title rectangle, along its top, away
  // from the arcs that end at its middle.
  Point Half(int index, bool first) {
    const Rect& r = State(index).ObjectRect;
    const int quarter = (r.right - r.left) / 4;
    return {first ? r.left + quarter : r.right - quarter, r.top + 1};
  }
  int Arcs() {
    int arcs = 0;
    for (int i = 0; i < diagram->count(); ++i) arcs += IsLinkArc(Object(i)) ? 1 : 0;
    return arcs;
  }
};

TEST_F(MouseEditTest, DraggingANodeMovesItWithOneSnapshot) {
  const Point start = Centre(State(b).ObjectRect);
  const Point before = Object(b).Pos[BoxChart];
  controller.OnLeftDown(Client(start), kLeftButton);
  controller.OnMouseMove(Client({start.X + 60, start.Y + 200}), kLeftButton);
  EXPECT_EQ(host.cursor, ViewCursor::Move);
  EXPECT_EQ(host.guide, "Ctrlキーを押しながら方向キーで、微移動ができます");
  controller.OnLeftUp(Client({start.X + 60, start.Y + 200}), 0);
  EXPECT_EQ(Object(b).Pos[BoxChart], (Point{before.X + 60, before.Y + 200}));
  EXPECT_EQ(host.snapshots, 1);
  EXPECT_EQ(host.changes, 1);
}

TEST_F(MouseEditTest, AtZoomTwoTheMoveIsHalvedAndADragOfTwoPixelsIsAClick) {
  SetZoom(2.0f);
  Show();
  const Point start = Centre(State(b).ObjectRect);
  const Point before = Object(b).Pos[BoxChart];
  Drag(start, {start.X + 2, start.Y - 2});
  EXPECT_EQ(Object(b).Pos[BoxChart], before);
  EXPECT_EQ(host.snapshots, 0);
  Drag(start, {start.X + 41, start.Y + 100});
  EXPECT_EQ(Object(b).Pos[BoxChart], (Point{before.X + 20, before.Y + 50}));
}

TEST_F(MouseEditTest, ANodeMovedOutOfTheViewStaysInside) {
  const Point start = Centre(State(a).ObjectRect);
  Drag(start, {-300, start.Y});
  Show();
  EXPECT_GE(State(a).ObjectRect.left, 0);
  EXPECT_LE(State(a).ObjectRect.left, 3);
}

TEST_F(MouseEditTest, DroppingOnTheLeftHalfLinksAndOnTheRightHalfRelates) {
  const int arcs = Arcs();
  controller.OnLeftDown(Client(Centre(State(c).ObjectRect)), kLeftButton);
  controller.OnMouseMove(Client(Half(b, true)), kLeftButton);
  EXPECT_EQ(host.cursor, ViewCursor::Link);
  EXPECT_EQ(host.guide, "『BBBB』『CCCC』間にリンクアークを設定します");
  controller.OnLeftUp(Client(Half(b, true)), 0);
  ASSERT_EQ(Arcs(), arcs + 1);
  const int made = diagram->count() - 1;
  EXPECT_EQ(Object(made).Serial, Object(c).Serial);
  EXPECT_EQ(Object(made).ToSerial, Object(b).Serial);
  EXPECT_EQ(diagram->header.CurrentObject, made) << "the new arc is the main selection";
  EXPECT_EQ(host.snapshots, 1);
  const Point cBefore = Object(c).Pos[BoxChart];
  EXPECT_EQ(Object(c).Pos[BoxChart], cBefore) << "a drop that links moves nothing";

  Show();
  controller.OnLeftDown(Client(Centre(State(c).ObjectRect)), kLeftButton);
  controller.OnMouseMove(Client(Half(b, false)), kLeftButton);
  EXPECT_EQ(host.cursor, ViewCursor::Relate);
  EXPECT_EQ(host.guide, "『BBBB』『CCCC』間に関係を設定します");
  controller.OnLeftUp(Client(Half(b, false)), 0);
  EXPECT_TRUE(IsAncestor(*diagram, c, b, true));
  EXPECT_EQ(Object(b).IsEndNode, 0);
  EXPECT_EQ(host.snapshots, 2);

  // Dropped on the right half again, the relation goes and B is an end node where it stood.
  Show();
  const Rect title = State(b).ObjectRect;
  controller.OnLeftDown(Client(Centre(State(c).ObjectRect)), kLeftButton);
  controller.OnMouseMove(Client(Half(b, false)), kLeftButton);
  EXPECT_EQ(host.cursor, ViewCursor::Unrelate);
  controller.OnLeftUp(Client(Half(b, false)), 0);
  EXPECT_FALSE(IsAncestor(*diagram, c, b, true));
  EXPECT_EQ(Object(b).IsEndNode, 1);
  EXPECT_EQ(Object(b).Pos[BoxChart], Centre(title));
}

TEST_F(MouseEditTest, DroppingOnANodeAlreadyLinkedAsksBeforeUnlinking) {
  host.recorded.answer = MessageAnswer::No;
  Drag(Centre(State(a).ObjectRect), Half(b, true));
  ASSERT_EQ(host.recorded.shown.size(), 1u);
  EXPECT_EQ(host.recorded.shown[0].text, "『BBBB』\n『AAAA』\n間のリンクを解除してもよろしいですか");
  EXPECT_EQ(Object(ab).Kind, LinkArc);
  EXPECT_EQ(host.snapshots, 0);
  host.recorded.answer = MessageAnswer::Yes;
  const int count = diagram->count();
  Drag(Centre(State(a).ObjectRect), Half(b, true));
  EXPECT_EQ(diagram->count(), count - 1);
  EXPECT_EQ(Object(ab).Kind, LinkArc) << "the break that followed takes its place";
  EXPECT_EQ(Object(ab).Serial, 11);
  EXPECT_EQ(diagram->header.CurrentObject, -1);
  EXPECT_EQ(host.snapshots, 1);
}

TEST_F(MouseEditTest, ABoxDroppedOnItsOwnDescendantMakesNoCycle) {
  const int parentsBefore = Object(p).ParentCount;
  controller.OnLeftDown(Client(Centre(State(p).ObjectRect)), kLeftButton);
  EXPECT_EQ(controller.mode(), DragMode::MoveBox);
  controller.OnMouseMove(Client(Half(d, false)), kLeftButton);
  EXPECT_EQ(host.cursor, ViewCursor::Move);
  controller.OnLeftUp(Client(Half(d, false)), 0);
  EXPECT_EQ(Object(p).ParentCount, parentsBefore);
  EXPECT_FALSE(IsAncestor(*diagram, p, d, false));
}

TEST_F(MouseEditTest, ABoxsTitleDroppedOnAnotherSideOnlyChangesItsSide) {
  const Point left = Centre(State(p).TitleBands[0]);
  const Point d0 = Object(d).Pos[BoxChart];
  Drag(Centre(State(p).ObjectRect), left);
  EXPECT_EQ(Object(p).TitlePos, 1);
  EXPECT_EQ(Object(d).Pos[BoxChart], d0);
  EXPECT_EQ(host.snapshots, 1);
}

TEST_F(MouseEditTest, MovingABoxMovesTheNodesInside) {
  const Point d0 = Object(d).Pos[BoxChart], e0 = Object(e).Pos[BoxChart];
  const Point start = Centre(State(p).ObjectRect);
  Drag(start, {start.X + 30, start.Y + 20});
  EXPECT_EQ(Object(d).Pos[BoxChart], (Point{d0.X + 30, d0.Y + 20}));
  EXPECT_EQ(Object(e).Pos[BoxChart], (Point{e0.X + 30, e0.Y + 20}));
}

TEST_F(MouseEditTest, AnArcEndDroppedOnAnotherNodeReconnectsIt) {
  const ObjectState& arc = State(ab);
  const Point to = arc.ArcPoints[ArcPointCount(arc) - 1];
  controller.OnLeftDown(Client(to), kLeftButton);
  EXPECT_EQ(controller.mode(), DragMode::ReconnectArcEnd);
  controller.OnMouseMove(Client(Centre(State(e).ObjectRect)), kLeftButton);
  EXPECT_EQ(host.guide, "リンクアークの接続先が『EEEE』に変更されます");
  controller.OnLeftUp(Client(Centre(State(e).ObjectRect)), 0);
  EXPECT_EQ(Object(ab).ToSerial, Object(e).Serial);
  EXPECT_EQ(host.snapshots, 1);
}

TEST_F(MouseEditTest, AnArcEndDroppedOnANodeLinkedToTheOtherEndIsRefused) {
  Object(de).Serial = Object(a).Serial;  // a second arc from A, to E
  Show();
  const Point to = State(ab).ArcPoints[ArcPointCount(State(ab)) - 1];
  Drag(to, Centre(State(e).ObjectRect));
  ASSERT_EQ(host.recorded.shown.size(), 1u);
  EXPECT_EQ(host.recorded.shown[0].text, "同一ノード間に複数のアークを設定することはできません");
  EXPECT_EQ(Object(ab).ToSerial, Object(b).Serial);
  EXPECT_EQ(host.snapshots, 0);
}

TEST_F(MouseEditTest, AnArcEndDroppedOnNothingRemovesTheArcAfterAsking) {
  const Point to = State(ab).ArcPoints[ArcPointCount(State(ab)) - 1];
  const int count = diagram->count();
  controller.OnLeftDown(Client(to), kLeftButton);
  controller.OnMouseMove(Client({700, 700}), kLeftButton);
  EXPECT_EQ(host.guide, "リンクアークが解除されます");
  controller.OnLeftUp(Client({700, 700}), 0);
  EXPECT_EQ(diagram->count(), count - 1);
  EXPECT_EQ(diagram->header.CurrentObject, a) << "the node at the other end";
}

TEST_F(MouseEditTest, MemosTitlesAndTheHeadlineMoveByTheirDrag) {
  Object(b).ShowMemo[BoxChart] = 1;
  SetFieldText(Object(b).MemoText, "memo", kMemoBytes);
  diagram->header.Headline[BoxChart].Show = 1;
  Show();
  const Point memo = Centre(State(b).MemoRect);
  const Point m0 = Object(b).Memo.MemoPos[BoxChart];
  Drag(memo, {memo.X + 40, memo.Y + 20});
  EXPECT_EQ(Object(b).Memo.MemoPos[BoxChart], (Point{m0.X + 40, m0.Y + 20}));
  EXPECT_TRUE(controller.state().memoSelected);

  Show();
  const Point title = Centre(State(ab).ObjectRect);
  const Point t0 = Object(ab).Pos[BoxChart];
  Drag(title, {title.X + 300, title.Y + 3});
  EXPECT_EQ(Object(ab).Pos[BoxChart], (Point{t0.X + 200, t0.Y + 3})) << "at most 200 from the arc's middle";

  Show();
  const Point memoNow = Centre(State(b).MemoRect);
  Drag(memoNow, {memoNow.X, memoNow.Y - 150});
  const int titleCentreY = Centre(State(b).ObjectRect).Y;
  EXPECT_EQ(Object(b).Memo.MemoPos[BoxChart].Y, -titleCentreY) << "kept inside the view's top edge";

  Show();
  const HeadlineStyle before = diagram->header.Headline[BoxChart];
  const Point headline = Centre(controller.state().headlineRect);
  Drag(headline, {headline.X + 3, headline.Y + 4});
  EXPECT_EQ(diagram->header.Headline[BoxChart].X, before.X) << "4 pixels or less is no move";
  const int snapshots = host.snapshots;
  Drag(headline, {headline.X - 10, headline.Y + 50});
  EXPECT_EQ(diagram->header.Headline[BoxChart].X, before.X - 10);
  EXPECT_EQ(diagram->header.Headline[BoxChart].Y, before.Y + 50);
  EXPECT_EQ(host.snapshots, snapshots) << "the headline takes no snapshot";
}

TEST_F(MouseEditTest, APressAfterALostReleaseStartsAfresh) {
  diagram->header.Headline[BoxChart].Show = 1;
  Show();
  controller.OnLeftDown(Client(Centre(controller.state().headlineRect)), kLeftButton);
  EXPECT_EQ(controller.mode(), DragMode::MoveHeadline);
  EXPECT_FALSE(host.captured) << "a headline drag holds no capture, so its release may go elsewhere";
  Click(Centre(State(b).ObjectRect));
  EXPECT_EQ(diagram->header.CurrentObject, b);
  EXPECT_EQ(controller.mode(), DragMode::None);
}

TEST_F(MouseEditTest, ResizingABoxScalesItsContents) {
  Click(Centre(State(p).ObjectRect));
  Show();
  const Rect outer = State(p).BoxOuterRect;
  const Point d0 = Object(d).Pos[BoxChart];
  const Point corner = State(p).ArcPoints[2];
  controller.OnLeftDown(Client(corner), kLeftButton);
  EXPECT_EQ(controller.mode(), DragMode::BoxResize);
  EXPECT_EQ(host.cursor, ViewCursor::SizeNWSE);
  const int width = outer.right - outer.left;
  controller.OnLeftUp(Client({corner.X + width, corner.Y}), 0);
  EXPECT_EQ(host.snapshots, 1);
  // The box doubles its width to the right: each node keeps its share of the width.
  const double share = (d0.X - (outer.left + outer.right) / 2.0) * 2;
  EXPECT_NEAR(Object(d).Pos[BoxChart].X, (outer.left + outer.right + width) / 2.0 + share, 2);
}

TEST_F(MouseEditTest, AFrameHandleChangesTheBoxMargins) {
  Click(Centre(State(p).ObjectRect));
  Show();
  const int left = Object(p).WakuMa[0], top = Object(p).WakuMa[1], right = Object(p).WakuMa[2];
  const Rect frame = State(p).BoxFrameRect;
  const Point handle = State(p).FrameHandles[0];
  Drag(handle, {frame.left - 20, frame.top - 2});
  EXPECT_EQ(Object(p).WakuMa[0], left + 20) << "the frame's left edge follows the pointer";
  EXPECT_EQ(Object(p).WakuMa[1], top) << "a change below 3 is ignored";
  EXPECT_EQ(Object(p).WakuMa[2], right);
}

TEST_F(MouseEditTest, ThePictureSizeHandleSetsTheWidthAndKeepsTheProportions) {
  Click(Centre(State(e).ObjectRect));
  Show();
  const Rect r = State(e).ImageRect;
  const Point handle{r.right, (r.top + r.bottom) / 2};
  Drag(handle, {handle.X + 10, handle.Y});
  EXPECT_EQ(Object(e).ImageW[BoxChart], r.right - r.left + 20) << "it grows on both sides";
  EXPECT_EQ(Object(e).ImageH[BoxChart], Object(e).ImageW[BoxChart]) << "the 2 × 2 picture stays square";
}

TEST_F(MouseEditTest, TheViewEdgeSetsTheViewSize) {
  Drag({1500, 300}, {1200, 300});
  EXPECT_EQ(diagram->header.ViewWidth[BoxChart], 1200);
  EXPECT_EQ(host.snapshots, 1);
  EXPECT_EQ(host.paneTypes.back(), kPaneChart);
  Drag({1200, 300}, {100, 300});
  EXPECT_EQ(diagram->header.ViewWidth[BoxChart], 500) << "never below 500, and the objects stay inside";
  system.AutoMent = 1;
  Show();
  const Point b0 = Object(b).Pos[BoxChart];
  Drag({500, 300}, {1000, 300});
  EXPECT_EQ(diagram->header.ViewWidth[BoxChart], 1000);
  EXPECT_EQ(Object(b).Pos[BoxChart].X, b0.X * 2) << "the nodes follow the new width";
}

TEST_F(MouseEditTest, TheRadiusHandleAndRingOfAMainBreak) {
  diagram->header.CurrentObject = de;
  State(de).Selected = 1;
  Show();
  const Point centre = State(de).ArcHandles[0];
  Drag({centre.X + 40, centre.Y}, {centre.X + 100, centre.Y + 30});
  EXPECT_EQ(Object(de).RoundR, 100);
  EXPECT_EQ(host.snapshots, 0) << "the radius takes no snapshot";
  Show();
  const double rad = Object(de).Arc[BoxChart].Rad;
  Drag({centre.X, centre.Y - 100}, {centre.X + 100, centre.Y});
  EXPECT_NEAR(std::fmod(rad - Object(de).Arc[BoxChart].Rad + 4 * kPi, 2 * kPi), kHalfPi, 1e-3)
      << "a quarter turn clockwise turns a break back";
}

TEST_F(MouseEditTest, ArrowKeysMoveTheSelectionByWholeUnits) {
  SetZoom(2.0f);
  Show();
  Click(Centre(State(b).ObjectRect));
  const Point b0 = Object(b).Pos[BoxChart];
  controller.OnKey(ViewKey::Right, kCtrlKey);
  EXPECT_EQ(Object(b).Pos[BoxChart].X, b0.X + 1) << "one pixel at zoom 2 still moves one unit";
  Show();
  controller.OnKey(ViewKey::Down, 0);
  EXPECT_EQ(Object(b).Pos[BoxChart].Y, b0.Y + 5);
  EXPECT_EQ(host.snapshots, 2);
}

}  // namespace
}  // namespace ravelo::testing

namespace ravelo::testing {
namespace {

class RingTurnTest : public ViewChartTest {
 protected:
  void SetUp() override {
    ViewChartTest::SetUp();
    SetZoom(1.0f);
    Paint();
    diagram->header.CurrentObject = p;
    o = Centre(State(p).BodyRect);
  }
  static double Angle(Point from, Point to) { return std::atan2(to.Y - from.Y, to.X - from.X); }
  Point o;
};

TEST_F(RingTurnTest, TheRelatedNodesTurnAboutTheRingAndMoveOutByItsScale) {
  const Point d0 = Centre(State(d).BodyRect);
  const Point dPos = Object(d).Pos[BoxChart];
  // A quarter turn on the ring itself (radius 40): no scaling.
  const Rect turned = TurnedAboutRing(*diagram, p, d, {o.X + 40, o.Y}, {o.X, o.Y + 40});
  const Point d1 = Centre(turned);
  EXPECT_NEAR(Distance(o, d1), Distance(o, d0), 2);
  EXPECT_NEAR(std::remainder(Angle(o, d1) - Angle(o, d0), 2 * kPi), kHalfPi, 0.05);
  // Released twice as far out: each node's distance from the centre doubles.
  const Point d2 = Centre(TurnedAboutRing(*diagram, p, d, {o.X + 40, o.Y}, {o.X + 80, o.Y}));
  EXPECT_NEAR(Distance(o, d2), 2 * Distance(o, d0), 3);

  TurnRelatedNodes(*diagram, rules, {o.X + 40, o.Y}, {o.X, o.Y + 40}, false);
  EXPECT_EQ(Object(d).Pos[BoxChart], (Point{dPos.X + d1.X - d0.X, dPos.Y + d1.Y - d0.Y}))
      << "the position moves as the body does";
}

TEST_F(RingTurnTest, WithCtrlOnlyTheSelectedRelativesTurn) {
  State(d).Selected = 1;
  const Point e0 = Object(e).Pos[BoxChart];
  const Point a0 = Object(a).Pos[BoxChart];
  TurnRelatedNodes(*diagram, rules, {o.X + 40, o.Y}, {o.X, o.Y + 40}, true);
  EXPECT_EQ(Object(e).Pos[BoxChart], e0);
  EXPECT_EQ(Object(a).Pos[BoxChart], a0) << "no relative of the box";
  EXPECT_FALSE(IsDirectRelative(*diagram, p, a));
  EXPECT_TRUE(IsDirectRelative(*diagram, d, p)) << "a parent is a relative too";
}

}  // namespace
}  // namespace ravelo::testing
