// Importing files: the carriers, the header question, refusals that leave the document as it was,
// the import history and a round trip through each carrier.
#include "exchange/import_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "exchange/export_file.h"
#include "exchange/import_history.h"
#include "model/string_table.h"
#include "platform/xlsx/xlsx_spreadsheets.h"
#include "tests/exchange/exchange_fixture.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::ReadFileBytes;
using testing::WriteFileBytes;

class ImportFileTest : public testing::ExchangeFixture {
 protected:
  ImportServices Services(HeaderRow header = HeaderRow::Ask) {
    return {objects,
            progress,
            spreadsheets,
            settings,
            header,
            [this] { ++boxChartShown; },
            [this](std::string_view name) { arrangedAs = Cp932ToUtf8(name); }};
  }
  bool Import(const std::string& path, HeaderRow header = HeaderRow::Ask) {
    return ImportFromFile(d, path, Services(header));
  }
  std::string WriteCsv(const std::string& name, const std::string& utf8) {
    const std::string path = scratch / name;
    WriteFileBytes(path, Utf8ToCp932(utf8).text);
    return path;
  }
  // A snapshot of what the diagram holds, to see that a refused import changed nothing.
  std::string Snapshot() const {
    std::string bytes(reinterpret_cast<const char*>(&d.header), sizeof d.header);
    bytes.append(reinterpret_cast<const char*>(d.table.objects.data()),
                 sizeof(DiagramObject) * static_cast<std::size_t>(d.count()));
    return bytes;
  }

  testing::ScratchFolder scratch;
  XlsxSpreadsheets spreadsheets;
  int boxChartShown = 0;
  std::string arrangedAs;
};

TEST_F(ImportFileTest, ACsvFileNamesTheHeadlineAndJoinsTheHistory) {
  const std::string path = WriteCsv("team.csv", "見出し\r\n,家族,,,父\r\n");
  messages.answer = MessageAnswer::Yes;
  ASSERT_TRUE(Import(path));
  EXPECT_EQ(Texts(), std::vector<std::string>{std::string(ResourceText(kMsgAskHeaderRow))});
  EXPECT_EQ(Count(Node), 2);
  EXPECT_EQ(boxChartShown, 1);
  EXPECT_EQ(arrangedAs, "team");
  EXPECT_EQ(ReadImportHistory(settings)[0], path);
}

TEST_F(ImportFileTest, NoAsTheAnswerReadsTheFirstLineAsData) {
  messages.answer = MessageAnswer::No;
  ASSERT_TRUE(Import(WriteCsv("a.CSV", ",,,,一\r\n,,,,二\r\n")));
  EXPECT_EQ(Count(Node), 2);
}

TEST_F(ImportFileTest, ARowLimitNoticeComesOnceAndRowsAreNumberedFromTheFirstDataLine) {
  std::string text = "header\r\n,p,,,\r\n";
  for (int i = 0; i < 2100; ++i) text += ",,,,n" + std::to_string(i) + "\r\n";
  ASSERT_TRUE(Import(WriteCsv("big.csv", text), HeaderRow::Yes));
  const std::string firstRow = "1行目\n" + std::string(ResourceText(kMsgRowWithoutChildTitle));
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{std::string(ResourceText(kMsgImportRowsOverLimit)), firstRow, firstRow}));
  EXPECT_EQ(Count(Node), 1999);
}

TEST_F(ImportFileTest, RefusedImportsLeaveTheDocumentAsItWas) {
  ImportRows({{"", "", "", "", "前からある"}});
  messages.shown.clear();
  const std::string before = Snapshot();
  const std::string damaged = scratch / "damaged.xlsx";
  WriteFileBytes(damaged, std::string("PK\x03\x04", 4) + std::string(100, 'x'));
  const std::string notXls = scratch / "text.xls";
  WriteFileBytes(notXls, std::string("\xD0\xCF\x11\xE0", 4) + std::string(600, '\0'));
  const std::string notCp932 = scratch / "bytes.csv";
  WriteFileBytes(notCp932, ",,,,\xFF\xFE\r\n");
  const std::string missing = scratch / "missing.csv";
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {damaged, std::string(ResourceText(kMsgExcelReadFailed))},
      {notXls, std::string(ResourceText(kMsgExcelReadFailed))},
      {scratch / "missing.xlsx", std::string(ResourceText(kMsgExcelReadFailed))},
      {notCp932, notCp932 + "\n" + std::string(ResourceText(kMsgNotCp932Text))},
      {missing, missing + "\n" + std::string(ResourceText(kMsgOpenFailed))},
  };
  for (const auto& c : cases) {
    messages.shown.clear();
    EXPECT_FALSE(Import(c.path, HeaderRow::Yes)) << c.path;
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message}) << c.path;
  }
  messages.shown.clear();
  messages.answer = MessageAnswer::Cancel;
  EXPECT_FALSE(Import(WriteCsv("cancelled.csv", ",,,,x\r\n")));
  EXPECT_FALSE(Import(WriteCsv("empty.csv", ""), HeaderRow::Yes));
  EXPECT_FALSE(Import(scratch / "no_extension"));
  EXPECT_FALSE(Import("relative.csv"));
  EXPECT_FALSE(Import(WriteCsv("other.txt", ",,,,x\r\n"), HeaderRow::No));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(boxChartShown, 0);
  EXPECT_EQ(ReadImportHistory(settings), ImportHistory{});
}

