// The view of the chart shown, without a toolkit: it paints the scene and what lies over it, and
// turns mouse, key and wheel events (client points, buttons and keys as MouseFlag values) into hit
// tests, selection changes, edits by drag and drop, zoom changes and arc shape edits. It reaches
// the window and the frame only through its ViewHost; what differs per chart it asks the chart's
// ChartRules.
#pragma once

#include <functional>
#include <string_view>
#include <utility>

#include "arcs/arc_painter.h"
#include "charts/scene.h"
#include "drawing/view_state.h"
#include "model/diagram.h"
#include "model/object_defaults.h"
#include "model/program_settings.h"
#include "model/random.h"
#include "view/selection.h"
#include "view/view_host.h"

namespace ravelo {

class ChartRules;

enum class DragMode {
  None,
  MoveNodes,
  MoveBox,
  MoveArcTitle,
  MoveMemo,
  MoveHeadline,
  ReconnectArcEnd,
  ArcShape,
  ArcRing,
  ArcRadius,
  NodeRadius,
  NodeRing,
  BoxResize,
  BoxMargins,
  ImageResize,
  ViewWidth,
  ViewHeight,
  RubberBand,
  ConsoleMove,
  ConsoleTurn,
};

enum class ViewKey { Tab, Left, Right, Up, Down };

class ViewController {
 public:
  // objects builds the link arcs a drop creates.
  ViewController(Diagram& diagram, ViewHost& host, RandomSource& random, const SystemSettings& settings,
                 const ObjectServices& objects);

  // The scene of the chart shown over the visible canvas rectangle (canvas pixels).
  void Paint(Surface& surface, const Rect& visible);
  // Runs a layout of the chart shown (an entry step, a reset) in the context a paint draws in, so
  // that it measures texts as the paint does.
  void LayOut(Surface& surface, const std::function<void(RenderContext&)>& layout);
  // What lies over the scene: the drag feedback and the zoom console. The surface draws in canvas
  // pixels over a copy of the scene, whose pixels the ghost's colour is taken from; the console's
  // client position is first kept inside the client area.
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

  // The view is being scrolled with its scroll bars: a showing console is hidden until it ends.
  void ScrollBarDrag(bool started);

  // Moves the selection as a drag of the main selection by a canvas displacement would on its
  // release (the arrow keys).
  void MoveSelectionBy(Point displacement);

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

  // The drawings of the Star, Action and Flow charts that the scene paints.
  void SetOtherCharts(OtherCharts others) { others_ = std::move(others); }

  ViewState& state() { return view_; }
  DragMode mode() const { return mode_; }
  bool consoleShowing() const { return consoleShowing_; }
  bool consoleActivated() const { return consoleActivated_; }

 private:
  const ChartRules& Rules() const;
  int Chart() const;
  float Zoom() const;
  bool IsMain(int index) const;
  Point Canvas(Point client) const;
  Point ConsoleCentre() const;
  bool ConsoleVisible() const;
  void Guide(std::string_view textUtf8);
  void AfterSelectionChange(int paneType);
  void AfterEdit();
  void StartDrag(DragMode mode, ViewCursor cursor = ViewCursor::Arrow);

  bool PressOnConsole(Point client);
  bool PressOnHandles(Point canvas);
  int PressOnObject(Point canvas, unsigned flags);
  void StartMove(DragMode mode, const Rect& moved, Point centre, Point canvas);
  void StartMoveOf(int index, Point canvas);
  void ScrollToMainSelection();

  Point GhostShift() const;
  void DropFeedback(Point canvas);
  void ReconnectFeedback(Point canvas);
  void PaintGhost(Surface& surface);
  void PaintSizing(Surface& surface);

  void ReleaseDrag(DragMode mode, Point canvas, unsigned flags);
  bool Drop(Point canvas);
  void ReleaseReconnect(Point canvas);
  bool UnlinkWithQuestion(int target, std::vector<int> arcs, int other);
  bool MoveTitleOrMemo(bool memo, Point displacement);
  bool MoveHeadline(Point displacement);
  bool MoveConsoleBy(Point displacement);
  void ReleaseViewEdge(bool width, Point canvas);
  void HoverCursor(Point client);

  Diagram& diagram_;
  ViewHost& host_;
  RandomSource& random_;
  const SystemSettings& settings_;
  const ObjectServices& objects_;
  LinkArcPainter arcs_;
  OtherCharts others_;
  ViewState view_;

  DragMode mode_ = DragMode::None;
  Point pressCanvas_{};
  Point pressClient_{};
  Point lastCanvas_{};  // the last point of the drag
  Point lastClient_{};
  Point dragOffset_{};  // press point minus the centre of what moves
  Point movedCentre_{};
  Rect movedRect_{};  // what the ghost shows, as it stood at the press
  int titleSideAtPress_ = -1;
  int grabbed_ = -1;  // the grabbed handle: of an arc's shape, or 0..7 of a box
  int target_ = -1;   // the box, picture or arc a sizing drag works on
  double turnAngle_ = 0;
  bool consoleShowing_ = false;
  bool consoleActivated_ = false;
  bool scrollBarDrag_ = false;
};

}  // namespace ravelo
