// Finding an arc's end objects, their reference points in each chart, and what happens to an arc
// that cannot be laid out.
#include <gtest/gtest.h>

#include <memory>

#include "arcs/arc_path.h"
#include "arcs/arc_types.h"
#include "tests/support/diagram_builder.h"

namespace ravelo {
namespace {

using testing::AddArc;
using testing::AddNode;

class ArcEndsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int c = 0; c < kChartCount; ++c) {
      d.header.Zoom[c] = 1.0f;
      d.header.ViewWidth[c] = 1500;
      d.header.ViewHeight[c] = 1500;
    }
  }
  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
};

TEST_F(ArcEndsTest, EndsAreTheFirstNodesWithTheSerials) {
  const int straySameSerial = AddArc(d, 5, 6);  // arcs are never ends, even with a matching serial
  const int a = AddNode(d, 5);
  AddNode(d, 6);
  const int b = AddNode(d, 6);
  d.object(b - 1).Serial = 7;
  d.object(b).Serial = 6;
  const int arc = AddArc(d, 5, 6);
  ASSERT_TRUE(FindArcEnds(d, arc));
  EXPECT_EQ(FindArcEnds(d, arc)->from, a);
  EXPECT_EQ(FindArcEnds(d, arc)->to, b);
  EXPECT_NE(FindArcEnds(d, arc)->from, straySameSerial);

  d.object(arc).ToSerial = 8;
  EXPECT_FALSE(FindArcEnds(d, arc)) << "a missing to end";
  d.object(arc).ToSerial = 6;
  d.object(arc).Serial = -1;
  EXPECT_FALSE(FindArcEnds(d, arc)) << "serial -1 is never connected";
}

TEST_F(ArcEndsTest, ReferencePointsFollowTheChart) {
  const int box = AddNode(d, 1);
  const int node = AddNode(d, 2, {1});
  const int arc = AddArc(d, 1, 2);
  DiagramObject& n = d.object(node);
  d.state(box).ObjectRect = {10, 20, 41, 31};
  n.Pos[BoxChart] = {100, 50};
  n.Pos[StarChart] = {7, 9};
  n.Pos[FlowChart] = {-7, 12};
  n.ActCurrent = {30, 40};
  d.object(box).Pos[StarChart] = {1, 1};
  d.object(box).Pos[FlowChart] = {2, 2};
  d.object(box).ActCurrent = {3, 3};
  for (int c = 0; c < kChartCount; ++c) d.header.Zoom[c] = 1.5f;

  const auto centres = [&](int chart) { return ComputeCentres(d, arc, chart).value(); };
  EXPECT_EQ(centres(BoxChart).from, (Point{25, 25})) << "a box: the centre of its title rectangle";
  EXPECT_EQ(centres(BoxChart).to, (Point{150, 75})) << "an end node: its position, zoomed";
  EXPECT_EQ(centres(StarChart).to, (Point{10, 13}));
  EXPECT_EQ(centres(FlowChart).to, (Point{-10, 18})) << "truncated toward zero";
  EXPECT_EQ(centres(ActionChart).to, (Point{45, 60})) << "the current animated position";
  EXPECT_EQ(centres(ActionChart).from, (Point{4, 4}));
}

TEST_F(ArcEndsTest, AnArcThatCannotBeLaidOutLeavesNoStaleGeometry) {
  AddNode(d, 1);
  d.object(AddNode(d, 2)).Pos[BoxChart] = {200, 0};
  const int arc = AddArc(d, 1, 2);
  d.object(arc).Arc[BoxChart].ArcType = 1;
  ASSERT_TRUE(LayoutArcPath(d, arc));
  EXPECT_EQ(ArcPointCount(d.state(arc)), 2);
  EXPECT_EQ(d.state(arc).BodyRect, (Rect{-2, -2, 202, 2}));

  for (int type : {0, 23, -5}) {
    d.object(arc).Arc[BoxChart].ArcType = type;
    EXPECT_FALSE(LayoutArcPath(d, arc));
    EXPECT_EQ(ArcPointCount(d.state(arc)), 0);
    EXPECT_EQ(d.state(arc).ArcHandles[0], kUnsetPoint);
    EXPECT_EQ(d.state(arc).BodyRect, (Rect{}));
  }
  d.object(arc).Arc[BoxChart].ArcType = 1;
  ASSERT_TRUE(LayoutArcPath(d, arc));
  d.object(arc).ToSerial = 3;
  EXPECT_FALSE(LayoutArcPath(d, arc));
  EXPECT_EQ(ArcPointCount(d.state(arc)), 0);
  EXPECT_EQ(d.state(arc).ObjectRect, (Rect{}));
}

TEST_F(ArcEndsTest, AnArrowBaseLiesTwiceItsLengthPlusEightFromTheTip) {
  d.header.Zoom[BoxChart] = 2.0f;
  AddNode(d, 1);
  AddNode(d, 2);
  const int arc = AddArc(d, 1, 2);
  d.object(arc).Arc[BoxChart].End[1].EndLen = 3;
  EXPECT_EQ(EndBasePoint(d, arc, 1, {100, 100}, {0, 100}), (Point{80, 100})) << "2 * 6 + 8 pixels";
  EXPECT_EQ(EndBasePoint(d, arc, 1, {0, 0}, {30, 40}), (Point{12, 16}));
  EXPECT_EQ(EndBasePoint(d, arc, 1, {5, 5}, {5, 5}), (Point{5, 5})) << "no direction: the tip itself";
  EXPECT_EQ(EndBasePoint(d, arc, 1, {0, 0}, {6, 8}), (Point{12, 16})) << "beyond a near neighbour";
}

}  // namespace
}  // namespace ravelo
