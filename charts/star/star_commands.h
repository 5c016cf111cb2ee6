// The Star chart's commands on the diagram: the reset to the first layout (ribbon 445, context menu
// 400), the ring placement around the main selection (context menu 449, 451, 453) and the scaling
// of the positions with the view's size. Each takes its undo snapshot before it changes anything;
// the caller redraws, marks the document modified and refreshes the status bar when one returns
// true.
#pragma once

#include <cstdint>

#include "drawing/render_context.h"
#include "model/undo_history.h"
#include "platform/messages.h"

namespace ravelo {

// The question before the reset; declining it leaves the chart as it is.
inline constexpr std::string_view kResetPositionsQuestion =
    "ノード位置が最初の状態に戻りますがよろしいですか\n※ "
    "直後であれば、アンドゥボタンで戻すことができます";

// In the Star chart, after the question is answered Yes: a snapshot, then StarLayout. False in any
// other chart or when declined.
bool ResetStarChart(RenderContext& context, Messages& messages, UndoHistory& history, uint32_t seed);

// Which nodes the ring placement takes around the main selection.
enum class RingNodes {
  Neighbours = 449,   // "直近のノードを外周に配置(&R)": its direct children and
                      // direct parents
  Selected = 451,     // "選択ノードを外周に配置(&S)": the selected nodes
  Descendants = 453,  // "すべての子ノードを外周に配置(&A)": all its descendants
};

// Puts the nodes taken, in table order, on a spiral around the main selection's position in the
// chart shown: it starts StarMinRadius out, straight above, and turns clockwise with StarFirstRing
// nodes on the first turn, the radius growing with every node. The main selection itself stays
// where it is. False, without a snapshot, when the main selection is not a node or there is no node
// to move.
bool PlaceOnRing(Diagram& diagram, RingNodes nodes, UndoHistory& history);

// The view of the Star chart resized from one size to another (document units) with automatic
// adjustment on: every placed node's Star position is scaled by new size / old size per axis, each
// factor in single precision and each product truncated. Nothing for an old size below 1.
void ScaleStarPositions(Diagram& diagram, int oldWidth, int oldHeight, int newWidth, int newHeight);

}  // namespace ravelo
