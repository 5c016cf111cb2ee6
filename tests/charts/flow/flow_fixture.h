// Diagrams drawn in the Flow chart on the recording surface: nodes titled "AB" are 26 × 18 pixels
// at zoom 1 (12 × 12 of text, 3 more on each side, margins 4, 3, 4, 3).
#pragma once

#include <initializer_list>

#include "tests/support/chart_fixture.h"

namespace ravelo::testing {

class FlowTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    diagram->header.CurrentChart = FlowChart;
    diagram->header.Headline[FlowChart].Show = 0;
  }

  // A node of 26 × 18 pixels with no Flow position yet.
  int FlowNode(int32_t serial, std::initializer_list<int32_t> parents = {}) {
    const int index = Node(serial, kUnsetPoint, "AB", parents);
    return index;
  }

  Point FlowPos(int index) { return Object(index).Pos[FlowChart]; }
};

}  // namespace ravelo::testing
