// Places the boxes an import made in the Box chart: the headline of every chart becomes the file's
// name, the end nodes are spread around their top-level box, and the top-level boxes are set in
// rows across the view, a new row when one is full.
#pragma once

#include <functional>
#include <string_view>

#include "drawing/render_context.h"
#include "platform/clock.h"

namespace ravelo {

struct ArrangeServices {
  const Clock& clock;  // seeds the random placement of each node
  // Grows the view and shifts the content until every node fits, keeping the left and top
  // margins given (the first row's start); left out, the view stays as it is.
  std::function<void(RenderContext& context, int marginX, int marginY)> fitViewToContent;
};

// The Box chart must be the chart shown. The context's surface is a scratch one: the new headline is
// drawn on it to find where the first row begins. baseName is cp932.
void ArrangeImportedBoxes(RenderContext& context, std::string_view baseName, const ArrangeServices& services);

}  // namespace ravelo
