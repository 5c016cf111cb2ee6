// Everything one drawing of a chart works with: the diagram, the surface, the view's state, the
// settings that change the picture, the random generator of the random-colour line styles, and the
// link-arc drawing that plugs in from outside. Values are taken for the chart shown (the header's
// CurrentChart) at its Zoom; while a chart is printed or exported that Zoom is the output scale.
#pragma once

#include "drawing/view_state.h"
#include "model/diagram.h"
#include "model/random.h"
#include "platform/settings_store.h"
#include "render/line_styles.h"
#include "render/surface.h"

namespace ravelo {

struct SceneSettings {
  bool gridInFront = true;  // SYS/GridFoward: the grid over the objects, else behind them
};

// The settings of the SYS section that the drawing reads.
SceneSettings ReadSceneSettings(const SettingsStore& settings);

// The chart a drawing shows: CurrentChart, or the Box chart when that is damaged.
int DrawnChart(const DocumentHeader& header);

// A document length in canvas pixels: length × zoom in single precision, truncated toward zero
// (and bounded far beyond any canvas, so that a damaged length or zoom stays defined).
int ZoomedLength(int length, float zoom);

struct RenderContext;

// The link-arc drawing, supplied by the arcs module. Layout fills an arc's geometry, title
// rectangles and body in its ObjectState (it needs the node rectangles, so it runs after the
// nodes are laid out); DrawLine draws the arc's path, its ends and its selection marks, before the
// title rectangle that DrawNode draws over them, and answers false for an arc that is not drawn
// at all (an end missing), whose title, memo and picture are then left out too.
class ArcPainter {
 public:
  virtual ~ArcPainter() = default;
  virtual void Layout(RenderContext& context, int index) = 0;
  virtual bool DrawLine(RenderContext& context, int index) = 0;
};

struct RenderContext {
  RenderContext(Diagram& diagram, Surface& surface, ViewState& view, RandomSource& random,
                SceneSettings settings = {}, ArcPainter* arcs = nullptr);

  Diagram& diagram;
  Surface& surface;
  ViewState& view;
  RandomSource& random;
  SceneSettings settings;
  ArcPainter* arcs;  // without it link arcs are neither laid out nor drawn
  int chart;         // the ChartKind drawn (DrawnChart)
  float zoom;        // its Zoom

  // A document length in canvas pixels (ZoomedLength at the zoom).
  int Zoomed(int length) const;
  // A document point in canvas pixels, each coordinate truncated.
  Point Zoomed(Point p) const;
  // A canvas length back in document units, truncated.
  int Unzoomed(int pixels) const;
  // The corner ellipse of a roundness: Marumi × 10 × zoom, truncated; 0 draws square corners.
  int CornerOf(int marumi) const;
  FigureContext Figures() { return {surface, zoom, random}; }
  // The rectangle grown, or shrunk, by four document margins (left, top, right, bottom), zoomed.
  Rect WithMargins(const Rect& r, const int32_t (&margin)[4]) const;
  Rect WithoutMargins(const Rect& r, const int32_t (&margin)[4]) const;
};

}  // namespace ravelo
