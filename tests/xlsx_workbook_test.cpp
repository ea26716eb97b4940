// Workbook reader: displayed texts of numbers and strings, worksheets by position, used rows,
// and damaged packages.
#include "platform/xlsx_workbook.h"

#include <gtest/gtest.h>

#include "platform/numbers.h"
#include "xlsx_test_support.h"

namespace tessavo {
namespace {

using testing::TempFolder;
using testing::TestWorkbook;

class EnglishSeparators : public ::testing::Test {
  protected:
    void SetUp() override { SetSeparators({'.', ','}); }
    void TearDown() override { SetSeparators({'.', ','}); }
};

using CellFormat = EnglishSeparators;

TEST_F(CellFormat, GeneralFitsElevenCharacters) {
    struct Case {
        double value;
        const char* shown;
    } cases[] = {
        {0, "0"},
        {42, "42"},
        {-5.5, "-5.5"},
        {0.1 + 0.2, "0.3"},
        {1234567.891234, "1234567.891"},
        {12345678901, "12345678901"},
        {-12345678901, "-12345678901"},
        {123456789012, "1.23457E+11"},
        {99999999999.5, "1E+11"},
        {1e15, "1E+15"},
        {2.0 / 3.0, "0.666666667"},
        {0.0001234, "0.0001234"},
        {0.000001, "0.000001"},
        {0.0000123456789, "1.23457E-05"},
        {1.5e-9, "1.5E-09"},
        {1e-10, "1E-10"},
        {1e100, "1E+100"},
        {1.23456789e100, "1.2346E+100"},
        {-1.23456789e-100, "-1.2346E-100"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatGeneralCell(c.value), c.shown) << c.value;
        EXPECT_EQ(FormatCellNumber(c.value, "General"), c.shown) << c.value;
    }
}

TEST_F(CellFormat, CommonNumberFormats) {
    struct Case {
        double value;
        const char* format;
        const char* shown;
    } cases[] = {
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {0.4, "0", "0"},
        {42, "00000", "00042"},
        {12.25, "0.0", "12.3"},
        {3, "0.0", "3.0"},
        {1.0005, "0.000", "1.001"},  // rounds on 15 digits, not on the binary value
        {1234567.4, "#,##0", "1,234,567"},
        {999.5, "#,##0", "1,000"},
        {0, "#,##0", "0"},
        {-1234, "#,##0", "-1,234"},
        {1234.5, "#,##0.00", "1,234.50"},
        {0.005, "#,##0.00", "0.01"},
        {1234567.25, "#,##0.0", "1,234,567.3"},
        {0.5, "0%", "50%"},
        {0.12345, "0.00%", "12.35%"},
        {30, "0\"FPS\"", "30FPS"},
        {12.5, "0.0\" KB\"", "12.5 KB"},
        {7, "\"CH\"00", "CH07"},
        {12.5, "@", "12.5"},
        {12345, "0.00E+00", "1.23E+04"},
        {0.00012, "0.00E+00", "1.20E-04"},
        {0, "0.00E+00", "0.00E+00"},
        {9.999, "0.0E+00", "1.0E+01"},
        {12345, "##0.0E+0", "12.3E+3"},
        {-1234, "#,##0 ;(#,##0)", "(1,234)"},
        {1234, "#,##0 ;(#,##0)", "1,234 "},
        {0, "0;-0;\"zero\"", "zero"},
        {-3, "0;;", ""},
        {5, "#.##", "5."},
        {0.5, "#.##", ".5"},
        {2, "[Red]0.0", "2.0"},
        {-5, "$#,##0.00", "-$5.00"},
        {5, "[$USD] 0", "USD 5"},
        {12345, "0.0,", "12.3"},
        {1234567, "#,##0,", "1,235"},
        {1.5, "0.0_);(0.0)", "1.5 "},
        {1.5, "0.0?", "1.5 "},
        {45000, "yyyy-mm-dd", "45000"},  // dates are not rendered: General stands in
        {0.75, "# ?/?", "0.75"},
        {3, "General\" ch\"", "3 ch"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatCellNumber(c.value, c.format), c.shown) << c.value << " " << c.format;
    }
}

TEST_F(CellFormat, UsesTheUsersSeparators) {
    SetSeparators({',', '.'});
    EXPECT_EQ(FormatCellNumber(1234.5, "#,##0.00"), "1.234,50");
    EXPECT_EQ(FormatCellNumber(1.5, "General"), "1,5");
    EXPECT_EQ(FormatCellNumber(123456789012, "General"), "1,23457E+11");
    EXPECT_EQ(FormatCellNumber(0.125, "0.0%"), "12,5%");
}

TEST_F(CellFormat, TextTakesTheTextSection) {
    EXPECT_EQ(FormatCellText("abc", "@"), "abc");
    EXPECT_EQ(FormatCellText("abc", "0.0"), "abc");
    EXPECT_EQ(FormatCellText("abc", "0;-0;0;\"<\"@\">\""), "<abc>");
    EXPECT_EQ(FormatCellText("x", "\"Model \"@"), "Model x");
}

class Workbook : public EnglishSeparators {
  protected:
    std::unique_ptr<XlsxWorkbook> OpenOk(const std::string& path) {
        std::string error;
        std::unique_ptr<XlsxWorkbook> book = XlsxWorkbook::Open(path, error);
        EXPECT_TRUE(book) << error;
        EXPECT_TRUE(error.empty()) << error;
        return book;
    }
    XlsxWorksheet SheetOk(const XlsxWorkbook& book, int32_t position) {
        XlsxWorksheet sheet;
        std::string error;
        EXPECT_TRUE(book.Worksheet(position, sheet, error)) << error;
        return sheet;
    }
    TempFolder folder_;
};

TEST_F(Workbook, CellsShowAsTheSheetFormatsThem) {
    const std::string path = folder_.File("cells.xlsx");
    {
        TestWorkbook wb(path);
        lxw_worksheet* ws = wb.AddSheet("Cells");
        struct Number {
            double value;
            const char* format;  // nullptr: General
        } numbers[] = {
            {1234567.891234, nullptr}, {12.25, "0.0"}, {1234.5, "#,##0.00"},    {0.5, "0%"},
            {30, "0\"FPS\""},          {12.5, "@"},    {123456789012, nullptr}, {-0.125, "0.000"},
        };
        lxw_row_t row = 0;
        for (const Number& n : numbers) {
            worksheet_write_number(ws, row++, 0, n.value,
                                   n.format ? wb.NumberFormat(n.format) : nullptr);
        }
        worksheet_write_boolean(ws, row++, 0, 1, nullptr);
        worksheet_write_boolean(ws, row++, 0, 0, nullptr);
        worksheet_write_formula_num(ws, row++, 0, "=2*3", nullptr, 6);
        worksheet_write_formula_num(ws, row++, 0, "=1/8", wb.NumberFormat("0.00"), 0.125);
        worksheet_write_formula_str(ws, row++, 0, "=\"a\"&\"b\"", nullptr, "ab");
        worksheet_write_string(ws, row++, 0, "text with spaces  ", wb.NumberFormat("0.0"));
        worksheet_write_string(ws, row++, 0, " ", nullptr);
        lxw_format* bold = workbook_add_format(wb.Book());
        format_set_bold(bold);
        lxw_rich_string_tuple first = {nullptr, const_cast<char*>("VR")};
        lxw_rich_string_tuple second = {bold, const_cast<char*>("50")};
        lxw_rich_string_tuple* rich[] = {&first, &second, nullptr};
        worksheet_write_rich_string(ws, row++, 0, rich, nullptr);
        worksheet_write_string(ws, row++, 0, "Größe_x", nullptr);
    }
    const std::unique_ptr<XlsxWorkbook> book = OpenOk(path);
    ASSERT_TRUE(book);
    const XlsxWorksheet sheet = SheetOk(*book, 1);
    const char* expected[] = {
        "1234567.891", "12.3", "1,234.50", "50%", "30FPS", "12.5", "1.23457E+11",
        "-0.125",      "TRUE", "FALSE",    "6",   "0.13",  "ab",   "text with spaces  ",
        " ",           "VR50", "Größe_x",
    };
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(expected)); ++i)
        EXPECT_EQ(sheet.CellText(i + 1, 1), expected[i]) << "row " << i + 1;
    EXPECT_EQ(sheet.CellText(1, 2), "");
    EXPECT_EQ(sheet.CellText(1000, 1), "");
    EXPECT_EQ(sheet.CellText(0, 1), "");
}

