#include "app/chart_drawings.h"

#include <ctime>

#include "charts/action/action_drawing.h"
#include "charts/star/star_drawing.h"

namespace ravelo {

OtherCharts EditorChartDrawings() {
  return OtherCharts{.star = StarChartDrawing(static_cast<uint32_t>(std::time(nullptr))), .action = DrawActionChart};
}

}  // namespace ravelo
