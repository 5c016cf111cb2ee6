#include "charts/box/box_layout.h"

#include <array>

#include "geometry/geometry.h"
#include "drawing/node_layout.h"
#include "drawing/picture_placement.h"
#include "drawing/text_layout.h"
#include "model/cp932.h"

namespace ravelo {
namespace {

enum Side { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3, kNoSide = -1 };

Side TitleSide(const DiagramObject& box) {
  return box.TitlePos >= 1 && box.TitlePos <= 4 ? static_cast<Side>(box.TitlePos - 1) : kNoSide;
}

Point CentreOf(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The outer rectangle and the four side bands (left, top, right, bottom, each across the whole
// box) around the frame, for the thickness of each side.
void StoreOutline(ObjectState& state, const Rect& frame, const std::array<int, 4>& thickness) {
  const Rect outer{frame.left - thickness[kLeft], frame.top - thickness[kTop],
                   frame.right + thickness[kRight], frame.bottom + thickness[kBottom]};
  state.BoxOuterRect = outer;
  state.BodyRect = outer;
  state.TitleBands[kLeft] = {outer.left, outer.top, frame.left, outer.bottom};
  state.TitleBands[kTop] = {outer.left, outer.top, outer.right, frame.top};
  state.TitleBands[kRight] = {frame.right, outer.top, outer.right, outer.bottom};
  state.TitleBands[kBottom] = {outer.left, frame.bottom, outer.right, outer.bottom};
}

// The title side's band without its corners; an empty rectangle at the centre without a side.
Rect TitleRect(const Rect& outer, const Rect& frame, Side side) {
  switch (side) {
    case kLeft:
      return {outer.left, frame.top, frame.left, frame.bottom};
    case kTop:
      return {frame.left, outer.top, frame.right, frame.top};
    case kRight:
      return {frame.right, frame.top, outer.right, frame.bottom};
    case kBottom:
      return {frame.left, frame.bottom, frame.right, outer.bottom};
    case kNoSide:
      break;
  }
  const Point centre = CentreOf(frame);
  return {centre.X, centre.Y, centre.X, centre.Y};
}

}  // namespace

BoxTitleLayout LayoutBox(RenderContext& context, int index, const ChildLists& children) {
  const DiagramObject& box = context.diagram.object(index);
  ObjectState& state = context.diagram.state(index);

  Rect content{};
  for (int descendant : children.DescendantsOf(index)) {
    content = UnionRect(content, context.diagram.state(descendant).BodyRect);
  }
  if (IsEmptyRect(content)) return {};  // nothing to enclose yet: the previous rectangles stay

  const Rect frame = context.WithMargins(content, box.WakuMa);
  state.BoxFrameRect = frame;
  const Side side = TitleSide(box);
  const bool vertical = side == kLeft || side == kRight;
  context.surface.SetFont(TitleFont(context, box, vertical));
  const std::string_view title = FieldText(box.Title);
  const int wall = context.Zoomed(box.WakuW);
  std::array<int, 4> thickness{wall, wall, wall, wall};
  state.MemoRect = {};
  state.ImageRect = {};
  const bool memoShown = box.ShowMemo[context.chart] != 0;

  if (!ShowsPicture(context, index)) {
    // The band is as thick as the text, whose length runs along it, with its margins across it.
    const int text = context.surface.TextExtent(Cp932ToUtf8(title)).height;
    if (side != kNoSide) {
      const int across = vertical ? context.Zoomed(box.Margin[0]) + context.Zoomed(box.Margin[2])
                                  : context.Zoomed(box.Margin[1]) + context.Zoomed(box.Margin[3]);
      thickness[side] = wall + text + across;
    }
    StoreOutline(state, frame, thickness);
    state.ObjectRect = TitleRect(state.BoxOuterRect, frame, side);
    const Point centre = CentreOf(state.ObjectRect);
    state.ChartPos = {context.Unzoomed(centre.X), context.Unzoomed(centre.Y)};
    if (memoShown) LayoutMemo(context, index);
    return {.laidOut = true};
  }

  // With a picture the band holds the title's frame and picture, laid out first at the centre and
  // then moved against the frame on the title side.
  const Point centre = CentreOf(frame);
  const int firstPart = box.SetIn == 1 ? FirstPartWidth(context.surface, title) : 0;
  const Size extent = OneLineExtent(context.surface, title, vertical);
  const Rect centred =
      PlaceBoxPicture(context, box, CentredOn(extent, centre), firstPart, centre, state.BoxOuterRect).frame;
  if (side != kNoSide) {
    thickness[side] = wall + (vertical ? centred.right - centred.left : centred.bottom - centred.top);
  }
  StoreOutline(state, frame, thickness);

  Point anchor = centre;
  switch (side) {
    case kLeft:
      anchor.X -= centred.right - frame.left;
      break;
    case kTop:
      anchor.Y -= centred.bottom - frame.top;
      break;
    case kRight:
      anchor.X += frame.right - centred.left;
      break;
    case kBottom:
      anchor.Y += frame.bottom - centred.top;
      break;
    case kNoSide:
      break;
  }
  state.ChartPos = {context.Unzoomed(anchor.X), context.Unzoomed(anchor.Y)};
  const Rect text = CentredOn(extent, anchor);
  state.ObjectRect = context.WithMargins(text, box.Margin);
  state.BodyRect = UnionRect(state.BodyRect, state.ObjectRect);
  if (memoShown) LayoutMemo(context, index);

  const PicturePlacement placed = PlaceBoxPicture(context, box, text, firstPart, anchor, state.BoxOuterRect);
  if (side != kNoSide) state.ObjectRect = state.TitleBands[side];
  state.BodyRect = UnionRect(UnionRect(state.BodyRect, placed.frame), placed.picture);
  state.ImageRect = placed.picture;
  return {.laidOut = true, .anchor = anchor};
}

}  // namespace ravelo
