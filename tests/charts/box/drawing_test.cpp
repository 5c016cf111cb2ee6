// What the drawing of nodes, memos, boxes, the grid and the headline puts on the recording surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "charts/box/box_chart.h"
#include "drawing/node_drawing.h"
#include "drawing/node_layout.h"
#include "charts/scene.h"
#include "model/levels.h"
#include "render/line_styles.h"
#include "tests/support/chart_fixture.h"

namespace ravelo::testing {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);

class DrawingTest : public ChartTest {
 protected:
  void Draw() {
    ComputeLevels(*diagram);
    surface.calls.clear();
    RenderContext context = Context();
    DrawBoxChart(context);
  }
  void Render() {
    ComputeLevels(*diagram);
    surface.calls.clear();
    RenderContext context = Context();
    RenderScene(context);
  }
  std::vector<SurfaceCall> CallsOf(SurfaceOp op) const {
    std::vector<SurfaceCall> found;
    std::copy_if(surface.calls.begin(), surface.calls.end(), std::back_inserter(found),
                 [op](const SurfaceCall& c) { return c.op == op; });
    return found;
  }
};

TEST_F(DrawingTest, SelectedNodeShowsItsHaloBeforeFillFrameAndTitle) {
  const int node = Node(1, {100, 50}, "ABCD");
  State(node).Selected = 1;
  diagram->header.CurrentObject = node;
  Draw();
  ASSERT_EQ(surface.calls.size(), 4u);
  const SurfaceCall& halo = surface.calls[0];
  EXPECT_EQ(halo.op, SurfaceOp::Rectangle);
  EXPECT_EQ(halo.rect, (Rect{76, 36, 124, 64}));  // ObjectRect (81, 41, 119, 59) and 5 more
  EXPECT_EQ(halo.pen, kNullPen);
  EXPECT_EQ(halo.brush, Brush::Checker(kWhite, Rgb(0, 0, 128)));
  const SurfaceCall& fill = surface.calls[1];
  EXPECT_EQ(fill.rect, (Rect{81, 41, 119, 59}));
  EXPECT_EQ(fill.brush, Brush::Solid(Rgb(240, 240, 255)));
  EXPECT_EQ(fill.pen.colour, kNoColour);
  const SurfaceCall& frame = surface.calls[2];
  EXPECT_EQ(frame.pen, (Pen{Rgb(0, 0, 128), 2, DashStyle::Solid}));
  EXPECT_EQ(frame.brush, Brush::Hollow());
  const SurfaceCall& title = surface.calls[3];
  EXPECT_EQ(title.op, SurfaceOp::TextInRect);
  EXPECT_EQ(title.text, "ABCD");
  EXPECT_EQ(title.rect, (Rect{85, 44, 115, 56}));
  EXPECT_EQ(title.format, (TextFormat{TextAlign::Centre, TextLines::WordBreak, false}));
  EXPECT_EQ(title.colour, Rgb(0, 0, 0));
}

