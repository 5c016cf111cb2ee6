// A diagram shown in the Action chart for the tests of its layout, animation and drawing: plain
// nodes of a known size on the recording surface, levels set by hand, a fixed clock.
#pragma once

#include <cmath>
#include <vector>

#include "charts/action/action_layout.h"
#include "platform/clock.h"
#include "tests/support/chart_fixture.h"

namespace ravelo::testing {

class FixedClock final : public Clock {
 public:
  int64_t Now() const override { return now; }
  int64_t now = 1700000000;
};

class ActionChartTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    DocumentHeader& h = diagram->header;
    h.CurrentChart = ActionChart;
    h.Headline[ActionChart].Show = 0;
    h.ShowChildMark[ActionChart] = 0;
    h.ViewWidth[ActionChart] = 1010;
    h.ViewHeight[ActionChart] = 810;
  }

  // A node at a level, with every chart position unset.
  int LevelNode(int32_t serial, int level, std::initializer_list<int32_t> parents = {}) {
    const int index = Node(serial, kUnsetPoint, "n", parents);
    Object(index).ActTarget = Object(index).ActCurrent = Object(index).ActStart = kUnsetPoint;
    State(index).Level = level;
    diagram->LevelCount = std::max(diagram->LevelCount, level + 1);
    return index;
  }

  std::vector<Size> Boxes(Size each) {
    std::vector<Size> boxes(static_cast<std::size_t>(diagram->count()), each);
    for (int i = 0; i < diagram->count(); ++i) {
      if (IsLinkArc(Object(i))) boxes[static_cast<std::size_t>(i)] = {};
    }
    return boxes;
  }

  // The ring band radius of a target: 1 on the inner edge of band 1, 2 on its outer edge, taking the
  // stretch of x by the ring steps away.
  double BandRadius(Point target) const {
    const DocumentHeader& h = diagram->header;
    const double dx = static_cast<double>(target.X - h.ActCenterX) / h.ActRingStepX;
    const double dy = static_cast<double>(target.Y - h.ActCenterY) / h.ActRingStepY;
    return std::sqrt(dx * dx + dy * dy);
  }

  // The direction of a target from the centre in degrees clockwise from straight up, x unstretched.
  double AngleOf(Point target) const {
    const DocumentHeader& h = diagram->header;
    const double dx = static_cast<double>(target.X - h.ActCenterX) * h.ActRingStepY / h.ActRingStepX;
    const double dy = target.Y - h.ActCenterY;
    const double degrees = std::atan2(dy, dx) * 180 / 3.14159265358979 + 90;
    return degrees < 0 ? degrees + 360 : degrees;
  }

  FixedClock clock;
};

// The smaller difference of two angles in degrees.
inline double AngleBetween(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

}  // namespace ravelo::testing
