// Import and export of a table of 2000 rows: 50 parents, 950 children that each belong to two or
// three of them, and a link arc from every child to the next: 1950 objects, just under the limit.
// Through the CSV carrier and through a workbook.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "exchange/csv_file.h"
#include "exchange/export_file.h"
#include "exchange/table_export.h"
#include "exchange/table_import.h"
#include "model/cp932.h"
#include "platform/xlsx/xlsx_spreadsheets.h"

namespace ravelo {
namespace {

class DefaultSettings final : public SettingsStore {
 public:
  int ReadInt(std::string_view, std::string_view, int fallback) const override { return fallback; }
  std::string ReadString(std::string_view, std::string_view, std::string_view fallback) const override {
    return std::string(fallback);
  }
  void WriteInt(std::string_view, std::string_view, int) override {}
  void WriteString(std::string_view, std::string_view, std::string_view) override {}
};

// 2000 rows of cp932 CSV text with a header line; every child has a memo.
std::string TwoThousandRows() {
  constexpr int kParents = 50, kChildren = 950;
  std::string text = Utf8ToCp932(
                         "親ノードイメージ,親ノードタイトル,親ノード記事,子ノードイメージ,子ノードタイトル,"
                         "子ノード記事,リンク子ノード名,リンクアークタイトル,リンクアーク記事,\r\n")
                         .text;
  for (int row = 0; row < kMaxImportRows; ++row) {
    const std::string parent = "部署" + std::to_string(row % kParents);
    const std::string child = "社員" + std::to_string(row % kChildren);
    const std::string link = row < kChildren ? "社員" + std::to_string((row + 1) % kChildren) + ",同僚,隣の席" : "";
    text += Utf8ToCp932("," + parent + ",部署の説明,," + child + ",入社した年と担当の仕事を書いた記事," + link + "\r\n")
                .text;
  }
  return text;
}

struct Fixture {
  Fixture() { ResetToNewDocument(*diagram, random, 1); }
  void Import(const CellTable& table) {
    ResetToNewDocument(*diagram, random, 1);
    RunImportPasses(*diagram, table, 1, {objects, progress});
  }

  std::unique_ptr<Diagram> diagram = std::make_unique<Diagram>();
  DefaultSettings settings;
  SilentMessages messages;
  NoProgress progress;
  RandomSource random;
  ObjectServices objects{settings, messages, random, {}, {}, {}};
};

void BM_CsvImport2000Rows(benchmark::State& state) {
  Fixture f;
  const std::string text = TwoThousandRows();
  for (auto _ : state) {
    CsvLines csv;
    DecodeCsvText(text, csv);
    f.Import(CsvDataRows(csv, true).table);
    benchmark::DoNotOptimize(f.diagram->count());
  }
  state.counters["objects"] = f.diagram->count();
}

void BM_CsvExport2000Rows(benchmark::State& state) {
  Fixture f;
  CsvLines csv;
  DecodeCsvText(TwoThousandRows(), csv);
  f.Import(CsvDataRows(csv, true).table);
  for (auto _ : state) {
    const std::string text = CsvFileText(ExportRows(*f.diagram, MemoLines::FeedsAsSpaces, f.progress));
    benchmark::DoNotOptimize(text.data());
  }
}

std::string ScratchWorkbook() { return "/tmp/ravelo-bench-" + std::to_string(getpid()) + ".xlsx"; }

void BM_XlsxExport2000Rows(benchmark::State& state) {
  Fixture f;
  CsvLines csv;
  DecodeCsvText(TwoThousandRows(), csv);
  f.Import(CsvDataRows(csv, true).table);
  XlsxSpreadsheets spreadsheets;
  const std::string path = ScratchWorkbook();
  for (auto _ : state) WriteExcelExport(*f.diagram, path, spreadsheets, f.messages, f.progress);
  std::filesystem::remove(path);
}

void BM_XlsxRead2000Rows(benchmark::State& state) {
  Fixture f;
  CsvLines csv;
  DecodeCsvText(TwoThousandRows(), csv);
  f.Import(CsvDataRows(csv, true).table);
  XlsxSpreadsheets spreadsheets;
  const std::string path = ScratchWorkbook();
  WriteExcelExport(*f.diagram, path, spreadsheets, f.messages, f.progress);
  for (auto _ : state) {
    SheetText sheet;
    spreadsheets.ReadFirstSheet(path, kMaxImportRows, kMaxExchangeColumns, sheet);
    benchmark::DoNotOptimize(sheet.rows.data());
  }
  std::filesystem::remove(path);
}

BENCHMARK(BM_CsvImport2000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExport2000Rows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XlsxExport2000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_XlsxRead2000Rows)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ravelo
