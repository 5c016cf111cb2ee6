#include "charts/box/box_drawing.h"

#include <algorithm>

#include "geometry/geometry.h"
#include "drawing/node_drawing.h"
#include "drawing/node_layout.h"
#include "drawing/outlines.h"
#include "drawing/text_layout.h"
#include "model/cp932.h"
#include "render/line_styles.h"

namespace ravelo {
namespace {

enum Side { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };

bool IsMain(const RenderContext& context, int index) { return context.diagram.header.CurrentObject == index; }

// Whether the box is the one selected object that is not an end node, so that its handles show.
bool HandlesShown(const Diagram& diagram, int index) {
  if (diagram.state(index).Selected == 0) return false;
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& object = diagram.object(i);
    if (i != index && diagram.state(i).Selected != 0 && (IsLinkArc(object) || object.IsEndNode == 0))
      return false;
  }
  return true;
}

Colour Lightened(Colour c) {
  return Rgb(std::min(255, RedOf(c) + 128), std::min(255, GreenOf(c) + 128), std::min(255, BlueOf(c) + 128));
}

// The eight handles of the frame and, for a box of more than one descendant, of the whole box;
// handles not drawn are left unset, so that only what shows can be grabbed.
void DrawBoxHandles(RenderContext& context, int index, const ChildLists& children) {
  ObjectState& state = context.diagram.state(index);
  std::fill(std::begin(state.FrameHandles), std::end(state.FrameHandles), kUnsetPoint);
  std::fill(state.ArcPoints, state.ArcPoints + 8, kUnsetPoint);
  if (!HandlesShown(context.diagram, index)) return;
  const Colour fill = HandleColour(context, index);
  if (children.DescendantsOf(index).size() > 1) {
    const RectanglePointList outer = RectanglePoints(state.BoxOuterRect, 0);
    for (int k = 0; k < 8; ++k) {
      state.ArcPoints[k] = outer.points[static_cast<std::size_t>(k)];
      DrawHandle(context.surface, state.ArcPoints[k], k < 4 ? 5 : 4, fill);
    }
  }
  const RectanglePointList frame = RectanglePoints(InflateRect(state.BoxFrameRect, -2, -2), 0);
  for (int k = 0; k < 8; ++k) {
    state.FrameHandles[k] = frame.points[static_cast<std::size_t>(k)];
    DrawHandle(context.surface, state.FrameHandles[k], k < 4 ? 4 : 3, Lightened(fill));
  }
}

// The title in its band without a picture: one line across a top or bottom band, one column down
// a left or right band, its right edge v inside the text rectangle.
void DrawBandTitle(RenderContext& context, int index, Side side, int v) {
  const DiagramObject& box = context.diagram.object(index);
  const ObjectState& state = context.diagram.state(index);
  const Rect text = context.WithoutMargins(state.TitleBands[side], box.Margin);
  const std::string title = Cp932ToUtf8(FieldText(box.Title));
  if (side == kTop || side == kBottom) {
    const TextAlign align = AlignmentOf(box.TitleAline);
    context.surface.DrawTextInRect(text, title, {align, TextLines::SingleLine, true});
    return;
  }
  const int length = context.surface.TextExtent(title).width;
  int top = text.top;
  if (box.TitleAline == 1) top = (state.BoxOuterRect.top + state.BoxOuterRect.bottom) / 2 - length / 2;
  if (box.TitleAline == 2) top = text.bottom - length;
  context.surface.DrawText({text.right - v, top}, title);
}

// The title beside its picture, both moved outward by v; the moved picture is where it is drawn
// and what hit testing sees.
void DrawBandTitleWithPicture(RenderContext& context, int index, Side side, int v,
                              const BoxTitleLayout& layout) {
  const DiagramObject& box = context.diagram.object(index);
  ObjectState& state = context.diagram.state(index);
  const int dx = side == kLeft ? -v : side == kRight ? v : 0;
  const int dy = side == kTop ? -v : side == kBottom ? v : 0;
  const std::string_view title = FieldText(box.Title);
  const bool vertical = side == kLeft || side == kRight;
  // A box that kept its earlier layout keeps the picture where that drawing moved it.
  const bool movePicture = layout.laidOut;
  const Point laidOut = movePicture ? layout.anchor : context.Zoomed(state.ChartPos);
  const Point anchor{laidOut.X + dx, laidOut.Y + dy};
  const Rect text = CentredOn(OneLineExtent(context.surface, title, vertical), anchor);
  if (movePicture) state.ImageRect = OffsetRect(state.ImageRect, dx, dy);
  const bool titleLine = IsTitleLine(context, index);

  if (vertical) {
    if (titleLine) {
      const TitleParts parts = SplitTitle(title);
      const int below = text.top + FirstPartWidth(context.surface, title) + context.Zoomed(box.ImgMargin[1]) +
                        (state.ImageRect.bottom - state.ImageRect.top) + context.Zoomed(box.ImgMargin[3]);
      DrawColumn(context, {text.right, text.top}, parts.first);
      DrawColumn(context, {text.right, below}, parts.second);
    } else {
      DrawColumn(context, {text.right, text.top}, title);
    }
    return;
  }

  const Rect& outer = state.BoxOuterRect;
  const int tw = text.right - text.left, th = text.bottom - text.top;
  const int ow = state.ObjectRect.right - state.ObjectRect.left;
  const int ml = context.Zoomed(box.Margin[0]), mr = context.Zoomed(box.Margin[2]);
  const int il = context.Zoomed(box.ImgMargin[0]), ir = context.Zoomed(box.ImgMargin[2]);
  const int boxCentre = (outer.left + outer.right) / 2;
  if (titleLine) {
    const int w = context.Zoomed(box.ImageW[context.chart]);
    Rect line{0, anchor.Y - th / 2, 0, anchor.Y + th / 2};
    if (box.TitleAline == 0) {
      line.left = outer.left + ml;
      line.right = outer.left + ow - mr;
    } else if (box.TitleAline == 2) {
      line.left = outer.right - ow + ml;
      line.right = outer.right - mr;
    } else {
      const int half = (w + tw + il + ir) / 2;
      line.left = anchor.X - half;
      line.right = anchor.X + half;
    }
    const TitleParts parts = SplitTitle(title);
    context.surface.DrawTextInRect(line, Cp932ToUtf8(parts.first),
                                   {TextAlign::Left, TextLines::SingleLine, true});
    context.surface.DrawTextInRect(line, Cp932ToUtf8(parts.second),
                                   {TextAlign::Right, TextLines::SingleLine, true});
    const int pictureLeft = line.left + FirstPartWidth(context.surface, title) + il;
    if (movePicture) state.ImageRect = OffsetRect(state.ImageRect, pictureLeft - state.ImageRect.left, 0);
    return;
  }

  Rect line{outer.left + ml, text.top, outer.right - mr, text.bottom};
  if (box.SetIn != 0) {
    switch (box.TitleAline) {
      case 0:
        line.left = box.AlineH == 0 ? outer.left + ow - tw - mr : outer.left + ml;
        line.right = outer.right;
        break;
      case 2:
        line.left = outer.left;
        line.right = box.AlineH == 2 ? outer.right + tw + ml - ow : outer.right - mr;
        break;
      default:
        line = text;
    }
  }
  const TextAlign align = AlignmentOf(box.TitleAline);
  context.surface.DrawTextInRect(line, Cp932ToUtf8(title), {align, TextLines::SingleLine, true});
  if (box.SetIn != 0 && movePicture) {
    // The picture follows the text: by the text's centre against the box's centre.
    const int textCentre = box.TitleAline == 2 ? line.right - tw / 2 : line.left + tw / 2;
    state.ImageRect = OffsetRect(state.ImageRect, textCentre - boxCentre, 0);
  }
}

}  // namespace

