// A full repaint of a Box chart of 2000 objects into a screen-sized client area, as the editor's
// view does it on every paint: the scene, the layout of every node, memo, picture and box, and
// the drawing. 40 boxes hold 4 boxes each, which hold 11 nodes each; every fifth node has a memo
// and 200 nodes a picture. One frame of the editor should take at most 16 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "charts/scene.h"
#include "model/levels.h"
#include "cli/console_messages.h"
#include "cli/fallback_settings.h"
#include "model/cp932.h"
#include "model/object_defaults.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo {
namespace {

constexpr int kClientWidth = 1920, kClientHeight = 1080;

std::unique_ptr<Picture> SmallPicture(int seed) {
  auto picture = std::make_unique<Picture>();
  picture->width = picture->height = 48;
  picture->bgra.resize(48 * 48 * 4);
  for (std::size_t i = 0; i < picture->bgra.size(); ++i)
    picture->bgra[i] = static_cast<uint8_t>(i * 7 + seed);
  return picture;
}

std::unique_ptr<Diagram> BigChart() {
  cli::ConsoleMessages messages;
  cli::FallbackSettings settings;
  RandomSource random(2000);
  auto diagram = std::make_unique<Diagram>();
  Diagram& d = *diagram;
  ResetToNewDocument(d, random, 2000);
  d.header.ViewWidth[BoxChart] = 3840;
  d.header.ViewHeight[BoxChart] = 2160;
  const ObjectServices services{settings, messages, random, {}, {}, {}};
  const auto create = [&](const std::string& titleUtf8, Point at, bool endNode) {
    const std::string title = Utf8ToCp932(titleUtf8).text;
    NewObject request;
    request.title = title;
    request.positions[BoxChart] = at;
    request.isEndNode = endNode;
    request.builtInPicture = -1;
    CreateObject(d, request, services);
    d.state(d.count() - 1).Selected = 0;
    return d.count() - 1;
  };
  int nodes = 0, pictures = 0;
  for (int outer = 0; outer < 40; ++outer) {
    const int ox = (outer % 8) * 480, oy = (outer / 8) * 432;
    const int box = create("部署 " + std::to_string(outer + 1), {-1, -1}, false);
    for (int inner = 0; inner < 4; ++inner) {
      const int ix = ox + 40 + (inner % 2) * 220, iy = oy + 60 + (inner / 2) * 190;
      const int group = create("課 " + std::to_string(inner + 1), {-1, -1}, false);
      AddParent(d, messages, group, box);
      for (int k = 0; k < 11; ++k) {
        const int node =
            create("担当者" + std::to_string(++nodes), {ix + (k % 3) * 66, iy + (k / 3) * 36}, true);
        AddParent(d, messages, node, group);
        if (nodes % 5 == 0) {
          SetFieldText(d.object(node).MemoText, Utf8ToCp932("記事\n二行目").text, kMemoBytes);
          for (int32_t& shown : d.object(node).ShowMemo) shown = 1;
          d.object(node).Memo.MemoPos[BoxChart] = {0, 22};
        }
        if (nodes % 9 == 0 && pictures < 200) {
          ++pictures;
          SetPicture(d, node, SmallPicture(pictures));
          for (int32_t& w : d.object(node).ImageW) w = 24;
          for (int32_t& h : d.object(node).ImageH) h = 24;
        }
      }
    }
  }
  while (d.count() < kMaxObjects) {
    const int outer = d.count() % 40;
    const int node =
        create("顧問" + std::to_string(d.count()), {(outer % 8) * 480 + 420, (outer / 8) * 432 + 40}, true);
    AddParent(d, messages, node, outer * 49);  // each department holds 49 objects
  }
  d.header.CurrentObject = -1;
  ComputeLevels(d);
  return diagram;
}

void Repaint(benchmark::State& state, float zoom) {
  const std::unique_ptr<Diagram> diagram = BigChart();
  diagram->header.Zoom[BoxChart] = zoom;
  const auto backBuffer = CairoSurface::CreateImage(kClientWidth, kClientHeight);
  ViewState view;
  RandomSource random;
  RenderContext context(*diagram, *backBuffer, view, random);
  for (auto _ : state) {
    PaintCanvas(context, {0, 0, kClientWidth, kClientHeight});
    benchmark::DoNotOptimize(backBuffer->PixelAt({kClientWidth / 2, kClientHeight / 2}));
  }
  state.counters["objects"] = diagram->count();
}

// The whole chart visible: the view of 3840 × 2160 at 50%.
void BM_BoxChartRepaintAllVisible(benchmark::State& state) { Repaint(state, 0.5f); }
// At 100%: everything laid out and drawn, a quarter of it inside the client area.
void BM_BoxChartRepaintAtFullSize(benchmark::State& state) { Repaint(state, 1.0f); }

BENCHMARK(BM_BoxChartRepaintAllVisible)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxChartRepaintAtFullSize)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
