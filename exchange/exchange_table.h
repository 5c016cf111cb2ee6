// The table that the import reads and the export writes, whatever carries it (a CSV file or a
// worksheet): a row per child node and parent, the child's outgoing link arcs in column triples
// to the right. Cells are cp932 text; columns are numbered from 1.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ravelo {

enum ExchangeColumn : int {
  kParentImageColumn = 1,
  kParentTitleColumn = 2,
  kParentMemoColumn = 3,
  kChildImageColumn = 4,
  kChildTitleColumn = 5,
  kChildMemoColumn = 6,
  kFirstLinkColumn = 7,  // then the link's title and memo; the next triple three columns on
};

constexpr int kMaxLinkTriples = 80;
constexpr int kMaxExchangeColumns = kFirstLinkColumn - 1 + 3 * kMaxLinkTriples;  // 246
constexpr int kMaxImportRows = 2000;

// Row 1 of an export: the first nine columns are named.
extern const std::array<std::string_view, 9> kExchangeHeaderTexts;  // UTF-8

using CellRow = std::vector<std::string>;

struct CellTable {
  std::vector<CellRow> rows;
  // The cell of row (from 0) and column (from 1); empty beyond the row's end.
  std::string_view Cell(int row, int column) const;
};

// The header texts in cp932.
CellRow ExchangeHeaderRow();

// The spreadsheet name of column index (from 0): A .. Z, AA .. ZZ, AAA .. XFD; empty above 16383.
std::string ExcelColumnName(int index);

}  // namespace ravelo
