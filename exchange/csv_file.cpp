#include "exchange/csv_file.h"

#include <fstream>

#include "model/cp932.h"
#include "model/text_fields.h"

namespace ravelo {

namespace {

constexpr std::size_t kMinRowBytes = 5;  // the least a line with a title in column E can hold

bool IsCp932(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(c)) {
      if (i + 1 >= text.size()) return false;
      const unsigned char trail = static_cast<unsigned char>(text[++i]);
      if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
    } else if (c == 0x80 || c == 0xA0 || c > 0xFC) {
      return false;
    }
  }
  return true;
}

// Valid UTF-8 with at least one character beyond ASCII: cp932 text almost never is.
bool IsUtf8BeyondAscii(std::string_view text) {
  bool beyondAscii = false;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    if (c >= 0xC2 && c <= 0xDF)
      length = 2;
    else if (c >= 0xE0 && c <= 0xEF)
      length = 3;
    else if (c >= 0xF0 && c <= 0xF4)
      length = 4;
    else if (c >= 0x80)
      return false;
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    beyondAscii |= length > 1;
    i += length;
  }
  return beyondAscii;
}

// Splits bytes into lines at LF, dropping the CR of a CR LF, as far as an import can use them.
std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  int rows = 0;  // lines long enough to count, the first (a possible header) included
  std::size_t start = 0;
  while (start < bytes.size() && lines.size() < kMaxCsvLines && rows < kMaxImportRows + 2) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (end < bytes.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(TruncateBytes(line, kMaxCsvLineBytes));
    if (lines.back().size() >= kMinRowBytes) ++rows;
    start = next;
  }
  return lines;
}

}  // namespace

CsvReadResult DecodeCsvText(std::string_view bytes, CsvLines& csv) {
  csv = {};
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  const bool marked = bytes.starts_with(kUtf8Mark);
  if (marked) bytes.remove_prefix(kUtf8Mark.size());
  std::vector<std::string> lines = SplitLines(bytes);
  std::string read;
  for (const std::string& line : lines) read += line;
  if (marked || IsUtf8BeyondAscii(read)) {
    for (std::string& line : lines) {
      Cp932Conversion converted = Utf8ToCp932(line);
      line = std::move(converted.text);
      for (std::string& c : converted.unconvertible) csv.replaced.push_back(std::move(c));
    }
  } else if (!IsCp932(read)) {
    return CsvReadResult::NotCp932;
  }
  csv.lines = std::move(lines);
  return CsvReadResult::Read;
}

CsvReadResult ReadCsvLines(const std::string& path, CsvLines& csv) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return CsvReadResult::CannotOpen;
  // Beyond what the rows an import can take may fill, the file is left unread.
  constexpr std::size_t kMaxBytes = std::size_t{128} << 20;
  std::string bytes;
  char chunk[1 << 16];
  while (bytes.size() < kMaxBytes && file.read(chunk, sizeof chunk).gcount() > 0)
    bytes.append(chunk, static_cast<std::size_t>(file.gcount()));
  if (file.bad()) return CsvReadResult::CannotOpen;
  return DecodeCsvText(bytes, csv);
}

CsvRows CsvDataRows(const CsvLines& csv, bool headerLine) {
  CsvRows rows;
  const std::size_t first = headerLine ? 1 : 0;
  int counted = 0;
  std::size_t end = first;  // one past the line that holds the last counted row
  for (std::size_t i = first; i < csv.lines.size(); ++i) {
    if (csv.lines[i].size() < kMinRowBytes) continue;
    if (counted == kMaxImportRows) {
      rows.overLimit = true;
      break;
    }
    ++counted;
    end = i + 1;
  }
  for (std::size_t i = first; i < end; ++i) rows.table.rows.push_back(SplitFields(csv.lines[i], ','));
  return rows;
}

std::string CsvFileText(const std::vector<CellRow>& rows) {
  std::string text;
  for (const std::string& header : ExchangeHeaderRow()) text += header + ",";
  text += "\r\n";
  for (const CellRow& row : rows) {
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) text += ',';
      text += row[c];
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace ravelo