TEST_F(DrawingTest, SelectionMarkOfOtherSelectedAndUnframedNodes) {
  struct Case {
    const char* name;
    bool main;
    int futosa;
    SurfaceCall expected;
  } cases[] = {
      {"other selected, framed: magenta halo",
       false,
       2,
       {.op = SurfaceOp::Rectangle,
        .rect = {76, 36, 124, 64},
        .brush = Brush::Checker(kWhite, Rgb(255, 0, 255))}},
      {"main, unframed: dark blue dots",
       true,
       0,
       {.op = SurfaceOp::Rectangle, .rect = {81, 41, 119, 59}, .pen = {Rgb(0, 0, 123), 2, DashStyle::Dot}}},
      {"other, unframed: red dots",
       false,
       0,
       {.op = SurfaceOp::Rectangle, .rect = {81, 41, 119, 59}, .pen = {Rgb(255, 0, 0), 2, DashStyle::Dot}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    const int other = Node(2, {300, 50}, "X");
    const int node = Node(1, {100, 50}, "ABCD");
    Object(node).Futosa = c.futosa;
    State(node).Selected = 1;
    diagram->header.CurrentObject = c.main ? node : other;
    Draw();
    const auto firstOfNode = std::find_if(surface.calls.begin(), surface.calls.end(),
                                          [](const SurfaceCall& call) { return call.rect.left < 200; });
    ASSERT_NE(firstOfNode, surface.calls.end());
    EXPECT_EQ(firstOfNode->rect, c.expected.rect);
    EXPECT_EQ(firstOfNode->pen, c.expected.pen);
    EXPECT_EQ(firstOfNode->brush, c.expected.brush);
  }
}

TEST_F(DrawingTest, CornerRoundnessFollowsMarumiAndZoom) {
  struct Case {
    int marumi;
    float zoom;
    SurfaceOp op;
    int corner;
  } cases[] = {{0, 1.0f, SurfaceOp::Rectangle, 0},
               {9, 1.0f, SurfaceOp::RoundRect, 90},
               {3, 1.0f, SurfaceOp::RoundRect, 30},
               {3, 1.5f, SurfaceOp::RoundRect, 45}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.marumi);
    SetUp();
    SetZoom(c.zoom);
    const int node = Node(1, {100, 50}, "ABCD");
    Object(node).Marumi = c.marumi;
    Draw();
    EXPECT_EQ(surface.calls[0].op, c.op);
    EXPECT_EQ(surface.calls[0].corner.width, c.corner);
    EXPECT_EQ(surface.calls[0].corner.height, c.corner);
  }
}

TEST_F(DrawingTest, SelectedMemoTakesTheMarkFromItsNode) {
  const int node = Node(1, {100, 50}, "ABCD");
  SetFieldText(Object(node).MemoText, "m", kMemoBytes);
  Object(node).ShowMemo[BoxChart] = 1;
  Object(node).Memo.MemoPos[BoxChart] = {0, 40};
  Object(node).Memo.refMen = Rgb(255, 255, 200);
  State(node).Selected = 1;
  diagram->header.CurrentObject = node;
  view.memoSelected = true;
  Draw();
  const std::vector<SurfaceCall> patterns = [&] {
    std::vector<SurfaceCall> found;
    for (const SurfaceCall& c : surface.calls) {
      if (c.brush.kind == Brush::Kind::Pattern) found.push_back(c);
    }
    return found;
  }();
  ASSERT_EQ(patterns.size(), 1u);
  EXPECT_EQ(patterns[0].rect, InflateRect(State(node).MemoRect, 5, 5));
}

TEST_F(DrawingTest, NodeEditedInPlaceShowsOnlyItsEditFrame) {
  const int node = Node(1, {100, 50}, "ABCD");
  view.editTarget = node;
  view.editRect = {90, 45, 110, 60};
  Draw();
  ASSERT_EQ(surface.calls.size(), 9u);
  EXPECT_EQ(surface.calls[0].rect, (Rect{87, 42, 113, 63}));
  EXPECT_EQ(surface.calls[0].pen, (Pen{Rgb(0, 0, 123), 1, DashStyle::Dot}));
  const std::vector<SurfaceCall> handles = CallsOf(SurfaceOp::Ellipse);
  ASSERT_EQ(handles.size(), 8u);
  EXPECT_EQ(handles[0].rect, (Rect{82, 37, 92, 47}));   // top-left corner, radius 5
  EXPECT_EQ(handles[4].rect, (Rect{96, 38, 104, 46}));  // top middle, radius 4
  EXPECT_EQ(handles[0].brush, Brush::Solid(Rgb(0, 0, 123)));
  EXPECT_EQ(handles[0].pen, (Pen{Rgb(123, 123, 123), 1, DashStyle::Solid}));
}

TEST_F(DrawingTest, TitleLineDrawsTheTwoPartsAroundThePicture) {
  const int node = Node(1, {100, 50}, "AB@CD");
  GivePicture(node, 20, 10);
  Draw();
  const std::vector<SurfaceCall> texts = CallsOf(SurfaceOp::TextInRect);
  ASSERT_EQ(texts.size(), 2u);
  const Rect line{76, 44, 130, 56};
  EXPECT_EQ(texts[0].text, "AB");
  EXPECT_EQ(texts[0].rect, line);
  EXPECT_EQ(texts[0].format, (TextFormat{TextAlign::Left, TextLines::SingleLine, true}));
  EXPECT_EQ(texts[1].text, "CD");
  EXPECT_EQ(texts[1].rect, line);
  EXPECT_EQ(texts[1].format.align, TextAlign::Right);
  const std::vector<SurfaceCall> pictures = CallsOf(SurfaceOp::StretchPicture);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0].rect, (Rect{90, 45, 110, 55}));
  EXPECT_EQ(pictures[0].source, (Rect{0, 0, 2, 2}));
}

