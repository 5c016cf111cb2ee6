// The Flow chart of 2000 nodes in a hierarchy of 6 levels (5, 20, 75, 300, 600 and 1000 nodes,
// each node a child of one node of the level above): its first layout, and a full repaint into a
// screen-sized client area as the editor's view does it on every paint. Goals: the layout under
// 20 ms, one repaint under 16 ms.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

#include "arcs/arc_painter.h"
#include "charts/chart_modules.h"
#include "charts/flow/flow_layout.h"
#include "cli/console_messages.h"
#include "cli/fallback_settings.h"
#include "model/cp932.h"
#include "model/levels.h"
#include "model/object_defaults.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo {
namespace {

constexpr int kClientWidth = 1920, kClientHeight = 1080;
constexpr std::array<int, 6> kLevelSizes{5, 20, 75, 300, 600, 1000};

std::unique_ptr<Diagram> SixLevels() {
  cli::ConsoleMessages messages;
  cli::FallbackSettings settings;
  RandomSource random(2000);
  auto diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  ResetToNewDocument(d, random, 2000);
  d.header.CurrentChart = FlowChart;
  const ObjectServices services{settings, messages, random, {}, {}, {}};
  int firstOfLevelAbove = -1;
  for (std::size_t level = 0; level < kLevelSizes.size(); ++level) {
    const int first = d.count();
    for (int k = 0; k < kLevelSizes[level]; ++k) {
      const std::string title = Utf8ToCp932("担当" + std::to_string(d.count() + 1)).text;
      NewObject request;
      request.title = title;
      request.isEndNode = level + 1 == kLevelSizes.size();
      request.builtInPicture = -1;
      CreateObject(d, request, services);
      d.state(d.count() - 1).Selected = 0;
      if (firstOfLevelAbove >= 0)
        AddParent(d, messages, d.count() - 1, firstOfLevelAbove + k % kLevelSizes[level - 1]);
    }
    firstOfLevelAbove = first;
  }
  d.header.CurrentObject = -1;
  ComputeLevels(d);
  return diagram;
}

void BM_FlowLayout(benchmark::State& state) {
  const std::unique_ptr<Diagram> diagram = SixLevels();
  const auto surface = CairoSurface::CreateImage(kClientWidth, kClientHeight);
  ViewState view;
  RandomSource random;
  LinkArcPainter arcs;
  RenderContext context(*diagram, *surface, view, random, {}, &arcs);
  for (auto _ : state) benchmark::DoNotOptimize(FlowLayout(context, 1));
  state.counters["objects"] = diagram->count();
  state.counters["levels"] = diagram->LevelCount;
}

void BM_FlowRepaint(benchmark::State& state) {
  const std::unique_ptr<Diagram> diagram = SixLevels();
  const auto backBuffer = CairoSurface::CreateImage(kClientWidth, kClientHeight);
  ViewState view;
  RandomSource random;
  LinkArcPainter arcs;
  RenderContext context(*diagram, *backBuffer, view, random, {}, &arcs);
  FlowLayout(context, 1);
  const OtherCharts drawings = ChartDrawings(1);
  for (auto _ : state) {
    PaintCanvas(context, {0, 0, kClientWidth, kClientHeight}, drawings);
    benchmark::DoNotOptimize(backBuffer->PixelAt({kClientWidth / 2, kClientHeight / 2}));
  }
  state.counters["objects"] = diagram->count();
}

BENCHMARK(BM_FlowLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlowRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
