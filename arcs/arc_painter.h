// The link arcs in a chart's drawing pass: LayoutArc and DrawArc behind the drawing's arc seam, with
// the arc titles, memos and pictures laid out and drawn as a node's are. Every chart that shows link
// arcs hands one of these to its render context.
#pragma once

#include "drawing/render_context.h"

namespace ravelo {

// Lays out the arc in the chart drawn: its path, then its title around the anchor (the arc middle
// plus its title offset, kept as ChartPos), with memo and picture. The BodyRect holds the path
// and the title. An arc that is not connected gets no geometry.
void LayoutArc(RenderContext& context, int arc);

class LinkArcPainter final : public ArcPainter {
 public:
  void Layout(RenderContext& context, int index) override;
  // The arc's line, ends and selection marks, and the rotation ring of the main lightning or break;
  // false for an arc without layout.
  bool DrawLine(RenderContext& context, int index) override;
};

}  // namespace ravelo
