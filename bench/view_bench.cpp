// The object hit test over a full chart, as hover and every press run it: 2000 objects, 1000 of
// them link arcs, laid out at 50 % and at 100 %, tested at the far corner of the view area where
// nothing lies, so that every object is visited. Hover and drag should never wait on it: it should
// take well under 1 ms.
#include <benchmark/benchmark.h>

#include "bench/big_chart.h"
#include "charts/chart_rules.h"
#include "charts/scene.h"
#include "platform/cairo/cairo_surface.h"
#include "view/hit_test.h"

namespace ravelo {
namespace {

void HitTestAtTheFarCorner(benchmark::State& state, float zoom) {
  const std::unique_ptr<Chart> chart = BigChartWithArcs();
  Diagram& d = *chart->diagram;
  d.header.Zoom[BoxChart] = zoom;
  const Rect view = ViewRect(d.header);
  const auto canvas = CairoSurface::CreateImage(view.right, view.bottom);
  ViewState viewState;
  RandomSource random;
  RenderContext context(d, *canvas, viewState, random, {}, &chart->arcs);
  PaintCanvas(context, view);
  const Point corner{view.right - 2, view.bottom - 2};
  const ChartRules& rules = RulesOf(BoxChart);
  for (auto _ : state) benchmark::DoNotOptimize(HitTestObjects(d, rules, corner));
  state.counters["objects"] = d.count();
  state.counters["missed"] = HitTestObjects(d, rules, corner).Index == -1 ? 1 : 0;
}

void BM_HitTestObjectsAtHalfSize(benchmark::State& state) { HitTestAtTheFarCorner(state, 0.5f); }
void BM_HitTestObjectsAtFullSize(benchmark::State& state) { HitTestAtTheFarCorner(state, 1.0f); }

BENCHMARK(BM_HitTestObjectsAtHalfSize)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTestObjectsAtFullSize)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ravelo
