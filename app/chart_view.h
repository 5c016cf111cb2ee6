// The view window: a scrolled canvas as large as the chart shown, painted through a back buffer.
#pragma once

#include <wx/scrolwin.h>

#include <functional>
#include <string>

#include "app/chart_area.h"
#include "drawing/view_state.h"
#include "model/diagram.h"
#include "model/program_settings.h"
#include "model/random.h"
#include "platform/wx/back_buffer.h"

namespace ravelo {

class ChartView final : public wxScrolledCanvas {
 public:
  using CursorListener = std::function<void(const std::string& text)>;

  // Draws the diagram's chart shown with the program's random generator (the random-colour line
  // styles) and the held settings (the grid in front or behind).
  ChartView(wxWindow* parent, Diagram& diagram, RandomSource& random, const SystemSettings& settings,
            CursorListener onCursor);

  // Sets the scroll area of the chart shown and scrolls to position; redraws.
  void ShowChart(Point position);
  Point ScrollPosition() const;
  Size ClientArea() const;
  // While an overlay is set, a paint shows the last picture drawn with the overlay over it instead
  // of drawing the chart again (the Action chart's animation frames); none draws the chart again.
  void SetOverlay(std::function<void(Surface&)> overlay);

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeave(wxMouseEvent& event);

  Diagram& diagram_;
  RandomSource& random_;
  const SystemSettings& settings_;
  CursorListener onCursor_;
  BackBuffer buffer_;
  ViewState state_;
  std::function<void(Surface&)> overlay_;
};

}  // namespace ravelo
