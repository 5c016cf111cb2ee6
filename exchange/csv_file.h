// The CSV carrier of the exchange table: lines of cp932 text ended by CR LF, fields split at every
// "," with no quoting in either direction.
#pragma once

#include <string>
#include <vector>

#include "exchange/exchange_table.h"

namespace ravelo {

enum class CsvReadResult {
  Read,
  CannotOpen,
  NotCp932,  // neither Shift-JIS (cp932) nor UTF-8 text
};

struct CsvLines {
  std::vector<std::string> lines;  // cp932, without their line ends
  // A UTF-8 file is taken as such: its characters that cp932 cannot hold became "?" and are
  // listed here (UTF-8).
  std::vector<std::string> replaced;
};

// Reads the file's lines from the top, as far as an import can use them: up to the line that
// holds row kMaxImportRows + 1 after a header line (at most kMaxCsvLines lines, each cut to
// kMaxCsvLineBytes).
constexpr int kMaxCsvLines = 100000;
constexpr std::size_t kMaxCsvLineBytes = 1 << 20;
CsvReadResult ReadCsvLines(const std::string& path, CsvLines& csv);

// Text read from memory the same way (bytes of a whole file).
CsvReadResult DecodeCsvText(std::string_view bytes, CsvLines& csv);

// The data rows of the lines after the header line (when there is one): every line of at least
// five bytes counts as a row, up to kMaxImportRows of them; the shorter lines among them are rows
// too. overLimit tells whether further rows were left out.
struct CsvRows {
  CellTable table;
  bool overLimit = false;
};
CsvRows CsvDataRows(const CsvLines& csv, bool headerLine);

// The whole file an export writes: the header line (each header text followed by ","), then one
// line per row, every line ended by CR LF.
std::string CsvFileText(const std::vector<CellRow>& rows);

}  // namespace ravelo
