#include "platform/xlsx/xls_reader.h"

#include <freexl.h>

#include <algorithm>
#include <cstdio>

namespace ravelo {

namespace {

class Workbook {
 public:
  explicit Workbook(const std::string& path) { opened_ = freexl_open(path.c_str(), &handle_) == FREEXL_OK; }
  ~Workbook() {
    if (handle_ != nullptr) freexl_close(handle_);
  }
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  bool opened() const { return opened_; }
  const void* handle() const { return handle_; }

 private:
  const void* handle_ = nullptr;
  bool opened_ = false;
};

std::string CellText(const FreeXL_CellValue& cell) {
  char number[32];
  switch (cell.type) {
    case FREEXL_CELL_INT:
      std::snprintf(number, sizeof number, "%d", cell.value.int_value);
      return number;
    case FREEXL_CELL_DOUBLE:
      std::snprintf(number, sizeof number, "%.15g", cell.value.double_value);
      return number;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      return cell.value.text_value != nullptr ? cell.value.text_value : "";
    default:
      return {};
  }
}

}  // namespace

SheetReadResult ReadXlsSheet(const std::string& path, int maxRows, int maxColumns, SheetText& sheet) {
  sheet = {};
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    std::fclose(file);
  } else {
    return SheetReadResult::CannotOpen;
  }
  Workbook workbook(path);
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (!workbook.opened() || freexl_select_active_worksheet(workbook.handle(), 0) != FREEXL_OK ||
      freexl_worksheet_dimensions(workbook.handle(), &rows, &columns) != FREEXL_OK)
    return SheetReadResult::Damaged;
  const unsigned int rowsRead = std::min(rows, static_cast<unsigned int>(std::max(maxRows, 0)));
  const unsigned short columnsRead =
      static_cast<unsigned short>(std::min<int>(columns, std::clamp(maxColumns, 0, 65535)));
  for (unsigned int r = 0; r < rowsRead; ++r) {
    for (unsigned short c = 0; c < columnsRead; ++c) {
      FreeXL_CellValue cell;
      if (freexl_get_cell_value(workbook.handle(), r, c, &cell) != FREEXL_OK) {
        sheet = {};
        return SheetReadResult::Damaged;
      }
      std::string text = CellText(cell);
      if (text.empty()) continue;
      if (sheet.rows.size() <= r) sheet.rows.resize(r + 1);
      auto& cells = sheet.rows[r];
      if (cells.size() <= c) cells.resize(c + 1u);
      cells[c] = std::move(text);
      sheet.columns = std::max(sheet.columns, c + 1);
    }
  }
  return SheetReadResult::Read;
}

}  // namespace ravelo
