#include "app/action_chart_control.h"

#include <algorithm>

#include "app/chart_view.h"
#include "charts/action/action_view.h"
#include "geometry/geometry.h"
#include "platform/cairo/cairo_surface.h"

namespace ravelo {
namespace {

// The topmost node whose body holds the canvas point; -1 for none.
int NodeAt(const Diagram& diagram, Point canvas) {
  for (int i = diagram.count() - 1; i >= 0; --i) {
    if (IsNode(diagram.object(i)) && RectContains(diagram.state(i).BodyRect, canvas)) return i;
  }
  return -1;
}

}  // namespace

ActionChartControl::ActionChartControl(ChartView& view, Diagram& diagram, RandomSource& random,
                                       const Clock& clock, Hooks hooks)
    : view_(view),
      diagram_(diagram),
      random_(random),
      hooks_(std::move(hooks)),
      measure_(CairoSurface::CreateImage(1, 1)),
      layout_(clock) {
  view_.Bind(wxEVT_LEFT_DCLICK, &ActionChartControl::OnDoubleClick, this);
  timer_.Bind(wxEVT_TIMER, &ActionChartControl::OnTimer, this);
}

ActionChartControl::~ActionChartControl() = default;

bool ActionChartControl::Shown() const {
  return measure_ != nullptr && diagram_.header.CurrentChart == ActionChart && diagram_.count() > 0;
}

RenderContext ActionChartControl::LayoutContext() {
  return RenderContext(diagram_, *measure_, layoutState_, random_);
}

void ActionChartControl::FitScreen() {
  if (!Shown()) return;
  RenderContext context = LayoutContext();
  ActFitScreen(context, view_.ClientArea());
  view_.ShowChart({0, 0});
}

void ActionChartControl::Recentre(int node) {
  if (!Shown()) return;
  RenderContext context = LayoutContext();
  if (!ActRecentre(context, layout_, animation_, node, hooks_.takeSnapshot)) return;
  // The picture stays as it is until the frames begin: a paint meanwhile must not show the new places.
  view_.SetOverlay([](Surface&) {});
  timer_.Start(ActionTimerInterval(std::clamp(diagram_.header.MoveRectSpeed, 1, 10)));
}

void ActionChartControl::OnDoubleClick(wxMouseEvent& event) {
  if (!Shown()) {
    event.Skip();
    return;
  }
  const Point scroll = view_.ScrollPosition();
  const int node = NodeAt(diagram_, {event.GetX() + scroll.X, event.GetY() + scroll.Y});
  if (node >= 0) Recentre(node);
}

// Each frame is drawn over the last picture of the chart; the last one ends with a full redraw.
void ActionChartControl::OnTimer(wxTimerEvent&) {
  const ActionAnimation::Tick tick = animation_.Step(diagram_, [this] {
    view_.SetOverlay([this](Surface& surface) { DrawMovingRects(diagram_, surface); });
    view_.Update();
  });
  if (tick != ActionAnimation::Tick::Finished) return;
  timer_.Stop();
  view_.SetOverlay(nullptr);
  hooks_.afterMove();
}

}  // namespace ravelo
