// The layout of end nodes, memos and pictures on the recording surface, worked out by hand.
#include "drawing/node_layout.h"

#include <gtest/gtest.h>

#include "drawing/picture_placement.h"
#include "drawing/text_layout.h"
#include "tests/support/chart_fixture.h"

namespace ravelo::testing {
namespace {

using NodeLayoutTest = ChartTest;

struct EndNodeCase {
  const char* name;
  const char* title;
  bool vertical;
  float zoom;
  Rect objectRect;
  Rect bodyRect;
};

TEST_F(NodeLayoutTest, TitleFrameAndBodyFollowTheTextMarginsAndZoom) {
  // At zoom 1 a 9-point font is 12 pixels high; "ABCD" is 24 wide, the block 3 wider on each side.
  const EndNodeCase cases[] = {
      {"one line", "ABCD", false, 1.0f, {81, 41, 119, 59}, {80, 40, 120, 60}},
      {"zoom 1.5", "ABCD", false, 1.5f, {123, 62, 177, 88}, {122, 61, 178, 89}},
      {"two lines, widest counts", "AB\nCDEF", false, 1.0f, {81, 35, 119, 65}, {80, 34, 120, 66}},
      {"double-byte", "日本", false, 1.0f, {81, 41, 119, 59}, {80, 40, 120, 60}},
      {"vertical: width and height exchanged", "日本語", true, 1.0f, {87, 29, 113, 71}, {86, 28, 114, 72}},
      {"vertical columns side by side", "日本\n語", true, 1.0f, {81, 35, 119, 65}, {80, 34, 120, 66}},
      {"empty title", "", false, 1.0f, {93, 47, 107, 53}, {92, 46, 108, 54}},
  };
  for (const EndNodeCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    SetZoom(c.zoom);
    const int node = Node(1, {100, 50}, c.title);
    Object(node).FontTate[BoxChart] = c.vertical;
    RenderContext context = Context();
    LayoutEndNode(context, node);
    EXPECT_EQ(State(node).ObjectRect, c.objectRect);
    EXPECT_EQ(State(node).BodyRect, c.bodyRect);
    EXPECT_EQ(State(node).ChartPos, (Point{100, 50}));
    EXPECT_EQ(State(node).MemoRect, Rect{});
    EXPECT_EQ(State(node).ImageRect, Rect{});
  }
}

TEST_F(NodeLayoutTest, ActionChartAnchorsAtTheCurrentPosition) {
  diagram->header.CurrentChart = ActionChart;
  const int node = Node(1, {100, 50}, "ABCD");
  Object(node).ActCurrent = {300, 200};
  RenderContext context = Context();
  LayoutEndNode(context, node);
  EXPECT_EQ(State(node).ChartPos, (Point{300, 200}));
  EXPECT_EQ(State(node).ObjectRect, (Rect{281, 191, 319, 209}));
}

TEST_F(NodeLayoutTest, MemoIsPlacedFromTheTitleCentreAndJoinsTheBody) {
  for (const float zoom : {1.0f, 2.0f}) {
    SCOPED_TRACE(zoom);
    SetUp();
    SetZoom(zoom);
    const int node = Node(1, {100, 50}, "ABCD");
    SetFieldText(Object(node).MemoText, "xy\nz", kMemoBytes);
    Object(node).Memo.MemoPos[BoxChart] = {0, 40};
    Object(node).ShowMemo[BoxChart] = 1;
    RenderContext context = Context();
    LayoutEndNode(context, node);
    if (zoom == 1.0f) {
      // Memo centre (100, 50) + (0, 40); the block 12 × 24, 3 wider a side, margins 2.
      EXPECT_EQ(State(node).MemoRect, (Rect{89, 76, 111, 104}));
      EXPECT_EQ(State(node).BodyRect, (Rect{80, 40, 120, 104}));
    } else {
      EXPECT_EQ(State(node).ObjectRect, (Rect{165, 82, 235, 118}));
      EXPECT_EQ(State(node).MemoRect, (Rect{181, 152, 219, 208}));
      EXPECT_EQ(State(node).BodyRect, (Rect{163, 80, 237, 208}));
    }
  }
}

TEST_F(NodeLayoutTest, MemoTextMeasuredInTheMemoFontAndDirection) {
  const int node = Node(1, {100, 50}, "ABCD");
  SetFieldText(Object(node).MemoText, Utf8ToCp932("記事").text, kMemoBytes);
  Object(node).Memo.FontSize = 18;  // 24 pixels
  Object(node).Memo.FontTate[BoxChart] = 1;
  Object(node).ShowMemo[BoxChart] = 1;
  RenderContext context = Context();
  LayoutEndNode(context, node);
  // A column 24 wide and 48 long around (100, 50).
  EXPECT_EQ(State(node).MemoRect, (Rect{83, 24, 117, 76}));
}

// The pictures of a node titled around its anchor (100, 50) at zoom 1: the text rectangle T is
// (85, 44, 115, 56) for "ABCD", the default frame (81, 41, 119, 59); image margins 2 all round.
struct PictureCase {
  const char* name;
  int setIn, alineV, alineH;
  int width, height;
  Rect frame;
  Rect picture;
};

TEST_F(NodeLayoutTest, PicturePlacedBySetInAlineVAndAlineH) {
  const PictureCase cases[] = {
      {"beside, below, centred: centred under the frame",
       0,
       2,
       1,
       20,
       10,
       {81, 41, 119, 59},
       {90, 61, 110, 71}},
      {"beside, above, left", 0, 0, 0, 20, 10, {81, 41, 119, 59}, {81, 29, 101, 39}},
      {"beside, above, left, wider than the frame", 0, 0, 0, 50, 10, {81, 41, 119, 59}, {41, 29, 91, 39}},
      {"beside, at the title, right", 0, 1, 2, 20, 10, {81, 41, 119, 59}, {121, 45, 141, 55}},
      {"beside, at the title, left", 0, 1, 0, 20, 10, {81, 41, 119, 59}, {59, 45, 79, 55}},
      {"set in, above, centred: the frame keeps the text's height",
       1,
       0,
       1,
       20,
       10,
       {81, 41, 119, 59},
       {90, 32, 110, 42}},
      {"set in, above, centred, wide: the frame grows sideways",
       1,
       0,
       1,
       50,
       10,
       {73, 41, 127, 59},
       {75, 32, 125, 42}},
      {"set in, below, right", 1, 2, 2, 20, 10, {81, 41, 119, 59}, {93, 58, 113, 68}},
      {"set in, above, left, wider than the text", 1, 0, 0, 40, 10, {83, 41, 127, 59}, {85, 32, 125, 42}},
      {"set in, below, right, wider than the text", 1, 2, 2, 40, 10, {71, 41, 123, 59}, {87, 58, 127, 68}},
  };
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    const int node = Node(1, {100, 50}, "ABCD");
    GivePicture(node, c.width, c.height);
    Object(node).SetIn = c.setIn;
    Object(node).AlineV = c.alineV;
    Object(node).AlineH = c.alineH;
    RenderContext context = Context();
    LayoutEndNode(context, node);
    EXPECT_EQ(State(node).ObjectRect, c.frame);
    EXPECT_EQ(State(node).ImageRect, c.picture);
    EXPECT_EQ(State(node).BodyRect, UnionRect(InflateRect(c.frame, 1, 1), c.picture));
  }
}

TEST_F(NodeLayoutTest, VerticalTitlePictures) {
  // "ABCD" vertical: T = (91, 38, 109, 62), the default frame (87, 35, 113, 65).
  const PictureCase cases[] = {
      {"beside, above, right: at the column's side", 0, 0, 2, 20, 10, {87, 35, 113, 65}, {119, 40, 139, 50}},
      {"beside, below, left", 0, 2, 0, 20, 10, {87, 35, 113, 65}, {65, 50, 85, 60}},
      {"set in, above, centred: above the top margin", 1, 0, 1, 20, 10, {87, 35, 113, 65}, {90, 23, 110, 33}},
      {"set in, below, right: against the column's end",
       1,
       2,
       2,
       20,
       10,
       {87, 35, 113, 65},
       {111, 52, 131, 62}},
  };
  for (const PictureCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    const int node = Node(1, {100, 50}, "ABCD");
    Object(node).FontTate[BoxChart] = 1;
    GivePicture(node, c.width, c.height);
    Object(node).SetIn = c.setIn;
    Object(node).AlineV = c.alineV;
    Object(node).AlineH = c.alineH;
    RenderContext context = Context();
    LayoutEndNode(context, node);
    EXPECT_EQ(State(node).ObjectRect, c.frame);
    EXPECT_EQ(State(node).ImageRect, c.picture);
  }
}

TEST_F(NodeLayoutTest, TitleLineHoldsFirstPartPictureAndSecondPartInOneFrame) {
  for (const float zoom : {1.0f, 2.0f}) {
    SCOPED_TRACE(zoom);
    SetUp();
    SetZoom(zoom);
    const int node = Node(1, {100, 50}, "AB@CD");
    GivePicture(node, 20, 10);
    RenderContext context = Context();
    ASSERT_TRUE(IsTitleLine(context, node));
    LayoutEndNode(context, node);
    if (zoom == 1.0f) {
      // "AB@CD" is 30 × 12 around (100, 50); the picture centred on the anchor, "AB" (12) before it.
      EXPECT_EQ(State(node).ImageRect, (Rect{90, 45, 110, 55}));
      EXPECT_EQ(State(node).ObjectRect, (Rect{72, 41, 134, 59}));
      EXPECT_EQ(State(node).BodyRect, (Rect{71, 40, 135, 60}));
    } else {
      EXPECT_EQ(State(node).ImageRect, (Rect{180, 90, 220, 110}));
      EXPECT_EQ(State(node).ObjectRect, (Rect{144, 82, 268, 118}));
    }
  }
}

TEST_F(NodeLayoutTest, VerticalTitleLinePutsThePictureInTheColumnAfterTheFirstPart) {
  const int node = Node(1, {100, 50}, "AB@CD");
  Object(node).FontTate[BoxChart] = 1;
  GivePicture(node, 20, 10);
  RenderContext context = Context();
  LayoutEndNode(context, node);
  // The column is 12 wide and 30 long around the anchor; the frame grows downwards by the picture.
  EXPECT_EQ(State(node).ImageRect, (Rect{90, 49, 110, 59}));
  EXPECT_EQ(State(node).ObjectRect, (Rect{90, 32, 110, 82}));
}

TEST_F(NodeLayoutTest, PictureHiddenByTheChartIsNotPlaced) {
  const int node = Node(1, {100, 50}, "AB@CD");
  GivePicture(node, 20, 10);
  diagram->header.ShowImages[BoxChart] = 0;
  RenderContext context = Context();
  EXPECT_FALSE(IsTitleLine(context, node));
  LayoutEndNode(context, node);
  EXPECT_EQ(State(node).ImageRect, Rect{});
  EXPECT_EQ(State(node).ObjectRect, (Rect{78, 41, 122, 59}));  // "AB@CD" measured as it stands
}

TEST_F(NodeLayoutTest, BodyHoldsFramePictureAndMemo) {
  const int node = Node(1, {100, 50}, "ABCD");
  GivePicture(node, 20, 10);
  Object(node).SetIn = 0;
  Object(node).AlineV = 0;
  SetFieldText(Object(node).MemoText, "m", kMemoBytes);
  Object(node).Memo.MemoPos[BoxChart] = {0, 40};
  Object(node).ShowMemo[BoxChart] = 1;
  RenderContext context = Context();
  LayoutEndNode(context, node);
  const ObjectState& s = State(node);
  EXPECT_EQ(s.BodyRect, UnionRect(UnionRect(InflateRect(s.ObjectRect, 1, 1), s.ImageRect), s.MemoRect));
  EXPECT_LT(s.BodyRect.top, s.ObjectRect.top);        // the picture above
  EXPECT_GT(s.BodyRect.bottom, s.ObjectRect.bottom);  // the memo below
}

TEST(SplitTitleTest, CutsAtTheFirstAtSignElseTheFirstSpaceElseInHalf) {
  struct Case {
    const char* title;
    const char* first;
    const char* second;
  } cases[] = {
      {"父@太郎", "父", "太郎"}, {"@太郎", " ", "太郎"}, {"長男 一郎", "長男", "一郎"},
      {" 一郎", " ", "一郎"},    {"自宅", "自", "宅"},   {"ABC", "A", "BC"},
      {"A@B C", "A", "B C"},     {"", "", ""},           {"本社ビル", "本社", "ビル"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    const TitleParts parts = SplitTitle(Utf8ToCp932(c.title).text);
    EXPECT_EQ(Cp932ToUtf8(parts.first), c.first);
    EXPECT_EQ(Cp932ToUtf8(parts.second), c.second);
  }
}

TEST(SplitTitleTest, AnAtSignInsideADoubleByteCharacterIsNotACut) {
  // "ァ" is 0x83 0x40: its second byte is an "@" that belongs to the character.
  const std::string title = Utf8ToCp932("ァイ@ウ").text;
  ASSERT_EQ(static_cast<unsigned char>(title[1]), 0x40);
  const TitleParts parts = SplitTitle(title);
  EXPECT_EQ(Cp932ToUtf8(parts.first), "ァイ");
  EXPECT_EQ(Cp932ToUtf8(parts.second), "ウ");
}

TEST(SplitLinesTest, SplitsAtEveryLineFeed) {
  EXPECT_EQ(SplitLines("a\nbc\n").size(), 3u);
  EXPECT_EQ(SplitLines("").size(), 1u);
}

}  // namespace
}  // namespace ravelo::testing
