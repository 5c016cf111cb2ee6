// The Action chart in ravelo-cli: laid out as showing it in the editor would (final places, no
// animation), for render --chart action and dump --chart action.
#pragma once

#include <string_view>

#include "drawing/render_context.h"
#include "platform/picture_codec.h"

namespace ravelo::cli {

// Lays the chart out when some node has no place in it yet, centred on the main selection or the
// first node, seeded by the time.
void LayOutActionChart(RenderContext& context);

// dump FILE --chart action: the document with the chart shown and laid out, each node with its
// position in the chart (ChartPos), Level and LevelSeq. The exit status of the tool.
int DumpActionChart(Diagram& diagram, const PictureCodec& codec, std::string_view option,
                    std::string_view chart);

}  // namespace ravelo::cli
