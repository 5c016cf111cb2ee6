// The spreadsheet backend: .xlsx read with libzip and expat, .xls with FreeXL, .xlsx written with
// libxlsxwriter.
#pragma once

#include "platform/spreadsheet.h"

namespace ravelo {

class XlsxSpreadsheets final : public Spreadsheets {
 public:
  SheetReadResult ReadFirstSheet(const std::string& path, int maxRows, int maxColumns, SheetText& sheet) override;
  bool WriteWorkbook(const std::string& path, std::span<const std::vector<std::string>> rows) override;
};

}  // namespace ravelo
