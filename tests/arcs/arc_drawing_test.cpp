// What drawing a laid-out arc puts on the surface: its line in each family of types, its ends, its
// selection marks and its rotation ring.
#include "arcs/arc_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "geometry/geometry.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/recording_surface.h"

namespace ravelo {
namespace {

using testing::AddArc;
using testing::AddNode;
using testing::RecordingSurface;
using testing::SurfaceCall;
using testing::SurfaceOp;

constexpr Colour kLine = Rgb(0, 0, 128);
constexpr Colour kEndFill = Rgb(166, 202, 240);
constexpr Colour kEndLine = Rgb(128, 0, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);

class ArcDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    d.header.Zoom[BoxChart] = 1.0f;
    d.header.ViewWidth[BoxChart] = 1500;
    d.header.ViewHeight[BoxChart] = 1500;
    d.header.CurrentObject = -1;
  }

  // Two end nodes at the positions, with title rectangles of 40 x 20 around them (none: the arc
  // runs from centre to centre), joined by an arc of the type with no ends.
  int Arc(int type, Point from, Point to, bool rectangles = true) {
    const int32_t fromSerial = nextSerial++, toSerial = nextSerial++;
    const int a = AddNode(d, fromSerial), b = AddNode(d, toSerial);
    d.object(a).Pos[BoxChart] = from;
    d.object(b).Pos[BoxChart] = to;
    if (rectangles) {
      d.state(a).ObjectRect = {from.X - 20, from.Y - 10, from.X + 20, from.Y + 10};
      d.state(b).ObjectRect = {to.X - 20, to.Y - 10, to.X + 20, to.Y + 10};
    }
    const int arc = AddArc(d, fromSerial, toSerial);
    ArcStyle& s = style(arc);
    s.ArcType = type;
    s.refArcLine = kLine;
    s.ArcFutosa = 1;
    s.ArcLineStyle = 0;
    s.Haba = 3;
    s.Rad = 2;
    s.End[0] = s.End[1] = ArcEnd{kEndNone, 3, 3, kEndFill, kEndLine, 1, 0};
    const uint16_t row[6] = {51, 21, 50, 51, 80, 91};
    std::copy(row, row + 6, s.Shape);
    return arc;
  }
  ArcStyle& style(int arc) { return d.object(arc).Arc[BoxChart]; }

  void Draw(int arc, int selectedEnd = -1) {
    ASSERT_TRUE(LayoutArcPath(d, arc));
    DrawArc(d, arc, {surface, random, selectedEnd, [this](int index) { rings.push_back(index); }});
  }
  std::vector<SurfaceCall> Calls(SurfaceOp op) const {
    std::vector<SurfaceCall> found;
    std::copy_if(surface.calls.begin(), surface.calls.end(), std::back_inserter(found),
                 [op](const SurfaceCall& c) { return c.op == op; });
    return found;
  }

  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  RecordingSurface surface;
  RandomSource random;
  std::vector<int> rings;
  int32_t nextSerial = 1;
};

