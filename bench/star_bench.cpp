// The Star chart's first layout of 2000 nodes, as showing the chart or its reset runs it, with the
// texts measured by Cairo and Pango: a company of 40 departments under one root, each holding 49
// people, in a Star view of 1500 × 1500. With the spread and without it (placing and pulling into
// the view only); and the spread alone on 2000 nodes stacked on one point, the worst case it must
// still finish quickly. The goal for the layout is under 50 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>

#include "charts/star/star_layout.h"
#include "model/cp932.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo {
namespace {

int AddPlainNode(Diagram& d, int32_t serial, int32_t parent, const std::string& titleUtf8) {
  const int index = d.header.ObjectCount++;
  DiagramObject& o = d.object(index);
  o = DiagramObject{};
  o.Kind = Node;
  o.Serial = serial;
  o.ToSerial = -1;
  o.IsEndNode = 1;
  SetFieldText(o.Title, Utf8ToCp932(titleUtf8).text, kTitleBytes);
  SetFieldText(o.FontName, "Meiryo UI", kFontFaceBytes);
  o.FontSize = 9;
  o.refText = Rgb(0, 0, 0);
  o.refMen = Rgb(240, 240, 255);
  o.refLine = Rgb(0, 0, 128);
  o.Futosa = 1;
  o.TitleAline = 1;
  for (int32_t& m : o.Margin) m = 3;
  o.TransColor = kNoColour;
  for (Point& p : o.Pos) p = kUnsetPoint;
  if (parent != 0) {
    o.ParentSerials[o.ParentCount++] = parent;
    d.object(FindBySerial(d, parent)).IsEndNode = 0;
  }
  return index;
}

std::unique_ptr<Diagram> Company() {
  auto diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  d.header.CurrentChart = StarChart;
  d.header.ViewWidth[StarChart] = 1500;
  d.header.ViewHeight[StarChart] = 1500;
  AddPlainNode(d, 1, 0, "株式会社");
  for (int department = 0; department < 40; ++department) {
    const int32_t serial = 2 + department * 50;
    AddPlainNode(d, serial, 1, "部署" + std::to_string(department + 1));
    for (int person = 1; person <= 49 && d.count() < kMaxObjects; ++person)
      AddPlainNode(d, serial + person, serial, "担当者" + std::to_string(person));
  }
  return diagram;
}

std::unique_ptr<Diagram> Stack() {
  auto diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  RandomSource random;
  ResetToNewDocument(d, random, 1);
  d.header.CurrentChart = StarChart;
  for (int32_t serial = 1; serial <= kMaxObjects; ++serial) {
    AddPlainNode(d, serial, 0, "重なったノード" + std::to_string(serial));
    d.object(serial - 1).Pos[StarChart] = {700, 700};
  }
  return diagram;
}

// The diagram with what laying it out needs: a surface to measure the texts on.
struct Bench {
  explicit Bench(std::unique_ptr<Diagram> laidOut) : diagram(std::move(laidOut)) {}
  std::unique_ptr<Diagram> diagram;
  std::unique_ptr<CairoSurface> surface = CairoSurface::CreateImage(1, 1);
  ViewState view;
  RandomSource random;
  RenderContext context{*diagram, *surface, view, random};
};

void BM_StarLayout(benchmark::State& state) {
  Bench bench(Company());
  uint32_t seed = 1;
  for (auto _ : state) benchmark::DoNotOptimize(StarLayout(bench.context, seed++));
  state.counters["objects"] = bench.diagram->count();
}

void BM_StarLayoutWithoutSpread(benchmark::State& state) {
  Bench bench(Company());
  for (auto _ : state) {
    benchmark::DoNotOptimize(StarPlace(*bench.diagram));
    StarClamp(bench.context);
  }
  state.counters["objects"] = bench.diagram->count();
}

void BM_StarSpreadOfStackedNodes(benchmark::State& state) {
  Bench bench(Stack());
  uint32_t seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < bench.diagram->count(); ++i) bench.diagram->object(i).Pos[StarChart] = {700, 700};
    state.ResumeTiming();
    StarSpread(bench.context, seed++);
  }
  state.counters["objects"] = bench.diagram->count();
}

BENCHMARK(BM_StarLayout)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StarLayoutWithoutSpread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StarSpreadOfStackedNodes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
