// What the view asks of the Action chart besides its layout and drawing: fitting the chart to the
// window, and the refusal of files and person icons dragged onto it.
#pragma once

#include <string>

#include "drawing/render_context.h"

namespace ravelo {

// ActFitScreen: the Action chart's view takes the size of the client area (pixels divided by the
// zoom), the layout is mapped onto it (ActRescale) and the headline, laid out again, is moved back
// inside it when it sticks out. The caller sets the scroll area, scrolls to the origin and redraws.
void ActFitScreen(RenderContext& context, Size client);

// A file or person icon dragged over the view: whether the chart shown takes the drop, and, when it
// refuses and guide texts are on, the status bar's text. Only the Action chart refuses.
struct DropAnswer {
  bool accepted;
  std::string statusText;  // UTF-8; empty when nothing is to be said
};
DropAnswer AnswerDrop(int chart, bool guideTexts);

}  // namespace ravelo