TEST_F(Workbook, InlineStringsAndEscapedCharacters) {
    const std::string path = folder_.File("inline.xlsx");
    {
        TestWorkbook wb(path, /*inlineStrings=*/true);
        wb.AddSheet({{"Code", "Name"}, {"QT20", "QT20 network"}, {"A|B", 7}});
    }
    ASSERT_NE(testing::ReadPartText(path, "xl/worksheets/sheet1.xml").find("inlineStr"),
              std::string::npos);
    const std::unique_ptr<XlsxWorkbook> book = OpenOk(path);
    ASSERT_TRUE(book);
    XlsxWorksheet sheet = SheetOk(*book, 1);
    EXPECT_EQ(sheet.CellText(2, 2), "QT20 network");
    EXPECT_EQ(sheet.CellText(3, 1), "A|B");
    EXPECT_EQ(sheet.CellText(3, 2), "7");

    // Characters XML cannot carry come as _xHHHH_ escapes; rows and cells may omit their
    // positions.
    testing::ReplacePart(
        path, "xl/worksheets/sheet1.xml",
        R"(<?xml version="1.0"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)"
        R"(<row><c t="inlineStr"><is><t>tab_x0009_here</t></is></c><c><v>5</v></c></row>)"
        R"(<row><c t="inlineStr"><is><r><t xml:space="preserve">a </t></r><r><t>b</t></r></is></c></row>)"
        R"(<row r="7"><c r="C7" t="e"><v>#DIV/0!</v></c></row>)"
        R"(</sheetData></worksheet>)");
    const std::unique_ptr<XlsxWorkbook> again = OpenOk(path);
    ASSERT_TRUE(again);
    sheet = SheetOk(*again, 1);
    EXPECT_EQ(sheet.CellText(1, 1), "tab\there");
    EXPECT_EQ(sheet.CellText(1, 2), "5");
    EXPECT_EQ(sheet.CellText(2, 1), "a b");
    EXPECT_EQ(sheet.CellText(7, 3), "#DIV/0!");
    EXPECT_EQ(sheet.UsedRowCount(), 7);  // no dimension: the highest row holding a cell
}

