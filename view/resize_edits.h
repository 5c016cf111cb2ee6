// The edits of the sizing drags: a box by its outer handles (its contents scale) or its frame
// handles (its inner margins), pictures by their size handle, and the view area by its edges.
// Rectangles and points are canvas pixels of the chart shown.
#pragma once

#include "charts/chart_rules.h"
#include "model/diagram.h"

namespace ravelo {

// The rectangle with the edges of handle (0..7: corners from the top-left clockwise, then the
// middles of the top, right, bottom and left sides) moved to the point, which is kept in the view
// area; the rectangle stays at least 10 pixels wide and high.
Rect DraggedRect(const DocumentHeader& header, const Rect& r, int handle, Point p);

// Every node below the box takes the place it had in the old box in the new one, scaled about the
// boxes' centres. Nothing for an empty rectangle.
void ScaleBoxContents(Diagram& diagram, int box, const Rect& oldOuter, const Rect& newOuter);

// The change of each side of a box's frame (outward positive, in document units; changes below 3
// are ignored) added to the inner margins of every selected box, within 0..200.
void ChangeBoxMargins(Diagram& diagram, const ChartRules& rules, const Rect& oldFrame, const Rect& newFrame);

// The width of a picture dragged by its size handle to x: it grows on both sides about its centre,
// within 20 to 200 document units.
int DraggedPictureWidth(const Rect& picture, int x, float zoom);
// Gives every selected object with a picture that width (canvas pixels), its height following the
// picture's own proportions.
void ResizeSelectedPictures(Diagram& diagram, int widthPixels);

// A view edge dragged to a canvas coordinate: within 500 to 5000 document units.
int DraggedViewEdge(int pixel, float zoom);
// Sets the view width (or height) of the chart shown from an edge at pixels. With autoMent 0 the
// area stays as large as what the objects cover; with 1 the nodes (end nodes in a chart of boxes)
// are placed proportionally and the headline kept inside. False when the size did not change.
bool ResizeViewArea(Diagram& diagram, const ChartRules& rules, bool width, int pixels, int autoMent);

}  // namespace ravelo
