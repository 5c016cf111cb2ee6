// The scene drawn on the real Cairo surface, checked pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "charts/scene.h"
#include "model/levels.h"
#include "platform/cairo/cairo_surface.h"
#include "tests/support/chart_fixture.h"

namespace ravelo::testing {
namespace {

constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kBack = Rgb(200, 220, 240);
constexpr Colour kFrame = Rgb(10, 20, 30);
constexpr Colour kFill = Rgb(250, 200, 100);

class ScenePixelsTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    DocumentHeader& h = diagram->header;
    h.ViewWidth[BoxChart] = 400;
    h.ViewHeight[BoxChart] = 300;
    h.ViewBackColor[BoxChart] = kBack;
    h.ViewFrameColor[BoxChart] = kFrame;
  }
  void Paint() {
    ComputeLevels(*diagram);
    RenderContext context(*diagram, *image, view, random, settings);
    PaintCanvas(context, {0, 0, 500, 350});
  }
  Colour At(int x, int y) { return image->PixelAt({x, y}); }

  // The box around the pixels inside r that are not of colour c.
  Rect InkedWithin(const Rect& r, Colour c) {
    Rect ink{r.right, r.bottom, r.left, r.top};
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        if (At(x, y) == c) continue;
        ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
               std::max(ink.bottom, y + 1)};
      }
    }
    return ink;
  }

  std::unique_ptr<CairoSurface> image = CairoSurface::CreateImage(500, 350);
};

TEST_F(ScenePixelsTest, BackgroundFrameAndTheWhiteBeyond) {
  Paint();
  EXPECT_EQ(At(0, 0), kFrame);
  EXPECT_EQ(At(399, 150), kFrame);
  EXPECT_EQ(At(200, 299), kFrame);
  EXPECT_EQ(At(1, 1), kBack);
  EXPECT_EQ(At(398, 298), kBack);
  EXPECT_EQ(At(400, 10), kWhite);
  EXPECT_EQ(At(10, 300), kWhite);

  diagram->header.ViewFrameColor[BoxChart] = kNoColour;
  Paint();
  EXPECT_EQ(At(0, 0), kBack);
}

TEST_F(ScenePixelsTest, NodeFillCoversItsRectangle) {
  const int node = Node(1, {200, 150}, "ABCD");
  Object(node).refMen = kFill;
  Object(node).Futosa = 0;
  Paint();
  const Rect r = State(node).ObjectRect;
  ASSERT_GT(r.right - r.left, 20);
  EXPECT_EQ(At(r.left, r.top), kFill);
  EXPECT_EQ(At(r.right - 1, r.bottom - 1), kFill);
  EXPECT_EQ(At(r.left + 1, (r.top + r.bottom) / 2), kFill);  // within the margin, clear of the text
  EXPECT_EQ(At(r.left - 1, r.top), kBack);
  EXPECT_EQ(At(r.right, r.bottom - 1), kBack);
  // The title is drawn inside, in its colour.
  const Rect ink = InkedWithin(r, kFill);
  EXPECT_GT(ink.right - ink.left, 10);
}

TEST_F(ScenePixelsTest, SelectionHaloIsACheckerboard) {
  const int node = Node(1, {200, 150}, "ABCD");
  Object(node).refMen = kFill;
  State(node).Selected = 1;
  diagram->header.CurrentObject = node;
  Paint();
  const Rect r = State(node).ObjectRect;
  const int y = (r.top + r.bottom) / 2;
  for (int x = r.left - 5; x < r.left - 1; ++x) {
    SCOPED_TRACE(x);
    EXPECT_EQ(At(x, y), (x + y) % 2 == 0 ? kWhite : Rgb(0, 0, 128));
  }
  EXPECT_EQ(At(r.left - 6, y), kBack);
  // Another selected node shows the magenta pattern.
  diagram->header.CurrentObject = -1;
  Paint();
  EXPECT_EQ(At(r.left - 4, y), (r.left - 4 + y) % 2 == 0 ? kWhite : Rgb(255, 0, 255));
}

TEST_F(ScenePixelsTest, VerticalTitleRunsDownItsColumn) {
  const int across = Node(1, {100, 150}, "縦書きの題名");
  const int down = Node(2, {300, 150}, "縦書きの題名");
  for (int node : {across, down}) {
    Object(node).refMen = kWhite;
    Object(node).Futosa = 0;
  }
  Object(down).FontTate[BoxChart] = 1;
  Paint();
  const Rect a = InkedWithin(State(across).ObjectRect, kWhite);
  const Rect d = InkedWithin(State(down).ObjectRect, kWhite);
  EXPECT_GT(a.right - a.left, 3 * (a.bottom - a.top));
  EXPECT_GT(d.bottom - d.top, 3 * (d.right - d.left));
  // The column lies within the text rectangle, against its right edge.
  EXPECT_LE(d.right, State(down).ObjectRect.right - 4);
  EXPECT_GE(d.right, State(down).ObjectRect.right - 8);
}

}  // namespace
}  // namespace ravelo::testing
