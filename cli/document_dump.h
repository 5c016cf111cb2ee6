// The diagram as JSON for scripts and tests: every field of the header and of each object under
// its record name, texts as UTF-8, reserved bytes left out.
#pragma once

#include <ostream>

#include "model/diagram.h"
#include "platform/picture_codec.h"

namespace ravelo::cli {

void DumpDiagram(std::ostream& out, const Diagram& diagram, const PictureCodec& codec);

}  // namespace ravelo::cli
