// A Box chart laid out and drawn by the chart's own code on the recording surface, for the view's
// hit tests, selection and controller: end nodes A, B and C (C over A, later in the table), a box P
// around D and E (E with a picture), a straight arc from A to B with a title, and a break (type
// 11) from D to E.
#pragma once

#include "arcs/arc_painter.h"
#include "arcs/arc_types.h"
#include "arcs/shape_defaults.h"
#include "charts/chart_rules.h"
#include "charts/scene.h"
#include "model/levels.h"
#include "tests/support/chart_fixture.h"

namespace ravelo::testing {

class ViewChartTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    a = Node(1, {100, 100}, "AAAA");
    b = Node(2, {400, 100}, "BBBB");
    c = Node(3, {80, 106}, "CCCC");
    p = Node(10, {-1, -1}, "PPPP");
    d = Node(11, {200, 300}, "DDDD", {10});
    e = Node(12, {400, 320}, "EEEE", {10});
    GivePicture(e, 30, 20);
    ab = Arc(1, 2, kArcStraight, "ab");
    de = Arc(11, 12, kArcBreak, "");
  }

  int Arc(int32_t from, int32_t to, int type, std::string_view title) {
    const int arc = AddArc(*diagram, from, to);
    DiagramObject& o = Object(arc);
    SetFieldText(o.Title, title, kTitleBytes);
    o.FontSize = 9;
    o.Futosa = 1;
    o.TitlePos = 2;
    o.TitleAline = 1;
    SetFour(o.Margin, 2, 1, 2, 1);
    o.RoundR = 40;
    for (ArcStyle& style : o.Arc) {
      style.ArcType = type;
      style.refArcLine = Rgb(0, 0, 0);
      style.ArcFutosa = 1;
    }
    ResetShapeParams(*diagram, arc, false, BoxChart);
    return arc;
  }

  // Lays out and draws the chart shown at a zoom, as a paint does.
  void Paint(float zoom = 1.0f) {
    SetZoom(zoom);
    ComputeLevels(*diagram);
    surface.calls.clear();
    RenderContext context(*diagram, surface, view, random, settings, &arcs);
    RenderScene(context);
  }

 public:
  // Open to the tables of cases, which compute their points from the layout.
  using ChartTest::Object;
  using ChartTest::State;
  static Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

  const ChartRules& rules = RulesOf(BoxChart);
  LinkArcPainter arcs;
  int a = -1, b = -1, c = -1, p = -1, d = -1, e = -1, ab = -1, de = -1;
};

}  // namespace ravelo::testing
