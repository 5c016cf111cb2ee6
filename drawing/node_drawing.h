// The drawing of nodes as title rectangles, of memos, pictures, child marks, the in-place edit frame
// and the rotation ring, shared by every chart. Each reads the rectangles the layout left in the
// object's ObjectState and stores the child mark's rectangle it draws.
#pragma once

#include "drawing/render_context.h"

namespace ravelo {

// A node's title rectangle, or a link arc with its title: selection mark, fill, frame, title, then
// memo, child mark, rotation ring, picture and picture-size handle. The object edited in place
// shows only its edit frame and memo.
void DrawNode(RenderContext& context, int index);

void DrawMemo(RenderContext& context, int index);

// The picture stretched into ImageRect (or copied with TransColor as transparent), framed when
// ImgFutosa is at least 1.
void DrawPicture(RenderContext& context, int index);

// The picture-size handle of a selected object: on the middle of ImageRect's right edge.
void DrawPictureHandle(RenderContext& context, int index);

// The child-selection symbol on the bottom-right corner of the box (Box chart) or of the body.
void DrawChildMark(RenderContext& context, int index);

// The dotted outline of the in-place edit box and its eight handles.
void DrawEditFrame(RenderContext& context);

// The ring of the rotation handle around the body's centre (a link arc: its ArcCentre), with the
// angle written beside the radius handle.
void DrawRotationRing(RenderContext& context, int index);

// A round handle: a circle of the radius with a one-pixel grey outline, filled.
void DrawHandle(Surface& surface, Point centre, int radius, Colour fill);

// The fill of a handle: dark blue on the main selection, red on the other selected objects.
Colour HandleColour(const RenderContext& context, int index);

}  // namespace ravelo
