#include "charts/action/action_view.h"

#include "charts/action/action_layout.h"
#include "charts/scene.h"

namespace ravelo {

void ActFitScreen(RenderContext& context, Size client) {
  DocumentHeader& header = context.diagram.header;
  const int oldWidth = header.ViewWidth[ActionChart], oldHeight = header.ViewHeight[ActionChart];
  header.ViewWidth[ActionChart] = context.Unzoomed(client.width);
  header.ViewHeight[ActionChart] = context.Unzoomed(client.height);
  ActRescale(context.diagram, oldWidth, oldHeight);

  DrawHeadline(context);
  const Rect& r = context.view.headlineRect;
  const Rect view = ViewRect(header);
  HeadlineStyle& headline = header.Headline[ActionChart];
  // Back by what sticks out past the right (bottom) edge, or else past the left (top) one.
  const auto shift = [&context](int low, int high, int limit) {
    if (high > limit) return -context.Unzoomed(high - limit);
    if (low < 0) return context.Unzoomed(-low);
    return 0;
  };
  headline.X += shift(r.left, r.right, view.right);
  headline.Y += shift(r.top, r.bottom, view.bottom);
}

DropAnswer AnswerDrop(int chart, bool guideTexts) {
  if (chart != ActionChart) return {true, {}};
  return {false, guideTexts ? "アクションチャートにはドラッグ＆ドロップできません" : ""};
}

}  // namespace ravelo
