// The object hit test and the handle, edge, ring and console tests against a Box chart laid out
// by the chart's own code, at zoom 1 and at zoom 2.
#include "view/hit_test.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/view/view_fixture.h"
#include "view/zoom_console.h"

namespace ravelo::testing {
namespace {

class HitTest : public ViewChartTest, public ::testing::WithParamInterface<float> {
 protected:
  void SetUp() override {
    ViewChartTest::SetUp();
    Object(b).ShowMemo[BoxChart] = 1;
    SetFieldText(Object(b).MemoText, "memo", kMemoBytes);
    Object(b).Memo.MemoPos[BoxChart] = {0, 40};
    diagram->header.ShowChildMark[BoxChart] = 1;
    Paint(GetParam());
  }

 public:
  HitResult At(Point point) { return HitTestObjects(*diagram, rules, point); }
  const Point* Path(int arc) { return State(arc).ArcPoints; }
};

struct HitCase {
  const char* what;
  std::function<Point(HitTest&)> point;
  std::function<int(HitTest&)> index;
  int arcPart = -1;
  bool firstHalf = false;
  bool onImage = false;
  bool onMemo = false;
  bool onChildMark = false;
  int titleSide = -1;
};

TEST_P(HitTest, EachPartOfTheChartIsFoundOnTop) {
  const HitCase cases[] = {
      {"the overlap of A and C: C lies later in the table",
       [](HitTest& t) {
         const Rect& a = t.State(t.a).ObjectRect;
         const Rect& c = t.State(t.c).ObjectRect;
         return Point{(std::max(a.left, c.left) + std::min(a.right, c.right)) / 2, std::max(a.top, c.top) + 1};
       },
       [](HitTest& t) { return t.c; }, -1, false},
      {"the right half of B",
       [](HitTest& t) {
         const Rect& r = t.State(t.b).ObjectRect;
         return Point{r.right - 2, r.top + 2};
       },
       [](HitTest& t) { return t.b; }, -1, false},
      {"the memo of B", [](HitTest& t) { return Centre(t.State(t.b).MemoRect); }, [](HitTest& t) { return t.b; }, -1,
       false, false, true},
      {"the picture of E", [](HitTest& t) { return Centre(t.State(t.e).ImageRect); }, [](HitTest& t) { return t.e; },
       -1, false, true},
      {"the title band of box P, its first half",
       [](HitTest& t) {
         const Rect& r = t.State(t.p).ObjectRect;
         return Point{r.left + 1, r.top + 1};
       },
       [](HitTest& t) { return t.p; }, -1, true},
      {"the left band of box P", [](HitTest& t) { return Centre(t.State(t.p).TitleBands[0]); },
       [](HitTest& t) { return t.p; }, -1, false, false, false, false, 1},
      {"the selection mark of box P", [](HitTest& t) { return Centre(t.State(t.p).ChildMarkRect); },
       [](HitTest& t) { return t.p; }, -1, false, false, false, true},
      {"the title box of arc ab", [](HitTest& t) { return Centre(t.State(t.ab).ObjectRect); },
       [](HitTest& t) { return t.ab; }, kArcTitleBox},
      {"the from end of arc ab", [](HitTest& t) { return t.Path(t.ab)[0]; }, [](HitTest& t) { return t.ab; },
       kArcFromEnd},
      {"7 pixels off the from end of ab",
       [](HitTest& t) {
         return Point{t.Path(t.ab)[0].X, t.Path(t.ab)[0].Y + 7};
       },
       [](HitTest& t) { return t.ab; }, kArcFromEnd},
      {"8 pixels along the line from the from end of ab",
       [](HitTest& t) {
         return Point{t.Path(t.ab)[0].X + 8, t.Path(t.ab)[0].Y};
       },
       [](HitTest& t) { return t.ab; }, kArcLine},
      {"the to end of arc ab", [](HitTest& t) { return t.Path(t.ab)[1]; }, [](HitTest& t) { return t.ab; }, kArcToEnd},
      {"the line of ab, 4 pixels off (width 1 × zoom + 3 reaches it)",
       [](HitTest& t) {
         const Point f = t.Path(t.ab)[0];
         return Point{f.X + 20, f.Y + 4};
       },
       [](HitTest& t) { return t.ab; }, kArcLine},
      {"a bar of the break de, near its end",
       [](HitTest& t) { return PointToward(t.State(t.de).ArcExtraSegments[0], t.State(t.de).ArcExtraSegments[1], 2); },
       [](HitTest& t) { return t.de; }, kArcLine},
      {"empty canvas",
       [](HitTest&) {
         return Point{5, 700};
       },
       [](HitTest&) { return -1; }},
  };
  for (const HitCase& k : cases) {
    const HitResult hit = At(k.point(*this));
    EXPECT_EQ(hit.Index, k.index(*this)) << k.what;
    EXPECT_EQ(hit.ArcPart, k.arcPart) << k.what;
    EXPECT_EQ(hit.FirstHalf, k.firstHalf) << k.what;
    EXPECT_EQ(hit.OnImage, k.onImage) << k.what;
    EXPECT_EQ(hit.OnMemo, k.onMemo) << k.what;
    EXPECT_EQ(hit.OnChildMark, k.onChildMark) << k.what;
    EXPECT_EQ(hit.TitleSide, k.titleSide) << k.what;
  }
}

TEST_P(HitTest, APointEightPixelsFromAnEndMissesIt) {
  const Point from = Path(ab)[0];
  const HitResult hit = At({from.X, from.Y + 8});
  EXPECT_FALSE(hit.Index == ab && hit.ArcPart == kArcFromEnd);
}

TEST_P(HitTest, TheLineIsHitWithinItsWidthTimesTheZoomAndThreePixels) {
  const Point f = Path(ab)[0];
  const int reach = static_cast<int>(1 * GetParam()) + 3;
  EXPECT_EQ(At({f.X + 20, f.Y + reach}).ArcPart, kArcLine);
  EXPECT_NE(At({f.X + 20, f.Y + reach + 1}).Index, ab);
}

TEST_P(HitTest, ArcsOfAChartThatHidesThemAreNeverHit) {
  const Point title = Centre(State(ab).ObjectRect);
  diagram->header.ShowArcs[BoxChart] = 0;
  EXPECT_NE(At(title).Index, ab);
  EXPECT_NE(At(Path(ab)[0]).Index, ab);
}

TEST_P(HitTest, APictureIsOnlyHitWhileTheChartShowsPictures) {
  const Point picture = Centre(State(e).ImageRect);
  diagram->header.ShowImages[BoxChart] = 0;
  const HitResult hit = At(picture);
  EXPECT_FALSE(hit.OnImage);
}

TEST_P(HitTest, BoxHandlesAreThoseDrawnForTheOneSelectedBox) {
  EXPECT_EQ(HitBoxHandle(*diagram, rules, State(p).FrameHandles[2], false).index, -1) << "not selected";
  State(p).Selected = 1;
  diagram->header.CurrentObject = p;
  Paint(GetParam());
  const Point frame = State(p).FrameHandles[2];
  const BoxHandleHit hit = HitBoxHandle(*diagram, rules, {frame.X + 5, frame.Y - 5}, false);
  EXPECT_EQ(hit.index, p);
  EXPECT_EQ(hit.handle, 2);
  EXPECT_EQ(HitBoxHandle(*diagram, rules, {frame.X + 6, frame.Y}, false).index, -1);
  const Point outer = State(p).ArcPoints[5];
  EXPECT_EQ(HitBoxHandle(*diagram, rules, outer, true).handle, 5);
  // With a second box-like selection (an arc) the handles are not drawn, so not hit either.
  State(ab).Selected = 1;
  Paint(GetParam());
  EXPECT_EQ(HitBoxHandle(*diagram, rules, frame, false).index, -1);
}

TEST_P(HitTest, ThePictureSizeHandleSitsAtThePicturesRightEdge) {
  State(e).Selected = 1;
  const Rect& r = State(e).ImageRect;
  EXPECT_EQ(HitImageSizeHandle(*diagram, {r.right + 5, (r.top + r.bottom) / 2}), e);
  EXPECT_EQ(HitImageSizeHandle(*diagram, {r.right + 6, (r.top + r.bottom) / 2}), -1);
}

TEST_P(HitTest, TheRingAndRadiusHandleBelongToTheMainBreakOrLightning) {
  diagram->header.CurrentObject = de;
  const Point centre = State(de).ArcHandles[0];
  EXPECT_TRUE(HitRotationRing(*diagram, rules, {centre.X, centre.Y + 45}));
  EXPECT_FALSE(HitRotationRing(*diagram, rules, {centre.X, centre.Y + 46}));
  EXPECT_TRUE(HitRadiusHandle(*diagram, rules, {centre.X + 45, centre.Y}));
  diagram->header.CurrentObject = ab;  // a straight arc has none
  EXPECT_FALSE(HitRadiusHandle(*diagram, rules, {State(ab).ArcHandles[0].X + 40, State(ab).ArcHandles[0].Y}));
  diagram->header.CurrentObject = a;  // nor has a node in the Box chart
  const Point body = Centre(State(a).BodyRect);
  EXPECT_FALSE(HitRadiusHandle(*diagram, rules, {body.X + 40, body.Y}));
}

TEST_P(HitTest, TheViewEdgesAreHitWithinFourPixels) {
  const int w = static_cast<int>(1500 * GetParam());
  const int h = static_cast<int>(1500 * GetParam());
  EXPECT_TRUE(HitViewRightEdge(diagram->header, {w + 3, 10}));
  EXPECT_FALSE(HitViewRightEdge(diagram->header, {w + 4, 10}));
  EXPECT_FALSE(HitViewRightEdge(diagram->header, {w, h}));
  EXPECT_TRUE(HitViewBottomEdge(diagram->header, {10, h - 3}));
  EXPECT_FALSE(HitViewBottomEdge(diagram->header, {w, h}));
}

INSTANTIATE_TEST_SUITE_P(Zooms, HitTest, ::testing::Values(1.0f, 2.0f),
                         [](const ::testing::TestParamInfo<float>& info) {
                           return info.param == 1.0f ? "Zoom100" : "Zoom200";
                         });

TEST(ZoomConsoleHit, ButtonsBodyAndRing) {
  const Point centre{200, 150};
  const Point corner{135, 85};
  const auto at = [corner](int x, int y) { return Point{corner.X + x, corner.Y + y}; };
  EXPECT_EQ(HitZoomConsole(centre, at(65, 20), true), kConsolePlus);
  EXPECT_EQ(HitZoomConsole(centre, at(52, 20), true), kConsolePlus) << "the bar of the plus";
  EXPECT_EQ(HitZoomConsole(centre, at(65, 110), true), kConsoleMinus);
  EXPECT_EQ(HitZoomConsole(centre, at(65, 110), false), kConsoleBody) << "a right click";
  EXPECT_EQ(HitZoomConsole(centre, centre, true), kConsoleBody);
  EXPECT_EQ(HitZoomConsole(centre, {centre.X + 65, centre.Y}, true), kConsoleBody);
  EXPECT_EQ(HitZoomConsole(centre, {centre.X + 66, centre.Y}, true), -1);
  EXPECT_FALSE(OnZoomConsoleRing(centre, {centre.X + 64, centre.Y}));
  EXPECT_TRUE(OnZoomConsoleRing(centre, {centre.X + 65, centre.Y}));
  EXPECT_TRUE(OnZoomConsoleRing(centre, {centre.X, centre.Y - 73}));
  EXPECT_FALSE(OnZoomConsoleRing(centre, {centre.X, centre.Y - 74}));
}

TEST(ZoomConsoleHit, TheCentreIsKeptInsideTheClientArea) {
  EXPECT_EQ(ClampConsoleCentre({10, 10}, {800, 600}), (Point{70, 70}));
  EXPECT_EQ(ClampConsoleCentre({790, 590}, {800, 600}), (Point{730, 530}));
  EXPECT_EQ(ClampConsoleCentre({300, 300}, {100, 100}), (Point{70, 70})) << "the lower limits win";
}

TEST(EditBoxHit, EightHandlesAroundTheGrownBox) {
  ViewState view;
  EXPECT_EQ(HitEditBoxHandle(view, {0, 0}), -1) << "nothing edited";
  view.editTarget = 3;
  view.editRect = {100, 100, 200, 150};
  EXPECT_EQ(HitEditBoxHandle(view, {98, 98}), 0);
  EXPECT_EQ(HitEditBoxHandle(view, {202, 152}), 2);
  EXPECT_EQ(HitEditBoxHandle(view, {150, 103}), 4) << "5 pixels below the top middle";
  EXPECT_EQ(HitEditBoxHandle(view, {150, 104}), -1);
}

}  // namespace
}  // namespace ravelo::testing
