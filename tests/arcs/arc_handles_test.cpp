// Grabbing an arc's shape handles, dragging them to a release point and nudging them with the
// arrow keys: which handle is hit and with which cursor, and what each type makes of the move.
#include "arcs/arc_handles.h"

#include <gtest/gtest.h>

#include <memory>

#include "arcs/arc_drawing.h"
#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "arcs/shape_defaults.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/recording_surface.h"

namespace ravelo {
namespace {

using testing::AddArc;
using testing::AddNode;

// Two end nodes with 40 × 20 title rectangles, joined by a selected main arc of a type, laid out.
class ArcHandleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d.header.Zoom[BoxChart] = 1.0f;
    d.header.ViewWidth[BoxChart] = 1000;
    d.header.ViewHeight[BoxChart] = 800;
    d.header.ShowArcs[BoxChart] = 1;
  }

  // Starts the diagram afresh with the two nodes and the arc; the zigzags and waves find their
  // handles while they are drawn, so the arc is drawn too.
  int Arc(int type, Point from, Point to, float zoom = 1.0f) {
    d = Diagram{};
    SetUp();
    d.header.Zoom[BoxChart] = zoom;
    const int a = AddNode(d, 1), b = AddNode(d, 2);
    for (const auto& [index, at] : {std::pair{a, from}, std::pair{b, to}}) {
      d.object(index).Pos[BoxChart] = {static_cast<int>(at.X / zoom), static_cast<int>(at.Y / zoom)};
      d.state(index).ObjectRect = {at.X - 20, at.Y - 10, at.X + 20, at.Y + 10};
    }
    arc = AddArc(d, 1, 2);
    d.object(arc).Arc[BoxChart].ArcType = type;
    ResetShapeParams(d, arc, false, BoxChart);
    d.state(arc).Selected = 1;
    d.header.CurrentObject = arc;
    Layout();
    return arc;
  }
  void Layout() {
    ASSERT_TRUE(LayoutArcPath(d, arc));
    testing::RecordingSurface surface;
    RandomSource random;
    DrawArc(d, arc, {surface, random, -1, [](int) {}});
  }
  uint16_t* Shape() { return d.object(arc).Arc[BoxChart].Shape; }
  Point Handle(int k) { return d.state(arc).ArcHandles[k]; }
  bool Drag(int handle, Point release) {
    return DragArcHandle(d, handle, Handle(handle), release, [this] { ++snapshots; });
  }

  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  int arc = -1;
  int snapshots = 0;
};

TEST_F(ArcHandleTest, AHandleIsHitWithinFivePixelsWithTheCursorOfItsType) {
  struct Case {
    int type;
    int handle;
    int cursor;
  };
  const Case cases[] = {
      {kArcVerticalTwoBends, 0, kNorthSouthCursor}, {kArcVerticalBracket, 0, kWestEastCursor},
      {kArcVerticalThreeBends, 1, kWestEastCursor}, {kArcHorizontalThreeBends, 1, kNorthSouthCursor},
      {kArcOneCurve, 0, kDefaultHandleCursor},      {kArcLightning, 0, 1},  // the chord turned by 90 degrees: 124
  };
  for (const Case& c : cases) {
    Arc(c.type, {100, 100}, {400, 300});
    const Point h = Handle(c.handle);
    const ArcHandleHit hit = HitArcHandle(d, {h.X + 4, h.Y - 5});
    EXPECT_EQ(hit.arc, arc) << "type " << c.type;
    EXPECT_EQ(hit.handle, c.handle) << "type " << c.type;
    EXPECT_EQ(hit.cursor, c.cursor) << "type " << c.type;
    EXPECT_EQ(HitArcHandle(d, {h.X + 6, h.Y}).arc, -1) << "type " << c.type;
  }
}

