// How a text's font is built from the style fields of a record.
#pragma once

#include <string_view>

#include "render/surface.h"

namespace ravelo {

constexpr std::string_view kDefaultFace = "Meiryo UI";

// The font for a face named in the document (cp932; empty gives "Meiryo UI") and a size in points.
// On a display the size is scaled by the zoom; on a printer it is used as it is, because the page
// itself is scaled. Sizes below 2 points become 2. Vertical writing uses the face's "@" forms,
// running down the page.
Font MakeFont(const Surface& surface, std::string_view faceCp932, int size, float zoom, bool bold,
              bool italic, bool vertical);

}  // namespace ravelo
