// Switching the chart shown: the ribbon's chart buttons, Ctrl+Tab and Ctrl+Shift+Tab. Each chart
// keeps its own scroll position; the view forgets what it was working on in the chart it leaves.
#pragma once

#include "view/chart_area.h"
#include "drawing/view_state.h"
#include "model/records.h"

namespace ravelo {

// Shows chart in the view: the scroll position of the chart shown so far is kept in its Scroll and
// the returned position is where the view now stands. Nothing changes when chart is already shown.
Point SwitchChart(DocumentHeader& header, int chart, Point currentScroll, Size client);

// What the view was working on goes with the chart it leaves: the in-place edit, the headline and
// memo selection, the chosen part of an arc (its line) and the headline's rectangle; the selected
// objects and the main selection stay.
void LeaveChart(ViewState& view);

// The charts in the order Box, Star, Action, Flow, round in a circle.
int NextChart(int chart);
int PreviousChart(int chart);

}  // namespace ravelo
