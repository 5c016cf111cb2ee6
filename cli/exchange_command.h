// ravelo-cli convert between documents and tables: a CSV file or workbook imported into a new
// document, or a document exported as a CSV file or workbook.
#pragma once

namespace ravelo::cli {

// Whether the convert command's files name a table on either side (.csv, .xlsx or .xls).
bool IsTableConversion(int argc, char** argv);

// convert IN.csv|IN.xlsx|IN.xls OUT.rvl --header|--no-header, or convert IN.rvl OUT.csv|OUT.xlsx.
// 0 when the import's passes ran or the export was written.
int ConvertTable(int argc, char** argv);

}  // namespace ravelo::cli
