// The animated move of the Action chart after a new centre is chosen: ten frames in which an
// outline of every node's box slides from its old place to its new one, drawn over the last picture
// of the chart; then the chart is drawn again with the nodes in their new places. The animation is
// driven by ticks of a window timer and guarded by a busy flag, so that a tick arriving while the
// previous one still draws does nothing.
#pragma once

#include <functional>

#include "charts/action/action_layout.h"

namespace ravelo {

// The timer interval for a MoveRectSpeed of 1 (slow) to 10 (fast): 100 down to 10 milliseconds.
int ActionTimerInterval(int speed);

// The position on the way from start to target at p percent: per coordinate
// start + trunc((target - start) * p / 100), the share in single precision.
Point ActionFramePosition(Point start, Point target, int p);

class ActionAnimation {
 public:
  enum class Tick { Ignored, Frame, Finished };

  // Starts the moves: the step counter at 0, the busy flag cleared.
  void Start();
  bool running() const { return running_; }
  int progress() const { return progress_; }

  // ActTick: ignored while the previous tick is busy or when no animation runs. Otherwise every
  // node's ActCurrent goes to the frame's place and drawFrame draws it (the busy flag set meanwhile),
  // and the counter moves on by 10; after the frame at 90 every node stands at its target and the
  // animation has finished, which the caller answers with a full redraw.
  Tick Step(Diagram& diagram, const std::function<void()>& drawFrame);

 private:
  int progress_ = 0;
  bool running_ = false;
  bool busy_ = false;
};

// The moving rectangles of one frame on a surface in canvas pixels: every node's laid-out BodyRect
// centred on its current position, outlined one pixel wide in MoveRectColor, with rounded corners
// for a node with a roundness and no picture.
void DrawMovingRects(const Diagram& diagram, Surface& surface);

// ActRecentre: makes the node the only selection, the main selection and the centre (after
// takeSnapshot), lays the chart out again with animation and starts the animation. Nothing for -1.
bool ActRecentre(RenderContext& context, ActionLayout& layout, ActionAnimation& animation, int node,
                 const std::function<void()>& takeSnapshot);

}  // namespace ravelo
