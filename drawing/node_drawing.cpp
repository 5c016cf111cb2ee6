#include "drawing/node_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "geometry/geometry.h"
#include "drawing/node_layout.h"
#include "drawing/outlines.h"
#include "drawing/text_layout.h"
#include "model/cp932.h"
#include "render/font.h"

namespace ravelo {
namespace {

constexpr Colour kHandleOutline = Rgb(123, 123, 123);
constexpr Colour kMainHandle = Rgb(0, 0, 123);

bool IsMain(const RenderContext& context, int index) { return context.diagram.header.CurrentObject == index; }

// The title line: the first part left-aligned and the second right-aligned on one line around the
// picture, or, written vertically, the second part's column starting below the picture.
void DrawTitleLine(RenderContext& context, int index, const Rect& text) {
  const DiagramObject& object = context.diagram.object(index);
  const ObjectState& state = context.diagram.state(index);
  const std::string_view title = FieldText(object.Title);
  const TitleParts parts = SplitTitle(title);
  const int firstPart = FirstPartWidth(context.surface, title);
  if (object.FontTate[context.chart] != 0) {
    const int below = text.top + firstPart + context.Zoomed(object.ImgMargin[1]) +
                      (state.ImageRect.bottom - state.ImageRect.top) + context.Zoomed(object.ImgMargin[3]);
    DrawColumn(context, {text.right, text.top}, parts.first);
    DrawColumn(context, {text.right, below}, parts.second);
    return;
  }
  const Size extent = OneLineExtent(context.surface, title, false);
  const Point at = context.Zoomed(state.ChartPos);
  const int pictureWidth = state.ImageRect.right - state.ImageRect.left;
  const int il = context.Zoomed(object.ImgMargin[0]), ir = context.Zoomed(object.ImgMargin[2]);
  const int left = at.X - pictureWidth / 2 - il - firstPart;
  const int top = at.Y - extent.height / 2;
  const Rect line{left, top, left + extent.width + pictureWidth + il + ir, top + extent.height};
  context.surface.DrawTextInRect(line, Cp932ToUtf8(parts.first),
                                 {TextAlign::Left, TextLines::SingleLine, true});
  context.surface.DrawTextInRect(line, Cp932ToUtf8(parts.second),
                                 {TextAlign::Right, TextLines::SingleLine, true});
}

// The title rectangle of a node or link arc: selection mark, fill, frame and title.
void DrawTitleRect(RenderContext& context, int index) {
  const DiagramObject& object = context.diagram.object(index);
  const ObjectState& state = context.diagram.state(index);
  const Rect& rect = state.ObjectRect;
  const int corner = context.CornerOf(object.Marumi);
  if (state.Selected != 0 && !context.view.memoSelected) {
    DrawSelectionMark(context, rect, corner, object.Futosa >= 1, IsMain(context, index));
  }
  if (object.refMen != kNoColour) DrawRectFigure(context, rect, corner, object.refMen, kNoColour, 0, 1);
  if (object.Futosa >= 1) {
    DrawRectFigure(context, rect, corner, kNoColour, object.refLine, object.LineStyle, object.Futosa);
  }

  const bool vertical = object.FontTate[context.chart] != 0;
  context.surface.SetFont(TitleFont(context, object, vertical));
  context.surface.SetTextColour(object.refText);
  const Rect text = context.WithoutMargins(rect, object.Margin);
  if (IsTitleLine(context, index)) {
    DrawTitleLine(context, index, text);
  } else {
    DrawTextBlock(context, text, FieldText(object.Title), vertical, object.TitleAline);
  }
}

bool HasRelations(const Diagram& diagram, int index) {
  const DiagramObject& object = diagram.object(index);
  for (int k = 0; k < std::clamp(object.ParentCount, 0, kMaxParents); ++k) {
    if (FindBySerial(diagram, object.ParentSerials[k]) >= 0) return true;
  }
  return CountChildren(diagram, index, true) > 0;
}

}  // namespace

Colour HandleColour(const RenderContext& context, int index) {
  return IsMain(context, index) ? kMainHandle : Rgb(255, 0, 0);
}

void DrawHandle(Surface& surface, Point centre, int radius, Colour fill) {
  surface.DrawEllipse({centre.X - radius, centre.Y - radius, centre.X + radius, centre.Y + radius},
                      Pen{kHandleOutline, 1, DashStyle::Solid}, Brush::Solid(fill));
}

void DrawNode(RenderContext& context, int index) {
  const DiagramObject& object = context.diagram.object(index);
  ObjectState& state = context.diagram.state(index);
  const int chart = context.chart;
  state.ChildMarkRect = {};
  const bool memoShown = object.ShowMemo[chart] != 0;
  if (context.view.editTarget == index) {
    DrawEditFrame(context);
    if (memoShown) DrawMemo(context, index);
    return;
  }
  // Random-colour line styles look the same on every redraw.
  context.random.Seed(static_cast<uint32_t>(object.Serial));
  bool titleShown = true;
  if (IsLinkArc(object)) {
    if (context.arcs == nullptr || !context.arcs->DrawLine(context, index)) return;
    titleShown = !FieldText(object.Title).empty();
  }
  if (titleShown) DrawTitleRect(context, index);
  if (memoShown) DrawMemo(context, index);
  if (context.diagram.header.ShowChildMark[chart] != 0 && IsNode(object) && object.IsEndNode == 0) {
    DrawChildMark(context, index);
  }
  if (chart == StarChart && IsNode(object) && IsMain(context, index) &&
      HasRelations(context.diagram, index)) {
    DrawRotationRing(context, index);
  }
  if (ShowsPicture(context, index)) {
    DrawPicture(context, index);
    if (state.Selected != 0) DrawPictureHandle(context, index);
  }
}

void DrawMemo(RenderContext& context, int index) {
  if (context.view.editTarget == ViewState::kEditMemo + index) {
    DrawEditFrame(context);
    return;
  }
  const DiagramObject& object = context.diagram.object(index);
  const MemoStyle& memo = object.Memo;
  const Rect& rect = context.diagram.state(index).MemoRect;
  const int corner = context.CornerOf(memo.Marumi);
  if (context.view.memoSelected && IsMain(context, index)) {
    DrawSelectionMark(context, rect, corner, memo.refMen != kNoColour || memo.Futosa >= 1, true);
  }
  if (memo.refMen != kNoColour) DrawRectFigure(context, rect, corner, memo.refMen, kNoColour, 0, 1);
  if (memo.Futosa >= 1)
    DrawRectFigure(context, rect, corner, kNoColour, memo.refLine, memo.LineStyle, memo.Futosa);
  context.surface.SetFont(MemoFont(context, object));
  context.surface.SetTextColour(memo.refText);
  DrawTextBlock(context, context.WithoutMargins(rect, memo.Margin), FieldText(object.MemoText),
                memo.FontTate[context.chart] != 0, memo.AlineChar);
}

void DrawPicture(RenderContext& context, int index) {
  const Picture* picture = context.diagram.table.pictures[static_cast<std::size_t>(index)].get();
  if (picture == nullptr) return;
  const DiagramObject& object = context.diagram.object(index);
  const Rect& dest = context.diagram.state(index).ImageRect;
  const Rect source{0, 0, picture->width, picture->height};
  if (object.TransColor == kNoColour) {
    context.surface.StretchPicture(*picture, source, dest);
  } else {
    context.surface.KeyedPicture(*picture, source, dest, object.TransColor);
  }
  if (object.ImgFutosa > 0) {
    // The wide composite styles would cover the picture's edge; they run round it further out.
    constexpr int kLastNarrowStyle = 17;
    const int grow = object.ImgLineStyle > kLastNarrowStyle ? context.Zoomed(7) : 0;
    DrawRectFigure(context, InflateRect(dest, grow, grow), 0, kNoColour, object.refImgLine,
                   object.ImgLineStyle, object.ImgFutosa);
  }
}

void DrawPictureHandle(RenderContext& context, int index) {
  const Rect& image = context.diagram.state(index).ImageRect;
  DrawHandle(context.surface, {image.right, (image.top + image.bottom) / 2}, 4, HandleColour(context, index));
}

void DrawChildMark(RenderContext& context, int index) {
  const Diagram& diagram = context.diagram;
  ObjectState& state = context.diagram.state(index);
  const std::string mark = Cp932ToUtf8(FieldText(diagram.header.ChildMark[context.chart]));
  context.surface.SetFont(MakeFont(context.surface, "", 10, context.zoom, true, false, false));
  context.surface.SetTextColour(Rgb(255, 0, 0));
  const Rect& around = context.chart == BoxChart ? state.BoxOuterRect : state.BodyRect;
  const Size extent = context.surface.TextExtent(mark);
  const Point corner{around.right, around.bottom};
  const Point topLeft{corner.X - extent.width / 2, corner.Y - extent.height / 2};
  context.surface.DrawText(topLeft, mark);
  state.ChildMarkRect = {topLeft.X, topLeft.Y, corner.X + extent.width / 2, corner.Y + extent.height / 2};
}

void DrawEditFrame(RenderContext& context) {
  constexpr int kDotted = 2;
  const Rect frame = InflateRect(context.view.editRect, 3, 3);
  DrawRectFigure(context, frame, 0, kNoColour, kMainHandle, kDotted, 1);
  const RectanglePointList handles = RectanglePoints(frame, 0);
  for (int k = 0; k < handles.count; ++k) {
    DrawHandle(context.surface, handles.points[static_cast<std::size_t>(k)], k < 4 ? 5 : 4, kMainHandle);
  }
}

void DrawRotationRing(RenderContext& context, int index) {
  const DiagramObject& object = context.diagram.object(index);
  const ObjectState& state = context.diagram.state(index);
  const bool arc = IsLinkArc(object);
  const Point centre = arc ? state.ArcHandles[0]
                           : Point{(state.BodyRect.left + state.BodyRect.right) / 2,
                                   (state.BodyRect.top + state.BodyRect.bottom) / 2};
  constexpr int kLargestRadius = 1000;  // the editor sets 40..140; this bounds a damaged value
  const int radius = std::clamp(object.RoundR, 0, kLargestRadius);

  // Dots 2π pixels apart round the circle, brightening as they go, with a gap at the rightmost
  // point where the radius handle sits.
  if (radius > 0) {
    Point previous{};
    for (int i = 0; i <= std::max(0, radius - 3); ++i) {
      const int f = static_cast<int>(1.5 * i);
      const Colour colour = arc ? Rgb(std::min(255, f + 94), std::min(255, f + 94), std::min(255, f + 94))
                                : Rgb(std::min(255, f + 50), std::min(255, f + 94), std::min(255, f + 45));
      if (i >= 1) {
        context.surface.DrawEllipse({previous.X - 2, previous.Y - 2, previous.X + 3, previous.Y + 3},
                                    kNullPen, Brush::Solid(colour));
      }
      const double t = static_cast<double>(i + 1) / radius * 6.283185307;
      previous = {centre.X + static_cast<int>(std::cos(t) * radius),
                  centre.Y + static_cast<int>(std::sin(t) * radius)};
    }
  }

  const double rad = object.Arc[context.chart].Rad;
  const double degrees = std::isfinite(rad) ? std::clamp(rad * 180 / kPi, -1e6, 1e6) : 0;
  const int angle = static_cast<int>(degrees) == 0 ? 360 : static_cast<int>(degrees);
  context.surface.SetFont(MakeFont(context.surface, "", 8, 1.0f, false, false, false));
  context.surface.SetTextColour(Rgb(75, 142, 68));
  const Point label{centre.X + radius, centre.Y - 4};
  context.surface.DrawTextInRect({label.X - 20, label.Y - 20, label.X + 20, label.Y + 20},
                                 std::to_string(360 - angle),
                                 {TextAlign::Centre, TextLines::SingleLine, true});
}

}  // namespace ravelo
