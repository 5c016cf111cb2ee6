// The Flow chart's entry step and its reset command.
#include "charts/flow/flow_chart.h"

#include <gtest/gtest.h>

#include "tests/charts/flow/flow_fixture.h"
#include "tests/support/recording_messages.h"

namespace ravelo::testing {
namespace {

constexpr const char* kResetQuestion =
    "ノード位置が最初の状態に戻りますがよろしいですか\n※ 直後であれば、アンドゥボタンで戻すことができます";

class FlowChartTest : public FlowTest {
 protected:
  FlowLayoutOutcome Reset() {
    RenderContext context = Context();
    return FlowResetCommand(
        context, messages, [this] { ++snapshots; }, 1);
  }
  RecordingMessages messages;
  int snapshots = 0;
};

TEST_F(FlowChartTest, TheFirstShowLaysTheChartOutAndLaterShowsKeepThePositions) {
  const int root = FlowNode(1);
  const int child = FlowNode(2, {1});
  RenderContext context = Context();
  EXPECT_TRUE(FlowAutoLayout(context, 1).laidOut);
  EXPECT_EQ(FlowPos(root), (Point{133, 50}));
  Object(child).Pos[FlowChart] = {400, 400};  // the user moved it
  Object(root).Pos[FlowChart] = kUnsetPoint;  // a node added later
  EXPECT_FALSE(FlowAutoLayout(context, 1).laidOut);
  EXPECT_EQ(FlowPos(child), (Point{400, 400}));
}

TEST_F(FlowChartTest, ResetAsksFirstAndDeclinedChangesNothing) {
  FlowNode(1);
  const int child = FlowNode(2, {1});
  Object(child).Pos[FlowChart] = {400, 400};
  diagram->header.SetDirection = 0;
  messages.answer = MessageAnswer::No;
  EXPECT_FALSE(Reset().laidOut);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kResetQuestion);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Question);
  EXPECT_EQ(snapshots, 0);
  EXPECT_EQ(FlowPos(child), (Point{400, 400}));
  EXPECT_EQ(diagram->header.Relation[FlowChart].Connect, 1);
}

TEST_F(FlowChartTest, ResetTakesASnapshotConnectsAsTheNodesAreSetAndLaysOutAfresh) {
  const int root = FlowNode(1);
  const int child = FlowNode(2, {1});
  Object(child).Pos[FlowChart] = {400, 400};
  diagram->header.SetDirection = 0;
  messages.answer = MessageAnswer::Yes;
  EXPECT_TRUE(Reset().laidOut);
  EXPECT_EQ(snapshots, 1);
  EXPECT_EQ(diagram->header.Relation[FlowChart].Connect, 0) << "left to right connects sideways";
  EXPECT_EQ(FlowPos(root), (Point{120, 59}));
  EXPECT_EQ(FlowPos(child).X, 166);
}

TEST_F(FlowChartTest, ResetOfAnEmptyDocumentAsksNothing) {
  EXPECT_FALSE(Reset().laidOut);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(snapshots, 0);
}

}  // namespace
}  // namespace ravelo::testing
