// Reads the first worksheet of an .xlsx workbook held in memory: the zip container through
// libzip, its XML parts through expat, every length bounded by what the caller keeps.
#pragma once

#include <cstdint>
#include <span>

#include "platform/spreadsheet.h"

namespace ravelo {

SheetReadResult ReadXlsxSheet(std::span<const uint8_t> bytes, int maxRows, int maxColumns, SheetText& sheet);

}  // namespace ravelo
