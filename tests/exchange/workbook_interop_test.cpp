// Workbooks between this program and an independent implementation of the formats: what we write
// is read back with openpyxl, and workbooks written by openpyxl (.xlsx) and xlwt (.xls) are
// imported.
#include <gtest/gtest.h>

#include "exchange/export_file.h"
#include "exchange/import_file.h"
#include "platform/xlsx/xlsx_spreadsheets.h"
#include "tests/exchange/exchange_fixture.h"
#include "tests/support/diagram_builder.h"
#include "tests/support/scratch_folder.h"

namespace ravelo {
namespace {

using testing::Quoted;
using testing::RunTool;

constexpr const char* kPython = "/usr/bin/python3";

bool HasPythonModule(const char* module) {
  return RunTool(std::string(kPython) + " -c 'import " + module + "'").status == 0;
}

class WorkbookInteropTest : public testing::ExchangeFixture {
 protected:
  // Runs a Python script with the given arguments; its output.
  std::string Python(const std::string& script, const std::string& arguments) {
    const std::string path = scratch / "script.py";
    testing::WriteFileBytes(path, script);
    const testing::ToolRun run = RunTool(std::string(kPython) + " " + Quoted(path) + " " + arguments);
    EXPECT_EQ(run.status, 0) << run.output;
    return run.output;
  }

