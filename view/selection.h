// The selection: which objects are selected (each ObjectState's Selected flag), which one is the
// main selection (the header's CurrentObject) and which part of it is worked on (the view state).
// These operations change only that; the view controller redraws and tells the frame afterwards.
#pragma once

#include "drawing/view_state.h"
#include "model/diagram.h"

namespace ravelo {

// The buttons and keys held with a mouse event, as flags.
enum MouseFlag : unsigned {
  kLeftButton = 1,
  kRightButton = 2,
  kShiftKey = 4,
  kCtrlKey = 8,
  kMiddleButton = 16,
};

// Clears every Selected flag, the main selection, and the headline and memo selection.
void ClearSelection(Diagram& diagram, ViewState& view);

// A click on object index with the event's flags. Ctrl means exactly the left button and Ctrl,
// Shift exactly the left button and Shift. Answers whether a move of the selection may start:
// never for a link arc, nor after a Ctrl click that added the object or a Shift click that took
// it away.
bool ClickSelect(Diagram& diagram, int index, unsigned flags);

// Tab (backwards: Shift+Tab): the next (previous) object, wrapping round, becomes the only change:
// the old main selection is deselected, the new one selected and made main. Only with a main
// selection and at least two objects; answers whether it moved.
bool CycleMainSelection(Diagram& diagram, bool backwards);

enum class SelectKind { All, LinkArcs, ParentNodes, EndNodes };
// Adds every matching object not yet selected; the main selection becomes the lowest-index object
// newly selected, or -1 when there was none.
void SelectByKind(Diagram& diagram, SelectKind kind);

// Selects every node that has the main selection as an ancestor.
void SelectDescendants(Diagram& diagram);

// Selects every node on the level of the main selection; answers whether any was added.
bool SelectSameLevel(Diagram& diagram);

// Selects both end nodes of the main link arc.
void SelectArcEndNodes(Diagram& diagram);

// The normalised rectangle between two points.
Rect BandBetween(Point a, Point b);

// Adds what lies in the band (canvas pixels): a link arc with every path point inside, a node by
// selPart (0 its body wholly inside, 1 its title rectangle wholly inside, 2 its body's centre
// inside). Only for a band wider and taller than 10 pixels in a document with objects; answers
// whether it selected. The main selection becomes the last end node selected, else the last
// parent node or link arc selected, else -1.
bool RubberBandSelect(Diagram& diagram, const Rect& band, int selPart);

// The part of the main selection the properties pane shows: link arc 1, node 2, arc end 3 (a
// selected arc end 0 or 9), memo 4, headline 5, picture 6, and with nothing selected the chart
// shown (7 + ChartKind).
enum PaneType : int {
  kPaneLinkArc = 1,
  kPaneNode = 2,
  kPaneArcEnd = 3,
  kPaneMemo = 4,
  kPaneHeadline = 5,
  kPaneImage = 6,
  kPaneChart = 7,
};
int PaneTypeOf(const Diagram& diagram, const ViewState& view, bool imageChosen);

}  // namespace ravelo
