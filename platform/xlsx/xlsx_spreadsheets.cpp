#include "platform/xlsx/xlsx_spreadsheets.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/files.h"
#include "platform/xlsx/text_escapes.h"
#include "platform/xlsx/xls_reader.h"
#include "platform/xlsx/xlsx_reader.h"

namespace ravelo {

namespace {

// A workbook larger than this is not read at all.
constexpr std::uintmax_t kMaxWorkbookBytes = std::uintmax_t{256} << 20;

// Width of a text in character cells: characters beyond ASCII take two; of a text of several
// lines, its longest line.
double DisplayWidth(std::string_view text) {
  double widest = 0, width = 0;
  for (unsigned char c : text) {
    if (c == '\n') {
      widest = std::max(widest, width);
      width = 0;
    } else if (c < 0x80) {
      width += 1;
    } else if ((c & 0xC0) != 0x80) {
      width += 2;
    }
  }
  return std::max(widest, width);
}

}  // namespace

SheetReadResult XlsxSpreadsheets::ReadFirstSheet(const std::string& path, int maxRows, int maxColumns,
                                                 SheetText& sheet) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return SheetReadResult::CannotOpen;
  char magic[4] = {};
  file.read(magic, sizeof magic);
  constexpr std::string_view kZip = "PK\x03\x04";
  constexpr std::string_view kCompoundFile = "\xD0\xCF\x11\xE0";
  const std::string_view head(magic, static_cast<std::size_t>(file.gcount()));
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxWorkbookBytes) return SheetReadResult::Damaged;
  if (head == kCompoundFile) return ReadXlsSheet(path, maxRows, maxColumns, sheet);
  if (head != kZip) return SheetReadResult::Damaged;

  std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
  file.seekg(0);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (static_cast<std::size_t>(file.gcount()) != bytes.size()) return SheetReadResult::CannotOpen;
  return ReadXlsxSheet(bytes, maxRows, maxColumns, sheet);
}

bool XlsxSpreadsheets::WriteWorkbook(const std::string& path, std::span<const std::vector<std::string>> rows) {
  const std::string temporary = files::CreateUniqueFile(path + ".", files::FileAccess::Default);
  if (temporary.empty()) return false;
  lxw_workbook* workbook = workbook_new(temporary.c_str());
  lxw_worksheet* sheet = workbook != nullptr ? workbook_add_worksheet(workbook, nullptr) : nullptr;
  bool written = sheet != nullptr;
  std::vector<double> widths;
  for (std::size_t r = 0; written && r < rows.size() && r < LXW_ROW_MAX; ++r) {
    for (std::size_t c = 0; written && c < rows[r].size() && c < LXW_COL_MAX; ++c) {
      const std::string& text = rows[r][c];
      if (text.empty()) continue;
      written = worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                       EscapeUnderscores(text).c_str(), nullptr) == LXW_NO_ERROR;
      if (widths.size() <= c) widths.resize(c + 1);
      widths[c] = std::max(widths[c], DisplayWidth(text));
    }
  }
  // The columns as wide as their widest text, within reason.
  for (std::size_t c = 0; written && c < widths.size(); ++c)
    if (widths[c] > 0)
      worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                           std::clamp(widths[c] + 1, 4.0, 80.0), nullptr);
  if (workbook != nullptr && workbook_close(workbook) != LXW_NO_ERROR) written = false;
  if (written && files::ReplaceFile(temporary, path)) return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return false;
}

}  // namespace ravelo
