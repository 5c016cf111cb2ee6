// Where the import puts what it made in the Box chart: the end nodes spread inside their boxes
// without overlap, the top-level boxes in rows across the view, the file's name as headline.
#include "exchange/arrange_import.h"

#include <gtest/gtest.h>

#include "charts/box/box_chart.h"
#include "tests/support/chart_fixture.h"

namespace ravelo {
namespace {

class FixedClock final : public Clock {
 public:
  int64_t Now() const override { return 1700000000; }
};

class ArrangeImportTest : public testing::ChartTest {
 protected:
  // Three boxes of four end nodes each, none placed yet, and a node without parent.
  void SetUp() override {
    ChartTest::SetUp();
    int32_t serial = 1;
    for (int box = 0; box < 3; ++box) {
      const int32_t parent = serial++;
      boxes.push_back(Node(parent, kUnsetPoint, "box" + std::to_string(box)));
      for (int child = 0; child < 4; ++child) Node(serial++, kUnsetPoint, "member", {parent});
    }
    lone = Node(serial++, kUnsetPoint, "lone");
  }

  void Arrange(int viewWidth) {
    diagram->header.ViewWidth[BoxChart] = viewWidth;
    RenderContext context = Context();
    ArrangeImportedBoxes(context, "team", {clock, {}});
    DrawBoxChart(context);  // lays every box out around its end nodes where they now are
  }
  Rect Body(int index) { return State(index).BodyRect; }

  FixedClock clock;
  std::vector<int> boxes;
  int lone = -1;
};

TEST_F(ArrangeImportTest, BoxesStandInRowsAndWrapWhenTheViewIsFull) {
  Arrange(5000);
  const Rect a = Body(boxes[0]), b = Body(boxes[1]), c = Body(boxes[2]);
  EXPECT_EQ(a.left, 50);
  EXPECT_EQ(b.left, a.right + 100);
  EXPECT_EQ(c.left, b.right + 100);
  EXPECT_EQ(a.top, 100);  // the headline is hidden: the first row starts one gap down
  diagram->header.Headline[BoxChart].Show = 1;
  EXPECT_EQ(b.top, a.top);
  EXPECT_EQ(c.top, a.top);

  // A view one pixel too narrow for the third box sends it to a second row.
  const int width = c.right - 1;
  for (int i = 0; i < diagram->count(); ++i) {
    Object(i).Pos[BoxChart] = kUnsetPoint;
    State(i) = ObjectState{};
  }
  Arrange(width);
  const Rect c2 = Body(boxes[2]);
  EXPECT_EQ(Body(boxes[1]).left, b.left);
  EXPECT_EQ(c2.left, 50);
  EXPECT_EQ(c2.top, std::max(a.bottom, b.bottom) + 100 + view.headlineRect.bottom);
  EXPECT_GT(view.headlineRect.bottom, 0);
}

TEST_F(ArrangeImportTest, EndNodesInsideABoxDoNotOverlapAndTheLoneNodeStays) {
  Arrange(5000);
  for (int i = 0; i < diagram->count(); ++i) {
    for (int j = i + 1; j < diagram->count(); ++j) {
      if (Object(i).IsEndNode == 0 || Object(j).IsEndNode == 0 || i == lone || j == lone) continue;
      const Rect p = Body(i), q = Body(j);
      EXPECT_FALSE(p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom) << i << " " << j;
    }
  }
  EXPECT_EQ(Object(lone).Pos[BoxChart], kUnsetPoint);
  for (const HeadlineStyle& headline : diagram->header.Headline) EXPECT_EQ(FieldText(headline.Text), "team");
}

}  // namespace
}  // namespace ravelo
