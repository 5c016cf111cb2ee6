// The drawing of a parent node as a box in the Box chart.
#pragma once

#include "charts/box/box_layout.h"
#include "drawing/render_context.h"
#include "model/hierarchy.h"

namespace ravelo {

// Selection outline, walls, title band and title, memo, picture, handles and child mark. The box
// handles are drawn (and stored for hit testing) only while the box is the one selected object
// that is not an end node; otherwise they are left unset. A title with a picture is drawn where the
// layout put it; the picture moves with it into the band.
void DrawBox(RenderContext& context, int index, const ChildLists& children, const BoxTitleLayout& layout);

}  // namespace ravelo
