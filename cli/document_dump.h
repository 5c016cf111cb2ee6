// The diagram as JSON for scripts and tests: every field of the header and of each object under
// its record name, texts as UTF-8, reserved bytes left out.
#pragma once

#include <optional>
#include <ostream>

#include "model/diagram.h"
#include "platform/picture_codec.h"

namespace ravelo::cli {

// With a chart laid out beforehand, every node also carries its position in that chart
// (ChartPos, document units) and its Level and LevelSeq.
void DumpDiagram(std::ostream& out, const Diagram& diagram, const PictureCodec& codec,
                 std::optional<int> laidOutChart = std::nullopt);

}  // namespace ravelo::cli
