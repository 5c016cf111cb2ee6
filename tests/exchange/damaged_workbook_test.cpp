// Workbooks that are cut short or damaged are refused; the reading never takes the program down.
#include <gtest/gtest.h>

#include "platform/xlsx/xlsx_spreadsheets.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

class DamagedWorkbookTest : public ::testing::Test {
 protected:
  SheetReadResult Read(const std::string& path) {
    SheetText sheet;
    const SheetReadResult result = spreadsheets.ReadFirstSheet(path, 2000, 246, sheet);
    if (result != SheetReadResult::Read) {
      EXPECT_TRUE(sheet.rows.empty());
    }
    return result;
  }

  testing::ScratchFolder scratch;
  XlsxSpreadsheets spreadsheets;
};

TEST_F(DamagedWorkbookTest, AWorkbookCutShortAnywhereIsRefused) {
  const std::string whole = scratch / "whole.xlsx";
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < 50; ++r) rows.push_back({"", "親", "", "", "子" + std::to_string(r)});
  ASSERT_TRUE(spreadsheets.WriteWorkbook(whole, rows));
  ASSERT_EQ(Read(whole), SheetReadResult::Read);
  const std::string bytes = testing::ReadFileBytes(whole);
  for (std::size_t cut = 0; cut < bytes.size(); cut += std::max<std::size_t>(1, bytes.size() / 16)) {
    const std::string path = scratch / "cut.xlsx";
    testing::WriteFileBytes(path, bytes.substr(0, cut));
    EXPECT_EQ(Read(path), SheetReadResult::Damaged) << "cut at " << cut;
  }
}

TEST_F(DamagedWorkbookTest, DamagedBinaryWorkbooksAreRefused) {
  // A string record whose length runs past its data: the library reading .xls overreads it.
  EXPECT_EQ(Read(std::string(RAVELO_SOURCE_DIR) + "/tests/exchange/fixtures/overlong-string.xls"),
            SheetReadResult::Damaged);
  const std::string header = scratch / "header.xls";
  testing::WriteFileBytes(header, std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
  EXPECT_EQ(Read(header), SheetReadResult::Damaged);
}

// One text of 30000 bytes named by every cell of 2000 rows of 246 columns: 15 GB to keep, from a
// file of a few hundred kilobytes, written with Python's zipfile.
TEST_F(DamagedWorkbookTest, ALongTextRepeatedInEveryCellIsRefusedBeforeItFillsTheMemory) {
  const std::string path = scratch / "repeated.xlsx";
  const std::string script = scratch / "repeated.py";
  testing::WriteFileBytes(
      script,
      "import sys, zipfile\n"
      "main = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'\n"
      "rel = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'\n"
      "row = '<c t=\"s\"><v>0</v></c>' * 246\n"
      "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
      "    z.writestr('xl/workbook.xml', f'<workbook xmlns=\"{main}\" xmlns:r=\"{rel}\"><sheets>'\n"
      "               '<sheet name=\"a\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>')\n"
      "    z.writestr('xl/_rels/workbook.xml.rels', '<Relationships>'\n"
      "               f'<Relationship Id=\"rId1\" Type=\"{rel}/worksheet\" Target=\"sheet.xml\"/>'\n"
      "               f'<Relationship Id=\"rId2\" Type=\"{rel}/sharedStrings\" Target=\"strings.xml\"/>'\n"
      "               '</Relationships>')\n"
      "    z.writestr('xl/strings.xml', f'<sst xmlns=\"{main}\"><si><t>' + 'x' * 30000 + '</t></si></sst>')\n"
      "    z.writestr('xl/sheet.xml', f'<worksheet xmlns=\"{main}\"><sheetData>' +\n"
      "               ('<row>' + row + '</row>') * 2000 + '</sheetData></worksheet>')\n");
  const testing::ToolRun run =
      testing::RunTool("/usr/bin/python3 " + testing::Quoted(script) + " " + testing::Quoted(path));
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_LT(std::filesystem::file_size(path), 1'000'000u);
  EXPECT_EQ(Read(path), SheetReadResult::Damaged);
}

TEST_F(DamagedWorkbookTest, OtherFilesAreNotWorkbooks) {
  const std::string text = scratch / "text.xlsx";
  testing::WriteFileBytes(text, "a,b,c\r\n");
  EXPECT_EQ(Read(text), SheetReadResult::Damaged);
  EXPECT_EQ(Read(scratch / "missing.xlsx"), SheetReadResult::CannotOpen);
  EXPECT_NE(Read(scratch.path()), SheetReadResult::Read);
}

}  // namespace
}  // namespace ravelo
