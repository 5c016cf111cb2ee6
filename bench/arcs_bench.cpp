// A full repaint of a Box chart of 2000 objects, 1000 of them link arcs of all 22 types, into a
// screen-sized client area, as the editor's view does it on every paint: the scene, the layout of
// every node, box and arc with its title, and the drawing. 20 boxes hold 4 boxes each, which hold
// 11 nodes each, and one node more; every fifth node has a memo, every other arc a title. One frame of the
// editor should take at most 16 ms.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/big_chart.h"
#include "charts/scene.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo {
namespace {

constexpr int kClientWidth = 1920, kClientHeight = 1080;

void Repaint(benchmark::State& state, float zoom) {
  const std::unique_ptr<Chart> chart = BigChartWithArcs();
  Diagram& d = *chart->diagram;
  d.header.Zoom[BoxChart] = zoom;
  const auto backBuffer = CairoSurface::CreateImage(kClientWidth, kClientHeight);
  ViewState view;
  RandomSource random;
  RenderContext context(d, *backBuffer, view, random, {}, &chart->arcs);
  for (auto _ : state) {
    PaintCanvas(context, {0, 0, kClientWidth, kClientHeight});
    benchmark::DoNotOptimize(backBuffer->PixelAt({kClientWidth / 2, kClientHeight / 2}));
  }
  int arcs = 0;
  for (int i = 0; i < d.count(); ++i) arcs += IsLinkArc(d.object(i)) ? 1 : 0;
  state.counters["objects"] = d.count();
  state.counters["arcs"] = arcs;
}

// The layout of the 1000 arcs alone (paths and titles), without drawing.
void BM_ArcLayoutOnly(benchmark::State& state) {
  const std::unique_ptr<Chart> chart = BigChartWithArcs();
  Diagram& d = *chart->diagram;
  d.header.Zoom[BoxChart] = 0.5f;
  const auto backBuffer = CairoSurface::CreateImage(kClientWidth, kClientHeight);
  ViewState view;
  RandomSource random;
  RenderContext context(d, *backBuffer, view, random, {}, &chart->arcs);
  PaintCanvas(context, {0, 0, kClientWidth, kClientHeight});
  for (auto _ : state) {
    for (int i = 0; i < d.count(); ++i) {
      if (IsLinkArc(d.object(i))) LayoutArc(context, i);
    }
    benchmark::DoNotOptimize(d.state(d.count() - 1).BodyRect);
  }
}

// The whole chart visible: the view of 3840 × 2160 at 50%.
void BM_ChartWithArcsRepaintAllVisible(benchmark::State& state) { Repaint(state, 0.5f); }
// At 100%: everything laid out and drawn, a quarter of it inside the client area.
void BM_ChartWithArcsRepaintAtFullSize(benchmark::State& state) { Repaint(state, 1.0f); }

BENCHMARK(BM_ChartWithArcsRepaintAllVisible)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChartWithArcsRepaintAtFullSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArcLayoutOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
