// Writing the diagram out as a table: a CSV file, or a workbook that is then opened in the
// desktop's spreadsheet application. The commands ask where, confirm before replacing a file and
// offer to show it afterwards.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "model/diagram.h"
#include "platform/desktop.h"
#include "platform/messages.h"
#include "platform/progress.h"
#include "platform/spreadsheet.h"

namespace ravelo {

// Writes the CSV file (under another name first, then in place of path). False after showing the
// path and "ファイルのオープンに失敗しました" when it could not be written.
bool WriteCsvExport(const Diagram& diagram, const std::string& path, Messages& messages, Progress& progress);

// Writes the workbook: the header row, then the rows, memos with their line feeds. False after
// telling the user when it could not be written.
bool WriteExcelExport(const Diagram& diagram, const std::string& path, Spreadsheets& spreadsheets, Messages& messages,
                      Progress& progress);

enum class ExportCarrier { Csv, Excel };

struct ExportServices {
  Messages& messages;
  Progress& progress;
  Spreadsheets& spreadsheets;
  Desktop& desktop;
  // The file to write, the headline of the chart shown offered as its name (UTF-8); nothing when
  // the user cancelled.
  std::function<std::optional<std::string>(ExportCarrier carrier, const std::string& suggestedName)> chooseFile;
};

// The export command: asks for the carrier (Yes a workbook, No a CSV file, Cancel nothing).
bool ExportCommand(const Diagram& diagram, const ExportServices& services);

// Asks for the file, confirms replacing one, writes it and offers to show its folder.
bool ExportCsv(const Diagram& diagram, const ExportServices& services);

// Asks for the file, confirms replacing one, writes it and opens it in the spreadsheet
// application.
bool ExportExcel(const Diagram& diagram, const ExportServices& services);

}  // namespace ravelo