TEST_F(Workbook, WorksheetsCountByPositionNotName) {
    const std::string path = folder_.File("order.xlsx");
    {
        TestWorkbook wb(path);
        wb.AddSheet({{"first"}}, "Zeta");
        lxw_worksheet* data = wb.AddSheet({{"second"}, {1}, {2}}, "Alpha");
        (void)data;
        // A chart sheet sits between the worksheets but is no worksheet.
        lxw_chart* chart = workbook_add_chart(wb.Book(), LXW_CHART_COLUMN);
        chart_add_series(chart, nullptr, "=Alpha!$A$2:$A$3");
        lxw_chartsheet* charts = workbook_add_chartsheet(wb.Book(), "Chart");
        chartsheet_set_chart(charts, chart);
        wb.AddSheet({{"third"}}, "Mid");
    }
    const std::unique_ptr<XlsxWorkbook> book = OpenOk(path);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->WorksheetCount(), 3);
    const char* firstCells[] = {"first", "second", "third"};
    for (int32_t k = 1; k <= 3; ++k) EXPECT_EQ(SheetOk(*book, k).CellText(1, 1), firstCells[k - 1]);
    for (const int32_t missing : {0, 4, -1}) {
        XlsxWorksheet sheet;
        std::string error;
        EXPECT_FALSE(book->Worksheet(missing, sheet, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST_F(Workbook, UsedRowsFollowTheUsedRange) {
    const std::string path = folder_.File("used.xlsx");
    {
        TestWorkbook wb(path);
        wb.AddSheet({{"header"}});
        wb.AddSheet({{"header"}, {"a"}, {}, {}, {"e"}});
        // A formatted but empty cell extends the used range.
        lxw_worksheet* formatted = wb.AddSheet({{"header"}, {"b"}});
        worksheet_write_blank(formatted, 29, 3, wb.NumberFormat("0.00"));
        wb.AddSheet();
    }
    const std::unique_ptr<XlsxWorkbook> book = OpenOk(path);
    ASSERT_TRUE(book);
    EXPECT_EQ(SheetOk(*book, 1).UsedRowCount(), 1);
    EXPECT_EQ(SheetOk(*book, 2).UsedRowCount(), 5);
    EXPECT_EQ(SheetOk(*book, 3).UsedRowCount(), 30);
    EXPECT_EQ(SheetOk(*book, 3).CellText(30, 4), "");
    EXPECT_LE(SheetOk(*book, 4).UsedRowCount(), 1);

    // A dimension that lags behind the cells does not hide them.
    testing::ReplacePart(
        path, "xl/worksheets/sheet2.xml",
        R"(<?xml version="1.0"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><dimension ref="A1"/><sheetData>)"
        R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="9"><c r="B9"><v>2</v></c></row>)"
        R"(</sheetData></worksheet>)");
    const std::unique_ptr<XlsxWorkbook> again = OpenOk(path);
    ASSERT_TRUE(again);
    EXPECT_EQ(SheetOk(*again, 2).UsedRowCount(), 9);
}

// Damage done to a good workbook; Open or Worksheet(1) must fail with a reason.
struct Damage {
    const char* name;
    void (*apply)(const std::string& path);
    bool openFails;      // else the workbook opens and worksheet 1 fails
    const char* reason;  // part of the error text
};

const char* const kBrokenXml = "<?xml version=\"1.0\"?><worksheet><sheetData><row>";

const Damage kDamages[] = {
    {"NotAZip", [](const std::string& p) { testing::WriteBytes(p, "Code,Name\nVR50,VR50\n"); },
     true, "Not a zip"},
    {"EmptyFile", [](const std::string& p) { testing::WriteBytes(p, ""); }, true, "Not a zip"},
    {"TruncatedZip",
     [](const std::string& p) {
         const std::string bytes = testing::ReadBytes(p);
         testing::WriteBytes(p, bytes.substr(0, bytes.size() / 2));
     },
     true, "Not a zip"},
    {"NoWorkbookPart", [](const std::string& p) { testing::RemovePart(p, "xl/workbook.xml"); },
     true, "missing part xl/workbook.xml"},
    {"NoWorkbookRelationships",
     [](const std::string& p) { testing::RemovePart(p, "xl/_rels/workbook.xml.rels"); }, true,
     "missing part xl/_rels/workbook.xml.rels"},
    {"BrokenWorkbookXml",
     [](const std::string& p) { testing::ReplacePart(p, "xl/workbook.xml", "<workbook><sheets>"); },
     true, "xl/workbook.xml: broken XML"},
    {"BrokenSharedStrings",
     [](const std::string& p) { testing::ReplacePart(p, "xl/sharedStrings.xml", "<sst><si>"); },
     true, "xl/sharedStrings.xml: broken XML"},
    {"BrokenStyles",
     [](const std::string& p) { testing::ReplacePart(p, "xl/styles.xml", "<styleSheet"); }, true,
     "xl/styles.xml: broken XML"},
    {"HugeDeclaredSize",
     [](const std::string& p) {
         testing::PatchDeclaredSize(p, "xl/worksheets/sheet1.xml", 0xF0000000u);
     },
     false, "too large"},
    {"SuspiciousRatio",
     [](const std::string& p) {
         testing::PatchDeclaredSize(p, "xl/worksheets/sheet1.xml", 64u * 1024 * 1024);
     },
     false, "compression ratio"},
    {"SmallerDeclaredSize",
     [](const std::string& p) { testing::PatchDeclaredSize(p, "xl/worksheets/sheet1.xml", 10); },
     false, "longer than declared"},
    {"BrokenSheetXml",
     [](const std::string& p) { testing::ReplacePart(p, "xl/worksheets/sheet1.xml", kBrokenXml); },
     false, "sheet1.xml: broken XML"},
    {"MissingSheetPart",
     [](const std::string& p) { testing::RemovePart(p, "xl/worksheets/sheet1.xml"); }, false,
     "missing part xl/worksheets/sheet1.xml"},
    {"NotAWorksheet",
     [](const std::string& p) {
         testing::ReplacePart(p, "xl/worksheets/sheet1.xml", "<?xml version=\"1.0\"?><x/>");
     },
     false, "not a worksheet"},
    {"BadCellReference",
     [](const std::string& p) {
         testing::ReplacePart(p, "xl/worksheets/sheet1.xml",
                              "<worksheet><sheetData><row r=\"1\"><c r=\"1A\"><v>1</v></c>"
                              "</row></sheetData></worksheet>");
     },
     false, "bad cell reference"},
};

class DamagedWorkbook : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedWorkbook, GivesAnErrorNotACrash) {
    TempFolder folder;
    const std::string path = folder.File("damaged.xlsx");
    {
        TestWorkbook wb(path);
        wb.AddSheet({{"Code", "Name"}, {"VR50", 1.5}});
    }
    GetParam().apply(path);
    std::string error;
    const std::unique_ptr<XlsxWorkbook> book = XlsxWorkbook::Open(path, error);
    if (GetParam().openFails) {
        EXPECT_FALSE(book);
        EXPECT_FALSE(error.empty());
        return;
    }
    ASSERT_TRUE(book) << error;
    XlsxWorksheet sheet;
    EXPECT_FALSE(book->Worksheet(1, sheet, error));
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedWorkbook, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WorkbookOpen, MissingFileGivesAnError) {
    std::string error;
    EXPECT_FALSE(XlsxWorkbook::Open("/nonexistent/folder/HddInfo.xlsx", error));
    EXPECT_NE(error.find("HddInfo.xlsx"), std::string::npos) << error;
}

}  // namespace
}  // namespace tessavo
