// The view window: a scrolled canvas as large as the chart shown. It translates the window's
// events for the view controller and serves it as its ViewHost: cursors, capture, tooltip,
// scrolling and redraws here, the rest through the frame's callbacks. The scene is painted into
// one screen-sized off-screen picture, copied into a second one with the drag feedback and the
// zoom console over it, and that is copied to the window in one block.
#pragma once

#include <wx/scrolwin.h>

#include <functional>
#include <string>

#include "drawing/render_context.h"
#include "drawing/view_state.h"
#include "model/diagram.h"
#include "model/program_settings.h"
#include "model/random.h"
#include "platform/wx/back_buffer.h"
#include "view/chart_area.h"
#include "view/view_controller.h"

namespace ravelo {

// What the view tells the frame and asks of it.
struct ViewFrameLink {
  std::function<void(const std::string& text)> cursorText;  // the cursor pane
  std::function<void(const std::string& text)> guideText;   // the message pane
  std::function<void(int paneType)> selectionChanged;
  std::function<void()> takeSnapshot;
  std::function<void()> documentChanged;
  std::function<void(Point client)> zoomMenu;
};

class ChartView final : public wxScrolledCanvas, public ViewHost {
 public:
  // Draws the diagram's chart shown with the program's random generator (the random-colour line
  // styles) and the held settings (the grid in front or behind, the selection and guide settings).
  // The link arcs a drop creates are built with objects.
  ChartView(wxWindow* parent, Diagram& diagram, RandomSource& random, const SystemSettings& settings,
            Messages& messages, const ObjectServices& objects, ViewFrameLink frame);

  // Whether both off-screen pictures could be made; without them the view cannot paint.
  bool Ready() const { return scene_.ok() && feedback_.ok(); }
  ViewController& controller() { return controller_; }

  // Sets the scroll area of the chart shown and scrolls to position; redraws.
  void ShowChart(Point position);
  // Runs a layout of the chart shown (an entry step, a reset) on the view's drawing surface, so
  // that it measures texts as the paint does.
  void LayOut(const std::function<void(RenderContext&)>& layout);
  ViewState& viewState() { return controller_.state(); }
  Point ScrollPosition() const override;
  Size ClientArea() const;
  // While an overlay is set, a paint shows the last picture drawn with the overlay over it instead
  // of drawing the chart again (the Action chart's animation frames); none draws the chart again.
  void SetOverlay(std::function<void(Surface&)> overlay);

  // Every refresh from outside draws the scene again.
  void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;

  // ViewHost
  void SetCursor(ViewCursor cursor) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  void SetTooltip(std::string_view textUtf8) override;
  void SetGuideText(std::string_view textUtf8) override;
  void ScrollTo(Point position) override;
  void SetScrollArea(Size area) override;
  Size ClientSize() const override { return ClientArea(); }
  void Redraw() override { Refresh(false); }
  void RedrawFeedback() override;
  void SetFocus() override { wxScrolledCanvas::SetFocus(); }
  Messages& messages() override { return messages_; }
  void ShowZoomMenu(Point client) override { frame_.zoomMenu(client); }
  void SelectionChanged(int paneType) override { frame_.selectionChanged(paneType); }
  void TakeSnapshot() override { frame_.takeSnapshot(); }
  void DocumentChanged() override { frame_.documentChanged(); }

 private:
  void OnPaint(wxPaintEvent& event);
  void OnMouse(wxMouseEvent& event);
  void OnLeave(wxMouseEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnWheel(wxMouseEvent& event);

  Diagram& diagram_;
  Messages& messages_;
  ViewFrameLink frame_;
  BackBuffer scene_;
  BackBuffer feedback_;
  ViewController controller_;
  bool sceneStale_ = true;
  Point sceneOrigin_{};
  Size sceneClient_{};
  std::string tooltip_;
  std::function<void(Surface&)> overlay_;
};

}  // namespace ravelo
