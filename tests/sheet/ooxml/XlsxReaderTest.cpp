// Tests for XlsxReader: sheet list, date system, shared strings, cell types, styles, positions.
#include <gtest/gtest.h>

#include "../support/InMemory.h"
#include "RecordingSink.h"
#include "XlsxPackage.h"
#include "sheet/ooxml/XlsxReader.h"

namespace quorvex::sheet::ooxml {
namespace {

using test_support::InMemory;
using test_support::RecordingSink;
using test_support::WorksheetXml;
using test_support::XlsxPackage;
using Cells = std::vector<std::string>;

const std::string kSst =
    std::string("<sst xmlns=\"") + test_support::kMainNamespace + "\" count=\"9\" uniqueCount=\"6\">";

/// Opens the package and streams the sheet at `position`.
RecordingSink ReadSheet(const XlsxPackage& package, std::size_t position = 0) {
  XlsxReader reader(InMemory(package.Build()));
  RecordingSink sink;
  reader.ReadSheet(position, sink);
  return sink;
}

Cells CellsOf(const std::string& rows, const std::string& shared_strings = {}) {
  XlsxPackage package;
  package.AddSheet("S", WorksheetXml(rows));
  if (!shared_strings.empty()) package.SetSharedStrings(shared_strings);
  return ReadSheet(package).cells;
}

TEST(XlsxReader, ListsSheetsInWorkbookOrderWithTheirKinds) {
  XlsxPackage package;
  package.AddSheet("Data", WorksheetXml(""))
      .AddSheet("Chart1", "<chartsheet/>", "chartsheet")
      .AddSheet("Macro1", WorksheetXml(""), "macrosheet")
      .AddSheet("Dialog1", "<dialogsheet/>", "dialogsheet")
      .AddSheet("Last &amp; _x0041_", WorksheetXml(""));
  XlsxReader reader(InMemory(package.Build()));
  const Workbook& workbook = reader.workbook();
  ASSERT_EQ(workbook.sheets.size(), 5u);
  EXPECT_EQ(workbook.sheets[0].name, "Data");
  EXPECT_EQ(workbook.sheets[0].kind, SheetKind::kWorksheet);
  EXPECT_EQ(workbook.sheets[0].location, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(workbook.sheets[1].kind, SheetKind::kChart);
  EXPECT_EQ(workbook.sheets[1].location, "xl/chartsheets/sheet2.xml");
  EXPECT_EQ(workbook.sheets[2].kind, SheetKind::kMacro);
  EXPECT_EQ(workbook.sheets[3].kind, SheetKind::kDialog);
  EXPECT_EQ(workbook.sheets[4].name, "Last & A");
  EXPECT_EQ(workbook.WorksheetPositions(), (std::vector<std::size_t>{0, 4}));

  RecordingSink chart;
  reader.ReadSheet(1, chart);
  EXPECT_TRUE(chart.cells.empty());
  EXPECT_TRUE(chart.dimensions.empty());
  EXPECT_THROW(reader.ReadSheet(5, chart), std::out_of_range);
}

TEST(XlsxReader, ReadsTheDateSystemInEitherBooleanForm) {
  const std::pair<std::string, bool> cases[] = {
      {"date1904=\"1\"", true},
      {"date1904=\"true\"", true},
      {"date1904=\"0\"", false},
      {"date1904=\"false\"", false},
      {"", false},
  };
  for (const auto& [attributes, expected] : cases) {
    XlsxPackage package;
    package.SetWorkbookProperties(attributes).AddSheet("S", WorksheetXml(""));
    EXPECT_EQ(XlsxReader(InMemory(package.Build())).workbook().date1904, expected) << attributes;
  }
}

TEST(XlsxReader, JoinsRichTextRunsAndLeavesOutPhoneticText) {
  const std::string sst =
      kSst +
      "<si><t>plain</t></si>"
      "<si><r><rPr><b/></rPr><t>bold</t></r><r><t xml:space=\"preserve\"> and more </t></r></si>"
      "<si><t>\xE6\x9D\xB1\xE4\xBA\xAC</t><rPh sb=\"0\" eb=\"2\"><t>\xE3\x83\x88\xE3\x82\xA6</t></rPh>"
      "<phoneticPr fontId=\"1\"/></si>"
      "<si><t>line_x000D_&#10;break _x005F_x0041_ _x0041_</t></si>"
      "<si><t/></si>"
      "<si><t>&lt;tag&gt; &amp;</t></si></sst>";
  EXPECT_EQ(CellsOf("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                    "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" t=\"s\"><v>3</v></c>"
                    "<c r=\"E1\" t=\"s\"><v>4</v></c><c r=\"F1\" t=\"s\"><v>5</v></c></row>",
                    sst),
            (Cells{"0,0 s:plain", "0,1 s:bold and more ", "0,2 s:\xE6\x9D\xB1\xE4\xBA\xAC",
                   "0,3 s:line\r\nbreak _x0041_ A", "0,4 s:", "0,5 s:<tag> &"}));
}

TEST(XlsxReader, ReadsEveryCellType) {
  const std::string rows =
      "<row r=\"2\">"
      "<c r=\"A2\"><v>1.5</v></c>"
      "<c r=\"B2\" t=\"n\"><v>-2E3</v></c>"
      "<c r=\"C2\" t=\"str\"><f>CONCAT(\"a\",\"b\")</f><v>ab_x000D_</v></c>"
      "<c r=\"D2\" t=\"inlineStr\"><is><r><t>in</t></r><r><t>line</t></r><rPh><t>x</t></rPh></is></c>"
      "<c r=\"E2\" t=\"b\"><v>1</v></c>"
      "<c r=\"F2\" t=\"b\"><v>0</v></c>"
      "<c r=\"G2\" t=\"e\"><v>#N/A</v></c>"
      "<c r=\"H2\" t=\"d\"><v>2024-01-15T12:00:00</v></c>"
      "<c r=\"I2\"><f>1+1</f><v>2</v></c>"
      "<c r=\"J2\" s=\"3\"/>"
      "<c r=\"K2\" t=\"s\" s=\"1\"><v>0</v></c>"
      "</row>";
  EXPECT_EQ(CellsOf(rows, kSst + "<si><t>shared</t></si></sst>"),
            (Cells{"1,0 n:1.5", "1,1 n:-2000", "1,2 s:ab\r", "1,3 s:inline", "1,4 b:TRUE", "1,5 b:FALSE",
                   "1,6 e:#N/A", "1,7 n:45306.5", "1,8 n:2", "1,9 empty @3", "1,10 s:shared @1"}));
}

TEST(XlsxReader, DateCellsFollowTheWorkbookDateSystem) {
  XlsxPackage package;
  package.SetWorkbookProperties("date1904=\"1\"")
      .AddSheet("S", WorksheetXml("<row r=\"1\"><c r=\"A1\" t=\"d\"><v>2024-01-15</v></c></row>"));
  EXPECT_EQ(ReadSheet(package).cells, (Cells{"0,0 n:43844"}));
}

TEST(XlsxReader, NumbersRowsAndColumnsWithoutReferencesFromThePreviousOnes) {
  const std::string rows =
      "<row><c><v>1</v></c><c><v>2</v></c></row>"
      "<row r=\"5\"><c r=\"C5\"><v>3</v></c><c><v>4</v></c></row>"
      "<row><c><v>5</v></c></row>";
  EXPECT_EQ(CellsOf(rows), (Cells{"0,0 n:1", "0,1 n:2", "4,2 n:3", "4,3 n:4", "5,0 n:5"}));
}

TEST(XlsxReader, ReportsTheDeclaredDimensionBeforeTheCells) {
  const std::pair<std::string, Cells> cases[] = {
      {"<dimension ref=\"B2:D10\"/>", {"1,1:9,3"}},
      {"<dimension ref=\"C3\"/>", {"2,2:2,2"}},
      {"<dimension ref=\"nonsense\"/>", {}},
      {"", {}},
  };
  for (const auto& [dimension, expected] : cases) {
    XlsxPackage package;
    package.AddSheet("S", WorksheetXml("<row r=\"3\"><c r=\"C3\"><v>1</v></c></row>", dimension));
    const RecordingSink sink = ReadSheet(package);
    EXPECT_EQ(sink.dimensions, expected) << dimension;
    EXPECT_EQ(sink.cells, (Cells{"2,2 n:1"}));
  }
}

TEST(XlsxReader, ReadsNumberFormatsAndCellFormatsFromStyles) {
  XlsxPackage package;
  package.AddSheet("S", WorksheetXml(""))
      .SetStyles(std::string("<styleSheet xmlns=\"") + test_support::kMainNamespace +
                 "\"><numFmts count=\"2\"><numFmt numFmtId=\"164\" formatCode=\"0.000&quot;kg&quot;\"/>"
                 "<numFmt numFmtId=\"165\" formatCode=\"yyyy\\-mm\"/></numFmts>"
                 "<cellStyleXfs count=\"1\"><xf numFmtId=\"7\"/></cellStyleXfs>"
                 "<cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"164\" applyNumberFormat=\"1\">"
                 "<alignment horizontal=\"left\"/></xf><xf numFmtId=\"14\"/></cellXfs></styleSheet>");
  XlsxReader reader(InMemory(package.Build()));
  const Workbook& workbook = reader.workbook();
  ASSERT_EQ(workbook.cell_formats.size(), 3u);
  EXPECT_EQ(workbook.cell_formats[1].number_format_id, 164u);
  EXPECT_EQ(workbook.cell_formats[2].number_format_id, 14u);
  ASSERT_EQ(workbook.number_formats.size(), 2u);
  EXPECT_EQ(workbook.number_formats.at(164), "0.000\"kg\"");
  EXPECT_EQ(workbook.number_formats.at(165), "yyyy\\-mm");
}

TEST(XlsxReader, MissingStylesGiveOneDefaultFormat) {
  XlsxPackage package;
  package.AddSheet("S", WorksheetXml(""));
  XlsxReader reader(InMemory(package.Build()));
  ASSERT_EQ(reader.workbook().cell_formats.size(), 1u);
  EXPECT_EQ(reader.workbook().cell_formats[0].number_format_id, 0u);
}

TEST(XlsxReader, ReadsStrictNamespacesAndPrefixedElements) {
  const std::string strict_main = "http://purl.oclc.org/ooxml/spreadsheetml/main";
  const std::string strict_rels = "http://purl.oclc.org/ooxml/officeDocument/relationships";
  XlsxPackage package;
  package
      .SetPart("_rels/.rels",
               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"r1\" Type=\"" +
                   strict_rels +
                   "/officeDocument\" Target=\"/xl/workbook.xml\"/>"
                   "</Relationships>")
      .SetPart("xl/workbook.xml", "<x:workbook xmlns:x=\"" + strict_main + "\" xmlns:r=\"" + strict_rels +
                                      "\"><x:workbookPr date1904=\"true\"/><x:sheets><x:sheet name=\"One\" "
                                      "sheetId=\"1\" r:id=\"rId7\"/></x:sheets></x:workbook>")
      .SetPart("xl/_rels/workbook.xml.rels",
               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"rId7\" Type=\"" +
                   strict_rels +
                   "/worksheet\" Target=\"/xl/sheets/../data/one.xml\"/>"
                   "</Relationships>")
      .SetPart("xl/data/one.xml",
               "<x:worksheet xmlns:x=\"" + strict_main +
                   "\"><x:sheetData><x:row r=\"1\"><x:c r=\"A1\"><x:v>7</x:v></x:c></x:row>"
                   "</x:sheetData></x:worksheet>");
  XlsxReader reader(InMemory(package.Build()));
  ASSERT_EQ(reader.workbook().sheets.size(), 1u);
  EXPECT_TRUE(reader.workbook().date1904);
  EXPECT_EQ(reader.workbook().sheets[0].location, "xl/data/one.xml");
  RecordingSink sink;
  reader.ReadSheet(0, sink);
  EXPECT_EQ(sink.cells, (Cells{"0,0 n:7"}));
}

TEST(XlsxReader, ReadsMacroEnabledWorkbooksLikeOthers) {
  XlsxPackage package;
  package.AddSheet("S", WorksheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"))
      .SetPart("xl/vbaProject.bin", std::string("\xD0\xCF\x11\xE0 not read", 13));
  XlsxReader reader(InMemory(package.Build()));
  RecordingSink sink;
  reader.ReadSheet(0, sink);
  EXPECT_EQ(sink.cells, (Cells{"0,0 n:1"}));
}

}  // namespace
}  // namespace quorvex::sheet::ooxml
