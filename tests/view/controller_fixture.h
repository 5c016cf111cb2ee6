// The view controller on the fixture's Box chart, driven with client points through a fake host
// whose view is scrolled by (30, 40).
#pragma once

#include "geometry/geometry.h"
#include "tests/support/fake_view_host.h"
#include "tests/support/memory_settings.h"
#include "tests/view/view_fixture.h"
#include "view/view_controller.h"

namespace ravelo::testing {

class ControllerTest : public ViewChartTest {
 protected:
  void SetUp() override {
    ViewChartTest::SetUp();
    diagram->header.ConsoleX = 700;
    diagram->header.ConsoleY = 500;
    diagram->header.ConsoleShown = 0;
    host.scroll = {30, 40};
    Show();
  }
  // Paints as the window does: the scene over the visible canvas, then the feedback.
  void Show() {
    const Point s = host.scroll;
    controller.Paint(surface, {s.X, s.Y, s.X + host.client.width, s.Y + host.client.height});
    controller.PaintFeedback(surface);
  }
  Point Client(Point canvas) const { return {canvas.X - host.scroll.X, canvas.Y - host.scroll.Y}; }
  void Click(Point canvas, unsigned flags = kLeftButton) {
    controller.OnLeftDown(Client(canvas), flags);
    controller.OnLeftUp(Client(canvas), flags & ~kLeftButton);
  }
  // A drag with the left button from one canvas point to another, through their middle.
  void Drag(Point from, Point to, unsigned flags = kLeftButton) {
    controller.OnLeftDown(Client(from), flags);
    controller.OnMouseMove(Client(Midpoint(from, to)), flags);
    controller.OnMouseMove(Client(to), flags);
    controller.OnLeftUp(Client(to), flags & ~kLeftButton);
  }
  float Zoom() const { return diagram->header.Zoom[BoxChart]; }

  FakeViewHost host;
  SystemSettings system;
  MemorySettings store;
  ObjectServices objects{store,  host.recorded,
                         random, [](Diagram& d, int index, int chart) { ResetShapeParams(d, index, true, chart); },
                         {},     {}};
  ViewController controller{*diagram, host, random, system, objects};
};

}  // namespace ravelo::testing