TEST_F(DrawingTest, VerticalTitleIsWrittenInColumnsFromTheRight) {
  const int node = Node(1, {100, 50}, "日本\n語");
  Object(node).FontTate[BoxChart] = 1;
  Object(node).TitleAline = 2;  // each column ends at the bottom
  Draw();
  const std::vector<SurfaceCall> texts = CallsOf(SurfaceOp::Text);
  ASSERT_EQ(texts.size(), 2u);
  // The text rectangle (85, 38, 115, 62); columns 12 apart.
  EXPECT_EQ(texts[0].text, "日本");
  EXPECT_EQ(texts[0].points[0], (Point{115, 38}));
  EXPECT_EQ(texts[1].text, "語");
  EXPECT_EQ(texts[1].points[0], (Point{103, 50}));
  EXPECT_EQ(texts[0].font.face, "@Meiryo UI");
  EXPECT_EQ(texts[0].font.escapement, 2700);
}

TEST_F(DrawingTest, PictureCopiesWithItsKeyColourFrameAndHandle) {
  const int node = Node(1, {100, 50}, "ABCD");
  GivePicture(node, 20, 10);
  Object(node).SetIn = 0;
  Object(node).AlineV = 2;
  Object(node).TransColor = Rgb(255, 255, 255);
  Object(node).ImgFutosa = 1;
  Object(node).ImgLineStyle = 19;  // a wide style runs round the picture further out
  Object(node).refImgLine = Rgb(10, 20, 30);
  State(node).Selected = 1;
  diagram->header.CurrentObject = -1;
  Draw();
  const Rect image{90, 61, 110, 71};
  const std::vector<SurfaceCall> keyed = CallsOf(SurfaceOp::KeyedPicture);
  ASSERT_EQ(keyed.size(), 1u);
  EXPECT_EQ(keyed[0].rect, image);
  EXPECT_EQ(keyed[0].colour, Rgb(255, 255, 255));
  const auto framed = std::find_if(surface.calls.begin(), surface.calls.end(), [&](const SurfaceCall& c) {
    return c.op == SurfaceOp::Rectangle && c.rect == InflateRect(image, 7, 7);
  });
  EXPECT_NE(framed, surface.calls.end());
  const SurfaceCall& handle = surface.calls.back();
  EXPECT_EQ(handle.op, SurfaceOp::Ellipse);
  EXPECT_EQ(handle.rect, (Rect{106, 62, 114, 70}));
  EXPECT_EQ(handle.brush, Brush::Solid(Rgb(255, 0, 0)));
}

TEST_F(DrawingTest, RandomColourLinesRepeatForTheSameSerial) {
  const auto frameColours = [&](int32_t serial, uint32_t seedBefore) {
    SetUp();
    const int node = Node(serial, {100, 50}, "ABCD");
    Object(node).LineStyle = 39;
    random.Seed(seedBefore);  // whatever the generator did before
    Draw();
    std::vector<Colour> colours;
    for (const SurfaceCall& c : surface.calls) {
      if (c.pen.colour != kNoColour) colours.push_back(c.pen.colour);
    }
    return colours;
  };
  const std::vector<Colour> first = frameColours(5, 1);
  EXPECT_EQ(first.size(), 7u);
  EXPECT_EQ(frameColours(5, 12345), first);
  EXPECT_NE(frameColours(6, 1), first);
}