TEST_F(ArcHandleTest, ArcsThatAreNotSelectedOrHiddenAreNotGrabbed) {
  Arc(kArcVerticalTwoBends, {100, 100}, {400, 300});
  const Point h = Handle(0);
  d.header.ShowArcs[BoxChart] = 0;
  EXPECT_EQ(HitArcHandle(d, h).arc, -1);
  d.header.ShowArcs[BoxChart] = 1;
  d.state(arc).Selected = 0;
  EXPECT_EQ(HitArcHandle(d, h).arc, -1);
}

TEST(DirectionCursor, EachCursorServesTheSectorAroundItsDirection) {
  EXPECT_EQ(DirectionCursor(0), kWestEastCursor);
  EXPECT_EQ(DirectionCursor(22), kWestEastCursor);
  EXPECT_EQ(DirectionCursor(45), 0);
  EXPECT_EQ(DirectionCursor(90), kNorthSouthCursor);
  EXPECT_EQ(DirectionCursor(135), 1);
  EXPECT_EQ(DirectionCursor(180), kWestEastCursor);
  EXPECT_EQ(DirectionCursor(359), kWestEastCursor);
}

TEST_F(ArcHandleTest, AReleaseWithinTwoPixelsChangesNothingAndTakesNoSnapshot) {
  Arc(kArcVerticalTwoBends, {100, 100}, {400, 300});
  const uint16_t before = Shape()[0];
  EXPECT_FALSE(Drag(0, {Handle(0).X + 2, Handle(0).Y - 2}));
  EXPECT_EQ(Shape()[0], before);
  EXPECT_EQ(snapshots, 0);
  EXPECT_TRUE(Drag(0, {Handle(0).X, Handle(0).Y + 3}));
  EXPECT_EQ(snapshots, 1);
}

TEST_F(ArcHandleTest, WithoutAMainLinkArcADragDoesNothing) {
  Arc(kArcVerticalTwoBends, {100, 100}, {400, 300});
  d.header.CurrentObject = -1;
  EXPECT_FALSE(Drag(0, {300, 300}));
  d.header.CurrentObject = 0;  // a node
  EXPECT_FALSE(Drag(0, {300, 300}));
  EXPECT_EQ(snapshots, 0);
}

TEST_F(ArcHandleTest, TheBendsFollowThePercentOfTheReleaseBetweenTheEnds) {
  Arc(kArcVerticalTwoBends, {100, 100}, {400, 300});
  const int firstY = d.state(arc).ArcPoints[0].Y, fourthY = d.state(arc).ArcPoints[3].Y;
  Drag(0, {250, firstY + (fourthY - firstY) / 4});
  EXPECT_EQ(Shape()[0], 25);
  Drag(0, {250, fourthY + 50});
  EXPECT_EQ(Shape()[0], 100) << "clamped";
}

TEST_F(ArcHandleTest, DraggingTheBracketAcrossTheFromPointExchangesTheEnds) {
  Arc(kArcVerticalBracket, {100, 100}, {100, 300});
  ASSERT_EQ(Shape()[1] % 2, 1) << "the default stands right of the from point";
  const int fromX = d.state(arc).ArcPoints[0].X;
  Drag(0, {fromX + 40, 200});
  EXPECT_EQ(d.object(arc).Serial, 1);
  EXPECT_EQ(Shape()[0], 40);
  Layout();
  Drag(0, {fromX - 30, 200});
  EXPECT_EQ(d.object(arc).Serial, 2);
  EXPECT_EQ(d.object(arc).ToSerial, 1);
  EXPECT_EQ(Shape()[1], 50);
  EXPECT_EQ(Shape()[0], 30);
}

TEST_F(ArcHandleTest, AControlPointDraggedBeyondTheViewIsKeptAtItsEdge) {
  Arc(kArcOneCurve, {300, 300}, {500, 300});
  // The base is the middle (400, 300); the limit the distance of the ends, 200: a release far
  // right is first kept at the view's right edge (1000), then 200 from the base.
  Drag(0, {400, 2000});
  EXPECT_EQ(Shape()[0], 1) << "an offset of 0 is kept as 1 (odd, positive)";
  EXPECT_EQ(Shape()[1], EncodeOffset(200));
  Drag(0, {400, -500});
  EXPECT_EQ(Shape()[1], EncodeOffset(-200)) << "kept at the top edge, 300 above, then at the limit";
}

