#include "exchange/export_file.h"

#include <filesystem>
#include <fstream>

#include "exchange/csv_file.h"
#include "exchange/table_export.h"
#include "model/cp932.h"
#include "model/show_folder.h"
#include "model/string_table.h"
#include "platform/files.h"

namespace ravelo {

namespace {

// Writes bytes under a unique name beside path, then puts that file in place of path.
bool ReplaceWithBytes(const std::string& path, const std::string& bytes) {
  const std::string temporary = files::CreateUniqueFile(path + ".", files::FileAccess::Default);
  if (temporary.empty()) return false;
  std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (file && files::ReplaceFile(temporary, path)) return true;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return false;
}

// The chosen file, after the user agreed to replace an existing one; nothing otherwise.
std::optional<std::string> ChooseFile(const Diagram& diagram, ExportCarrier carrier, const ExportServices& services) {
  const int chart = std::clamp(diagram.header.CurrentChart, 0, kChartCount - 1);
  const std::string suggested = Cp932ToUtf8(FieldText(diagram.header.Headline[chart].Text));
  std::optional<std::string> path = services.chooseFile(carrier, suggested);
  if (!path) return std::nullopt;
  std::error_code error;
  if (std::filesystem::exists(*path, error) &&
      ShowResourceMessage(services.messages, "", kMsgAskOverwrite, MessageIcon::Question, MessageButtons::YesNo) !=
          MessageAnswer::Yes)
    return std::nullopt;
  return path;
}

}  // namespace

bool WriteCsvExport(const Diagram& diagram, const std::string& path, Messages& messages, Progress& progress) {
  const std::string text = CsvFileText(ExportRows(diagram, MemoLines::FeedsAsSpaces, progress));
  progress.SetPosition(0);
  if (ReplaceWithBytes(path, text)) return true;
  ShowResourceMessage(messages, path + "\n", kMsgOpenFailed, MessageIcon::Stop);
  return false;
}

bool WriteExcelExport(const Diagram& diagram, const std::string& path, Spreadsheets& spreadsheets, Messages& messages,
                      Progress& progress) {
  std::vector<CellRow> rows = ExportRows(diagram, MemoLines::Keep, progress);
  rows.insert(rows.begin(), ExchangeHeaderRow());
  for (CellRow& row : rows)
    for (std::string& cell : row) cell = Cp932ToUtf8(cell);
  progress.SetPosition(0);
  if (spreadsheets.WriteWorkbook(path, rows)) return true;
  ShowResourceMessage(messages, path + "\n", kMsgWorkbookWriteFailed, MessageIcon::Stop);
  return false;
}

bool ExportCommand(const Diagram& diagram, const ExportServices& services) {
  switch (ShowResourceMessage(services.messages, "", kMsgAskExportToExcel, MessageIcon::Question,
                              MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
      return ExportExcel(diagram, services);
    case MessageAnswer::No:
      return ExportCsv(diagram, services);
    default:
      return false;
  }
}

bool ExportCsv(const Diagram& diagram, const ExportServices& services) {
  const std::optional<std::string> path = ChooseFile(diagram, ExportCarrier::Csv, services);
  if (!path || !WriteCsvExport(diagram, *path, services.messages, services.progress)) return false;
  if (ShowResourceMessage(services.messages, "", kMsgSavedShowFolder, MessageIcon::Question, MessageButtons::YesNo) ==
      MessageAnswer::Yes)
    ShowFolderInExplorer(services.desktop, services.messages, *path);
  return true;
}

bool ExportExcel(const Diagram& diagram, const ExportServices& services) {
  const std::optional<std::string> path = ChooseFile(diagram, ExportCarrier::Excel, services);
  if (!path || !WriteExcelExport(diagram, *path, services.spreadsheets, services.messages, services.progress))
    return false;
  if (!services.desktop.OpenWithDefaultApplication(*path))
    ShowResourceMessage(services.messages, "", kMsgExcelStartFailed, MessageIcon::Stop);
  return true;
}

}  // namespace ravelo
