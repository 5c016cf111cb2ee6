// The scene every chart is drawn in, for the screen, printing, image export and the command-line
// tool: the view's background and frame, the grid behind or in front, the headline behind or in
// front, and between them the chart's objects.
#pragma once

#include <functional>

#include "drawing/render_context.h"

namespace ravelo {

// The object drawing of the Star, Action and Flow charts, supplied by their modules; a chart
// without one shows its background, grid and headline only.
using ChartDrawing = std::function<void(RenderContext&)>;
struct OtherCharts {
  ChartDrawing star, action, flow;
};

// The view rectangle of the chart shown in canvas pixels: (0, 0, ViewWidth × z, ViewHeight × z).
Rect ViewRect(const DocumentHeader& header);

// Draws the scene of the chart shown; nothing below a zoom of 0.1.
void RenderScene(RenderContext& context, const OtherCharts& others = {});

// The view's paint: the visible part of the canvas (canvas pixels) white outside the view
// rectangle, and the scene.
void PaintCanvas(RenderContext& context, const Rect& visible, const OtherCharts& others = {});

// The grid of the chart shown (GridMode 1 to 5), in canvas pixels whatever the zoom.
void DrawGrid(RenderContext& context);

// The headline of the chart shown; leaves its rectangles in the view state.
void DrawHeadline(RenderContext& context);

}  // namespace ravelo
