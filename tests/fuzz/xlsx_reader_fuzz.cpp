// Fuzz target: bytes of an .xlsx workbook through the reader of its first worksheet.
#include <cstddef>
#include <cstdint>

#include "platform/xlsx/xlsx_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ravelo::SheetText sheet;
  ravelo::ReadXlsxSheet({data, size}, 2000, 246, sheet);
  return 0;
}