// A box (serial 10) around two end nodes, drawn with its walls, band, title and handles.
class BoxDrawingTest : public DrawingTest {
 protected:
  void SetUp() override {
    DrawingTest::SetUp();
    box = Node(10, {0, 0}, "Box");
    first = Node(1, {100, 50}, "ABCD", {10});
    second = Node(2, {200, 120}, "ABCD", {10});
    Object(box).refMen = Rgb(200, 220, 240);
    Object(box).refLine = Rgb(20, 40, 60);
  }
  std::vector<SurfaceCall> BoxCalls() {
    // The box is first in the table: its calls come before the first node's fill.
    std::vector<SurfaceCall> calls;
    for (const SurfaceCall& c : surface.calls) {
      if (c.brush == Brush::Solid(Rgb(240, 240, 255))) break;
      calls.push_back(c);
    }
    return calls;
  }
  int box = -1, first = -1, second = -1;
};

TEST_F(BoxDrawingTest, WallsBandAndTitle) {
  Draw();
  const std::vector<SurfaceCall> calls = BoxCalls();
  ASSERT_EQ(calls.size(), 3u);
  // Outer (64, -4, 256, 176); the sides without title are 6 thick: walls 3 wide, 3 inside.
  EXPECT_EQ(calls[0].op, SurfaceOp::Rectangle);
  EXPECT_EQ(calls[0].rect, (Rect{67, -1, 253, 173}));
  EXPECT_EQ(calls[0].pen, (Pen{ShadeColour(Rgb(200, 220, 240), 32), 3, DashStyle::Solid}));
  EXPECT_EQ(calls[1].rect, (Rect{64, -4, 256, 20}));
  EXPECT_EQ(calls[1].brush, Brush::Solid(Rgb(200, 220, 240)));
  EXPECT_EQ(calls[1].pen, (Pen{Rgb(20, 40, 60), 2, DashStyle::Solid}));
  EXPECT_EQ(calls[2].op, SurfaceOp::TextInRect);
  EXPECT_EQ(calls[2].rect, (Rect{68, -1, 252, 17}));
  EXPECT_EQ(calls[2].format, (TextFormat{TextAlign::Centre, TextLines::SingleLine, true}));
}

TEST_F(BoxDrawingTest, UnframedBandTakesItsFillAsLineAndBlackWallsAreGrey) {
  Object(box).Futosa = 0;
  Object(box).refMen = Rgb(0, 0, 0);
  Draw();
  const std::vector<SurfaceCall> calls = BoxCalls();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].pen.colour, Rgb(128, 128, 128));
  EXPECT_EQ(calls[1].pen, (Pen{Rgb(0, 0, 0), 1, DashStyle::Solid}));
}

TEST_F(BoxDrawingTest, VerticalTitleInALeftBandIsCentredOnTheBox) {
  Object(box).TitlePos = 1;
  Draw();
  const std::vector<SurfaceCall> texts = CallsOf(SurfaceOp::Text);
  ASSERT_EQ(texts.size(), 1u);
  // Band (44, 14, 70, 176) less margins: right edge 66, less half a side 3; the 18-pixel column
  // centred on the box's middle 95.
  EXPECT_EQ(texts[0].points[0], (Point{63, 86}));
  EXPECT_EQ(texts[0].font.escapement, 2700);
}

