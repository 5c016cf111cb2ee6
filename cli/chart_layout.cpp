#include "cli/chart_layout.h"

#include <ctime>
#include <utility>

#include "arcs/arc_painter.h"
#include "charts/chart_modules.h"
#include "model/levels.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo::cli {

std::optional<int> ChartByName(std::string_view name) {
  constexpr std::pair<std::string_view, int> kCharts[] = {
      {"box", BoxChart},
      {"star", StarChart},
      {"action", ActionChart},
      {"flow", FlowChart},
  };
  for (const auto& [chartName, chart] : kCharts) {
    if (name == chartName) return chart;
  }
  return std::nullopt;
}

void LayOutChart(Diagram& diagram, int chart) {
  diagram.header.CurrentChart = chart;
  ComputeLevels(diagram);
  // Text is measured as the image is drawn: through Cairo and Pango.
  const auto surface = CairoSurface::CreateImage(1, 1);
  if (!surface) return;
  ViewState view;
  RandomSource random;
  LinkArcPainter arcs;
  RenderContext context(diagram, *surface, view, random, {}, &arcs);
  EnterChart(context, static_cast<uint32_t>(std::time(nullptr)));
}

}  // namespace ravelo::cli
