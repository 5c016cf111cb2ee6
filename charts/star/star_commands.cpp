#include "charts/star/star_commands.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "arcs/arc_math.h"
#include "charts/star/star_layout.h"
#include "geometry/geometry.h"
#include "model/hierarchy.h"

namespace ravelo {
namespace {

constexpr double kTwoPi = 2 * kPi;  // 6.283185307

// The nodes the ring placement moves, in table order, without the centre itself.
std::vector<int> RingMembers(const Diagram& diagram, RingNodes nodes, int centre) {
  std::vector<bool> taken(static_cast<std::size_t>(diagram.count()), false);
  const ChildLists children(diagram);
  switch (nodes) {
    case RingNodes::Neighbours:
      for (int child : children.ChildrenOf(diagram.object(centre).Serial))
        taken[static_cast<std::size_t>(child)] = true;
      for (int i = 0; i < diagram.count(); ++i) {
        if (IsNode(diagram.object(i)) && IsAncestor(diagram, centre, i, true))
          taken[static_cast<std::size_t>(i)] = true;
      }
      break;
    case RingNodes::Descendants:
      for (int descendant : children.DescendantsOf(centre))
        taken[static_cast<std::size_t>(descendant)] = true;
      break;
    case RingNodes::Selected:
      for (int i = 0; i < diagram.count(); ++i) {
        if (IsNode(diagram.object(i)) && diagram.state(i).Selected != 0)
          taken[static_cast<std::size_t>(i)] = true;
      }
      break;
  }
  taken[static_cast<std::size_t>(centre)] = false;
  std::vector<int> members;
  for (int i = 0; i < diagram.count(); ++i) {
    if (taken[static_cast<std::size_t>(i)]) members.push_back(i);
  }
  return members;
}

}  // namespace

bool ResetStarChart(RenderContext& context, Messages& messages, UndoHistory& history, uint32_t seed) {
  if (context.chart != StarChart) return false;
  if (messages.Show(kResetPositionsQuestion, MessageIcon::Question, MessageButtons::YesNo) !=
      MessageAnswer::Yes)
    return false;
  history.TakeSnapshot(context.diagram);
  StarLayout(context, seed);
  return true;
}

bool PlaceOnRing(Diagram& diagram, RingNodes nodes, UndoHistory& history) {
  const int centre = diagram.header.CurrentObject;
  if (centre < 0 || centre >= diagram.count() || IsLinkArc(diagram.object(centre))) return false;
  const std::vector<int> members = RingMembers(diagram, nodes, centre);
  if (members.empty()) return false;
  history.TakeSnapshot(diagram);

  const int chart = DrawnChart(diagram.header);
  const Point middle = diagram.object(centre).Pos[chart];
  const int n = static_cast<int>(members.size());
  const int perTurn = std::max(1, diagram.header.StarFirstRing);  // 10..50 in a sound document
  const int minRadius = diagram.header.StarMinRadius;
  int slots = std::min(n, perTurn);
  int radius = minRadius;
  int slot = 0, turn = 0;
  for (int member : members) {
    if (++slot > slots) {
      // The turns after the first hold a tenth more nodes each when there are many.
      if (n >= perTurn) {
        slots += slots / 10;
        ++turn;
      }
      slot = 0;
    }
    radius += minRadius / (2 * slots) + 5;
    const double angle = kTwoPi / slots * turn + static_cast<double>(slot) / slots * kTwoPi - kHalfPi;
    diagram.object(member).Pos[chart] =
        Plus(middle, {TruncToInt(radius * std::cos(angle)), TruncToInt(radius * std::sin(angle))});
  }
  return true;
}

void ScaleStarPositions(Diagram& diagram, int oldWidth, int oldHeight, int newWidth, int newHeight) {
  if (oldWidth < 1 || oldHeight < 1) return;
  const float scaleX = static_cast<float>(newWidth) / static_cast<float>(oldWidth);
  const float scaleY = static_cast<float>(newHeight) / static_cast<float>(oldHeight);
  for (int i = 0; i < diagram.count(); ++i) {
    Point& position = diagram.object(i).Pos[StarChart];
    if (IsLinkArc(diagram.object(i)) || position == kUnsetPoint) continue;
    position = {TruncToInt(static_cast<float>(position.X) * scaleX),
                TruncToInt(static_cast<float>(position.Y) * scaleY)};
  }
}

}  // namespace ravelo
