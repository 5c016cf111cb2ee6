// The view of the chart shown, without a toolkit: it paints the scene and what lies over it, and
// turns mouse, key and wheel events (client points, buttons and keys as MouseFlag values) into hit
// tests, selection changes, zoom changes and arc shape edits. It reaches the window and the frame
// only through its ViewHost; what differs per chart it asks the chart's ChartRules.
#pragma once

#include <string_view>

#include "arcs/arc_painter.h"
#include "drawing/view_state.h"
#include "model/diagram.h"
#include "model/program_settings.h"
#include "model/random.h"
#include "view/selection.h"
#include "view/view_host.h"

namespace ravelo {

enum class DragMode {
  None,
  MoveNodes,
  MoveBox,
  ArcShape,
  RubberBand,
  ConsoleMove,
  ConsoleTurn,
};

enum class ViewKey { Tab, Left, Right, Up, Down };

class ViewController {
 public:
  ViewController(Diagram& diagram, ViewHost& host, RandomSource& random, const SystemSettings& settings);

  // The scene of the chart shown over the visible canvas rectangle (canvas pixels).
  void Paint(Surface& surface, const Rect& visible);
  // What lies over the scene: the drag feedback and the zoom console. The surface draws in canvas
  // pixels; the console's client position is first kept inside the client area.
  void PaintFeedback(Surface& surface);

  void OnLeftDown(Point client, unsigned flags);
  void OnMouseMove(Point client, unsigned flags);
  void OnLeftUp(Point client, unsigned flags);
  // The drag ends without its effect (the window lost the mouse).
  void CancelDrag();
  // A right click: on the zoom console it opens the ZOOM menu; false elsewhere.
  bool OnContextMenu(Point client);
  // False when the key is not the view's to handle.
  bool OnKey(ViewKey key, unsigned flags);
  // notches > 0 away from the user. False when the wheel should scroll the view as usual.
  bool OnWheel(Point client, int notches, unsigned flags);

  // The zoom commands of the ZOOM menu and the frame (zoom_command values); false for another.
  bool ZoomCommand(int command);
  // Sets the zoom of the chart shown through the clamp, with everything a zoom change brings.
  void SetZoom(float zoom);
  // The grid commands of the document's GridMode (grid_command values); false for another.
  bool GridCommand(int command);

  // The selection commands of the menus.
  void SelectByKindCommand(SelectKind kind);
  void SelectDescendantsCommand();
  void SelectSameLevelCommand();
  void SelectArcEndNodesCommand();
  // Chooses the from end (0) or to end (9) of the main link arc.
  void ChooseArcEnd(int end);

  // Forgets what the view held of the previous document.
  void Reset();

  ViewState& state() { return view_; }
  DragMode mode() const { return mode_; }
  bool consoleShowing() const { return consoleShowing_; }
  bool consoleActivated() const { return consoleActivated_; }

 private:
  Point Canvas(Point client) const;
  Point ConsoleCentre() const;
  bool ConsoleVisible() const;
  bool PressOnConsole(Point client);
  bool PressOnArcHandle(Point canvas);
  int PressOnObject(Point canvas, unsigned flags);
  void StartDrag(DragMode mode);
  void StartMoveOf(int index);
  void Guide(std::string_view textUtf8);
  void AfterSelectionChange(int paneType);
  void ScrollToMainSelection();
  void ReleaseDrag(Point client);
  void HoverCursor(Point client);

  Diagram& diagram_;
  ViewHost& host_;
  RandomSource& random_;
  const SystemSettings& settings_;
  LinkArcPainter arcs_;
  ViewState view_;

  DragMode mode_ = DragMode::None;
  Point pressCanvas_{};
  Point pressClient_{};
  Point dragClient_{};  // the last point of a console drag
  Point dragCanvas_{};  // the last point of a rubber band
  int grabbedHandle_ = -1;
  double turnAngle_ = 0;
  bool consoleShowing_ = false;
  bool consoleActivated_ = false;
};

}  // namespace ravelo