TEST_F(ImportFileTest, AWorksheetOfFourColumnsIsRefused) {
  const std::string path = scratch / "narrow.xlsx";
  const std::vector<CellRow> rows = {{"a", "b", "c", "d"}};
  ASSERT_TRUE(spreadsheets.WriteWorkbook(path, rows));
  EXPECT_FALSE(Import(path, HeaderRow::No));
  EXPECT_EQ(Texts(), std::vector<std::string>{std::string(ResourceText(kMsgNoFifthColumn))});
  EXPECT_EQ(d.count(), 0);
}

TEST_F(ImportFileTest, WorksheetRowsAreNumberedAsTheSheetNumbersThemAndCutAtTwoThousand) {
  const std::string path = scratch / "sheet.xlsx";
  std::vector<CellRow> rows = {{"親ノードイメージ", "親", "", "", "子"}, {"", "親だけ"}};
  for (int i = 0; i < 100000; ++i) rows.push_back({"", "", "", "", "n" + std::to_string(i), "😀"});
  ASSERT_TRUE(spreadsheets.WriteWorkbook(path, rows));
  ASSERT_TRUE(Import(path, HeaderRow::Yes));
  EXPECT_EQ(Count(Node), 1998);  // sheet rows 3 to 2000
  EXPECT_EQ(Texts(), (std::vector<std::string>{path + "\n😀 \n" + std::string(ResourceText(kMsgCharactersReplaced)),
                                               "2行目\n" + std::string(ResourceText(kMsgRowWithoutChildTitle)),
                                               "2行目\n" + std::string(ResourceText(kMsgRowWithoutChildTitle))}));
  EXPECT_EQ(Memo(Find("n0")), "?");
}

TEST_F(ImportFileTest, TheHistoryKeepsFiveDistinctPathsNewestFirst) {
  for (const char* path : {"/a", "/b", "/c", "/b", "/d", "/e", "/f"}) AddToImportHistory(settings, path);
  EXPECT_EQ(ReadImportHistory(settings), (ImportHistory{"/f", "/e", "/d", "/b", "/c"}));
  messages.answer = MessageAnswer::No;
  EXPECT_FALSE(ClearImportHistory(settings, messages));
  EXPECT_EQ(ReadImportHistory(settings)[0], "/f");
  messages.answer = MessageAnswer::Yes;
  EXPECT_TRUE(ClearImportHistory(settings, messages));
  EXPECT_EQ(ReadImportHistory(settings), ImportHistory{});
  EXPECT_EQ(settings.ReadString("Load", "Import4", "unset"), "");
}

// Export, then import into a new document: the same titles, memos, hierarchy and links.
class RoundTripTest : public ImportFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RoundTripTest, ExportThenImportKeepsTheDiagram) {
  ImportRows({{"1", "家族", "家の記事", "2", "父", "父の記事", "母", "夫婦", "結婚"},
              {"", "家族", "", "", "母", "", "子", "親子", ""},
              {"", "会社", "", "", "父"},
              {"", "父", "", "", "子", "子の記事"},
              {"", "", "", "", "ひとり\x01_x0041_", "", "家族", "知人", "記事"}});
  const std::string path = scratch / (std::string("out.") + GetParam());
  const bool csv = std::strcmp(GetParam(), "csv") == 0;
  ASSERT_TRUE(csv ? WriteCsvExport(d, path, messages, progress)
                  : WriteExcelExport(d, path, spreadsheets, messages, progress));

  auto describe = [](const Diagram& diagram) {
    std::vector<std::string> lines;
    for (int i = 0; i < diagram.count(); ++i) {
      const DiagramObject& o = diagram.object(i);
      std::string line = std::string(FieldText(o.Title)) + "|" + std::string(FieldText(o.MemoText)) + "|";
      if (IsLinkArc(o)) {
        line += "arc " + std::string(FieldText(diagram.object(FindBySerial(diagram, o.Serial)).Title)) + ">" +
                std::string(FieldText(diagram.object(FindBySerial(diagram, o.ToSerial)).Title));
      } else {
        line += "image " + std::to_string(std::max(o.DefImage, 0)) + " end " + std::to_string(o.IsEndNode);
        for (int k = 0; k < o.ParentCount; ++k)
          line += " <" + std::string(FieldText(diagram.object(FindBySerial(diagram, o.ParentSerials[k])).Title));
      }
      lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  };
  const std::vector<std::string> before = describe(d);
  ResetToNewDocument(d, random, 1);
  messages.shown.clear();
  ASSERT_TRUE(Import(path, HeaderRow::Yes));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(describe(d), before);
}

INSTANTIATE_TEST_SUITE_P(Carriers, RoundTripTest, ::testing::Values("csv", "xlsx"));

}  // namespace
}  // namespace ravelo
