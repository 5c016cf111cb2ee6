// The diagram as JSON for scripts and tests: every field of the header and of each object under
// its record name, texts as UTF-8, reserved bytes left out.
#pragma once

#include <functional>
#include <ostream>

#include "cli/json_writer.h"
#include "model/diagram.h"
#include "platform/picture_codec.h"

namespace ravelo::cli {

// Writes more fields into the object at index, after its record's.
using ObjectExtras = std::function<void(JsonWriter& json, int index)>;

void DumpDiagram(std::ostream& out, const Diagram& diagram, const PictureCodec& codec,
                 const ObjectExtras& extras = {});

}  // namespace ravelo::cli
