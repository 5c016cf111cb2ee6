// A whole chart's worth of drawing on the screen-sized image: 2000 rounded nodes with titles, as
// the node drawing does it (font, measure, fill, frame, title), in a plain, a double and a sevenfold
// line style. One frame of the editor should take at most 16 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "model/random.h"
#include "platform/cairo/cairo_surface.h"
#include "render/figure.h"
#include "render/font.h"
#include "render/line_styles.h"

namespace ravelo {
namespace {

constexpr int kWidth = 1920, kHeight = 1080, kNodes = 2000;

struct Node {
  Point centre;
  std::string title;
};

std::vector<Node> Chart() {
  RandomSource random(2000);
  std::vector<Node> nodes;
  for (int i = 0; i < kNodes; ++i) {
    nodes.push_back({{40 + random.Next() % (kWidth - 80), 20 + random.Next() % (kHeight - 40)},
                     "関係図ノード " + std::to_string(i + 1)});
  }
  return nodes;
}

enum Parts { kShapes = 1, kTitles = 2, kBoth = 3 };

void DrawChart(benchmark::State& state, int parts) {
  const auto surface = CairoSurface::CreateImage(kWidth, kHeight);
  const std::vector<Node> nodes = Chart();
  const int style = static_cast<int>(state.range(0));
  const float zoom = 1.0f;
  RandomSource random;
  surface->SetTransparentBackground(true);
  for (auto _ : state) {
    surface->FillRect({0, 0, kWidth, kHeight}, Rgb(255, 255, 255));
    for (const Node& node : nodes) {
      surface->SetFont(MakeFont(*surface, "", 9, zoom, false, false, false));
      const Size text = surface->TextExtent(node.title);
      const Rect box{node.centre.X - text.width / 2 - 6, node.centre.Y - text.height / 2 - 4,
                     node.centre.X + text.width / 2 + 6, node.centre.Y + text.height / 2 + 4};
      if (parts & kShapes) {
        std::vector<Point> points{{box.left, box.top}, {box.right, box.bottom}, {20, 20}};
        const FigureContext context{*surface, zoom, random};
        DrawFigure(context, points, kFigureRoundRect, Rgb(255, 250, 220), kNoColour, 0, 1);
        DrawFigure(context, points, kFigureRoundRect, kNoColour, Rgb(0, 60, 160), style, 1);
      }
      if (parts & kTitles) {
        surface->SetTextColour(Rgb(0, 0, 0));
        surface->DrawTextInRect({box.left + 6, box.top + 4, box.right - 6, box.bottom - 4}, node.title,
                                {TextAlign::Centre, TextLines::WordBreak, false});
      }
    }
    benchmark::DoNotOptimize(surface->PixelAt({kWidth / 2, kHeight / 2}));
  }
  state.SetItemsProcessed(state.iterations() * kNodes);
}

void BM_ChartOfRoundedNodes(benchmark::State& state) { DrawChart(state, kBoth); }
void BM_ShapesOnly(benchmark::State& state) { DrawChart(state, kShapes); }
void BM_TitlesOnly(benchmark::State& state) { DrawChart(state, kTitles); }

BENCHMARK(BM_ChartOfRoundedNodes)->Arg(0)->Arg(5)->Arg(18)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShapesOnly)->Arg(0)->Arg(5)->Arg(18)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitlesOnly)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo

