// A damaged document drawn: the body read and repaired as an open does, then the Box chart drawn
// through the scene, as the editor's view and ravelo-cli render draw it.
#include <algorithm>
#include <sstream>

#include "arcs/arc_painter.h"
#include "charts/scene.h"
#include "cli/fallback_settings.h"
#include "model/document_file.h"
#include "model/levels.h"
#include "platform/cairo/cairo_surface.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ravelo;
  static fuzz::QuietBodyServices quiet;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  // One table for every run: the reader overwrites the records it reads, the states start afresh.
  static Diagram diagram;
  if (!ReadBody(in, diagram, quiet.services)) return 0;
  std::fill_n(diagram.table.states.begin(), diagram.count(), ObjectState{});
  RepairDamagedValues(diagram);
  diagram.header.CurrentChart = BoxChart;
  // A small window onto the chart: what lies outside it is laid out and drawn, but clipped.
  constexpr int kSide = 160;
  const auto surface = CairoSurface::CreateImage(kSide, kSide);
  if (!surface) return 0;
  ComputeLevels(diagram);
  ViewState view;
  RandomSource random;
  const cli::FallbackSettings settings;
  LinkArcPainter arcs;
  RenderContext context(diagram, *surface, view, random, ReadSceneSettings(settings), &arcs);
  PaintCanvas(context, Rect{0, 0, kSide, kSide});
  return 0;
}
