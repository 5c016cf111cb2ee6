// The default shapes of the arc types, the offsets their controls are kept as, and the names.
#include "arcs/shape_defaults.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "tests/support/diagram_builder.h"

namespace ravelo {
namespace {

using testing::AddArc;
using testing::AddNode;
using Shape = std::array<uint16_t, 6>;

Shape ShapeOf(const ArcStyle& style) {
  Shape s;
  std::copy(std::begin(style.Shape), std::end(style.Shape), s.begin());
  return s;
}

struct TwoEnds {
  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  int arc;
};

// Two end nodes at document positions a and b in chart c, joined by an arc.
TwoEnds Joined(Point a, Point b, int chart = BoxChart, float zoom = 1.0f, int view = 1500) {
  TwoEnds t;
  Diagram& d = *t.diagram;
  for (int c = 0; c < kChartCount; ++c) {
    d.header.Zoom[c] = 1.0f;
    d.header.ViewWidth[c] = view;
    d.header.ViewHeight[c] = view;
  }
  d.header.Zoom[chart] = zoom;
  d.object(AddNode(d, 1)).Pos[chart] = a;
  d.object(AddNode(d, 2)).Pos[chart] = b;
  t.arc = AddArc(d, 1, 2);
  return t;
}

struct ResetCase {
  const char* name;
  int type;
  Point from, to;
  float zoom;
  int view;
  Shape expected;
};

// The controls are 100 pixels off the line of the ends (the wide arcs: half the ends' distance),
// on the +pi/2 side, kept within the view and within 500 pixels of their base.
const ResetCase kResetCases[] = {
    {"Straight", 1, {100, 100}, {300, 200}, 1.0f, 1500, {51, 21, 50, 51, 80, 91}},
    {"Break", 11, {100, 100}, {300, 200}, 1.0f, 1500, {51, 5, 70, 51, 80, 91}},
    {"Wave", 17, {100, 100}, {300, 200}, 1.0f, 1500, {30, 30, 3, 51, 80, 91}},
    {"ZigzagGroups", 18, {100, 100}, {300, 200}, 1.0f, 1500, {30, 30, 3, 51, 80, 91}},
    {"OneCurve", 13, {100, 100}, {300, 200}, 1.0f, 1500, {44, 89, 50, 51, 80, 91}},
    {"OneCurveZoomed", 13, {100, 100}, {300, 200}, 2.0f, 1500, {22, 45, 50, 51, 80, 91}},
    {"OneCurveClampedToTheView", 13, {300, 20}, {100, 20}, 1.0f, 1500, {1, 20, 50, 51, 80, 91}},
    {"TwoCurves", 14, {100, 100}, {300, 200}, 1.0f, 1500, {94, 65, 95, 64, 80, 91}},
    {"TwoCurvesFarApartAreHeldTo500", 14, {100, 100}, {2500, 100}, 1.0f, 5000, {494, 83, 493, 82, 80, 91}},
    {"ThreeCurves", 15, {100, 100}, {300, 200}, 1.0f, 1500, {112, 55, 45, 90, 23, 121}},
    {"Rail", 20, {100, 100}, {300, 200}, 1.0f, 1500, {1, 125, 149, 50, 103, 173}},
    {"Beads", 22, {100, 100}, {300, 200}, 1.0f, 1500, {1, 125, 149, 50, 103, 173}},
};

class ResetShapeTest : public ::testing::TestWithParam<ResetCase> {};

TEST_P(ResetShapeTest, WritesTheTypesDefaultShape) {
  const ResetCase& c = GetParam();
  TwoEnds t = Joined(c.from, c.to, BoxChart, c.zoom, c.view);
  ArcStyle& style = t.diagram->object(t.arc).Arc[BoxChart];
  style.ArcType = c.type;
  std::fill(std::begin(style.Shape), std::end(style.Shape), 7);
  ResetShapeParams(*t.diagram, t.arc, true, BoxChart);
  EXPECT_EQ(ShapeOf(style), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Types, ResetShapeTest, ::testing::ValuesIn(kResetCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ResetShape, UsesTheReferencePointsOfTheChartItWrites) {
  TwoEnds t = Joined({100, 100}, {300, 200}, StarChart);
  Diagram& d = *t.diagram;
  d.object(t.arc).Arc[StarChart].ArcType = 13;
  d.object(t.arc).Arc[BoxChart].ArcType = 13;
  ResetShapeParams(d, t.arc, true, StarChart);
  EXPECT_EQ(ShapeOf(d.object(t.arc).Arc[StarChart]), (Shape{44, 89, 50, 51, 80, 91}));
  EXPECT_EQ(ShapeOf(d.object(t.arc).Arc[BoxChart]), (Shape{})) << "other charts keep their shape";
}

TEST(ResetShape, AnUnconnectedArcIsLeftAloneOrShapedAlongItsLastPath) {
  TwoEnds t = Joined({100, 100}, {300, 200});
  Diagram& d = *t.diagram;
  d.object(t.arc).ToSerial = 99;
  ArcStyle& style = d.object(t.arc).Arc[BoxChart];
  style.ArcType = 13;
  std::fill(std::begin(style.Shape), std::end(style.Shape), 7);
  ResetShapeParams(d, t.arc, true, BoxChart);
  EXPECT_EQ(ShapeOf(style), (Shape{7, 7, 7, 7, 7, 7}));

  ObjectState& s = d.state(t.arc);
  std::fill(std::begin(s.ArcPoints), std::end(s.ArcPoints), kUnsetPoint);
  s.ArcPoints[0] = {100, 100};
  s.ArcPoints[1] = {200, 150};
  s.ArcPoints[2] = {300, 200};
  ResetShapeParams(d, t.arc, false, BoxChart);
  EXPECT_EQ(ShapeOf(style), (Shape{44, 89, 50, 51, 80, 91}));
}

TEST(StoreControlOffset, KeepsTheOffsetInDocumentUnits) {
  TwoEnds t = Joined({100, 100}, {300, 200}, BoxChart, 2.0f);
  Diagram& d = *t.diagram;
  StoreControlOffset(d, t.arc, BoxChart, 2, {230, 140}, {200, 150}, 1000);
  const ArcStyle& style = d.object(t.arc).Arc[BoxChart];
  EXPECT_EQ(DecodeOffset(style.Shape[2]), 15);
  EXPECT_EQ(DecodeOffset(style.Shape[3]), -6) << "-5 is kept even, as -6";
  StoreControlOffset(d, t.arc, BoxChart, 0, {200, 150}, {200, 150}, 1000);
  EXPECT_EQ(style.Shape[0], 1) << "an offset of 0 is stored as 1";
  StoreControlOffset(d, t.arc, BoxChart, 4, {5000, 150}, {200, 150}, 0);
  EXPECT_EQ(DecodeOffset(style.Shape[4]), 1) << "limit 0 keeps the base point itself";
}

TEST(EncodeOffset, KeepsTheSignInTheParity) {
  const std::pair<int, uint16_t> cases[] = {{0, 1},  {1, 1},    {2, 3},         {51, 51},       {-1, 2},
                                            {-2, 2}, {-51, 52}, {70000, 65535}, {-70000, 65534}};
  for (const auto& [value, stored] : cases) EXPECT_EQ(EncodeOffset(value), stored) << value;
  EXPECT_EQ(DecodeOffset(0), 0) << "a stored 0 reads back as 0";
  EXPECT_EQ(DecodeOffset(51), 51);
  EXPECT_EQ(DecodeOffset(52), -52);
  EXPECT_EQ(DecodeOffset(65535), 65535);
}

TEST(ArcNames, NameEveryTypeAndEndStyle) {
  EXPECT_EQ(ArcTypeName(0), "自動作成");
  EXPECT_EQ(ArcTypeName(1), "単純直線");
  EXPECT_EQ(ArcTypeName(12), "マタギ線");
  EXPECT_EQ(ArcTypeName(22), "数珠線");
  EXPECT_EQ(ArcTypeName(23), "");
  EXPECT_EQ(ArcTypeName(-1), "");
  EXPECT_EQ(ArcEndStyleName(0), "なし");
  EXPECT_EQ(ArcEndStyleName(3), "四角形");
  EXPECT_EQ(ArcEndStyleName(4), "");
}

}  // namespace
}  // namespace ravelo
