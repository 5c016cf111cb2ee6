// The view window: a scrolled canvas as large as the chart shown, painted through a back buffer.
#pragma once

#include <wx/scrolwin.h>

#include <functional>
#include <string>

#include "app/chart_area.h"
#include "drawing/render_context.h"
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
  // Runs a layout of the chart shown (an entry step, a reset) on the view's drawing surface, so
  // that it measures texts as the paint does.
  void LayOut(const std::function<void(RenderContext&)>& layout);
  ViewState& viewState() { return state_; }
  Point ScrollPosition() const;
  Size ClientArea() const;

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
};

}  // namespace ravelo
