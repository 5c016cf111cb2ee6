// The Action chart in ravelo-cli: laid out as showing it in the editor would (final places, no
// animation), for render --chart action and dump --chart action.
#pragma once

#include <ostream>
#include <string>

#include "drawing/render_context.h"
#include "platform/picture_codec.h"

namespace ravelo::cli {

// Lays the chart out when some node has no place in it yet, centred on the main selection or the
// first node, seeded by the time.
void LayOutActionChart(RenderContext& context);

// Makes the Action chart the chart shown, lays it out (final places, no animation) and dumps the
// diagram with each node's position in the chart (ChartPos), its Level and its LevelSeq. False,
// with the reason in error, when no surface to measure the texts on could be made.
bool DumpActionChart(std::ostream& out, Diagram& diagram, const PictureCodec& codec, std::string& error);

}  // namespace ravelo::cli
