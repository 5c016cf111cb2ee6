// The Flow chart as the editor and the command-line tool show it: its drawing, its entry step when
// the chart is shown, and the reset of its positions.
#pragma once

#include <cstdint>
#include <functional>

#include "drawing/render_context.h"
#include "platform/messages.h"

namespace ravelo {

// Lays every node out at its Flow position and every shown link arc, then draws the relation arcs
// (when the chart's relation-arc Width is at least 1), the nodes and the shown link arcs in table
// order.
void FlowDraw(RenderContext& context);

// What the layout of an entry step or a reset did.
struct FlowLayoutOutcome {
  bool laidOut = false;      // the positions were computed afresh
  bool viewResized = false;  // the view grew to fit: scroll area, scroll to the origin, modified
};

// The entry step when the Flow chart is shown: the first layout when no node has a Flow position
// yet; nothing otherwise.
FlowLayoutOutcome FlowAutoLayout(RenderContext& context, uint32_t seed);

// Asks whether the node positions may go back to their first state (Yes/No).
bool ConfirmPositionReset(Messages& messages);

// The reset command: nothing without objects or when the user declines; otherwise a snapshot is
// taken, the relation arcs connect as the nodes are set (Connect := SetDirection) and the chart is
// laid out afresh. The caller redraws, marks the document modified and refreshes the status bar
// when laidOut is set.
FlowLayoutOutcome FlowResetCommand(RenderContext& context, Messages& messages,
                                   const std::function<void()>& takeSnapshot, uint32_t seed);

}  // namespace ravelo
