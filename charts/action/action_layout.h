// The Action chart's arrangement: one centre node in the middle of the view and every other node on
// an elliptic ring band by its hierarchy distance from the centre's level, at a random angle near
// its parent's. Positions are document units; the view's margins keep the rings off its edges.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "drawing/render_context.h"
#include "model/random.h"
#include "platform/clock.h"

namespace ravelo {

// The view area inside the Action chart's margins and its centre.
struct ActionArea {
  int innerWidth;
  int innerHeight;
  Point centre;
};
ActionArea ActionAreaOf(const DocumentHeader& header);

// The boxes of the nodes placed so far, each centred on its target (document units), for the
// overlap test of RingPosition; a grid over the view keeps the test short with many nodes.
class PlacedBoxes {
 public:
  PlacedBoxes(int viewWidth, int viewHeight);
  void Add(const Rect& box);
  void Clear();
  // Whether the box shares a pixel with any box added.
  bool Meets(const Rect& box) const;

 private:
  struct Cells {
    int left, top, right, bottom;  // inclusive
  };
  Cells CellsOf(const Rect& box) const;

  int cellShift_;  // a cell is 2 to the power of this wide and high
  int columns_;
  int rows_;
  std::vector<std::vector<Rect>> cells_;  // per cell the boxes that reach into it
};

// A node's box of that size centred on a point.
Rect BoxAround(Point centre, Size box);

// Where RingPosition put a node and the angle (degrees, 0..359) it tried last.
struct RingPlace {
  Point target;
  int angle;
};

// A place on ring band r around the header's centre, near angle a (plus or minus 45 degrees, clockwise
// from straight up), whose box meets none of the placed boxes; after 1000 tries the last place.
RingPlace RingPosition(const DocumentHeader& header, Size box, int r, int a, const PlacedBoxes& placed,
                       RandomSource& random);

// Computes the rings and every node's target around the header's ActCenterObject with the random
// generator seeded by seed. Without animation the moving rectangles start at the targets too;
// with it they start at the previous targets. ActCurrent becomes the target.
void ActLayout(Diagram& diagram, std::span<const Size> boxes, RandomSource& random, uint32_t seed,
               bool noAnimation);

// Every object's box in document units: the nodes laid out in the Action chart at their current
// positions (the context must draw the Action chart), link arcs as empty boxes.
std::vector<Size> MeasureActionBoxes(RenderContext& context);

// Maps every target from a view of oldWidth x oldHeight onto the header's view size and margins,
// proportionally about the centre; the moving rectangles and current positions follow the targets.
void ActRescale(Diagram& diagram, int oldWidth, int oldHeight);

// Keeps a point dragged in the Action chart (canvas pixels) inside the node's ring band: a point
// outside the band's outer ellipse is walked toward it, one inside its inner ellipse away from it.
// True when the point was moved.
bool ActConstrainDrag(const DocumentHeader& header, int actDistance, Point& point);

// The layout steps that use the clock: seeding the random generator with the time, a different
// seed for two layouts within one second.
class ActionLayout {
 public:
  explicit ActionLayout(const Clock& clock) : clock_(clock) {}

  // ActLayout with the nodes measured in the context and a fresh seed.
  void Layout(RenderContext& context, bool noAnimation);

  // The layout the chart needs when it is shown: when some node has no Action chart position yet
  // (Pos entry 2 is (-1, -1)) the centre becomes the main selection (or the first node) and the
  // chart is laid out without animation; then every object's Pos entry 2 is its current position.
  // True when it laid the chart out.
  bool AutoLayout(RenderContext& context);

 private:
  uint32_t NextSeed();

  const Clock& clock_;
  int64_t lastSeed_ = -1;
};

}  // namespace ravelo
