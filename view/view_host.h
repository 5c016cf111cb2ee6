// What the view controller needs from the window that shows it and from the frame around it.
// The editor's view window implements it on the toolkit; tests use a recording fake.
#pragma once

#include <string_view>

#include "model/records.h"
#include "platform/messages.h"
#include "render/surface.h"

namespace ravelo {

enum class ViewCursor {
  Arrow,
  SizeNWSE,  // handles 0 and 2
  SizeNESW,  // handles 1 and 3
  SizeNS,    // handles 4 and 6
  SizeWE,    // handles 5 and 7
  Move,
  Hand,
  ZoomIn,
  ZoomOut,
  Link,      // a drop links the two nodes
  Unlink,    // a drop removes their link arcs
  Relate,    // a drop makes the target a parent
  Unrelate,  // a drop takes that parent away
};

class ViewHost {
 public:
  virtual ~ViewHost() = default;

  virtual void SetCursor(ViewCursor cursor) = 0;
  virtual void CaptureMouse() = 0;
  virtual void ReleaseMouse() = 0;
  // The view's tooltip; an empty text hides it.
  virtual void SetTooltip(std::string_view textUtf8) = 0;
  // The guide text of the status bar; empty clears it.
  virtual void SetGuideText(std::string_view textUtf8) = 0;

  virtual Point ScrollPosition() const = 0;
  virtual void ScrollTo(Point position) = 0;
  virtual void SetScrollArea(Size area) = 0;
  virtual Size ClientSize() const = 0;
  // The whole picture drawn again; RedrawFeedback only what lies over the last picture drawn (the
  // drag feedback and the zoom console).
  virtual void Redraw() = 0;
  virtual void RedrawFeedback() = 0;
  virtual void SetFocus() = 0;

  virtual Messages& messages() = 0;
  // The ZOOM context menu at a client point.
  virtual void ShowZoomMenu(Point client) = 0;

  // The frame's side: the selection changed (the status counts and the properties pane, told
  // which of its types to show); the document is about to change (the undo snapshot); it changed
  // (marked modified, counts refreshed).
  virtual void SelectionChanged(int paneType) = 0;
  virtual void TakeSnapshot() = 0;
  virtual void DocumentChanged() = 0;
};

}  // namespace ravelo
