// The Star chart on the recording surface: a view of 1000 × 800 units, so that the middle is (500,
// 400), the centre's circle has a radius of 200 and the outer circle one of 400.
#pragma once

#include <initializer_list>
#include <string_view>

#include "tests/support/chart_fixture.h"

namespace ravelo::testing {

class StarTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    DocumentHeader& header = diagram->header;
    header.CurrentChart = StarChart;
    header.ViewWidth[StarChart] = 1000;
    header.ViewHeight[StarChart] = 800;
    header.ShowChildMark[StarChart] = 0;
    header.Headline[StarChart].Show = 0;
  }

  // A node without a Star position yet.
  int Unplaced(int32_t serial, std::string_view title, std::initializer_list<int32_t> parents = {}) {
    return Node(serial, kUnsetPoint, title, parents);
  }
  Point StarPos(int index) { return Object(index).Pos[StarChart]; }
};

}  // namespace ravelo::testing