TEST_F(BoxDrawingTest, HandlesOnlyWhileTheBoxIsTheOneSelectedNonEndNode) {
  struct Case {
    const char* name;
    bool withEndNode;
    bool withOtherBox;
    bool shown;
  } cases[] = {{"alone", false, false, true},
               {"with an end node", true, false, true},
               {"with another box", false, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    const int other = Node(20, {0, 0}, "Other");
    Object(other).IsEndNode = 0;
    State(box).Selected = 1;
    State(first).Selected = c.withEndNode;
    State(other).Selected = c.withOtherBox;
    diagram->header.CurrentObject = box;
    Draw();
    const ObjectState& s = State(box);
    int handles = 0;
    for (const SurfaceCall& call : CallsOf(SurfaceOp::Ellipse)) handles += call.brush != Brush::Hollow();
    if (c.shown) {
      EXPECT_EQ(handles, 16);  // two descendants: the outer handles too
      EXPECT_EQ(s.FrameHandles[0], (Point{72, 22}));
      EXPECT_EQ(s.FrameHandles[2], (Point{248, 168}));
      EXPECT_EQ(s.ArcPoints[0], (Point{64, -4}));
      EXPECT_EQ(s.ArcPoints[5], (Point{256, 86}));
    } else {
      EXPECT_EQ(handles, 0);
      EXPECT_EQ(s.FrameHandles[0], kUnsetPoint);
      EXPECT_EQ(s.ArcPoints[0], kUnsetPoint);
    }
  }
}

TEST_F(BoxDrawingTest, HandleColoursAndSizes) {
  State(box).Selected = 1;
  diagram->header.CurrentObject = box;
  Draw();
  const std::vector<SurfaceCall> ellipses = CallsOf(SurfaceOp::Ellipse);
  ASSERT_EQ(ellipses.size(), 16u);
  EXPECT_EQ(ellipses[0].rect, (Rect{59, -9, 69, 1}));  // outer corner, radius 5
  EXPECT_EQ(ellipses[4].rect.right - ellipses[4].rect.left, 8);
  EXPECT_EQ(ellipses[0].brush, Brush::Solid(Rgb(0, 0, 123)));
  EXPECT_EQ(ellipses[8].rect, (Rect{68, 18, 76, 26}));  // frame corner, radius 4
  EXPECT_EQ(ellipses[12].rect.right - ellipses[12].rect.left, 6);
  EXPECT_EQ(ellipses[8].brush, Brush::Solid(Rgb(128, 128, 251)));
  // The selection outline, 2 outside the box, 5 wide.
  EXPECT_EQ(surface.calls[0].rect, (Rect{62, -6, 258, 178}));
  EXPECT_EQ(surface.calls[0].pen, (Pen{Rgb(173, 173, 173), 5, DashStyle::Solid}));
}

TEST_F(BoxDrawingTest, ChildMarkOnTheBoxCornerIsStoredForHitTesting) {
  diagram->header.ShowChildMark[BoxChart] = 1;
  Draw();
  // "S" in bold 10 points: 13 high, 6 wide, centred on the corner (256, 176).
  EXPECT_EQ(State(box).ChildMarkRect, (Rect{253, 170, 259, 182}));
  const std::vector<SurfaceCall> texts = CallsOf(SurfaceOp::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "S");
  EXPECT_EQ(texts[0].colour, Rgb(255, 0, 0));
  EXPECT_TRUE(texts[0].font.bold);
  diagram->header.ShowChildMark[BoxChart] = 0;
  Draw();
  EXPECT_EQ(State(box).ChildMarkRect, Rect{});
}

class SceneTest : public DrawingTest {};

TEST_F(SceneTest, BackgroundFilledOrFramed) {
  diagram->header.ViewWidth[BoxChart] = 400;
  diagram->header.ViewHeight[BoxChart] = 300;
  diagram->header.ViewBackColor[BoxChart] = Rgb(1, 2, 3);
  diagram->header.ViewFrameColor[BoxChart] = kNoColour;
  SetZoom(1.5f);
  Render();
  ASSERT_EQ(surface.calls.size(), 1u);
  EXPECT_EQ(surface.calls[0].op, SurfaceOp::FillRect);
  EXPECT_EQ(surface.calls[0].rect, (Rect{0, 0, 600, 450}));
  EXPECT_EQ(surface.calls[0].colour, Rgb(1, 2, 3));
  EXPECT_TRUE(surface.transparent);

  diagram->header.ViewFrameColor[BoxChart] = Rgb(9, 8, 7);
  Render();
  ASSERT_EQ(surface.calls.size(), 1u);
  EXPECT_EQ(surface.calls[0].op, SurfaceOp::Rectangle);
  EXPECT_EQ(surface.calls[0].pen, (Pen{Rgb(9, 8, 7), 1, DashStyle::Solid}));
  EXPECT_EQ(surface.calls[0].brush, Brush::Solid(Rgb(1, 2, 3)));
}

TEST_F(SceneTest, BelowATenthOnlyTheWhiteOfTheCanvasShows) {
  Node(1, {100, 50}, "ABCD");
  SetZoom(0.09f);
  surface.calls.clear();
  RenderContext context = Context();
  PaintCanvas(context, {0, 0, 800, 600});
  ASSERT_EQ(surface.calls.size(), 1u);
  EXPECT_EQ(surface.calls[0].rect, (Rect{0, 0, 800, 600}));
  EXPECT_EQ(surface.calls[0].colour, kWhite);
}

TEST_F(SceneTest, CanvasBeyondTheViewIsWhite) {
  diagram->header.ViewWidth[BoxChart] = 400;
  diagram->header.ViewHeight[BoxChart] = 300;
  surface.calls.clear();
  RenderContext context = Context();
  PaintCanvas(context, {100, 100, 900, 700});
  ASSERT_GE(surface.calls.size(), 2u);
  EXPECT_EQ(surface.calls[0].rect, (Rect{400, 100, 900, 700}));
  EXPECT_EQ(surface.calls[1].rect, (Rect{100, 300, 400, 700}));
}

TEST_F(SceneTest, GridLinesEverySpacingDottedDashedAndSolid) {
  diagram->header.ViewWidth[BoxChart] = 1000;
  diagram->header.ViewHeight[BoxChart] = 100;
  diagram->header.ViewBackColor[BoxChart] = Rgb(200, 150, 100);
  diagram->header.GridMode = 3;
  Render();
  std::vector<std::pair<int, DashStyle>> vertical;
  for (const SurfaceCall& c : CallsOf(SurfaceOp::Polyline)) {
    if (c.points[0].X == c.points[1].X) {
      vertical.emplace_back(c.points[0].X, c.pen.dash);
      EXPECT_EQ(c.pen.width, 1);
      EXPECT_EQ(c.pen.colour, c.pen.dash == DashStyle::Dot ? Rgb(136, 86, 36) : Rgb(72, 22, 0));
    }
  }
  ASSERT_EQ(vertical.size(), 14u);  // 70, 140, ..., 980
  EXPECT_EQ(vertical[11], std::make_pair(980, DashStyle::Dot));
  EXPECT_EQ(vertical[12], std::make_pair(350, DashStyle::Dash));
  EXPECT_EQ(vertical[13], std::make_pair(700, DashStyle::Solid));
}

TEST_F(SceneTest, GridColoursOnBlackAndCentreCross) {
  diagram->header.ViewWidth[BoxChart] = 600;
  diagram->header.ViewHeight[BoxChart] = 400;
  diagram->header.ViewBackColor[BoxChart] = Rgb(0, 0, 0);
  diagram->header.GridMode = 5;
  Render();
  const std::vector<SurfaceCall> lines = CallsOf(SurfaceOp::Polyline);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points[0], (Point{300, 0}));
  EXPECT_EQ(lines[1].points[0], (Point{0, 200}));
  EXPECT_EQ(lines[0].pen.colour, Rgb(128, 128, 128));
  diagram->header.GridMode = -5;
  Render();
  EXPECT_TRUE(CallsOf(SurfaceOp::Polyline).empty());
}

