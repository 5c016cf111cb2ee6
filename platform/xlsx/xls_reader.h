// Reads the first worksheet of an .xls workbook (the binary format of older spreadsheet programs)
// through FreeXL.
#pragma once

#include <string>

#include "platform/spreadsheet.h"

namespace ravelo {

SheetReadResult ReadXlsSheet(const std::string& path, int maxRows, int maxColumns, SheetText& sheet);

}  // namespace ravelo
