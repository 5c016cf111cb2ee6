// The edits a drag of the selection ends in: moving the selected nodes or boxes, and what a drop on
// another node does (link, unlink, relate, unrelate). Displacements are canvas pixels of the chart
// shown; positions are stored in document units.
#pragma once

#include <string>
#include <vector>

#include "charts/chart_rules.h"
#include "model/diagram.h"
#include "model/object_defaults.h"

namespace ravelo {

// A canvas displacement in document units: divided by the zoom and truncated, except that a step
// of exactly one pixel either way never truncates to nothing.
int DocumentStep(int pixels, float zoom);

// The rectangle that moves with the selection: the bounding rectangle of the selected nodes (their
// BodyRect for a box move, ObjectRect otherwise); empty without selected nodes.
Rect SelectionBounds(const Diagram& diagram, bool boxMove);

// Where the ghost of a rectangle moved by (dx, dy) stands, shifted back inside the view area.
Rect KeptInView(const DocumentHeader& header, const Rect& r);

// Moves the selected nodes by a canvas displacement in the chart shown (a box moves the end nodes
// below it that are not selected themselves). A node whose body would leave the view area is pushed
// back inside it and ends the move, as the layout would show it outside. The caller has taken the
// undo snapshot.
void MoveSelectedNodes(Diagram& diagram, const ChartRules& rules, Point displacement);

// Moves the selected boxes as a whole: their end nodes by the displacement, kept so that the main
// box stays inside the view area; selected end nodes by the plain displacement.
void MoveSelectedBoxes(Diagram& diagram, const ChartRules& rules, Point displacement);

// Where a node related to the main node (a direct child or parent) lands when the main node's ring
// is turned from press to release: its body's centre turned about the ring's centre by the change
// of angle and pushed away from it by (distance of the release - RoundR) / RoundR times its own
// distance, then kept in the view area. Canvas pixels.
Rect TurnedAboutRing(const Diagram& diagram, int main, int node, Point press, Point release);

// Moves every direct child and parent of the main node (only the selected ones with onlySelected)
// to where TurnedAboutRing puts it, in the chart shown.
void TurnRelatedNodes(Diagram& diagram, const ChartRules& rules, Point press, Point release, bool onlySelected);

// Whether node is a direct child or a direct parent of main.
bool IsDirectRelative(const Diagram& diagram, int main, int node);

// What a drop of the dragged main selection on node target does.
enum class DropAction { Move, Link, Unlink, Relate, Unrelate };
DropAction DropActionOn(const Diagram& diagram, int dragged, int target, bool firstHalf);

// The link arcs between node a and node b, either way round.
std::vector<int> ArcsBetween(const Diagram& diagram, int a, int b);
// The link arcs between target and any selected node.
std::vector<int> ArcsToSelection(const Diagram& diagram, int target);

// A new link arc from every selected node without one to target, with the arc defaults; stops at
// the first that cannot be made. Each new arc is selected and the last becomes main.
void LinkSelectionTo(Diagram& diagram, int target, const ObjectServices& services);

// Makes target a parent of every selected node that neither has it as an ancestor nor is one of
// its ancestors; stops with the message when a node has no room for another parent.
void RelateSelectionTo(Diagram& diagram, Messages& messages, int target);

// Takes target out of the parents of every selected node; a target left without children becomes
// an end node again where its title stood.
void UnrelateSelectionFrom(Diagram& diagram, int target);

// The unlink question: "『T』\n『other』\n間のリンクを解除してもよろしいですか", with "、他 %d件のリンクを"
// for more than one arc.
std::string UnlinkQuestion(const Diagram& diagram, int target, int other, int count);

// Removes objects from the table (indexes in any order); the others keep their order.
void RemoveObjects(Diagram& diagram, std::vector<int> indexes);

}  // namespace ravelo