TEST_F(SceneTest, GridAndHeadlineInFrontOrBehindTheObjects) {
  Node(1, {100, 50}, "ABCD");
  diagram->header.GridMode = 4;
  HeadlineStyle& headline = diagram->header.Headline[BoxChart];
  headline.Show = 1;
  SetFieldText(headline.Text, "HL", kTitleBytes);
  const auto indexOf = [&](auto predicate) {
    return std::find_if(surface.calls.begin(), surface.calls.end(), predicate) - surface.calls.begin();
  };
  const auto isGrid = [](const SurfaceCall& c) { return c.op == SurfaceOp::Polyline; };
  const auto isHeadline = [](const SurfaceCall& c) { return c.text == "HL"; };
  const auto isNode = [](const SurfaceCall& c) { return c.text == "ABCD"; };

  settings.gridInFront = false;
  headline.Topmost = 0;
  Render();
  EXPECT_LT(indexOf(isGrid), indexOf(isHeadline));
  EXPECT_LT(indexOf(isHeadline), indexOf(isNode));

  settings.gridInFront = true;
  headline.Topmost = 1;
  Render();
  EXPECT_LT(indexOf(isNode), indexOf(isHeadline));
  EXPECT_LT(indexOf(isHeadline), indexOf(isGrid));
}

