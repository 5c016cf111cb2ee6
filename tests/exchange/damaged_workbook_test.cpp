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

TEST_F(DamagedWorkbookTest, OtherFilesAreNotWorkbooks) {
  const std::string text = scratch / "text.xlsx";
  testing::WriteFileBytes(text, "a,b,c\r\n");
  EXPECT_EQ(Read(text), SheetReadResult::Damaged);
  EXPECT_EQ(Read(scratch / "missing.xlsx"), SheetReadResult::CannotOpen);
  EXPECT_NE(Read(scratch.path()), SheetReadResult::Read);
}

}  // namespace
}  // namespace ravelo
