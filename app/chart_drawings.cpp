#include "app/chart_drawings.h"

#include <ctime>

#include "charts/chart_modules.h"

namespace ravelo {

OtherCharts EditorChartDrawings() { return ChartDrawings(static_cast<uint32_t>(std::time(nullptr))); }

}  // namespace ravelo
