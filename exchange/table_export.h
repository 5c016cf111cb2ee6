// Which rows the diagram gives when it is written out as a table: for every node in object order,
// one row per parent (the parent's picture number, title and memo, then its own), or one row
// without parent for an end node that has none; its outgoing link arcs go on its first row.
#pragma once

#include <string>
#include <vector>

#include "exchange/exchange_table.h"
#include "model/diagram.h"
#include "platform/progress.h"

namespace ravelo {

struct LinkTriple {
  std::string target;  // title of the node the arc goes to; empty when that node is missing
  std::string title;
  std::string memo;
};

// The link arcs that start at the node, in object order, at most kMaxLinkTriples.
std::vector<LinkTriple> CollectOutgoingLinks(const Diagram& diagram, int node);

// How memos are written: the CSV file has no room for line feeds, a worksheet has.
enum class MemoLines { Keep, FeedsAsSpaces };

// The data rows of the export (the header row not included). A parent-less end node's row starts
// with three empty cells. The progress runs over the objects.
std::vector<CellRow> ExportRows(const Diagram& diagram, MemoLines memos, Progress& progress);

}  // namespace ravelo
