// The Star, Action and Flow chart modules as the editor and the command-line tool reach them: the
// drawing each hands to the scene, and the entry step each runs when its chart is shown.
#pragma once

#include <cstdint>

#include "charts/scene.h"

namespace ravelo {

// The drawings of the three charts. seed starts the random places of the Star chart's first layout
// when it is drawn before it was entered (the editor takes it from the clock).
OtherCharts ChartDrawings(uint32_t seed);

struct ChartEntryOutcome {
  bool laidOut = false;      // positions were computed because the chart had none yet
  bool viewResized = false;  // the view grew to fit: scroll area, scroll to the origin, modified
};

// The entry step of the chart shown (the Box chart has none): the first layout while the chart's
// positions are still unset, without animation. seed starts the random places of a layout (the
// editor takes it from the clock).
ChartEntryOutcome EnterChart(RenderContext& context, uint32_t seed);

}  // namespace ravelo
