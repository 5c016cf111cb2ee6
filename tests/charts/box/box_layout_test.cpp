// The layout of boxes around their descendants on the recording surface, worked out by hand.
#include "charts/box/box_layout.h"

#include <gtest/gtest.h>

#include "charts/box/box_chart.h"
#include "model/levels.h"
#include "tests/support/chart_fixture.h"

namespace ravelo::testing {
namespace {

// Box 10 ("Box", 18 × 12 pixels) around end node 1 at (100, 50) and end node 2 at (200, 120), whose
// bodies are (80, 40, 120, 60) and (180, 110, 220, 130). Inner margins 10, 20, 30, 40 give the frame
// (70, 20, 250, 170); the sides are 6 wide, the title side 6 + 12 + its two margins.
class BoxLayoutTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    box = Node(10, {0, 0}, "Box");
    first = Node(1, {100, 50}, "ABCD", {10});
    second = Node(2, {200, 120}, "ABCD", {10});
  }
  void Draw() {
    ComputeLevels(*diagram);
    RenderContext context = Context();
    DrawBoxChart(context);
  }
  int box = -1, first = -1, second = -1;
};

struct SideCase {
  int titlePos;
  Rect outer;
  Rect title;
  Point chartPos;
};

TEST_F(BoxLayoutTest, TitleBandOnEachOfTheFourSides) {
  const SideCase cases[] = {
      {1, {44, 14, 256, 176}, {44, 20, 70, 170}, {57, 95}},
      {2, {64, -4, 256, 176}, {70, -4, 250, 20}, {160, 8}},
      {3, {64, 14, 276, 176}, {250, 20, 276, 170}, {263, 95}},
      {4, {64, 14, 256, 194}, {70, 170, 250, 194}, {160, 182}},
  };
  for (const SideCase& c : cases) {
    SCOPED_TRACE(c.titlePos);
    SetUp();
    Object(box).TitlePos = c.titlePos;
    Draw();
    const ObjectState& s = State(box);
    EXPECT_EQ(s.BoxFrameRect, (Rect{70, 20, 250, 170}));
    EXPECT_EQ(s.BoxOuterRect, c.outer);
    EXPECT_EQ(s.BodyRect, c.outer);
    EXPECT_EQ(s.ObjectRect, c.title);
    EXPECT_EQ(s.ChartPos, c.chartPos);
    const Rect& o = c.outer;
    EXPECT_EQ(s.TitleBands[0], (Rect{o.left, o.top, 70, o.bottom}));
    EXPECT_EQ(s.TitleBands[1], (Rect{o.left, o.top, o.right, 20}));
    EXPECT_EQ(s.TitleBands[2], (Rect{250, o.top, o.right, o.bottom}));
    EXPECT_EQ(s.TitleBands[3], (Rect{o.left, 170, o.right, o.bottom}));
  }
}

TEST_F(BoxLayoutTest, AtZoomTwoEveryLengthIsZoomed) {
  SetZoom(2.0f);
  Draw();
  // Bodies (163, 80, 437, 260) with margins 20, 40, 60, 80; sides 12, the title side 12 + 24 + 12.
  EXPECT_EQ(State(box).BoxFrameRect, (Rect{143, 40, 497, 340}));
  EXPECT_EQ(State(box).BoxOuterRect, (Rect{131, -8, 509, 352}));
  EXPECT_EQ(State(box).ObjectRect, (Rect{143, -8, 497, 40}));
}

TEST_F(BoxLayoutTest, NestedBoxesEncloseTheInnerBoxes) {
  const int outer = Node(20, {0, 0}, "Outer");
  Object(box).ParentSerials[Object(box).ParentCount++] = 20;
  Object(outer).IsEndNode = 0;
  Draw();
  EXPECT_EQ(diagram->LevelCount, 3);
  EXPECT_EQ(State(box).BoxOuterRect, (Rect{64, -4, 256, 176}));
  RenderContext context = Context();
  EXPECT_EQ(State(outer).BoxFrameRect, context.WithMargins(State(box).BoxOuterRect, Object(outer).WakuMa));
}

