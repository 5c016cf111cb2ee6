// The drawings of the Star, Action and Flow charts as the editor hands them to the scene, for the
// view, the image save and printing alike.
#pragma once

#include "charts/scene.h"

namespace ravelo {

// The Star chart is laid out when first shown, its spread seeded from the clock.
OtherCharts EditorChartDrawings();

}  // namespace ravelo
