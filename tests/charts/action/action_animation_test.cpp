#include "charts/action/action_animation.h"

#include <gtest/gtest.h>

#include "tests/charts/action/action_test_support.h"

namespace ravelo::testing {
namespace {

TEST(ActionTimer, IntervalBySpeed) {
  EXPECT_EQ(ActionTimerInterval(10), 10);
  EXPECT_EQ(ActionTimerInterval(5), 60);
  EXPECT_EQ(ActionTimerInterval(1), 100);
}

TEST(ActionFramePosition, TruncatesTowardZero) {
  EXPECT_EQ(ActionFramePosition({0, 0}, {-15, 15}, 10), (Point{-1, 1}));
  EXPECT_EQ(ActionFramePosition({100, 40}, {200, 0}, 0), (Point{100, 40}));
  EXPECT_EQ(ActionFramePosition({100, 40}, {200, 0}, 50), (Point{150, 20}));
  EXPECT_EQ(ActionFramePosition({100, 40}, {200, 0}, 100), (Point{200, 0}));
}

class ActionAnimationTest : public ActionChartTest {
 protected:
  void SetUp() override {
    ActionChartTest::SetUp();
    a = LevelNode(1, 0);
    b = LevelNode(2, 1, {1});
    Object(a).ActStart = {100, 100};
    Object(a).ActTarget = {300, 200};
    Object(b).ActStart = {500, 500};
    Object(b).ActTarget = {400, 450};
  }
  int a = 0, b = 0;
  ActionAnimation animation;
};

TEST_F(ActionAnimationTest, TenFramesFromTheOldPlacesToTheNew) {
  EXPECT_EQ(animation.Step(*diagram, [] {}), ActionAnimation::Tick::Ignored);  // not started
  animation.Start();
  std::vector<Point> framesOfA, framesOfB;
  const auto record = [&] {
    framesOfA.push_back(Object(a).ActCurrent);
    framesOfB.push_back(Object(b).ActCurrent);
  };
  for (int frame = 0; frame < 9; ++frame)
    EXPECT_EQ(animation.Step(*diagram, record), ActionAnimation::Tick::Frame);
  EXPECT_EQ(animation.Step(*diagram, record), ActionAnimation::Tick::Finished);
  EXPECT_FALSE(animation.running());
  ASSERT_EQ(framesOfA.size(), 10u);
  EXPECT_EQ(framesOfA[0], (Point{100, 100}));  // the first frame at the old place
  EXPECT_EQ(framesOfA[5], (Point{200, 150}));
  EXPECT_EQ(framesOfB[5], (Point{450, 475}));
  EXPECT_EQ(framesOfA[9], (Point{280, 190}));  // the last frame at 90 percent
  EXPECT_EQ(Object(a).ActCurrent, Object(a).ActTarget);
  EXPECT_EQ(Object(b).ActCurrent, Object(b).ActTarget);
  EXPECT_EQ(animation.Step(*diagram, record), ActionAnimation::Tick::Ignored);
}

TEST_F(ActionAnimationTest, ATickWhileTheFrameIsDrawnIsIgnored) {
  animation.Start();
  ActionAnimation::Tick inner = ActionAnimation::Tick::Frame;
  animation.Step(*diagram, [&] { inner = animation.Step(*diagram, [] {}); });
  EXPECT_EQ(inner, ActionAnimation::Tick::Ignored);
  EXPECT_EQ(animation.progress(), 10);
}

TEST_F(ActionAnimationTest, MovingRectanglesOutlineEachBodyAtItsCurrentPlace) {
  DocumentHeader& h = diagram->header;
  h.Zoom[ActionChart] = 2.0f;
  h.MoveRectColor = Rgb(1, 2, 3);
  State(a).BodyRect = {0, 0, 40, 20};
  State(b).BodyRect = {10, 10, 30, 50};
  Object(a).ActCurrent = {100, 50};
  Object(b).ActCurrent = {20, 30};
  Object(b).Marumi = 2;
  DrawMovingRects(*diagram, surface);
  ASSERT_EQ(surface.calls.size(), 2u);
  const SurfaceCall& rect = surface.calls[0];
  EXPECT_EQ(rect.op, SurfaceOp::Polyline);
  EXPECT_EQ(rect.pen, (Pen{Rgb(1, 2, 3), 1, DashStyle::Solid}));
  EXPECT_EQ(rect.points, (std::vector<Point>{{180, 90}, {220, 90}, {220, 110}, {180, 110}, {180, 90}}));
  const SurfaceCall& rounded = surface.calls[1];
  EXPECT_EQ(rounded.op, SurfaceOp::RoundRect);
  EXPECT_EQ(rounded.rect, (Rect{30, 40, 50, 80}));
  EXPECT_EQ(rounded.corner, (Size{40, 40}));
}

TEST_F(ActionAnimationTest, RecentreSelectsLaysOutAndStarts) {
  ActionLayout layout(clock);
  RenderContext context = Context();
  diagram->header.ActCenterObject = a;
  int snapshots = 0;
  const auto snapshot = [&] {
    ++snapshots;
    EXPECT_EQ(diagram->header.ActCenterObject, a);  // taken before the centre changes
    EXPECT_EQ(diagram->header.CurrentObject, b);
  };
  EXPECT_FALSE(ActRecentre(context, layout, animation, -1, snapshot));
  EXPECT_EQ(snapshots, 0);
  State(a).Selected = 1;
  EXPECT_TRUE(ActRecentre(context, layout, animation, b, snapshot));
  EXPECT_EQ(snapshots, 1);
  EXPECT_EQ(State(a).Selected, 0);
  EXPECT_EQ(State(b).Selected, 1);
  EXPECT_EQ(diagram->header.ActCenterObject, b);
  EXPECT_EQ(Object(b).ActStart, (Point{400, 450}));  // the old target
  EXPECT_EQ(Object(b).ActTarget, (Point{505, 405}));
  EXPECT_TRUE(animation.running());
  EXPECT_EQ(animation.progress(), 0);
}

}  // namespace
}  // namespace ravelo::testing