  testing::ScratchFolder scratch;
  XlsxSpreadsheets spreadsheets;
};

TEST_F(WorkbookInteropTest, OpenpyxlReadsTheWorkbooksWeWrite) {
  if (!HasPythonModule("openpyxl")) GTEST_SKIP() << "python3-openpyxl is not installed";
  const int family = testing::AddNode(d, 1, {}, Utf8ToCp932("家族 & <友人>").text);
  const int father = testing::AddNode(d, 2, {1}, Utf8ToCp932("父\x01\x1f").text);
  SetFieldText(d.object(family).MemoText, Utf8ToCp932("一行\n二行").text, kMemoBytes);
  d.object(father).DefImage = 7;
  const std::string path = scratch / "out.xlsx";
  ASSERT_TRUE(WriteExcelExport(d, path, spreadsheets, messages, progress));
  const std::string cells = Python(
      "import sys, openpyxl\n"
      "sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
      "for row in sheet.iter_rows(values_only=True):\n"
      "    print('|'.join('' if v is None else str(v).replace('\\n', '/') for v in row))\n",
      Quoted(path));
  EXPECT_EQ(cells,
            "親ノードイメージ|親ノードタイトル|親ノード記事|子ノードイメージ|子ノードタイトル|子ノード記事|"
            "リンク子ノード名|リンクアークタイトル|リンクアーク記事\n"
            // Characters XML cannot carry are escaped as the format says; openpyxl leaves them so.
            "|家族 & <友人>|一行/二行|7|父_x0001__x001F_||||\n");
}

TEST_F(WorkbookInteropTest, WorkbooksOfOpenpyxlAreImported) {
  if (!HasPythonModule("openpyxl")) GTEST_SKIP() << "python3-openpyxl is not installed";
  const std::string path = scratch / "team.xlsx";
  Python(
      "import sys, openpyxl\n"
      "book = openpyxl.Workbook()\n"
      "sheet = book.active\n"
      "sheet.append(['画像', '親', '親記事', '画像', '子', '子記事', 'リンク', 'タイトル', '記事'])\n"
      "sheet.append([3, '家族', '家の\\n記事', None, '父', None, '母', '夫婦', 'メモ'])\n"
      "sheet.append([None, '家族', None, 2.0, '母'])\n"
      "sheet.append([None, None, None, None, 12345678901])\n"
      "sheet['E5'] = True\n"
      "book.create_sheet('二枚目')['E1'] = 'ignored'\n"
      "book.save(sys.argv[1])\n",
      Quoted(path));
  ASSERT_TRUE(ImportFromFile(d, path, {objects, progress, spreadsheets, settings, HeaderRow::Yes, {}, {}}));
  EXPECT_TRUE(messages.shown.empty()) << Texts()[0];
  EXPECT_EQ(d.object(Find("家族")).DefImage, 3);
  EXPECT_EQ(Memo(Find("家族")), "家の\n記事");
  EXPECT_EQ(d.object(Find("母")).DefImage, 2);
  EXPECT_EQ(Parents(Find("父")), std::vector<std::string>{"家族"});
  EXPECT_GE(Find("12345678901"), 0);
  EXPECT_GE(Find("TRUE"), 0);
  EXPECT_EQ(Find("ignored"), -1);
  EXPECT_EQ(d.object(Find("夫婦", LinkArc)).ToSerial, d.object(Find("母")).Serial);
}

TEST_F(WorkbookInteropTest, BinaryWorkbooksOfXlwtAreImported) {
  if (!HasPythonModule("xlwt")) GTEST_SKIP() << "python3-xlwt is not installed";
  const std::string path = scratch / "old.XLS";
  Python(
      "import sys, xlwt\n"
      "book = xlwt.Workbook(encoding='utf-8')\n"
      "sheet = book.add_sheet('一枚目')\n"
      "rows = [[None, '会社', '記事', 4, '課長', '課長の記事', '部下', '上司', ''],\n"
      "        [None, '会社', None, None, '部下'], [None, None, None, None, 1.5]]\n"
      "for r, row in enumerate(rows):\n"
      "    for c, value in enumerate(row):\n"
      "        if value is not None: sheet.write(r, c, value)\n"
      "book.save(sys.argv[1])\n",
      Quoted(path));
  ASSERT_TRUE(ImportFromFile(d, path, {objects, progress, spreadsheets, settings, HeaderRow::No, {}, {}}));
  EXPECT_TRUE(messages.shown.empty()) << Texts()[0];
  EXPECT_EQ(Parents(Find("課長")), std::vector<std::string>{"会社"});
  EXPECT_EQ(Memo(Find("課長")), "課長の記事");
  EXPECT_EQ(d.object(Find("課長")).DefImage, 4);
  EXPECT_GE(Find("1.5"), 0);
  EXPECT_EQ(d.object(Find("上司", LinkArc)).ToSerial, d.object(Find("部下")).Serial);
}

// The parts of a workbook as other programs write them, put together with Python's zipfile: a
// prefixed namespace, rich text runs with phonetic guides, inline strings, cells and rows without
// references, and the sheet named by its relationship rather than by its usual name.
TEST_F(WorkbookInteropTest, HandWrittenWorkbookPartsAreRead) {
  const std::string path = scratch / "parts.xlsx";
  Python(
      "import sys, zipfile\n"
      "main = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'\n"
      "rel = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'\n"
      "parts = {\n"
      " '[Content_Types].xml': '<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>',\n"
      " 'xl/workbook.xml': f'<x:workbook xmlns:x=\"{main}\" xmlns:r=\"{rel}\"><x:sheets>'\n"
      "   f'<x:sheet name=\"a\" sheetId=\"1\" r:id=\"rId7\"/><x:sheet name=\"b\" sheetId=\"2\" r:id=\"rId1\"/>'\n"
      "   '</x:sheets></x:workbook>',\n"
      " 'xl/_rels/workbook.xml.rels': '<Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">'\n"
      "   f'<Relationship Id=\"rId7\" Type=\"{rel}/worksheet\" Target=\"/xl/worksheets/data.xml\"/>'\n"
      "   f'<Relationship Id=\"rId1\" Type=\"{rel}/worksheet\" Target=\"worksheets/sheet1.xml\"/>'\n"
      "   f'<Relationship Id=\"rId9\" Type=\"{rel}/sharedStrings\" Target=\"strings.xml\"/>'\n"
      "   '</Relationships>',\n"
      " 'xl/strings.xml': f'<x:sst xmlns:x=\"{main}\"><x:si><x:t>家族</x:t></x:si>'\n"
      "   '<x:si><x:r><x:t>山田</x:t></x:r><x:r><x:rPr><x:b/></x:rPr><x:t xml:space=\"preserve\"> 太郎</x:t></x:r>'\n"
      "   '<x:rPh sb=\"0\" eb=\"2\"><x:t>ヤマダ</x:t></x:rPh></x:si></x:sst>',\n"
      " 'xl/worksheets/data.xml': f'<x:worksheet xmlns:x=\"{main}\"><x:sheetData>'\n"
      "   '<x:row><x:c/><x:c t=\"s\"><x:v>0</x:v></x:c><x:c/><x:c/><x:c t=\"s\"><x:v>1</x:v></x:c></x:row>'\n"
      "   '<x:row r=\"3\"><x:c r=\"E3\" t=\"inlineStr\"><x:is><x:t>花子</x:t></x:is></x:c>'\n"
      "   '<x:c r=\"F3\"><x:f>1+1</x:f><x:v>2</x:v></x:c><x:c r=\"G3\" t=\"s\"><x:v>9</x:v></x:c></x:row>'\n"
      "   '</x:sheetData></x:worksheet>',\n"
      " 'xl/worksheets/sheet1.xml': f'<worksheet xmlns=\"{main}\"><sheetData><row r=\"1\">'\n"
      "   '<c r=\"E1\" t=\"inlineStr\"><is><t>wrong sheet</t></is></c></row></sheetData></worksheet>'}\n"
      "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
      "    for name, text in parts.items(): z.writestr(name, text)\n",
      Quoted(path));
  SheetText sheet;
  ASSERT_EQ(spreadsheets.ReadFirstSheet(path, 10, 10, sheet), SheetReadResult::Read);
  EXPECT_EQ(sheet.columns, 6);
  EXPECT_EQ(sheet.rows, (std::vector<std::vector<std::string>>{
                            {"", "家族", "", "", "山田 太郎"}, {}, {"", "", "", "", "花子", "2"}}));
}

}  // namespace
}  // namespace ravelo
