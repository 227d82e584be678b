// Tests of XML Spreadsheet 2003 documents: structure, typed data, styles and hostile text.
#include <gtest/gtest.h>

#include <string>

#include "ScriptedWorkbookReader.h"
#include "sheet/container/MemoryByteSource.h"
#include "sheet/container/XmlPullParser.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/XmlSpreadsheetWriter.h"

namespace quorvex::sheet {
namespace {

using test_support::Number;
using test_support::ScriptedCell;
using test_support::ScriptedSheet;
using test_support::ScriptedWorkbookReader;
using test_support::Text;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string Document(ScriptedWorkbookReader& reader) {
  const numfmt::CellText text(reader.workbook());
  StringOutput out;
  WriteXmlSpreadsheet(reader, text, out);
  return out.str();
}

// Parses the whole document; returns the number of elements, or throws SheetError.
int CountElements(const std::string& xml) {
  container::MemoryByteSource source(xml);
  container::XmlPullParser parser(source, "test.xml");
  int elements = 0;
  for (auto event = parser.Next(); event != container::XmlPullParser::Event::kEndOfDocument;
       event = parser.Next()) {
    if (event == container::XmlPullParser::Event::kStartElement) ++elements;
  }
  return elements;
}

// True when every byte sequence is valid UTF-8 and no character XML 1.0 forbids appears raw.
bool OnlyXmlCharacters(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') return false;
    std::size_t length = byte < 0x80             ? 1
                         : (byte & 0xE0) == 0xC0 ? 2
                         : (byte & 0xF0) == 0xE0 ? 3
                         : (byte & 0xF8) == 0xF0 ? 4
                                                 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    if (text.compare(i, 3, "\xEF\xBF\xBE") == 0 || text.compare(i, 3, "\xEF\xBF\xBF") == 0) return false;
    i += length;
  }
  return true;
}

TEST(XmlSpreadsheetWriter, WritesRowsAndCellsWithIndexesWhereSkipped) {
  ScriptedSheet sheet{"Data", {Text(0, 0, "a"), Number(0, 2, 2.5), Text(3, 1, "b")}, {}, {}, {}};
  sheet.rows.push_back(RowInfo{.row = 3, .height = 24});
  sheet.rows.push_back(RowInfo{.row = 5, .hidden = true});
  sheet.columns.push_back(ColumnInfo{.first_column = 1, .last_column = 2, .width = 20});
  ScriptedWorkbookReader reader({sheet});
  const std::string xml = Document(reader);
  EXPECT_TRUE(Has(xml,
                  "   <Column ss:Index=\"2\" ss:Span=\"1\" ss:AutoFitWidth=\"0\" ss:Width=\"108.75\"/>\n"
                  "   <Row>\n"
                  "    <Cell><Data ss:Type=\"String\">a</Data></Cell>\n"
                  "    <Cell ss:Index=\"3\"><Data ss:Type=\"Number\">2.5</Data></Cell>\n"
                  "   </Row>\n"
                  "   <Row ss:Index=\"4\" ss:AutoFitHeight=\"0\" ss:Height=\"24\">\n"
                  "    <Cell ss:Index=\"2\"><Data ss:Type=\"String\">b</Data></Cell>\n"
                  "   </Row>\n"
                  "   <Row ss:Index=\"6\" ss:Hidden=\"1\">\n"
                  "   </Row>\n"))
      << xml;
  EXPECT_GT(CountElements(xml), 10);
}

TEST(XmlSpreadsheetWriter, TypesDataAndWritesFormulasInR1C1) {
  ScriptedSheet sheet{"S", {}, {}, {}, {}};
  sheet.cells.push_back(Number(0, 0, 61, 1));   // a date
  sheet.cells.push_back(Number(0, 1, 0.5, 1));  // a time only
  sheet.cells.push_back(Number(0, 2, 60, 1));   // 29 Feb 1900 exists only as a number
  sheet.cells.push_back(ScriptedCell{0, 3, CellKind::kBoolean, 1, {}, 0, {}});
  sheet.cells.push_back(ScriptedCell{0, 4, CellKind::kError, 0, "#DIV/0!", 0, "1/0"});
  sheet.cells.push_back(Number(1, 1, 3, 0, "SUM(A1,$B$1)"));
  ScriptedWorkbookReader reader({sheet});
  CellFormat date;
  date.number_format_id = 14;
  reader.mutable_workbook().cell_formats.push_back(date);
  const std::string xml = Document(reader);
  EXPECT_TRUE(
      Has(xml, "<Cell ss:StyleID=\"s1\"><Data ss:Type=\"DateTime\">1900-03-01T00:00:00.000</Data></Cell>"));
  EXPECT_TRUE(
      Has(xml, "<Cell ss:StyleID=\"s1\"><Data ss:Type=\"DateTime\">1899-12-31T12:00:00.000</Data></Cell>"));
  EXPECT_TRUE(Has(xml, "<Cell ss:StyleID=\"s1\"><Data ss:Type=\"Number\">60</Data></Cell>"));
  EXPECT_TRUE(Has(xml, "<Cell><Data ss:Type=\"Boolean\">1</Data></Cell>"));
  EXPECT_TRUE(Has(xml, "<Cell ss:Formula=\"=1/0\"><Data ss:Type=\"Error\">#DIV/0!</Data></Cell>"));
  EXPECT_TRUE(Has(
      xml, "<Cell ss:Index=\"2\" ss:Formula=\"=SUM(R[-1]C[-1],R1C2)\"><Data ss:Type=\"Number\">3</Data>"));
  EXPECT_TRUE(Has(xml,
                  "<Style ss:ID=\"s1\">\n   <Font ss:FontName=\"Calibri\" ss:Size=\"11\"/>\n   <NumberFormat "
                  "ss:Format=\"m/d/yyyy\"/>\n  </Style>"))
      << xml;
}

TEST(XmlSpreadsheetWriter, CellsStoredOutOfOrderAreWrittenInOrder) {
  ScriptedSheet sheet{
      "S", {Text(2, 0, "c"), Text(0, 1, "a"), Text(0, 0, "first"), Text(0, 0, "b")}, {}, {}, {}};
  sheet.rows.push_back(RowInfo{.row = 1, .height = 20});
  ScriptedWorkbookReader reader({sheet});
  const std::string xml = Document(reader);
  EXPECT_TRUE(Has(xml,
                  "   <Row>\n"
                  "    <Cell><Data ss:Type=\"String\">b</Data></Cell>\n"
                  "    <Cell><Data ss:Type=\"String\">a</Data></Cell>\n"
                  "   </Row>\n"
                  "   <Row ss:AutoFitHeight=\"0\" ss:Height=\"20\">\n"
                  "   </Row>\n"
                  "   <Row>\n"
                  "    <Cell><Data ss:Type=\"String\">c</Data></Cell>\n"
                  "   </Row>\n"))
      << xml;
}

TEST(XmlSpreadsheetWriter, DatesOfThe1904SystemStartIn1904) {
  ScriptedWorkbookReader reader(
      {ScriptedSheet{"S", {Number(0, 0, 0, 1), Number(0, 1, 1462.25, 1)}, {}, {}, {}}});
  reader.mutable_workbook().date1904 = true;
  CellFormat date;
  date.number_format_id = 22;
  reader.mutable_workbook().cell_formats.push_back(date);
  const std::string xml = Document(reader);
  EXPECT_TRUE(Has(xml, ">1904-01-01T00:00:00.000<"));
  EXPECT_TRUE(Has(xml, ">1908-01-02T06:00:00.000<"));
  EXPECT_TRUE(Has(xml, "<Date1904/>"));
}

TEST(XmlSpreadsheetWriter, MergesAndStylesAreWritten) {
  ScriptedSheet sheet{"S",
                      {Text(1, 1, "Title", 1), Text(1, 2, "under the merge"), Text(2, 5, "beside")},
                      {},
                      {},
                      {CellRange{1, 1, 3, 4}}};
  ScriptedWorkbookReader reader({sheet});
  Workbook& workbook = reader.mutable_workbook();
  Font bold;
  bold.bold = true;
  bold.color = 0x123456;
  workbook.fonts.push_back(bold);
  workbook.fills.push_back(Fill{0xABCDEF});
  Border border;
  border.top = BorderEdge{BorderStyle::kMedium, std::nullopt};
  workbook.borders.push_back(border);
  CellFormat format;
  format.font = 1;
  format.fill = 1;
  format.border = 1;
  format.horizontal = HorizontalAlignment::kCenter;
  format.wrap_text = true;
  workbook.cell_formats.push_back(format);
  const std::string xml = Document(reader);
  EXPECT_TRUE(Has(xml, "<Cell ss:Index=\"2\" ss:StyleID=\"s1\" ss:MergeAcross=\"3\" ss:MergeDown=\"2\">"));
  EXPECT_FALSE(Has(xml, "under the merge"));
  EXPECT_TRUE(Has(xml, "<Cell ss:Index=\"6\"><Data ss:Type=\"String\">beside</Data></Cell>"));
  EXPECT_TRUE(Has(xml,
                  "  <Style ss:ID=\"s1\">\n"
                  "   <Alignment ss:Horizontal=\"Center\" ss:WrapText=\"1\"/>\n"
                  "   <Borders>\n"
                  "    <Border ss:Position=\"Top\" ss:LineStyle=\"Continuous\" ss:Weight=\"2\"/>\n"
                  "   </Borders>\n"
                  "   <Font ss:FontName=\"Calibri\" ss:Size=\"11\" ss:Color=\"#123456\" ss:Bold=\"1\"/>\n"
                  "   <Interior ss:Color=\"#ABCDEF\" ss:Pattern=\"Solid\"/>\n"
                  "  </Style>\n"))
      << xml;
}

TEST(XmlSpreadsheetWriter, StylesOnlyForFormatsOfWrittenCells) {
  // Styles 1 to 4 exist; 2 is used, 3 only by a cell under a merge, 1 and 4 by no cell.
  ScriptedSheet sheet{
      "S", {Text(0, 0, "a", 2), Text(1, 1, "b"), Text(1, 2, "hidden", 3)}, {}, {}, {CellRange{1, 1, 1, 2}}};
  ScriptedWorkbookReader reader({sheet});
  Workbook& workbook = reader.mutable_workbook();
  for (int i = 0; i < 4; ++i) workbook.cell_formats.push_back(CellFormat{});
  const std::string xml = Document(reader);
  EXPECT_TRUE(Has(xml, "<Style ss:ID=\"s2\">")) << xml;
  EXPECT_FALSE(Has(xml, "<Style ss:ID=\"s1\">"));
  EXPECT_FALSE(Has(xml, "<Style ss:ID=\"s3\">"));
  EXPECT_FALSE(Has(xml, "<Style ss:ID=\"s4\">"));
}

TEST(XmlSpreadsheetWriter, HostileNamesAndTextsGiveWellFormedXml) {
  const std::string hostile = "<a href=\"x\">&amp;</a>\x01\x02\x0B\x1F\xC3 \xEF\xBF\xBF ]]> '\"\r\n";
  ScriptedSheet first{"Bad:/\\?*[]<>\"&\x01", {Text(0, 0, hostile)}, {}, {}, {}};
  first.cells.push_back(ScriptedCell{0, 1, CellKind::kError, 0, "#N/A<x>", 0, "\"<\"&A1"});
  ScriptedSheet second{"Bad:/\\?*[]<>\"&\x01", {Text(0, 0, "two")}, {}, {}, {}};
  ScriptedWorkbookReader reader({first, second});
  reader.mutable_workbook().title = hostile;
  reader.mutable_workbook().author = "</Author><Injected/>";
  const std::string xml = Document(reader);
  EXPECT_NO_THROW(CountElements(xml));
  EXPECT_TRUE(OnlyXmlCharacters(xml));
  EXPECT_FALSE(Has(xml, "<Injected/>"));
  EXPECT_FALSE(Has(xml, "<a href"));
  EXPECT_TRUE(Has(xml, "ss:Name=\"Bad_______&lt;&gt;&quot;&amp;\xEF\xBF\xBD\""));
  EXPECT_TRUE(Has(xml, "ss:Name=\"Bad_______&lt;&gt;&quot;&amp;\xEF\xBF\xBD (2)\""))
      << "sheet names stay unique";
  EXPECT_TRUE(Has(xml, "ss:Formula=\"=&quot;&lt;&quot;&amp;RC[-1]\""));
  EXPECT_TRUE(Has(xml, "&#13;\n</Data>"));
}

}  // namespace
}  // namespace quorvex::sheet