TEST_F(SceneTest, HeadlineRectanglesAndSelectionMark) {
  HeadlineStyle& headline = diagram->header.Headline[BoxChart];
  headline.Show = 1;
  headline.FontSize = 24;  // 32 pixels
  headline.X = 200;
  headline.Y = 100;
  SetFieldText(headline.Text, "AB", kTitleBytes);
  view.headlineSelected = true;
  Render();
  EXPECT_EQ(view.headlineTextRect, (Rect{181, 84, 219, 116}));
  EXPECT_EQ(view.headlineRect, (Rect{178, 81, 222, 119}));
  // Neither fill nor frame: a dotted outline along the headline rectangle.
  const std::vector<SurfaceCall> outlines = CallsOf(SurfaceOp::RoundRect);
  ASSERT_EQ(outlines.size(), 1u);
  EXPECT_EQ(outlines[0].rect, view.headlineRect);
  EXPECT_EQ(outlines[0].pen, (Pen{Rgb(0, 0, 123), 2, DashStyle::Dot}));

  headline.refMen = Rgb(250, 250, 200);
  Render();
  const std::vector<SurfaceCall> rounded = CallsOf(SurfaceOp::RoundRect);
  ASSERT_EQ(rounded.size(), 2u);
  EXPECT_EQ(rounded[0].rect, InflateRect(view.headlineRect, 5, 5));
  EXPECT_EQ(rounded[0].brush, Brush::Checker(kWhite, Rgb(0, 0, 128)));
  EXPECT_EQ(rounded[1].brush, Brush::Solid(Rgb(250, 250, 200)));

  view.editTarget = ViewState::kEditHeadline;
  view.editRect = view.headlineTextRect;
  Render();
  EXPECT_TRUE(CallsOf(SurfaceOp::TextInRect).empty());
  EXPECT_EQ(CallsOf(SurfaceOp::Ellipse).size(), 8u);
}

TEST_F(SceneTest, HeadlineOnAPrinterKeepsItsPointSize) {
  surface.caps = DeviceCaps{.printer = true, .dpiX = 600, .dpiY = 600};
  HeadlineStyle& headline = diagram->header.Headline[BoxChart];
  headline.Show = 1;
  headline.FontSize = 12;
  SetZoom(2.0f);
  Render();
  const std::vector<SurfaceCall> texts = CallsOf(SurfaceOp::TextInRect);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].font.height, -100);
}

