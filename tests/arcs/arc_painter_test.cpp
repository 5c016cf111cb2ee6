// A link arc in the Box chart's drawing pass: its title, memo and picture laid out around the
// anchor in the arc's middle, and its line drawn before its title.
#include "arcs/arc_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "geometry/geometry.h"
#include "charts/box/box_chart.h"
#include "model/cp932.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/recording_surface.h"

namespace ravelo {
namespace {

using testing::AddArc;
using testing::AddNode;
using testing::RecordingSurface;
using testing::SurfaceCall;
using testing::SurfaceOp;

constexpr Colour kArcLine = Rgb(200, 0, 0);

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

class ArcPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d.header.Zoom[BoxChart] = 1.0f;
    d.header.ViewWidth[BoxChart] = 1500;
    d.header.ViewHeight[BoxChart] = 1500;
    d.header.ShowArcs[BoxChart] = 1;
    d.header.ShowImages[BoxChart] = 1;
    d.header.CurrentObject = -1;
    const int a = AddNode(d, 1, {}, "A"), b = AddNode(d, 2, {}, "B");
    d.object(a).Pos[BoxChart] = {100, 100};
    d.object(b).Pos[BoxChart] = {300, 100};
    for (int i : {a, b}) {
      d.object(i).FontSize = 11;
      std::fill(std::begin(d.object(i).Margin), std::end(d.object(i).Margin), 5);
    }
    arc = AddArc(d, 1, 2);
    DiagramObject& o = d.object(arc);
    SetFieldText(o.Title, "ab", kTitleBytes);
    o.FontSize = 11;
    o.Futosa = 2;
    o.refMen = kNoColour;
    o.refText = Rgb(0, 0, 0);
    std::fill(std::begin(o.Margin), std::end(o.Margin), 5);
    o.Pos[BoxChart] = {10, -20};
    ArcStyle& style = o.Arc[BoxChart];
    style.ArcType = kArcStraight;
    style.refArcLine = kArcLine;
    style.ArcFutosa = 1;
  }

  void DrawChart() {
    ViewState view;
    RandomSource random;
    RenderContext context(d, surface, view, random, {}, &painter);
    DrawBoxChart(context);
  }

  // The index of the first call that draws in the arc's colour, -1 when none does.
  int FirstArcStroke() const {
    for (std::size_t i = 0; i < surface.calls.size(); ++i) {
      if (surface.calls[i].pen.colour == kArcLine) return static_cast<int>(i);
    }
    return -1;
  }

  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  RecordingSurface surface;
  LinkArcPainter painter;
  int arc = -1;
};

TEST_F(ArcPainterTest, TheTitleStandsAtTheArcsMiddlePlusItsOffset) {
  for (const float zoom : {1.0f, 2.0f}) {
    d.header.Zoom[BoxChart] = zoom;
    DrawChart();
    const ObjectState& s = d.state(arc);
    const Point first = s.ArcPoints[0], last = s.ArcPoints[ArcPointCount(s) - 1];
    const Point middle = Midpoint(first, last);
    const Point anchor{10 + static_cast<int>(middle.X / zoom), -20 + static_cast<int>(middle.Y / zoom)};
    EXPECT_EQ(s.ChartPos, anchor) << "zoom " << zoom;
    const Rect& title = s.ObjectRect;
    EXPECT_EQ((title.left + title.right) / 2, static_cast<int>(anchor.X * zoom)) << "zoom " << zoom;
    EXPECT_EQ((title.top + title.bottom) / 2, static_cast<int>(anchor.Y * zoom)) << "zoom " << zoom;
    // The body holds the path points grown by 2 and the title box grown by half its frame.
    const int frameHalf = static_cast<int>(zoom);
    EXPECT_EQ(s.BodyRect, UnionRect(InflateRect(title, frameHalf, frameHalf),
                                    Rect{first.X - 2, first.Y - 2, last.X + 2, last.Y + 2}))
        << "zoom " << zoom;
  }
}

TEST_F(ArcPainterTest, TheLineComesBeforeTheTitleAndAnEmptyTitleIsNotDrawn) {
  DrawChart();
  const int line = FirstArcStroke();
  ASSERT_GE(line, 0);
  const auto title = std::find_if(surface.calls.begin(), surface.calls.end(), [](const SurfaceCall& c) {
    return c.op == SurfaceOp::TextInRect && c.text == "ab";
  });
  ASSERT_NE(title, surface.calls.end());
  EXPECT_LT(line, title - surface.calls.begin());

  surface.calls.clear();
  SetFieldText(d.object(arc).Title, "", kTitleBytes);
  DrawChart();
  EXPECT_GE(FirstArcStroke(), 0);
  EXPECT_EQ(
      std::count_if(surface.calls.begin(), surface.calls.end(),
                    [](const SurfaceCall& c) { return c.op == SurfaceOp::TextInRect && c.text.empty(); }),
      0);
}

TEST_F(ArcPainterTest, MemoAndPictureJoinTheBody) {
  DiagramObject& o = d.object(arc);
  SetFieldText(o.MemoText, "memo", kMemoBytes);
  o.ShowMemo[BoxChart] = 1;
  o.Memo.FontSize = 9;
  o.Memo.MemoPos[BoxChart] = {0, 40};
  auto picture = std::make_unique<Picture>();
  picture->width = picture->height = 2;
  picture->bgra.assign(16, 200);
  SetPicture(d, arc, std::move(picture));
  o.ImageW[BoxChart] = 30;
  o.ImageH[BoxChart] = 20;
  o.AlineH = 1;
  o.AlineV = 0;
  o.TransColor = kNoColour;
  DrawChart();
  const ObjectState& s = d.state(arc);
  EXPECT_FALSE(IsEmptyRect(s.MemoRect));
  EXPECT_EQ(s.ImageRect.right - s.ImageRect.left, 30);
  EXPECT_TRUE(Inside(s.MemoRect, s.BodyRect));
  EXPECT_TRUE(Inside(s.ImageRect, s.BodyRect));
  EXPECT_TRUE(Inside(s.ObjectRect, s.BodyRect));
  EXPECT_EQ(std::count_if(surface.calls.begin(), surface.calls.end(),
                          [](const SurfaceCall& c) { return c.op == SurfaceOp::StretchPicture; }),
            1);
}

TEST_F(ArcPainterTest, HiddenOrUnconnectedArcsAreNeitherLaidOutNorDrawn) {
  d.header.ShowArcs[BoxChart] = 0;
  DrawChart();
  EXPECT_EQ(FirstArcStroke(), -1);

  d.header.ShowArcs[BoxChart] = 1;
  DrawChart();
  ASSERT_EQ(ArcPointCount(d.state(arc)), 2);
  d.object(arc).Serial = -1;
  surface.calls.clear();
  DrawChart();
  EXPECT_EQ(FirstArcStroke(), -1);
  EXPECT_TRUE(std::none_of(surface.calls.begin(), surface.calls.end(), [](const SurfaceCall& c) {
    return c.text == "ab";
  })) << "nor its title";
  EXPECT_EQ(ArcPointCount(d.state(arc)), 0) << "no stale path for hit testing";
  EXPECT_EQ(d.state(arc).ObjectRect, (Rect{}));
}

}  // namespace
}  // namespace ravelo
