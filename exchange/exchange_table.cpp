#include "exchange/exchange_table.h"

#include "model/cp932.h"

namespace ravelo {

const std::array<std::string_view, 9> kExchangeHeaderTexts = {
    "親ノードイメージ", "親ノードタイトル", "親ノード記事",         "子ノードイメージ", "子ノードタイトル",
    "子ノード記事",     "リンク子ノード名", "リンクアークタイトル", "リンクアーク記事"};

std::string_view CellTable::Cell(int row, int column) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size() || column < 1) return {};
  const CellRow& cells = rows[static_cast<std::size_t>(row)];
  return static_cast<std::size_t>(column) <= cells.size()
             ? std::string_view(cells[static_cast<std::size_t>(column - 1)])
             : std::string_view{};
}

CellRow ExchangeHeaderRow() {
  CellRow row;
  for (std::string_view text : kExchangeHeaderTexts) row.push_back(Utf8ToCp932(text).text);
  return row;
}

std::string ExcelColumnName(int index) {
  constexpr int kLastColumn = 16383;  // XFD
  if (index < 0 || index > kLastColumn) return {};
  std::string name;
  for (int n = index + 1; n > 0; n = (n - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  return name;
}

}  // namespace ravelo