TEST_F(ArcDrawingTest, AnArrowFillsTheGapItsBaseLeavesBeforeTheNode) {
  const int arc = Arc(kArcStraight, {100, 100}, {300, 100});
  style(arc).End[0] = {kEndArrow, 1, 3, kEndFill, kEndLine, 1, 0};
  style(arc).End[1] = {kEndSquare, 2, 4, kEndFill, kEndLine, 2, 0};
  Draw(arc);

  ASSERT_EQ(surface.calls.size(), 5u);
  const SurfaceCall& line = surface.calls[0];
  EXPECT_EQ(line.op, SurfaceOp::Polyline);
  EXPECT_EQ(line.points, (std::vector<Point>{{130, 100}, {280, 100}}))
      << "10 pixels short of the edge at 120";
  EXPECT_EQ(line.pen, (Pen{kLine, 1, DashStyle::Solid}));

  const SurfaceCall& arrowFill = surface.calls[1];
  EXPECT_EQ(arrowFill.op, SurfaceOp::Polygon);
  EXPECT_EQ(arrowFill.points, (std::vector<Point>{{130, 96}, {120, 100}, {130, 104}}));
  EXPECT_EQ(arrowFill.pen, (Pen{kEndFill, 1, DashStyle::Solid}));
  EXPECT_EQ(arrowFill.brush, Brush::Solid(kEndFill));
  const SurfaceCall& arrowOutline = surface.calls[2];
  EXPECT_EQ(arrowOutline.points, (std::vector<Point>{{130, 104}, {130, 96}, {120, 100}, {130, 104}}));
  EXPECT_EQ(arrowOutline.pen, (Pen{kEndLine, 1, DashStyle::Solid}));

  const Rect square{273, 95, 287, 105};  // 4 + 3 across and 2 + 3 up and down from the end point
  EXPECT_EQ(surface.calls[3].op, SurfaceOp::Rectangle);
  EXPECT_EQ(surface.calls[3].rect, square);
  EXPECT_EQ(surface.calls[3].brush, Brush::Solid(kEndFill));
  EXPECT_EQ(surface.calls[4].rect, square);
  EXPECT_EQ(surface.calls[4].brush, Brush::Hollow());
  EXPECT_EQ(surface.calls[4].pen, (Pen{kEndLine, 2, DashStyle::Solid}));
}

TEST_F(ArcDrawingTest, EndsWithoutFillOrBorderDrawOnlyWhatTheyHave) {
  const int arc = Arc(kArcStraight, {100, 100}, {300, 100});
  style(arc).End[0] = {kEndCircle, 2, 4, kNoColour, kEndLine, 1, 0};
  style(arc).End[1] = {kEndArrow, 1, 1, kEndFill, kEndLine, 0, 0};
  Draw(arc);
  ASSERT_EQ(surface.calls.size(), 3u);
  EXPECT_EQ(surface.calls[0].points, (std::vector<Point>{{120, 100}, {270, 100}}))
      << "a circle leaves the line as it is, an arrow shortens it";
  EXPECT_EQ(surface.calls[1].op, SurfaceOp::Ellipse);
  EXPECT_EQ(surface.calls[1].rect, (Rect{113, 95, 127, 105}));
  EXPECT_EQ(surface.calls[1].brush, Brush::Hollow());
  EXPECT_EQ(surface.calls[2].op, SurfaceOp::Polygon) << "an arrow without border is only filled";
}

TEST_F(ArcDrawingTest, ABreakDrawsItsOuterPiecesToTheBasesOfAnyEnd) {
  const int arc = Arc(kArcBreak, {100, 100}, {300, 100});
  style(arc).Rad = 0;
  style(arc).End[1] = {kEndCircle, 1, 1, kEndFill, kEndLine, 1, 0};
  Draw(arc);
  const std::vector<SurfaceCall> lines = Calls(SurfaceOp::Polyline);
  ASSERT_EQ(lines.size(), 4u);
  const ObjectState& s = d.state(arc);
  EXPECT_EQ(lines[0].points, (std::vector<Point>{s.ArcPoints[0], s.ArcPoints[1]}));
  EXPECT_EQ(lines[1].points, (std::vector<Point>{s.ArcPoints[2], s.ToBase}));
  EXPECT_EQ(s.ToBase, (Point{270, 100})) << "a circle shortens the break by 2 * 1 + 8";
  EXPECT_EQ(lines[2].points, (std::vector<Point>{s.ArcExtraSegments[0], s.ArcExtraSegments[1]}));
  EXPECT_EQ(lines[3].points, (std::vector<Point>{s.ArcExtraSegments[2], s.ArcExtraSegments[3]}));
  EXPECT_EQ(s.ArcExtraSegments[0].X, s.ArcExtraSegments[1].X) << "unturned break lines stand upright";
}

