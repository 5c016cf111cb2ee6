// Workbooks of spreadsheet programs (.xlsx and .xls): the first worksheet read as text cells, and
// a new .xlsx workbook written from rows of text. Texts are UTF-8.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace ravelo {

// A worksheet's cells as text, from cell A1: rows[r][c] is the cell in sheet row r + 1, column
// c + 1, as the sheet displays a plain value (numbers in their shortest form, TRUE or FALSE);
// missing cells are empty and rows end after their last cell.
struct SheetText {
  std::vector<std::vector<std::string>> rows;
  int columns = 0;  // the widest row
};

enum class SheetReadResult {
  Read,
  CannotOpen,  // the file cannot be read
  Damaged,     // not a workbook this program can read, or a damaged one
};

class Spreadsheets {
 public:
  virtual ~Spreadsheets() = default;

  // Reads the first worksheet of an .xlsx or .xls workbook (told apart by content), keeping at
  // most maxRows rows and maxColumns columns: what lies beyond is left unread.
  virtual SheetReadResult ReadFirstSheet(const std::string& path, int maxRows, int maxColumns, SheetText& sheet) = 0;

  // Writes rows as the only worksheet of a new .xlsx workbook at path, its columns as wide as
  // their texts; empty cells are left out. The file is written under another name first, so an
  // earlier file at path survives a failure. False when it could not be written.
  virtual bool WriteWorkbook(const std::string& path, std::span<const std::vector<std::string>> rows) = 0;
};

}  // namespace ravelo