TEST_F(BoxLayoutTest, SecondPassSeesABoxOfTheSameLevelLaidOutLater) {
  // Node 2 is a child of box 10 and of box 30, which encloses box 10 too; the levels put both boxes
  // on level 1, and box 30 comes first in the table.
  SetUp();
  diagram->header.ObjectCount = 0;
  const int around = Node(30, {0, 0}, "Around");
  box = Node(10, {0, 0}, "Box", {30});
  second = Node(2, {200, 120}, "ABCD", {10, 30});
  Draw();
  ASSERT_EQ(State(around).Level, State(box).Level);
  RenderContext context = Context();
  EXPECT_EQ(State(around).BoxFrameRect, context.WithMargins(State(box).BoxOuterRect, Object(around).WakuMa));
}

TEST_F(BoxLayoutTest, PictureInATopBandMovesTheTitleAgainstTheFrame) {
  GivePicture(box, 20, 10);
  Object(box).SetIn = 0;
  Object(box).AlineV = 0;  // above the title
  Draw();
  const ObjectState& s = State(box);
  // The title frame, 18 high, makes the top side 6 + 18 thick; the title is then moved up against
  // the frame and the picture stands above it, moved out by half a side (3) when drawn.
  EXPECT_EQ(s.BoxOuterRect, (Rect{64, -4, 256, 176}));
  EXPECT_EQ(s.ChartPos, (Point{160, 11}));
  EXPECT_EQ(s.ObjectRect, s.TitleBands[1]);
  EXPECT_EQ(s.BodyRect, (Rect{64, -10, 256, 176}));
  EXPECT_EQ(s.ImageRect, (Rect{150, -13, 170, -3}));
}

TEST_F(BoxLayoutTest, ThePictureMovesOnlyOnceForABoxThatKeepsItsLayout) {
  GivePicture(box, 20, 10);
  Object(box).SetIn = 0;
  Object(box).AlineV = 0;
  Draw();
  const Rect drawn = State(box).ImageRect;
  // Its children gone, the box keeps its rectangles; a redraw must not move the picture again.
  Object(first).ParentCount = 0;
  Object(second).ParentCount = 0;
  Draw();
  EXPECT_EQ(State(box).ImageRect, drawn);
}

TEST_F(BoxLayoutTest, TitleLineWithPictureCentredInTheTopBand) {
  SetFieldText(Object(box).Title, "AB@CD", kTitleBytes);
  GivePicture(box, 20, 10);
  Draw();
  const ObjectState& s = State(box);
  // The frame of text and picture is 18 high, the top side 6 + 18. Drawn, the title line is
  // centred on the anchor (160, 11) moved up by 3, 27 either side; the picture follows the first
  // part "AB" (12) and the image margin (2).
  EXPECT_EQ(s.BoxOuterRect, (Rect{64, -4, 256, 176}));
  EXPECT_EQ(s.ChartPos, (Point{160, 11}));
  EXPECT_EQ(s.ImageRect, (Rect{147, 3, 167, 13}));
}

TEST_F(BoxLayoutTest, EmptyTitleStillFollowsTheChildren) {
  SetFieldText(Object(box).Title, "", kTitleBytes);
  Draw();
  // The title side holds no text, only the side and its margins: 6 + 3 + 3.
  EXPECT_EQ(State(box).BoxOuterRect, (Rect{64, 8, 256, 176}));
  Object(second).Pos[BoxChart] = {300, 120};
  Draw();
  EXPECT_EQ(State(box).BoxOuterRect.right, 356);
}

TEST_F(BoxLayoutTest, BoxWithoutDescendantsKeepsItsRectangles) {
  Object(first).ParentCount = 0;
  Object(second).ParentCount = 0;
  State(box).BoxOuterRect = {1, 2, 3, 4};
  State(box).ObjectRect = {5, 6, 7, 8};
  Draw();
  EXPECT_EQ(State(box).BoxOuterRect, (Rect{1, 2, 3, 4}));
  EXPECT_EQ(State(box).ObjectRect, (Rect{5, 6, 7, 8}));
}

TEST_F(BoxLayoutTest, MemoOfABoxIsPlacedAgainstItsTitleBand) {
  SetFieldText(Object(box).MemoText, "m", kMemoBytes);
  Object(box).Memo.MemoPos[BoxChart] = {0, -30};
  Object(box).ShowMemo[BoxChart] = 1;
  Draw();
  const ObjectState& s = State(box);
  // Around the band's centre (160, 8) moved up 30: "m" is 6 × 12, 3 wider a side, margins 2.
  EXPECT_EQ(s.MemoRect, (Rect{152, -30, 168, -14}));
  EXPECT_EQ(s.BodyRect, UnionRect(s.BoxOuterRect, s.MemoRect));
}

}  // namespace
}  // namespace ravelo::testing