TEST_F(ArcDrawingTest, AHopArcsOverTheChordOnTheSideOfItsFlag) {
  for (const uint16_t side : {50, 51}) {
    surface.calls.clear();
    const int arc = Arc(kArcHop, {100, 100}, {300, 100});
    style(arc).Shape[2] = side;
    Draw(arc);
    const ObjectState& s = d.state(arc);
    const std::vector<SurfaceCall> arcs = Calls(SurfaceOp::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].rect, InflateRect({201, 100, 201, 100}, 21, 21));
    const Point x1 = s.ArcExtraSegments[3], x2 = s.ArcExtraSegments[0];
    EXPECT_EQ(arcs[0].points, side == 50 ? (std::vector<Point>{x1, x2}) : (std::vector<Point>{x2, x1}));
    EXPECT_EQ(Calls(SurfaceOp::Polyline).size(), 2u);
  }
}

TEST_F(ArcDrawingTest, CurvesAreOnePolyBezierThroughTheirPathPoints) {
  for (const int type : {kArcOneCurve, kArcTwoCurves, kArcThreeCurves}) {
    surface.calls.clear();
    const int arc = Arc(type, {100, 100}, {300, 200});
    style(arc).End[0] = {kEndArrow, 1, 3, kEndFill, kEndLine, 0, 0};
    Draw(arc);
    const std::vector<SurfaceCall> curves = Calls(SurfaceOp::PolyBezier);
    ASSERT_EQ(curves.size(), 1u);
    const int n = ArcPointCount(d.state(arc));
    EXPECT_EQ(n, type == kArcOneCurve ? 4 : type == kArcTwoCurves ? 7 : 10);
    std::vector<Point> expected(d.state(arc).ArcPoints, d.state(arc).ArcPoints + n);
    expected.front() = d.state(arc).FromBase;
    EXPECT_EQ(curves[0].points, expected)
        << "type " << type << ": an arrow moves the first point to its base";
  }
}

TEST_F(ArcDrawingTest, WideArcsPlaceTwentyMarksOnEachOfTheirThreeSegments) {
  const int rail = Arc(kArcRail, {100, 100}, {400, 300});
  Draw(rail);
  EXPECT_EQ(Calls(SurfaceOp::PolyBezier).size(), 3u);
  const std::vector<SurfaceCall> ties = Calls(SurfaceOp::Polyline);
  ASSERT_EQ(ties.size(), 60u);
  const int s = 1 + 3;  // line width plus arc width
  for (const SurfaceCall& tie : ties) {
    // Each end is truncated toward the curve, so a slanted tie comes out up to a few pixels short.
    EXPECT_LE(Distance(tie.points[0], tie.points[1]), 2 * s);
    EXPECT_GE(Distance(tie.points[0], tie.points[1]), 2 * s - 3);
  }

  surface.calls.clear();
  const int beads = Arc(kArcBeads, {100, 100}, {400, 300});
  Draw(beads);
  EXPECT_EQ(Calls(SurfaceOp::PolyBezier).size(), 3u);
  const std::vector<SurfaceCall> ellipses = Calls(SurfaceOp::Ellipse);
  ASSERT_EQ(ellipses.size(), 60u);
  EXPECT_EQ(ellipses[0].rect.right - ellipses[0].rect.left, 2 * s);
  EXPECT_EQ(ellipses[0].rect.bottom - ellipses[0].rect.top, 2 * s);
  EXPECT_EQ(ellipses[0].brush, Brush::Solid(kLine));

  surface.calls.clear();
  // Controls on the line of the ends: a straight band, its blocks exactly 2 * the line width across.
  const int band = Arc(kArcBand, {100, 100}, {400, 100});
  style(band).Haba = 0;
  const uint16_t along[6] = {51, 0, 151, 0, 251, 0};
  std::copy(along, along + 6, style(band).Shape);
  Draw(band);
  EXPECT_TRUE(Calls(SurfaceOp::PolyBezier).empty()) << "the band draws no centre line";
  const std::vector<SurfaceCall> blocks = Calls(SurfaceOp::Polygon);
  ASSERT_EQ(blocks.size(), 60u);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    EXPECT_EQ(blocks[i].brush, Brush::Solid(i % 2 == 0 ? kLine : kWhite)) << i;
  }
  for (const SurfaceCall& block : blocks) {
    EXPECT_EQ(block.points[0].X, block.points[1].X);
    EXPECT_EQ(std::abs(block.points[0].Y - block.points[1].Y), 2);
  }
  const Point end = d.state(band).ArcPoints[9];
  EXPECT_LE(Distance(Midpoint(blocks.back().points[2], blocks.back().points[3]), end), 1)
      << "the last block reaches the end of the path";
}

