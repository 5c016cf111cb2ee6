#include "drawing/render_context.h"

#include <algorithm>

namespace ravelo {
namespace {

// Far beyond any canvas; keeps the conversion of a damaged length or zoom defined.
constexpr float kLargestPixels = 1 << 24;

int Truncated(float value) {
  if (!(value == value)) return 0;  // NaN from a damaged zoom
  return static_cast<int>(std::clamp(value, -kLargestPixels, kLargestPixels));
}

}  // namespace

int DrawnChart(const DocumentHeader& header) {
  return header.CurrentChart >= 0 && header.CurrentChart < kChartCount ? header.CurrentChart : BoxChart;
}

int ZoomedLength(int length, float zoom) { return Truncated(static_cast<float>(length) * zoom); }

SceneSettings ReadSceneSettings(const SettingsStore& settings) {
  return {.gridInFront = settings.ReadInt("SYS", "GridFoward", 1) != 0};
}

RenderContext::RenderContext(Diagram& diagram, Surface& surface, ViewState& view, RandomSource& random,
                             SceneSettings settings, ArcPainter* arcs)
    : diagram(diagram),
      surface(surface),
      view(view),
      random(random),
      settings(settings),
      arcs(arcs),
      chart(DrawnChart(diagram.header)),
      zoom(diagram.header.Zoom[chart]) {}

int RenderContext::Zoomed(int length) const { return ZoomedLength(length, zoom); }

Point RenderContext::Zoomed(Point p) const { return {Zoomed(p.X), Zoomed(p.Y)}; }

int RenderContext::Unzoomed(int pixels) const {
  return zoom > 0 ? Truncated(static_cast<float>(pixels) / zoom) : 0;
}

int RenderContext::CornerOf(int marumi) const {
  constexpr int kRoundest = 1000;  // the editor sets 0..9; this bounds a damaged value
  return Zoomed(std::clamp(marumi, 0, kRoundest) * 10);
}

Rect RenderContext::WithMargins(const Rect& r, const int32_t (&margin)[4]) const {
  return {r.left - Zoomed(margin[0]), r.top - Zoomed(margin[1]), r.right + Zoomed(margin[2]),
          r.bottom + Zoomed(margin[3])};
}

Rect RenderContext::WithoutMargins(const Rect& r, const int32_t (&margin)[4]) const {
  return {r.left + Zoomed(margin[0]), r.top + Zoomed(margin[1]), r.right - Zoomed(margin[2]),
          r.bottom - Zoomed(margin[3])};
}

}  // namespace ravelo
