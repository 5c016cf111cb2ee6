#include "cli/star_chart.h"

#include <ctime>

#include "arcs/arc_painter.h"
#include "charts/star/star_drawing.h"
#include "charts/star/star_layout.h"
#include "cli/document_dump.h"
#include "cli/fallback_settings.h"
#include "model/levels.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo::cli {
namespace {

uint32_t ClockSeed() { return static_cast<uint32_t>(std::time(nullptr)); }

}  // namespace

ChartDrawing StarChartForTool() { return StarChartDrawing(ClockSeed()); }

bool DumpStarChart(std::ostream& out, Diagram& diagram, const PictureCodec& codec, std::string& error) {
  const auto surface = CairoSurface::CreateImage(1, 1);  // the layout only measures
  if (!surface) {
    error = "no memory for measuring the texts";
    return false;
  }
  diagram.header.CurrentChart = StarChart;
  ViewState view;
  RandomSource random;
  const FallbackSettings settings;
  LinkArcPainter arcs;
  RenderContext context(diagram, *surface, view, random, ReadSceneSettings(settings), &arcs);
  StarAutoLayout(context, ClockSeed());
  ComputeLevels(diagram);  // also when the positions were there already
  DumpDiagram(out, diagram, codec, [&diagram](JsonWriter& json, int index) {
    if (IsLinkArc(diagram.object(index))) return;
    const Point position = diagram.object(index).Pos[StarChart];
    json.BeginObject("ChartPos");
    json.Int("X", position.X);
    json.Int("Y", position.Y);
    json.EndObject();
    json.Int("Level", diagram.state(index).Level);
    json.Int("LevelSeq", diagram.state(index).LevelSeq);
  });
  return true;
}

}  // namespace ravelo::cli