TEST_F(ArcDrawingTest, AZigzagBetweenNearPointsIsAStraightLine) {
  const int arc = Arc(kArcZigzag, {100, 100}, {103, 100}, false);
  Draw(arc);
  ASSERT_EQ(surface.calls.size(), 1u);
  EXPECT_EQ(surface.calls[0].points, (std::vector<Point>{{100, 100}, {103, 100}}));
}

TEST_F(ArcDrawingTest, ALongWaveSpacesItsPointsAPercentApartWhereAZigzagKeepsItsStep) {
  // A step of 5 pixels on a 1000-pixel line: the zigzag keeps it, the wave widens it to 10.
  const int zigzag = Arc(kArcZigzag, {100, 100}, {1100, 100}, false);
  style(zigzag).Shape[0] = 10;
  Draw(zigzag);
  const std::vector<SurfaceCall> teeth = Calls(SurfaceOp::Polyline);
  ASSERT_EQ(teeth.size(), 200u);
  EXPECT_EQ(teeth[0].points, (std::vector<Point>{{100, 100}, {105, 80}}))
      << "the first peak, 20 up (the quarter turn is a little short)";
  EXPECT_EQ(teeth[1].points[1], (Point{110, 100}));
  EXPECT_EQ(teeth[2].points[1], (Point{115, 120})) << "the next peak on the other side";
  EXPECT_EQ(teeth.back().points[1], (Point{1100, 100}));
  EXPECT_EQ(d.state(zigzag).ArcHandles[0], (Point{105, 80}));

  surface.calls.clear();
  const int wave = Arc(kArcWave, {100, 100}, {1100, 100}, false);
  style(wave).Shape[0] = 10;
  Draw(wave);
  const std::vector<SurfaceCall> crests = Calls(SurfaceOp::PolyBezier);
  ASSERT_EQ(crests.size(), 99u);
  EXPECT_EQ(crests[0].points, (std::vector<Point>{{100, 100}, {100, 90}, {105, 80}, {110, 80}}))
      << "rising from the line to the peak over the first line point";
  EXPECT_EQ(crests[1].points.back(), (Point{120, 100}));
  EXPECT_EQ(Calls(SurfaceOp::Polyline).size(), 1u) << "the rest runs straight to the end";
}

TEST_F(ArcDrawingTest, GroupsAreSeparatedByFlatStretches) {
  const int arc = Arc(kArcZigzagGroups, {100, 100}, {1100, 100}, false);
  style(arc).Shape[0] = 10;  // step 10 / 3 = 3 pixels
  style(arc).Shape[2] = 3;   // three line points skipped in each flat stretch
  Draw(arc);
  const std::vector<SurfaceCall> lines = Calls(SurfaceOp::Polyline);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0].points[1], (Point{103, 80}));
  EXPECT_EQ(lines[1].points[1], (Point{106, 100}));
  EXPECT_EQ(lines[2].points, (std::vector<Point>{{106, 100}, {118, 100}})) << "the flat stretch";
  EXPECT_EQ(d.state(arc).ArcHandles[1], (Point{118, 100}));
  EXPECT_EQ(lines[3].points[1].Y, 120) << "then a tooth on the other side";
  EXPECT_EQ(lines[5].points[1].Y, 80) << "and one on the first side before the next flat stretch";
  EXPECT_EQ(lines[7].points[0].Y, lines[7].points[1].Y);
}