TEST_F(SceneTest, RotationRingAroundTheCurrentStarNode) {
  diagram->header.CurrentChart = StarChart;
  const int parent = Node(10, {0, 0}, "P");
  const int node = Node(1, {100, 50}, "ABCD", {10});
  (void)parent;
  diagram->header.CurrentObject = node;
  RenderContext context = Context();
  LayoutEndNode(context, node);
  surface.calls.clear();
  DrawNode(context, node);
  const std::vector<SurfaceCall> dots = CallsOf(SurfaceOp::Ellipse);
  ASSERT_EQ(dots.size(), 37u);  // radius 40: dots 1 to 37
  // The first dot just below the rightmost point of the ring around the body's centre (100, 50).
  EXPECT_EQ(dots[0].rect, (Rect{137, 54, 142, 59}));
  EXPECT_EQ(dots[0].brush, Brush::Solid(Rgb(51, 95, 46)));
  const SurfaceCall angle = CallsOf(SurfaceOp::TextInRect).back();
  EXPECT_EQ(angle.text, "0");
  EXPECT_EQ(angle.rect, (Rect{120, 26, 160, 66}));
}

// Records what the link-arc seam is asked, and what the node rectangles and the drawing are at
// that moment.
class FakeArcs final : public ArcPainter {
 public:
  explicit FakeArcs(const RecordingSurface& surface) : surface_(surface) {}
  void Layout(RenderContext& context, int index) override {
    laidOut.push_back(index);
    nodeRectAtLayout = context.diagram.state(0).ObjectRect;
    context.diagram.state(index).ObjectRect = {300, 300, 340, 320};
  }
  bool DrawLine(RenderContext&, int index) override {
    drawn.push_back(index);
    callsBeforeLine = surface_.calls.size();
    return true;
  }
  std::vector<int> laidOut, drawn;
  std::size_t callsBeforeLine = 0;
  Rect nodeRectAtLayout{};

 private:
  const RecordingSurface& surface_;
};

class ArcSeamTest : public DrawingTest {
 protected:
  void SetUp() override {
    DrawingTest::SetUp();
    Node(1, {100, 50}, "ABCD");
    Node(2, {300, 50}, "EFGH");
    arc = AddArc(*diagram, 1, 2);
    DiagramObject& o = Object(arc);
    SetFieldText(o.Title, "link", kTitleBytes);
    o.FontSize = 9;
    o.refMen = kNoColour;
    o.refLine = kNoColour;
  }
  void DrawWithArcs() {
    ComputeLevels(*diagram);
    surface.calls.clear();
    RenderContext context(*diagram, surface, view, random, settings, &arcs);
    DrawBoxChart(context);
  }
  FakeArcs arcs{surface};
  int arc = -1;
};

TEST_F(ArcSeamTest, ArcsAreLaidOutAfterTheNodesAndDrawnBeneathTheirTitles) {
  DrawWithArcs();
  EXPECT_EQ(arcs.laidOut, std::vector<int>{arc});
  EXPECT_EQ(arcs.nodeRectAtLayout, (Rect{81, 41, 119, 59}));
  EXPECT_EQ(arcs.drawn, std::vector<int>{arc});
  const auto title = std::find_if(surface.calls.begin(), surface.calls.end(),
                                  [](const SurfaceCall& c) { return c.text == "link"; });
  ASSERT_NE(title, surface.calls.end());
  EXPECT_GE(static_cast<std::size_t>(title - surface.calls.begin()), arcs.callsBeforeLine);
  EXPECT_EQ(title->rect, (Rect{300, 300, 340, 320}));
}

TEST_F(ArcSeamTest, UntitledArcDrawsOnlyItsLineAndHiddenArcsNothing) {
  SetFieldText(Object(arc).Title, "", kTitleBytes);
  DrawWithArcs();
  EXPECT_EQ(arcs.drawn, std::vector<int>{arc});
  EXPECT_EQ(surface.calls.size(), arcs.callsBeforeLine);

  diagram->header.ShowArcs[BoxChart] = 0;
  arcs.laidOut.clear();
  arcs.drawn.clear();
  DrawWithArcs();
  EXPECT_TRUE(arcs.laidOut.empty());
  EXPECT_TRUE(arcs.drawn.empty());
}

}  // namespace
}  // namespace ravelo::testing
