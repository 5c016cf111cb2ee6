// The figures an outline can take, named by the figure codes that every drawing passes around,
// and the single stroke that draws one of them with one pen and one brush.
#pragma once

#include <span>

#include "model/records.h"
#include "render/surface.h"

namespace ravelo {

// Figure codes and the points each one uses. Codes of 5 and more are polylines of that many
// points; codes of -3 and less are poly-Beziers of minus that many points.
enum FigureCode : int {
  kFigureArc = 0,         // arc of the ellipse in the arc box, from point 2 to point 1 counter-clockwise
  kFigureSegment = 1,     // point 0 to point 1
  kFigureEllipse = 2,     // inscribed in the rectangle of points 0 and 1; filled
  kFigureTriangle = 3,    // closed outline 2, 0, 1, 2; never filled
  kFigureRectangle = 4,   // corners point 0 and point 1; filled
  kFigureRoundRect = -1,  // as the rectangle, corner ellipse point 2.X wide and point 2.Y high; filled
  kFigureQuad = -2,       // points 0 to 3; filled
};
constexpr int PolylineFigure(int pointCount) { return pointCount; }  // at least 5 points
constexpr int BezierFigure(int pointCount) { return -pointCount; }   // at least 3 points

// How many points of the caller's array the figure reads.
int FigurePointCount(int figure);

// Draws the figure once with a pen of the colour (none: nothing is stroked), dash style and pixel
// width, and a solid brush of the fill colour (none: hollow). arcBox serves the arc only.
// A point array shorter than the figure needs draws nothing.
void StrokeFigure(Surface& surface, std::span<const Point> points, int figure, Colour fill, Colour pen,
                  DashStyle dash, int pixelWidth, const Rect& arcBox);

}  // namespace ravelo
