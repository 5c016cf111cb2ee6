// Where a title's picture goes against its text, and the frame that holds them: above, at or below
// the title, left, centred or right, set into the title or beside its frame.
#pragma once

#include "drawing/render_context.h"

namespace ravelo {

struct PicturePlacement {
  Rect frame;    // the title frame: the text with its margins, grown where the picture is set in
  Rect picture;  // where the picture is drawn, ImageW × ImageH of the chart at the zoom
};

// For a node's or a link arc's title: text is the title's text rectangle around the anchor (canvas
// pixels), firstPartWidth the width of the title's first part when the picture sits between the
// two parts of the title, else 0.
PicturePlacement PlacePicture(const RenderContext& context, const DiagramObject& object, const Rect& text,
                              int firstPartWidth, Point anchor);

// For the title band of a box: as PlacePicture, but a title line (set in, at the title, centred,
// horizontal) is centred in the box's outer rectangle, and a vertical title with its picture
// centred above or below it keeps the picture next to the text, inside its margins.
PicturePlacement PlaceBoxPicture(const RenderContext& context, const DiagramObject& object, const Rect& text,
                                 int firstPartWidth, Point anchor, const Rect& boxOuter);

}  // namespace ravelo
