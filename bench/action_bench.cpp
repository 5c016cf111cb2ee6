// The Action chart with 2000 nodes: 40 parent nodes under one root, each with 49 end nodes, so
// three levels. ActLayout places every node around the root (boxes 60 x 20 document units), in the
// default view (1500 units square, crowded: many nodes use all 1000 tries) and in the largest
// (5000). One animation frame moves every node and outlines its box over a restored client-sized
// picture; at 120 Hz a frame has 8 ms, the layout should stay under 50 ms.
#include <benchmark/benchmark.h>
#include <cairo.h>

#include <memory>
#include <vector>

#include "charts/action/action_animation.h"
#include "model/levels.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo {
namespace {

constexpr Size kBox{60, 20};
constexpr int kClientWidth = 1920, kClientHeight = 1080;

std::unique_ptr<Diagram> BigHierarchy(int viewSize) {
  RandomSource random(2000);
  auto diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  ResetToNewDocument(d, random, 2000);
  d.header.CurrentChart = ActionChart;
  d.header.ViewWidth[ActionChart] = d.header.ViewHeight[ActionChart] = viewSize;
  const auto add = [&d](int32_t serial, int32_t parent) {
    const int index = d.header.ObjectCount++;
    DiagramObject& o = d.object(index);
    o.Kind = Node;
    o.Serial = serial;
    o.ToSerial = -1;
    o.IsEndNode = 1;
    if (parent > 0) {
      o.ParentSerials[o.ParentCount++] = parent;
      d.object(FindBySerial(d, parent)).IsEndNode = 0;
    }
  };
  int32_t serial = 1;
  add(serial++, 0);
  for (int p = 0; p < 40; ++p) add(serial++, 1);
  for (int p = 0; p < 40; ++p) {
    for (int e = 0; e < 49 && d.count() < kMaxObjects; ++e) add(serial++, 2 + p);
  }
  ComputeLevels(d);
  d.header.ActCenterObject = 0;
  return diagram;
}

void BM_ActLayout(benchmark::State& state) {
  const auto diagram = BigHierarchy(static_cast<int>(state.range(0)));
  const std::vector<Size> boxes(static_cast<std::size_t>(diagram->count()), kBox);
  RandomSource random;
  uint32_t seed = 1;
  for (auto _ : state) ActLayout(*diagram, boxes, random, seed++, true);
  state.counters["nodes"] = diagram->count();
}
BENCHMARK(BM_ActLayout)->Arg(1500)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_ActAnimationFrame(benchmark::State& state) {
  const auto diagram = BigHierarchy(1500);
  const std::vector<Size> boxes(static_cast<std::size_t>(diagram->count()), kBox);
  RandomSource random;
  ActLayout(*diagram, boxes, random, 1, true);
  diagram->header.ActCenterObject = 5;
  ActLayout(*diagram, boxes, random, 2, false);
  for (int i = 0; i < diagram->count(); ++i) {
    const Point p = diagram->object(i).ActTarget;
    diagram->state(i).BodyRect = {p.X - kBox.width / 2, p.Y - kBox.height / 2, p.X + kBox.width / 2,
                                  p.Y + kBox.height / 2};
  }
  // The last picture of the chart, restored under every frame, and the window drawn on.
  const auto picture = CairoSurface::CreateImage(kClientWidth, kClientHeight);
  const auto window = CairoSurface::CreateImage(kClientWidth, kClientHeight);
  cairo_t* restore = cairo_create(window->Target());
  ActionAnimation animation;
  animation.Start();
  for (auto _ : state) {
    if (!animation.running()) animation.Start();
    animation.Step(*diagram, [&] {
      cairo_set_source_surface(restore, picture->Target(), 0, 0);
      cairo_paint(restore);
      DrawMovingRects(*diagram, *window);
    });
    cairo_surface_flush(window->Target());
  }
  cairo_destroy(restore);
}
BENCHMARK(BM_ActAnimationFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
