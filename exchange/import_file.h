// Importing a CSV file or a workbook into the diagram: the carrier is read whole and checked
// before anything changes, the user says whether the first row is a header, the passes create the
// nodes and arcs, the new boxes are arranged and the file joins the import history. A refused
// import leaves the diagram as it was.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "exchange/table_import.h"
#include "platform/spreadsheet.h"

namespace ravelo {

enum class HeaderRow { Ask, Yes, No };

struct ImportServices {
  const ObjectServices& objects;  // node and arc creation; its messages are the import's
  Progress& progress;
  Spreadsheets& spreadsheets;
  SettingsStore& history;  // where the import history is kept
  HeaderRow header = HeaderRow::Ask;
  // Shows the Box chart, just before the passes change the diagram.
  std::function<void()> showBoxChart;
  // Places the imported boxes once the passes ran; the file's base name (cp932) becomes the
  // headline.
  std::function<void(std::string_view baseName)> arrange;
};

// By the extension after the last ".", in any case: "csv", "xls" or "xlsx". False for a path
// without extension or folder, for any other extension and when the import was refused.
bool ImportFromFile(Diagram& diagram, const std::string& path, const ImportServices& services);

// The two carriers. True when the passes ran (also when rows were reported).
bool ImportCsv(Diagram& diagram, const std::string& path, const ImportServices& services);
bool ImportExcel(Diagram& diagram, const std::string& path, const ImportServices& services);

}  // namespace ravelo
