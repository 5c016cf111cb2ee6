#include "charts/action/action_animation.h"

#include "geometry/geometry.h"
#include "render/figure.h"

namespace ravelo {

int ActionTimerInterval(int speed) { return 110 - 10 * speed; }

Point ActionFramePosition(Point start, Point target, int p) {
  const float share = static_cast<float>(p) / 100.0f;
  const auto along = [share](int from, int to) {
    return from + TruncToInt(static_cast<float>(to - from) * share);
  };
  return {along(start.X, target.X), along(start.Y, target.Y)};
}

void ActionAnimation::Start() {
  progress_ = 0;
  busy_ = false;
  running_ = true;
}

ActionAnimation::Tick ActionAnimation::Step(Diagram& diagram, const std::function<void()>& drawFrame) {
  if (busy_ || !running_) return Tick::Ignored;
  busy_ = true;
  for (int i = 0; i < diagram.count(); ++i) {
    DiagramObject& object = diagram.object(i);
    if (IsNode(object)) object.ActCurrent = ActionFramePosition(object.ActStart, object.ActTarget, progress_);
  }
  drawFrame();
  progress_ += 10;
  busy_ = false;
  if (progress_ < 100) return Tick::Frame;
  for (int i = 0; i < diagram.count(); ++i) diagram.object(i).ActCurrent = diagram.object(i).ActTarget;
  running_ = false;
  return Tick::Finished;
}

void DrawMovingRects(const Diagram& diagram, Surface& surface) {
  const DocumentHeader& header = diagram.header;
  const float zoom = header.Zoom[ActionChart];
  const Colour colour = header.MoveRectColor;
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& object = diagram.object(i);
    if (!IsNode(object)) continue;
    const Rect& body = diagram.state(i).BodyRect;
    const Point at{ZoomedLength(object.ActCurrent.X, zoom), ZoomedLength(object.ActCurrent.Y, zoom)};
    const Rect box =
        OffsetRect(body, at.X - (body.left + body.right) / 2, at.Y - (body.top + body.bottom) / 2);
    if (object.Marumi > 0 && object.Image == 0) {
      const int corner = TruncToInt(zoom * static_cast<float>(object.Marumi) * 10);
      const Point points[] = {{box.left, box.top}, {box.right, box.bottom}, {corner, corner}};
      StrokeFigure(surface, points, kFigureRoundRect, kNoColour, colour, DashStyle::Solid, 1, {});
    } else {
      const RectanglePointList outline = RectanglePoints(box, kClosedOutline);
      surface.DrawPolyline(std::span(outline.points.data(), static_cast<std::size_t>(outline.count)),
                           Pen{colour, 1, DashStyle::Solid});
    }
  }
}

bool ActRecentre(RenderContext& context, ActionLayout& layout, ActionAnimation& animation, int node,
                 const std::function<void()>& takeSnapshot) {
  Diagram& diagram = context.diagram;
  if (node < 0 || node >= diagram.count()) return false;
  for (int i = 0; i < diagram.count(); ++i) diagram.state(i).Selected = 0;
  diagram.state(node).Selected = 1;
  diagram.header.CurrentObject = node;
  takeSnapshot();
  diagram.header.ActCenterObject = node;
  layout.Layout(context, false);
  animation.Start();
  return true;
}

}  // namespace ravelo