void DrawBox(RenderContext& context, int index, const ChildLists& children, const BoxTitleLayout& layout) {
  const DiagramObject& box = context.diagram.object(index);
  ObjectState& state = context.diagram.state(index);
  const int chart = context.chart;
  state.ChildMarkRect = {};
  context.random.Seed(static_cast<uint32_t>(box.Serial));
  const int corner = context.CornerOf(box.Marumi);
  const Rect& outer = state.BoxOuterRect;

  if (state.Selected != 0) {
    const Colour colour = IsMain(context, index) ? Rgb(173, 173, 173) : Rgb(255, 148, 255);
    DrawRectFigure(context, InflateRect(outer, 2, 2), corner, kNoColour, colour, 0, 5);
  }
  if (box.refMen != kNoColour) {
    // The walls: a darker line along the middle of the sides, half as wide as a side without title.
    const int side =
        box.TitlePos == 1 ? state.BoxFrameRect.top - outer.top : state.BoxFrameRect.left - outer.left;
    const int f = side / 2;
    DrawRectFigure(context, InflateRect(outer, -f, -f), corner, kNoColour, ShadeColour(box.refMen, 32), 0, f);
  }
  const bool hasSide = box.TitlePos >= 1 && box.TitlePos <= 4;
  const Side side = static_cast<Side>(hasSide ? box.TitlePos - 1 : 0);
  if (hasSide) {
    DrawRectFigure(context, state.TitleBands[side], corner, box.refMen,
                   box.Futosa <= 0 ? box.refMen : box.refLine, box.LineStyle, box.Futosa);
  }

  const bool pictureShown = ShowsPicture(context, index);
  if (hasSide) {
    context.surface.SetFont(TitleFont(context, box, side == kLeft || side == kRight));
    context.surface.SetTextColour(box.refText);
    const int v = context.Zoomed(box.WakuW / 2);
    if (pictureShown) {
      DrawBandTitleWithPicture(context, index, side, v, layout);
    } else {
      DrawBandTitle(context, index, side, v);
    }
  }

  if (box.ShowMemo[chart] != 0) DrawMemo(context, index);
  if (pictureShown) {
    DrawPicture(context, index);
    if (state.Selected != 0) DrawPictureHandle(context, index);
  }
  DrawBoxHandles(context, index, children);
  if (context.diagram.header.ShowChildMark[chart] != 0) DrawChildMark(context, index);
  if (context.view.editTarget == index) DrawEditFrame(context);
}

}  // namespace ravelo
