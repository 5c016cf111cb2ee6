#include "cli/action_chart.h"

#include <ctime>

#include "charts/action/action_layout.h"
#include "cli/document_dump.h"
#include "cli/json_writer.h"
#include "model/levels.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo::cli {
namespace {

class WallClock final : public Clock {
 public:
  int64_t Now() const override { return static_cast<int64_t>(std::time(nullptr)); }
};

}  // namespace

void LayOutActionChart(RenderContext& context) {
  const WallClock clock;
  ActionLayout layout(clock);
  layout.AutoLayout(context);
}

bool DumpActionChart(std::ostream& out, Diagram& diagram, const PictureCodec& codec, std::string& error) {
  diagram.header.CurrentChart = ActionChart;
  ComputeLevels(diagram);
  // The titles are measured as the editor measures them, on a surface of the same renderer.
  const auto surface = CairoSurface::CreateImage(1, 1);
  if (!surface) {
    error = "no memory for measuring the texts";
    return false;
  }
  ViewState view;
  RandomSource random;
  RenderContext context(diagram, *surface, view, random);
  LayOutActionChart(context);
  MeasureActionBoxes(context);  // every node laid out at its place in the chart
  DumpDiagram(out, diagram, codec, [&diagram](JsonWriter& json, int index) {
    if (!IsNode(diagram.object(index))) return;
    const ObjectState& state = diagram.state(index);
    json.BeginObject("ChartPos");
    json.Int("X", state.ChartPos.X);
    json.Int("Y", state.ChartPos.Y);
    json.EndObject();
    json.Int("Level", state.Level);
    json.Int("LevelSeq", state.LevelSeq);
  });
  return true;
}

}  // namespace ravelo::cli
