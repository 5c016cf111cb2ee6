// The path geometry of every arc type as the arc layout leaves it on the recording surface: attach
// points, path points, handles, extra segments and base points, for nodes apart, nested nodes, a
// node and its own box, and overlapping nodes.
#include "arcs/arc_path.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>
#include <vector>

#include "arcs/arc_painter.h"
#include "arcs/arc_types.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/recording_surface.h"

namespace ravelo {

void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.X << ", " << p.Y << ")"; }

namespace {

using testing::AddArc;
using testing::AddNode;

constexpr double kHalfTurn = 1.5707963267948966;

// Where the arc's two end objects stand (positions in document units, title rectangles in canvas
// pixels as the node layout leaves them).
enum Scene { kApart, kApartZoomed, kSiblings, kChildToBox, kBoxToChild, kOverlapping };

struct Placed {
  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  int arc = -1;
};

void PlaceNode(Diagram& d, int index, Point pos, Rect rect) {
  d.object(index).Pos[BoxChart] = pos;
  d.state(index).ObjectRect = rect;
}

Placed Build(Scene scene, float zoom) {
  Placed p;
  Diagram& d = *p.diagram;
  d.header.Zoom[BoxChart] = zoom;
  d.header.ViewWidth[BoxChart] = 1500;
  d.header.ViewHeight[BoxChart] = 1500;
  switch (scene) {
    case kApart:
    case kApartZoomed: {
      const bool zoomed = scene == kApartZoomed;
      PlaceNode(d, AddNode(d, 1), zoomed ? Point{50, 50} : Point{100, 100}, {80, 85, 120, 115});
      PlaceNode(d, AddNode(d, 2), zoomed ? Point{150, 100} : Point{300, 200}, {280, 185, 320, 215});
      p.arc = AddArc(d, 1, 2);
      break;
    }
    case kSiblings:
    case kChildToBox:
    case kBoxToChild: {
      // Serial 3 is a box whose title band is its rectangle; 1 and 2 are its children.
      PlaceNode(d, AddNode(d, 3), {0, 0}, {50, 20, 350, 50});
      PlaceNode(d, AddNode(d, 1, {3}), {120, 100}, {100, 90, 140, 110});
      PlaceNode(d, AddNode(d, 2, {3}), {280, 100}, {260, 90, 300, 110});
      p.arc = scene == kSiblings ? AddArc(d, 1, 2) : scene == kChildToBox ? AddArc(d, 1, 3) : AddArc(d, 3, 1);
      break;
    }
    case kOverlapping:
      PlaceNode(d, AddNode(d, 1), {100, 100}, {80, 90, 120, 110});
      PlaceNode(d, AddNode(d, 2), {110, 104}, {90, 94, 130, 114});
      p.arc = AddArc(d, 1, 2);
      break;
  }
  return p;
}

struct PathCase {
  const char* name;
  int type;
  std::array<uint16_t, 6> shape;
  double rad;
  float zoom;
  Scene scene;
  std::vector<Point> path;
  std::vector<Point> handles;
  std::vector<Point> extra;
  Point fromBase;
  Point toBase;
};

// Every case has an arrow at the from end (EndLen 1) and a circle at the to end (EndLen 2): arrows
// move the base points of every type, circles only those of the break and the hop, and the curves
// and wide arcs always have theirs.
const PathCase kCases[] = {
    {"Straight",
     1,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 110}, {280, 190}},
     {},
     {},
     {128, 114},
     {280, 190}},
    {"VerticalBracket",
     2,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 100}, {171, 100}, {171, 200}, {320, 200}},
     {{171, 150}},
     {},
     {130, 100},
     {320, 200}},
    {"VerticalElbow",
     3,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{100, 114}, {100, 200}, {280, 200}},
     {},
     {},
     {100, 124},
     {280, 200}},
    {"VerticalTwoBends",
     4,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{100, 114}, {100, 150}, {300, 150}, {300, 185}},
     {{200, 150}},
     {},
     {100, 124},
     {300, 185}},
    {"VerticalThreeBends",
     5,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{100, 114}, {100, 157}, {137, 157}, {137, 200}, {280, 200}},
     {{118, 157}, {137, 178}},
     {},
     {100, 124},
     {280, 200}},
    {"HorizontalBracket",
     6,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{100, 114}, {100, 165}, {300, 165}, {300, 215}},
     {{200, 165}},
     {},
     {100, 124},
     {300, 215}},
    {"HorizontalElbow",
     7,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 100}, {300, 100}, {300, 185}},
     {},
     {},
     {130, 100},
     {300, 185}},
    {"HorizontalTwoBends",
     8,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 100}, {201, 100}, {201, 200}, {280, 200}},
     {{201, 150}},
     {},
     {130, 100},
     {280, 200}},
    {"HorizontalThreeBends",
     9,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 100}, {157, 100}, {157, 143}, {300, 143}, {300, 185}},
     {{157, 121}, {228, 143}},
     {},
     {130, 100},
     {300, 185}},
    {"Lightning",
     10,
     {51, 21, 50, 51, 80, 91},
     kHalfTurn,
     1.0f,
     kApart,
     {{120, 110}, {209, 133}, {193, 167}, {280, 190}},
     {{201, 150}, {209, 133}, {193, 167}},
     {},
     {129, 112},
     {280, 190}},
    {"Break",
     11,
     {51, 5, 70, 51, 80, 91},
     0,
     1.0f,
     kApart,
     {{120, 110}, {196, 148}, {205, 152}, {280, 190}},
     {{201, 150}, {196, 148}, {205, 152}, {200, 80}, {200, 219}},
     {{196, 80}, {196, 219}, {205, 219}, {205, 80}},
     {129, 114},
     {270, 185}},
    {"Hop",
     12,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 110}, {183, 141}, {219, 159}, {280, 190}},
     {{201, 150}, {183, 141}, {219, 159}, {193, 167}},
     {{219, 159}, {193, 167}, {193, 167}, {183, 141}},
     {129, 114},
     {270, 185}},
    {"OneCurve",
     13,
     {1, 100, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 90}, {184, 58}, {219, 77}, {290, 185}},
     {{201, 50}},
     {},
     {129, 86},
     {284, 175}},
    {"TwoCurves",
     14,
     {60, 80, 61, 81, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 85}, {136, 73}, {152, 86}, {200, 150}, {248, 214}, {265, 227}, {281, 215}},
     {{140, 70}, {261, 231}},
     {},
     {128, 79},
     {272, 222}},
    {"ThreeCurves",
     15,
     {40, 90, 1, 41, 81, 60},
     2,
     1.0f,
     kApart,
     {{120, 86},
      {152, 66},
      {164, 72},
      {178, 118},
      {196, 176},
      {208, 183},
      {236, 151},
      {272, 103},
      {285, 109},
      {297, 185}},
     {{160, 60}, {201, 191}, {281, 90}},
     {},
     {128, 81},
     {295, 174}},
    {"Zigzag",
     16,
     {30, 30, 3, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 110}, {280, 190}},
     {},
     {},
     {128, 114},
     {280, 190}},
    {"Wave",
     17,
     {30, 30, 3, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 110}, {280, 190}},
     {},
     {},
     {128, 114},
     {280, 190}},
    {"ZigzagGroups",
     18,
     {30, 30, 3, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 110}, {280, 190}},
     {},
     {},
     {128, 114},
     {280, 190}},
    {"WaveGroups",
     19,
     {30, 30, 3, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 110}, {280, 190}},
     {},
     {},
     {128, 114},
     {280, 190}},
    {"Rail",
     20,
     {51, 60, 101, 101, 151, 40},
     2,
     1.0f,
     kApart,
     {{112, 85},
      {139, 54},
      {159, 64},
      {176, 120},
      {193, 176},
      {209, 179},
      {226, 130},
      {243, 81},
      {264, 98},
      {294, 185}},
     {{151, 40}, {201, 201}, {251, 60}},
     {},
     {118, 78},
     {291, 174}},
    {"Band",
     21,
     {51, 60, 101, 101, 151, 40},
     2,
     1.0f,
     kApart,
     {{112, 85},
      {139, 54},
      {159, 64},
      {176, 120},
      {193, 176},
      {209, 179},
      {226, 130},
      {243, 81},
      {264, 98},
      {294, 185}},
     {{151, 40}, {201, 201}, {251, 60}},
     {},
     {118, 78},
     {291, 174}},
    {"Beads",
     22,
     {51, 60, 101, 101, 151, 40},
     2,
     1.0f,
     kApart,
     {{112, 85},
      {139, 54},
      {159, 64},
      {176, 120},
      {193, 176},
      {209, 179},
      {226, 130},
      {243, 81},
      {264, 98},
      {294, 185}},
     {{151, 40}, {201, 201}, {251, 60}},
     {},
     {118, 78},
     {291, 174}},
    {"BreakTurned",
     11,
     {51, 5, 70, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 110}, {195, 147}, {205, 152}, {280, 190}},
     {{201, 150}, {195, 147}, {205, 152}, {137, 179}, {263, 121}},
     {{139, 183}, {265, 126}, {261, 117}, {136, 175}},
     {129, 114},
     {270, 185}},
    {"VerticalBracketOtherSide",
     2,
     {51, 50, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{80, 100}, {29, 100}, {29, 200}, {280, 200}},
     {{29, 150}},
     {},
     {70, 100},
     {280, 200}},
    {"HopOtherSide",
     12,
     {51, 21, 51, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 110}, {183, 141}, {219, 159}, {280, 190}},
     {{201, 150}, {183, 141}, {219, 159}, {209, 133}},
     {{219, 159}, {209, 133}, {209, 133}, {183, 141}},
     {129, 114},
     {270, 185}},
    {"VerticalBracketZoomed",
     2,
     {51, 21, 50, 51, 80, 91},
     2,
     2.0f,
     kApartZoomed,
     {{120, 100}, {222, 100}, {222, 200}, {320, 200}},
     {{222, 150}},
     {},
     {132, 100},
     {320, 200}},
    {"HopZoomed",
     12,
     {51, 21, 50, 51, 80, 91},
     2,
     2.0f,
     kApartZoomed,
     {{120, 110}, {164, 132}, {238, 168}, {280, 190}},
     {{201, 150}, {164, 132}, {238, 168}, {184, 186}},
     {{238, 168}, {184, 186}, {184, 186}, {164, 132}},
     {130, 115},
     {266, 183}},
    {"ControlInsideFromNode",
     13,
     {90, 56, 50, 51, 80, 91},
     2,
     1.0f,
     kApart,
     {{120, 88}, {112, 92}, {144, 113}, {280, 188}},
     {{110, 94}},
     {},
     {111, 93},
     {270, 183}},
    {"Siblings",
     1,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kSiblings,
     {{140, 100}, {260, 100}},
     {},
     {},
     {150, 100},
     {260, 100}},
    {"SiblingsElbow",
     3,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kSiblings,
     {{120, 90}, {120, 100}, {260, 100}},
     {},
     {},
     {120, 100},
     {260, 100}},
    {"ChildToOwnBox",
     1,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kChildToBox,
     {{132, 90}, {181, 50}},
     {},
     {},
     {139, 84},
     {181, 50}},
    {"ChildToOwnBoxBracket",
     6,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kChildToBox,
     {{120, 110}, {120, 161}, {200, 161}, {200, 50}},
     {{160, 161}},
     {},
     {120, 120},
     {200, 50}},
    {"OwnBoxToChild",
     7,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kBoxToChild,
     {{50, 35}, {120, 35}, {120, 90}},
     {},
     {},
     {60, 35},
     {120, 90}},
    {"OverlappingNodes",
     1,
     {51, 21, 50, 51, 80, 91},
     2,
     1.0f,
     kOverlapping,
     {{100, 100}, {110, 104}},
     {},
     {},
     {110, 104},
     {110, 104}},
};

