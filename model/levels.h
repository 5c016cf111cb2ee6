// The hierarchy levels of the nodes: roots are level 0, their children level 1 and so on, with a
// sequence number that orders the nodes of one level depth first. The Box chart draws its boxes
// level by level from these; the Star and Flow charts lay their layers out by them.
#pragma once

#include "model/diagram.h"
#include "platform/progress.h"

namespace ravelo {

// Fills Level and LevelSeq of every node and the diagram's LevelCount. The progress bar, when
// given, runs over the objects while the roots are numbered.
void ComputeLevels(Diagram& diagram, Progress* progress = nullptr);

}  // namespace ravelo