TEST_F(ArcHandleTest, TheLightningsOtherHandlesSetItsLengthFromItsMiddle) {
  Arc(kArcLightning, {100, 100}, {500, 100}, 2.0f);
  const Point middle = Handle(0);
  Drag(1, {middle.X, middle.Y + 60});
  EXPECT_EQ(Shape()[1], 30) << "60 pixels at zoom 2";
  Layout();
  Drag(1, {middle.X, middle.Y + 400});
  EXPECT_EQ(Shape()[1], 50) << "clamped to 10..50";
}

TEST_F(ArcHandleTest, TheHopsSideFlipsWhenItsApexIsDraggedAcrossTheLine) {
  Arc(kArcHop, {100, 200}, {500, 200});
  const uint16_t side = Shape()[2];
  const Point apex = Handle(3);
  Drag(3, {apex.X, apex.Y + (apex.Y < 200 ? 100 : -100)});
  EXPECT_NE(Shape()[2] % 2, side % 2);
  Shape()[2] = 0;
  Layout();
  const Point lower = Handle(3);
  Drag(3, {lower.X, lower.Y + (lower.Y < 200 ? 100 : -100)});
  EXPECT_EQ(Shape()[2], 1) << "a stored 0 flips to 1, not below 0";
}

TEST_F(ArcHandleTest, AnArrowStepOfOneAtZoomTwoStillMovesByOne) {
  Arc(kArcVerticalTwoBends, {100, 100}, {400, 300}, 2.0f);
  const uint16_t before = Shape()[0];
  EXPECT_TRUE(NudgeArcHandle(d, 0, 0, 1));
  EXPECT_EQ(Shape()[0], before + 1);
  EXPECT_FALSE(NudgeArcHandle(d, 0, 1, 0)) << "a horizontal step leaves type 4 as it is";
}

TEST_F(ArcHandleTest, AnArrowStepOfOneMovesACurveControlByThree) {
  Arc(kArcOneCurve, {200, 300}, {600, 300}, 2.0f);
  const int x = DecodeOffset(Shape()[0]), y = DecodeOffset(Shape()[1]);
  EXPECT_TRUE(NudgeArcHandle(d, 0, 1, -1));
  EXPECT_EQ(Shape()[0], EncodeOffset(x + 3));
  EXPECT_EQ(Shape()[1], EncodeOffset(y - 3));
}

TEST_F(ArcHandleTest, NudgesFollowTheDirectionOfThePath) {
  Arc(kArcHorizontalTwoBends, {400, 100}, {100, 300});  // the fourth point lies left of the first
  const uint16_t before = Shape()[0];
  NudgeArcHandle(d, 0, 10, 0);
  EXPECT_EQ(Shape()[0], before - 10);
  Arc(kArcZigzag, {100, 100}, {500, 100});
  Shape()[0] = 99;
  Shape()[1] = 6;
  NudgeArcHandle(d, 0, 10, 10);
  EXPECT_EQ(Shape()[0], 100) << "clamped to 5..100";
  EXPECT_EQ(Shape()[1], 5) << "down lowers the peaks, clamped";
}

TEST_F(ArcHandleTest, AFlatStretchTooShortToMeasureKeepsItsLength) {
  Arc(kArcZigzagGroups, {100, 100}, {500, 100});
  ASSERT_NE(Handle(1), kUnsetPoint);
  d.state(arc).ArcHandles[1] = d.state(arc).FromBase;
  const uint16_t before = Shape()[2];
  Drag(1, {300, 150});
  EXPECT_EQ(Shape()[2], before);
}

}  // namespace
}  // namespace ravelo
