// What the view adds to the document when it draws: the text being edited in place and its edit
// box, which part of the selection is worked on, and the headline rectangles every paint leaves
// for hit testing. Hit testing, the mouse and in-place editing extend it.
#pragma once

#include "model/records.h"

namespace ravelo {

struct ViewState {
  // What the in-place edit box edits: none, the headline of the chart shown, the memo of object
  // i (kEditMemo + i) or the title of object i (i itself).
  static constexpr int kEditNone = -1;
  static constexpr int kEditHeadline = -2;
  static constexpr int kEditMemo = 10000;
  int editTarget = kEditNone;
  Rect editRect{};  // the edit box, canvas pixels

  bool headlineSelected = false;  // the headline of the chart shown is the selected part
  bool memoSelected = false;      // the memo of the main selection is the selected part
  // The part of the main link arc chosen: 0 its from end, 9 its to end, 1..5 a shape handle,
  // 99 its line, 100 its title box; -1 none.
  int selectedArcEnd = -1;

  // Left by every paint of a shown headline: its text rectangle and the rectangle with margins.
  Rect headlineTextRect{};
  Rect headlineRect{};
};

}  // namespace ravelo
