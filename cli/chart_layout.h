// The charts as the command-line tool lays them out: by name, and as the editor lays a chart out
// when it is shown, so that a dump or an image of a chart holds the positions the editor would
// show.
#pragma once

#include <optional>
#include <string_view>

#include "model/diagram.h"

namespace ravelo::cli {

// The chart a --chart value names, among the charts the tool can lay out and draw; none otherwise.
std::optional<int> ChartByName(std::string_view name);

// Makes the chart the one shown, computes the levels and runs the chart's entry step at the
// chart's own zoom (a chart whose positions are still unset is laid out).
void LayOutChart(Diagram& diagram, int chart);

}  // namespace ravelo::cli
