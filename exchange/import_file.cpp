#include "exchange/import_file.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "exchange/csv_file.h"
#include "exchange/import_history.h"
#include "model/cp932.h"
#include "model/string_table.h"

namespace ravelo {

namespace {

// Whether the first row is a header; nothing when the user cancelled.
std::optional<bool> AskHeaderRow(const ImportServices& services) {
  if (services.header != HeaderRow::Ask) return services.header == HeaderRow::Yes;
  switch (ShowResourceMessage(services.objects.messages, "", kMsgAskHeaderRow, MessageIcon::Question,
                              MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
      return true;
    case MessageAnswer::No:
      return false;
    default:
      return std::nullopt;
  }
}

// Tells the user which characters of the file became "?", each once.
void ReportReplacedCharacters(const std::string& path, std::vector<std::string> replaced, Messages& messages) {
  if (replaced.empty()) return;
  std::sort(replaced.begin(), replaced.end());
  replaced.erase(std::unique(replaced.begin(), replaced.end()), replaced.end());
  std::string prefix = path + "\n";
  for (const std::string& character : replaced) prefix += character + " ";
  prefix += "\n";
  ShowResourceMessage(messages, prefix, kMsgCharactersReplaced, MessageIcon::Information);
}

void RunPasses(Diagram& diagram, const CellTable& table, int firstRowNumber, const ImportServices& services) {
  if (services.showBoxChart) services.showBoxChart();
  RunImportPasses(diagram, table, firstRowNumber, {services.objects, services.progress});
}

}  // namespace

bool ImportCsv(Diagram& diagram, const std::string& path, const ImportServices& services) {
  Messages& messages = services.objects.messages;
  CsvLines csv;
  switch (ReadCsvLines(path, csv)) {
    case CsvReadResult::CannotOpen:
      ShowResourceMessage(messages, path + "\n", kMsgOpenFailed, MessageIcon::Stop);
      return false;
    case CsvReadResult::NotCp932:
      ShowResourceMessage(messages, path + "\n", kMsgNotCp932Text, MessageIcon::Stop);
      return false;
    case CsvReadResult::Read:
      break;
  }
  const std::optional<bool> header = AskHeaderRow(services);
  if (!header || (*header && csv.lines.empty())) return false;
  ReportReplacedCharacters(path, std::move(csv.replaced), messages);
  const CsvRows rows = CsvDataRows(csv, *header);
  if (rows.overLimit) ShowResourceMessage(messages, "", kMsgImportRowsOverLimit, MessageIcon::Information);
  RunPasses(diagram, rows.table, 1, services);
  return true;
}

bool ImportExcel(Diagram& diagram, const std::string& path, const ImportServices& services) {
  Messages& messages = services.objects.messages;
  SheetText sheet;
  // Sheet rows beyond the limit are cut without a word, the header row among them.
  if (services.spreadsheets.ReadFirstSheet(path, kMaxImportRows, kMaxExchangeColumns, sheet) != SheetReadResult::Read) {
    ShowResourceMessage(messages, "", kMsgExcelReadFailed, MessageIcon::Stop);
    return false;
  }
  if (sheet.columns < kChildTitleColumn) {
    ShowResourceMessage(messages, "", kMsgNoFifthColumn, MessageIcon::Information);
    return false;
  }
  const std::optional<bool> header = AskHeaderRow(services);
  if (!header) return false;
  CellTable table;
  std::vector<std::string> replaced;
  for (std::size_t r = *header ? 1 : 0; r < sheet.rows.size(); ++r) {
    CellRow& row = table.rows.emplace_back();
    for (const std::string& cell : sheet.rows[r]) {
      Cp932Conversion converted = Utf8ToCp932(cell);
      row.push_back(std::move(converted.text));
      for (std::string& c : converted.unconvertible) replaced.push_back(std::move(c));
    }
  }
  ReportReplacedCharacters(path, std::move(replaced), messages);
  // Messages name sheet rows, the header row included.
  RunPasses(diagram, table, *header ? 2 : 1, services);
  return true;
}

bool ImportFromFile(Diagram& diagram, const std::string& path, const ImportServices& services) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string stem = path.substr(0, dot);
  const std::size_t slash = stem.rfind('/');
  if (slash == std::string::npos) return false;
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });

  bool imported = false;
  if (extension == "xls" || extension == "xlsx") {
    imported = ImportExcel(diagram, path, services);
  } else if (extension == "csv") {
    imported = ImportCsv(diagram, path, services);
  }
  if (!imported) return false;
  if (services.arrange) services.arrange(Utf8ToCp932(stem.substr(slash + 1)).text);
  AddToImportHistory(services.history, path);
  return true;
}

}  // namespace ravelo
