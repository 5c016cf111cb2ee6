#include "charts/flow/flow_chart.h"

#include "charts/flow/flow_layout.h"
#include "charts/relation_arcs.h"
#include "drawing/node_drawing.h"
#include "drawing/node_layout.h"

namespace ravelo {

void FlowDraw(RenderContext& context) {
  Diagram& diagram = context.diagram;
  const bool arcsShown = diagram.header.ShowArcs[context.chart] != 0 && context.arcs != nullptr;
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i))) LayoutEndNode(context, i);
  }
  if (arcsShown) {
    for (int i = 0; i < diagram.count(); ++i) {
      if (IsLinkArc(diagram.object(i))) context.arcs->Layout(context, i);
    }
  }
  if (diagram.header.Relation[context.chart].Width >= 1) DrawRelationArcs(context);
  for (int i = 0; i < diagram.count(); ++i) {
    if (IsNode(diagram.object(i)) || arcsShown) DrawNode(context, i);
  }
}

FlowLayoutOutcome FlowAutoLayout(RenderContext& context, uint32_t seed) {
  const Diagram& diagram = context.diagram;
  for (int i = 0; i < diagram.count(); ++i) {
    const DiagramObject& object = diagram.object(i);
    if (IsNode(object) && object.Pos[FlowChart] != kUnsetPoint) return {};
  }
  return {true, FlowLayout(context, seed)};
}

bool ConfirmPositionReset(Messages& messages) {
  return messages.Show(
             "ノード位置が最初の状態に戻りますがよろしいですか\n※ "
             "直後であれば、アンドゥボタンで戻すことができます",
             MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes;
}

FlowLayoutOutcome FlowResetCommand(RenderContext& context, Messages& messages,
                                   const std::function<void()>& takeSnapshot, uint32_t seed) {
  DocumentHeader& header = context.diagram.header;
  if (header.ObjectCount < 1 || !ConfirmPositionReset(messages)) return {};
  takeSnapshot();
  header.Relation[FlowChart].Connect = header.SetDirection;
  return {true, FlowLayout(context, seed)};
}

}  // namespace ravelo