class ArcPathTest : public ::testing::TestWithParam<PathCase> {};

// The first entries equal the expected points and every entry after them is unset.
void ExpectPoints(const Point* actual, int size, const std::vector<Point>& expected, const char* what) {
  for (int i = 0; i < size; ++i) {
    const Point want =
        i < static_cast<int>(expected.size()) ? expected[static_cast<std::size_t>(i)] : kUnsetPoint;
    EXPECT_EQ(actual[i], want) << what << " " << i;
  }
}

TEST_P(ArcPathTest, LaysOutTheTypesGeometry) {
  const PathCase& c = GetParam();
  Placed placed = Build(c.scene, c.zoom);
  Diagram& d = *placed.diagram;
  ArcStyle& style = d.object(placed.arc).Arc[BoxChart];
  style.ArcType = c.type;
  std::copy(c.shape.begin(), c.shape.end(), style.Shape);
  style.Rad = c.rad;
  style.End[0] = {.EndStyle = kEndArrow, .EndLen = 1, .EndSize = 3};
  style.End[1] = {.EndStyle = kEndCircle, .EndLen = 2, .EndSize = 2};

  ::ravelo::testing::RecordingSurface surface;
  ViewState view;
  RandomSource random;
  RenderContext context(d, surface, view, random);
  LayoutArc(context, placed.arc);
  const ObjectState& s = d.state(placed.arc);
  ExpectPoints(s.ArcPoints, 15, c.path, "path point");
  ExpectPoints(s.ArcHandles, 6, c.handles, "handle");
  ExpectPoints(s.ArcExtraSegments, 4, c.extra, "extra segment point");
  EXPECT_EQ(s.FromBase, c.fromBase);
  EXPECT_EQ(s.ToBase, c.toBase);
  EXPECT_EQ(ArcPointCount(s), static_cast<int>(c.path.size()));
}

INSTANTIATE_TEST_SUITE_P(EveryType, ArcPathTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ravelo
