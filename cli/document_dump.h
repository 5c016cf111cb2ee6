// The diagram as JSON for scripts and tests: every field of the header and of each object under
// its record name, texts as UTF-8, reserved bytes left out.
#pragma once

#include <functional>
#include <ostream>

#include "model/diagram.h"
#include "platform/picture_codec.h"

namespace ravelo::cli {

class JsonWriter;

// What a chart adds to the fields of the object at an index, written at the end of its block.
using ObjectExtras = std::function<void(JsonWriter& json, int index)>;

void DumpDiagram(std::ostream& out, const Diagram& diagram, const PictureCodec& codec,
                 const ObjectExtras& extras = {});

}  // namespace ravelo::cli
