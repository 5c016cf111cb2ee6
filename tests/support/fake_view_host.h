// A ViewHost that records what the view controller asks of its window and frame, with a client
// size and scroll position the test sets.
#pragma once

#include <string>
#include <vector>

#include "tests/support/recording_messages.h"
#include "view/view_host.h"

namespace ravelo::testing {

class FakeViewHost final : public ViewHost {
 public:
  void SetCursor(ViewCursor c) override { cursor = c; }
  void CaptureMouse() override { captured = true; }
  void ReleaseMouse() override { captured = false; }
  void SetTooltip(std::string_view text) override { tooltip = text; }
  void SetGuideText(std::string_view text) override { guide = text; }
  Point ScrollPosition() const override { return scroll; }
  void ScrollTo(Point position) override { scroll = position; }
  void SetScrollArea(Size a) override { area = a; }
  Size ClientSize() const override { return client; }
  void Redraw() override { ++redraws; }
  void RedrawFeedback() override { ++feedbackRedraws; }
  void SetFocus() override { focused = true; }
  Messages& messages() override { return recorded; }
  void ShowZoomMenu(Point at) override { zoomMenus.push_back(at); }
  void SelectionChanged(int paneType) override { paneTypes.push_back(paneType); }
  void TakeSnapshot() override { ++snapshots; }
  void DocumentChanged() override { ++changes; }

  ViewCursor cursor = ViewCursor::Arrow;
  bool captured = false;
  bool focused = false;
  std::string tooltip;
  std::string guide;
  Point scroll{0, 0};
  Size area{};
  Size client{800, 600};
  int redraws = 0;
  int feedbackRedraws = 0;
  int snapshots = 0;
  int changes = 0;
  std::vector<Point> zoomMenus;
  std::vector<int> paneTypes;
  RecordingMessages recorded;
};

}  // namespace ravelo::testing
