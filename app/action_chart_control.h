// The Action chart in the editor's window: its layout when the chart is shown, the recentring on a
// double-click or F5 with the animated move on a window timer, and fitting its view to the window.
#pragma once

#include <wx/timer.h>

#include <functional>
#include <memory>

#include "charts/action/action_animation.h"

class wxMouseEvent;

namespace ravelo {

class CairoSurface;
class ChartView;

class ActionChartControl {
 public:
  struct Hooks {
    std::function<void()> takeSnapshot;  // before the centre changes
    std::function<void()> afterMove;     // the animation ended: the document is modified, redraw
  };

  ActionChartControl(ChartView& view, Diagram& diagram, RandomSource& random, const Clock& clock,
                     Hooks hooks);
  ~ActionChartControl();

  // The chart laid out again around the node, animated (F5 with the centre node, the menu with the
  // main selection); nothing outside the Action chart or for -1.
  void Recentre(int node);
  // The Action chart's view takes the window's size.
  void FitScreen();
  // Whether the nodes are on their way to new places.
  bool Animating() const { return timer_.IsRunning(); }

 private:
  bool Shown() const;
  // A drawing context that measures the titles as the view draws them.
  RenderContext LayoutContext();
  void OnDoubleClick(wxMouseEvent& event);
  void OnTimer(wxTimerEvent& event);

  ChartView& view_;
  Diagram& diagram_;
  RandomSource& random_;
  Hooks hooks_;
  std::unique_ptr<CairoSurface> measure_;
  ViewState layoutState_;
  ActionLayout layout_;
  ActionAnimation animation_;
  wxTimer timer_;
};

}  // namespace ravelo