TEST_F(ArcDrawingTest, SelectionMarksTheEndsHandlesAndControlPolygon) {
  const int arc = Arc(kArcTwoCurves, {100, 100}, {300, 200});
  d.header.ViewBackColor[BoxChart] = Rgb(10, 20, 30);
  d.header.CurrentObject = arc;
  d.state(arc).Selected = 1;
  Draw(arc, 2);
  const ObjectState& s = d.state(arc);

  std::vector<SurfaceCall> dotted;
  for (const SurfaceCall& c : Calls(SurfaceOp::Polyline)) {
    if (c.pen.dash == DashStyle::Dot) dotted.push_back(c);
  }
  ASSERT_EQ(dotted.size(), 3u);
  EXPECT_EQ(dotted[0].points, (std::vector<Point>{s.FromBase, s.ArcHandles[0]}));
  EXPECT_EQ(dotted[1].points, (std::vector<Point>{s.ArcHandles[0], s.ArcHandles[1]}));
  EXPECT_EQ(dotted[2].points, (std::vector<Point>{s.ArcHandles[1], s.ToBase}));
  EXPECT_EQ(dotted[0].pen, (Pen{Rgb(245, 235, 225), 1, DashStyle::Dot})) << "the inverse of the background";

  const std::vector<SurfaceCall> marks = Calls(SurfaceOp::Ellipse);
  ASSERT_EQ(marks.size(), 4u);
  const Point first = s.ArcPoints[0], last = s.ArcPoints[ArcPointCount(s) - 1];
  EXPECT_EQ(marks[0].rect, InflateRect({first.X, first.Y, first.X, first.Y}, 5, 5));
  EXPECT_EQ(marks[0].brush, Brush::Solid(Rgb(0, 0, 123))) << "an end of the main selection";
  EXPECT_EQ(marks[0].pen, (Pen{Rgb(123, 123, 123), 1, DashStyle::Solid}));
  EXPECT_EQ(marks[1].rect, InflateRect({last.X, last.Y, last.X, last.Y}, 5, 5));
  const Point h0 = s.ArcHandles[0], h1 = s.ArcHandles[1];
  EXPECT_EQ(marks[2].rect, InflateRect({h0.X, h0.Y, h0.X, h0.Y}, 4, 4));
  EXPECT_EQ(marks[2].brush, Brush::Solid(Rgb(255, 255, 123)));
  EXPECT_EQ(marks[3].rect, InflateRect({h1.X, h1.Y, h1.X, h1.Y}, 5, 5)) << "the chosen handle, larger";
  EXPECT_EQ(marks[3].brush, Brush::Solid(Rgb(0, 123, 0)));
}

TEST_F(ArcDrawingTest, TheChosenEndIsGreenAndOtherSelectedArcsAreRed) {
  const int arc = Arc(kArcVerticalElbow, {100, 100}, {300, 200});
  d.state(arc).Selected = 1;
  Draw(arc, 9);
  const std::vector<SurfaceCall> marks = Calls(SurfaceOp::Ellipse);
  ASSERT_EQ(marks.size(), 2u) << "only the first and last path points are marked";
  EXPECT_EQ(marks[0].brush, Brush::Solid(Rgb(255, 0, 0)));
  EXPECT_EQ(marks[1].brush, Brush::Solid(Rgb(0, 123, 0)));
}

TEST_F(ArcDrawingTest, TheRotationRingBelongsToTheMainLightningOrBreak) {
  const int lightning = Arc(kArcLightning, {100, 100}, {300, 200});
  const int straight = Arc(kArcStraight, {100, 300}, {300, 400});
  const int other = Arc(kArcBreak, {100, 500}, {300, 600});
  for (int arc : {lightning, straight, other}) d.state(arc).Selected = 1;
  d.header.CurrentObject = lightning;
  for (int arc : {lightning, straight, other}) Draw(arc);
  EXPECT_EQ(rings, (std::vector<int>{lightning}));
  d.header.CurrentObject = other;
  Draw(other);
  EXPECT_EQ(rings, (std::vector<int>{lightning, other}));
}

TEST_F(ArcDrawingTest, AnArcWithoutLayoutDrawsNothing) {
  const int arc = Arc(kArcStraight, {100, 100}, {300, 200});
  d.object(arc).ToSerial = 77;
  EXPECT_FALSE(LayoutArcPath(d, arc));
  d.state(arc).Selected = 1;
  DrawArc(d, arc, {surface, random});
  EXPECT_TRUE(surface.calls.empty());
}

}  // namespace
}  // namespace ravelo
