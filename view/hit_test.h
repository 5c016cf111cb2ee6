// The hit tests of the view: which object, and which part of it, lies under a canvas point, and
// which handle, edge or control is there. They read only the rectangles and points the last paint
// left in each ObjectState and in the view state, so a test always matches the picture shown.
// Canvas points are client points plus the scroll position.
#pragma once

#include "charts/chart_rules.h"
#include "drawing/view_state.h"
#include "model/diagram.h"

namespace ravelo {

// The arc parts, as the view's selected arc end holds them.
constexpr int kArcFromEnd = 0;
constexpr int kArcToEnd = 9;
constexpr int kArcLine = 99;
constexpr int kArcTitleBox = 100;

struct HitResult {
  int Index = -1;
  bool OnImage = false;
  bool OnMemo = false;
  bool OnChildMark = false;
  bool FirstHalf = false;
  int TitleSide = -1;  // 1..4: the title band of a box under the point
  int ArcPart = -1;    // kArcFromEnd, kArcToEnd, kArcLine, kArcTitleBox
};

// The object on top under the point: the table is visited from its last object to its first.
HitResult HitTestObjects(const Diagram& diagram, const ChartRules& rules, Point canvas);

// The headline of the chart shown, when it is shown, as the last paint placed it.
bool HitHeadline(const Diagram& diagram, const ViewState& view, Point canvas);

// Within 4 pixels of the right (bottom) edge of the chart's view area, and beside it.
bool HitViewRightEdge(const DocumentHeader& header, Point canvas);
bool HitViewBottomEdge(const DocumentHeader& header, Point canvas);

struct BoxHandleHit {
  int index = -1;   // the box, -1 for none
  int handle = -1;  // 0..7
};
// One of the 8 outer (outer set) or frame handles of a selected box, as the last paint drew them,
// within 5 pixels; boxes are visited from the last to the first.
BoxHandleHit HitBoxHandle(const Diagram& diagram, const ChartRules& rules, Point canvas, bool outer);

// The picture size handle (the middle of the picture's right edge) of a selected object with a
// picture, within 5 pixels; the last object first. -1 for none.
int HitImageSizeHandle(const Diagram& diagram, Point canvas);

// The centre of the main selection's rotation ring: a link arc's ArcCentre, a node's body centre.
Point RingCentre(const Diagram& diagram, int index);
// The ring of radius RoundR around the main selection, 5 pixels either side, and its radius handle
// at (centre x + RoundR, centre y), within 5 pixels. Only for a main link arc of type 10 or 11 and,
// in a chart whose nodes have rings, for a main node.
bool HitRotationRing(const Diagram& diagram, const ChartRules& rules, Point canvas);
bool HitRadiusHandle(const Diagram& diagram, const ChartRules& rules, Point canvas);

// One of the 8 handles of the in-place edit box (its rectangle grown by 2), within 5 pixels; -1
// for none or when nothing is being edited.
int HitEditBoxHandle(const ViewState& view, Point canvas);

}  // namespace ravelo
