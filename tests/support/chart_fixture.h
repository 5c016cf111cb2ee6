// A diagram drawn on the recording surface: nodes with a known style, so that every rectangle of a
// layout can be worked out by hand from the fixed text metric (a 9-point font is 12 pixels high at
// zoom 1; ASCII characters are half as wide as high, others as wide as high).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string_view>

#include "geometry/geometry.h"
#include "drawing/render_context.h"
#include "model/cp932.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/recording_surface.h"

namespace ravelo {

// Rectangles and points in failure messages.
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << "{" << p.X << ", " << p.Y << "}"; }

}  // namespace ravelo

namespace ravelo::testing {

inline void SetFour(int32_t (&field)[4], int left, int top, int right, int bottom) {
  field[0] = left;
  field[1] = top;
  field[2] = right;
  field[3] = bottom;
}

class ChartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToNewDocument(*diagram, random, 7);
    diagram->header.ShowChildMark[BoxChart] = 0;
    diagram->header.Headline[BoxChart].Show = 0;
  }

  DiagramObject& Object(int index) { return diagram->object(index); }
  ObjectState& State(int index) { return diagram->state(index); }

  // A node styled plainly: 9 points, margins 4, 3, 4, 3, a frame 2 wide, square corners.
  int Node(int32_t serial, Point pos, std::string_view titleUtf8,
           std::initializer_list<int32_t> parents = {}) {
    const int index = AddNode(*diagram, serial, parents, Utf8ToCp932(titleUtf8).text);
    DiagramObject& o = Object(index);
    for (Point& p : o.Pos) p = pos;
    o.FontSize = 9;
    o.refText = Rgb(0, 0, 0);
    o.refMen = Rgb(240, 240, 255);
    o.refLine = Rgb(0, 0, 128);
    o.Futosa = 2;
    o.TitlePos = 2;
    o.TitleAline = 1;
    SetFour(o.Margin, 4, 3, 4, 3);
    std::fill(std::begin(o.ImgMargin), std::end(o.ImgMargin), 2);
    o.WakuW = 6;
    SetFour(o.WakuMa, 10, 20, 30, 40);
    o.Memo.FontSize = 9;
    o.Memo.refMen = kNoColour;
    o.Memo.refLine = kNoColour;
    std::fill(std::begin(o.Memo.Margin), std::end(o.Memo.Margin), 2);
    o.SetIn = 1;
    o.AlineV = 1;
    o.AlineH = 1;
    o.TransColor = kNoColour;
    o.RoundR = 40;
    return index;
  }

  // Gives the node a 2 × 2 picture shown w × h pixels at zoom 1 in every chart.
  void GivePicture(int index, int w, int h) {
    auto picture = std::make_unique<Picture>();
    picture->width = 2;
    picture->height = 2;
    picture->bgra.assign(16, 0x80);
    SetPicture(*diagram, index, std::move(picture));
    std::fill(std::begin(Object(index).ImageW), std::end(Object(index).ImageW), w);
    std::fill(std::begin(Object(index).ImageH), std::end(Object(index).ImageH), h);
  }

  void SetZoom(float zoom) { diagram->header.Zoom[diagram->header.CurrentChart] = zoom; }

  RenderContext Context() { return RenderContext(*diagram, surface, view, random, settings); }

  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  RecordingSurface surface;
  ViewState view;
  RandomSource random;
  SceneSettings settings;
};

}  // namespace ravelo::testing
