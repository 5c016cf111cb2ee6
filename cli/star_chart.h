// The Star chart in ravelo-cli: laid out as showing it in the editor does, for render and dump.
#pragma once

#include <ostream>
#include <string>

#include "charts/scene.h"
#include "model/diagram.h"
#include "platform/picture_codec.h"

namespace ravelo::cli {

// The Star chart's drawing for the scene, its first layout's spread seeded from the clock.
ChartDrawing StarChartForTool();

// Makes the Star chart the chart shown, lays it out as showing it would (the first layout when no
// node has a Star position yet) and dumps the diagram with each node's Star position as ChartPos
// (document units), its Level and its LevelSeq. False, with the reason in error, when no surface to
// measure the texts on could be made.
bool DumpStarChart(std::ostream& out, Diagram& diagram, const PictureCodec& codec, std::string& error);

}  // namespace ravelo::cli
