#include "drawing/node_layout.h"

#include "geometry/geometry.h"
#include "drawing/picture_placement.h"
#include "drawing/text_layout.h"
#include "model/cp932.h"

namespace ravelo {

bool ShowsPicture(const RenderContext& context, int index) {
  return context.diagram.header.ShowImages[context.chart] != 0 && context.diagram.object(index).Image != 0 &&
         context.diagram.table.pictures[static_cast<std::size_t>(index)] != nullptr;
}

bool IsTitleLine(const RenderContext& context, int index) {
  const DiagramObject& object = context.diagram.object(index);
  return ShowsPicture(context, index) && object.SetIn == 1 && object.AlineV == 1 && object.AlineH == 1 &&
         !FieldText(object.Title).empty();
}

void LayoutEndNode(RenderContext& context, int index) {
  const DiagramObject& object = context.diagram.object(index);
  context.surface.SetFont(TitleFont(context, object, object.FontTate[context.chart] != 0));
  const Point anchor = context.chart == ActionChart ? object.ActCurrent : object.Pos[context.chart];
  context.diagram.state(index).ChartPos = anchor;
  LayoutTitle(context, index, anchor);
}

void LayoutTitle(RenderContext& context, int index, Point anchor) {
  const DiagramObject& object = context.diagram.object(index);
  ObjectState& state = context.diagram.state(index);
  const std::string_view title = FieldText(object.Title);
  const bool vertical = object.FontTate[context.chart] != 0;
  const Point at = context.Zoomed(anchor);

  Rect text;
  int firstPart = 0;
  if (IsTitleLine(context, index)) {
    firstPart = FirstPartWidth(context.surface, title);
    text = CentredOn(OneLineExtent(context.surface, title, vertical), at);
  } else {
    text = MeasureText(context, title, vertical, anchor);
  }
  const int frameHalf = context.Zoomed(object.Futosa / 2);
  state.ObjectRect = context.WithMargins(text, object.Margin);
  state.BodyRect = InflateRect(state.ObjectRect, frameHalf, frameHalf);
  state.MemoRect = {};
  state.ImageRect = {};

  const bool memoShown = object.ShowMemo[context.chart] != 0;
  if (memoShown) LayoutMemo(context, index);
  if (ShowsPicture(context, index)) {
    const PicturePlacement placed = PlacePicture(context, object, text, firstPart, at);
    state.ObjectRect = placed.frame;
    state.BodyRect = UnionRect(InflateRect(placed.frame, frameHalf, frameHalf), placed.picture);
    if (memoShown) state.BodyRect = UnionRect(state.BodyRect, state.MemoRect);
    state.ImageRect = placed.picture;
  }
}

void LayoutMemo(RenderContext& context, int index) {
  const DiagramObject& object = context.diagram.object(index);
  ObjectState& state = context.diagram.state(index);
  const Rect& title = state.ObjectRect;
  const Point offset = object.Memo.MemoPos[context.chart];
  const Point centre{context.Unzoomed((title.left + title.right) / 2) + offset.X,
                     context.Unzoomed((title.top + title.bottom) / 2) + offset.Y};
  context.surface.SetFont(MemoFont(context, object));
  const Rect text =
      MeasureText(context, FieldText(object.MemoText), object.Memo.FontTate[context.chart] != 0, centre);
  state.MemoRect = context.WithMargins(text, object.Memo.Margin);
  state.BodyRect = UnionRect(state.BodyRect, state.MemoRect);
}

}  // namespace ravelo
