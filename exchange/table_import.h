// How the rows of a table become nodes, parents and link arcs: a parent pass creates the nodes
// named in column B, a child pass those of column E and their parents, a link pass the arcs of
// the column triples. Titles are matched as exact bytes; the first match counts. Nodes are
// appended to whatever the diagram holds and nothing is rolled back.
#pragma once

#include "exchange/exchange_table.h"
#include "model/object_defaults.h"
#include "platform/progress.h"

namespace ravelo {

struct ImportPassServices {
  const ObjectServices& objects;  // for creating nodes and arcs; its messages get the row reports
  Progress& progress;
};

// Runs the three passes over every row of the table. A row is reported by its number, which is
// firstRowNumber for the first row and counts on by one. The progress runs over three times the
// rows and is back at 0 when the passes end.
void RunImportPasses(Diagram& diagram, const CellTable& table, int firstRowNumber, const ImportPassServices& services);

}  // namespace ravelo
