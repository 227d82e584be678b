// Tests of the look and layout the .xlsx reader reports: styles, colours, sizes, merges, formulas.
#include <gtest/gtest.h>

#include <vector>

#include "../support/InMemory.h"
#include "XlsxPackage.h"
#include "sheet/container/MemoryByteSource.h"
#include "sheet/ooxml/CorePropertiesPart.h"
#include "sheet/ooxml/SpreadsheetColors.h"
#include "sheet/ooxml/StylesPart.h"
#include "sheet/ooxml/WorkbookPart.h"
#include "sheet/ooxml/XlsxReader.h"

namespace quorvex::sheet::ooxml {
namespace {

using test_support::InMemory;
using test_support::WorksheetXml;
using test_support::XlsxPackage;

// Everything a sheet streams, kept for checks.
class LayoutSink : public SheetSink {
 public:
  void OnColumnInfo(const ColumnInfo& info) override { columns.push_back(info); }
  SinkControl OnCell(const Cell& cell) override {
    cells.push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) + " =" +
                    std::string(cell.formula));
    return SinkControl::kContinue;
  }
  void OnRowInfo(const RowInfo& info) override { rows.push_back(info); }
  void OnMergedRange(const CellRange& range) override { merges.push_back(range); }
  void OnSheetDefaults(const SheetDefaults& defaults) override {
    default_width = defaults.column_width;
    default_height = defaults.row_height;
  }

  std::vector<ColumnInfo> columns;
  std::vector<std::string> cells;
  std::vector<RowInfo> rows;
  std::vector<CellRange> merges;
  double default_width = -1;
  double default_height = -1;
};

template <typename Read>
void Parse(const std::string& xml, Read read) {
  container::MemoryByteSource source(xml);
  container::XmlPullParser parser(source, "part.xml");
  read(parser);
}

TEST(XlsxLayout, StylesGiveFontsFillsBordersAndAlignment) {
  const std::string styles =
      std::string("<styleSheet xmlns=\"") + test_support::kMainNamespace +
      "\">"
      "<fonts count=\"2\"><font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/></font>"
      "<font><b/><i val=\"0\"/><u/><strike/><sz val=\"14\"/><color rgb=\"FFFF0000\"/><name "
      "val=\"Arial\"/></font></fonts>"
      "<fills count=\"3\"><fill><patternFill patternType=\"none\"/></fill><fill><patternFill "
      "patternType=\"gray125\"/></fill>"
      "<fill><patternFill patternType=\"solid\"><fgColor indexed=\"13\"/><bgColor "
      "indexed=\"64\"/></patternFill></fill></fills>"
      "<borders count=\"2\"><border><left/><right/><top/><bottom/></border>"
      "<border><left style=\"thin\"><color auto=\"1\"/></left><right style=\"double\"><color theme=\"4\" "
      "tint=\"-0.5\"/></right>"
      "<top/><bottom style=\"mediumDashed\"/></border></borders>"
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\"><alignment "
      "horizontal=\"right\"/></xf></cellStyleXfs>"
      "<cellXfs count=\"2\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "<xf numFmtId=\"14\" fontId=\"1\" fillId=\"2\" borderId=\"1\" applyAlignment=\"1\">"
      "<alignment horizontal=\"center\" vertical=\"top\" wrapText=\"1\" indent=\"2\"/></xf></cellXfs>"
      "<dxfs count=\"1\"><dxf><font><b/></font></dxf></dxfs></styleSheet>";
  Workbook workbook;
  Parse(styles,
        [&](container::XmlPullParser& parser) { ReadStylesPart(parser, workbook, DefaultThemeColors()); });
  ASSERT_EQ(workbook.fonts.size(), 2u) << "the font of a differential format is not a font";
  EXPECT_EQ(workbook.fonts[0].color, Rgb{0x000000});
  const Font& font = workbook.fonts[1];
  EXPECT_EQ(font.name, "Arial");
  EXPECT_EQ(font.size, 14);
  EXPECT_TRUE(font.bold);
  EXPECT_FALSE(font.italic);
  EXPECT_TRUE(font.underline);
  EXPECT_TRUE(font.strikeout);
  EXPECT_EQ(font.color, Rgb{0xFF0000});
  ASSERT_EQ(workbook.fills.size(), 3u);
  EXPECT_FALSE(workbook.fills[1].color) << "only solid fills carry a colour";
  EXPECT_EQ(workbook.fills[2].color, Rgb{0xFFFF00});  // indexed 13: yellow
  ASSERT_EQ(workbook.borders.size(), 2u);
  EXPECT_EQ(workbook.borders[1].left.style, BorderStyle::kThin);
  EXPECT_FALSE(workbook.borders[1].left.color);
  EXPECT_EQ(workbook.borders[1].right.style, BorderStyle::kDouble);
  EXPECT_EQ(workbook.borders[1].right.color, ApplyTint(0x4472C4, -0.5));
  EXPECT_EQ(workbook.borders[1].bottom.style, BorderStyle::kMediumDashed);
  EXPECT_EQ(workbook.borders[1].top.style, BorderStyle::kNone);
  ASSERT_EQ(workbook.cell_formats.size(), 2u) << "cell style formats are not cell formats";
  const CellFormat& format = workbook.cell_formats[1];
  EXPECT_EQ(format.number_format_id, 14u);
  EXPECT_EQ(format.font, 1u);
  EXPECT_EQ(format.fill, 2u);
  EXPECT_EQ(format.border, 1u);
  EXPECT_EQ(format.horizontal, HorizontalAlignment::kCenter);
  EXPECT_EQ(format.vertical, VerticalAlignment::kTop);
  EXPECT_TRUE(format.wrap_text);
  EXPECT_EQ(format.indent, 2);
  EXPECT_EQ(workbook.cell_formats[0].horizontal, HorizontalAlignment::kGeneral);
}

TEST(XlsxLayout, TintLightensAndDarkensInLightness) {
  EXPECT_EQ(ApplyTint(0x4472C4, 0), Rgb{0x4472C4});
  EXPECT_EQ(ApplyTint(0x000000, 0.5), Rgb{0x808080});
  EXPECT_EQ(ApplyTint(0xFFFFFF, -0.5), Rgb{0x808080});
  EXPECT_EQ(ApplyTint(0x4472C4, 0.7999816888943144), Rgb{0xDAE3F3});  // Accent 1, lighter 80%
  EXPECT_EQ(ApplyTint(0x4472C4, -0.249977111117893), Rgb{0x2F5597});  // Accent 1, darker 25%
}

TEST(XlsxLayout, ThemeColorsFollowTheSchemeWithLightAndDarkSwapped) {
  const std::string theme =
      "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\"><a:themeElements>"
      "<a:clrScheme name=\"T\"><a:dk1><a:sysClr val=\"windowText\" lastClr=\"111111\"/></a:dk1>"
      "<a:lt1><a:sysClr val=\"window\" lastClr=\"EEEEEE\"/></a:lt1><a:dk2><a:srgbClr val=\"222222\"/></a:dk2>"
      "<a:lt2><a:srgbClr val=\"DDDDDD\"/></a:lt2><a:accent1><a:srgbClr val=\"123456\"/></a:accent1>"
      "</a:clrScheme></a:themeElements></a:theme>";
  ThemeColors colors;
  Parse(theme, [&](container::XmlPullParser& parser) { colors = ReadThemeColors(parser); });
  ASSERT_EQ(colors.size(), 12u);
  EXPECT_EQ(colors[0], Rgb{0xEEEEEE});
  EXPECT_EQ(colors[1], Rgb{0x111111});
  EXPECT_EQ(colors[2], Rgb{0xDDDDDD});
  EXPECT_EQ(colors[3], Rgb{0x222222});
  EXPECT_EQ(colors[4], Rgb{0x123456});
  EXPECT_EQ(colors[5], DefaultThemeColors()[5]) << "missing entries keep the default";
}

TEST(XlsxLayout, SheetReportsColumnsRowsMergesDefaultsAndFormulaText) {
  const std::string sheet =
      std::string("<worksheet xmlns=\"") + test_support::kMainNamespace +
      "\">"
      "<sheetFormatPr baseColWidth=\"10\" defaultRowHeight=\"16\"/>"
      "<cols><col min=\"2\" max=\"4\" width=\"20.5\" customWidth=\"1\"/><col min=\"5\" max=\"5\" width=\"3\" "
      "hidden=\"1\"/>"
      "<col min=\"0\" max=\"1\" width=\"9\"/></cols><sheetData>"
      "<row r=\"1\" ht=\"30\" customHeight=\"1\"><c r=\"A1\"><v>1</v></c><c "
      "r=\"B1\"><f>A1*2</f><v>2</v></c></row>"
      "<row r=\"2\" hidden=\"1\"><c r=\"A2\" t=\"str\"><f>\"a&lt;\"&amp;A1</f><v>a&lt;1</v></c>"
      "<c r=\"B2\"><f t=\"shared\" ref=\"B2:B3\" si=\"0\">A2+1</f><v>0</v></c></row>"
      "<row r=\"3\"><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>1</v></c></row>"
      "</sheetData><mergeCells count=\"1\"><mergeCell ref=\"C5:E7\"/></mergeCells></worksheet>";
  XlsxPackage package;
  package.AddSheet("S", sheet);
  XlsxReader reader(InMemory(package.Build()));
  LayoutSink sink;
  reader.ReadSheet(0, sink);
  EXPECT_NEAR(sink.default_width, 10.714, 0.001);
  EXPECT_EQ(sink.default_height, 16);
  ASSERT_EQ(sink.columns.size(), 2u) << "a column range starting at 0 is not valid";
  EXPECT_EQ(sink.columns[0].first_column, 1u);
  EXPECT_EQ(sink.columns[0].last_column, 3u);
  EXPECT_EQ(sink.columns[0].width, 20.5);
  EXPECT_TRUE(sink.columns[1].hidden);
  ASSERT_EQ(sink.rows.size(), 2u);
  EXPECT_EQ(sink.rows[0].row, 0u);
  EXPECT_EQ(sink.rows[0].height, 30);
  EXPECT_EQ(sink.rows[1].row, 1u);
  EXPECT_TRUE(sink.rows[1].hidden);
  EXPECT_EQ(sink.cells,
            (std::vector<std::string>{"0,0 =", "0,1 =A1*2", "1,0 =\"a<\"&A1", "1,1 =A2+1", "2,1 ="}));
  ASSERT_EQ(sink.merges.size(), 1u);
  EXPECT_EQ(sink.merges[0].first_row, 4u);
  EXPECT_EQ(sink.merges[0].first_column, 2u);
  EXPECT_EQ(sink.merges[0].last_row, 6u);
  EXPECT_EQ(sink.merges[0].last_column, 4u);
}

TEST(XlsxLayout, WorkbookPartGivesHiddenSheetsAndTheActiveTab) {
  const std::string workbook =
      std::string("<workbook xmlns=\"") + test_support::kMainNamespace + "\" xmlns:r=\"" +
      test_support::kRelationshipTypes +
      "\"><bookViews><workbookView activeTab=\"2\"/></bookViews><sheets>"
      "<sheet name=\"A\" r:id=\"rId1\"/><sheet name=\"B\" state=\"hidden\" r:id=\"rId2\"/>"
      "<sheet name=\"C\" state=\"veryHidden\" r:id=\"rId3\"/><sheet name=\"D\" state=\"visible\" "
      "r:id=\"rId4\"/></sheets></workbook>";
  WorkbookPart part;
  Parse(workbook, [&](container::XmlPullParser& parser) { part = ReadWorkbookPart(parser); });
  EXPECT_EQ(part.active_tab, 2u);
  ASSERT_EQ(part.sheets.size(), 4u);
  EXPECT_FALSE(part.sheets[0].hidden);
  EXPECT_TRUE(part.sheets[1].hidden);
  EXPECT_TRUE(part.sheets[2].hidden);
  EXPECT_FALSE(part.sheets[3].hidden);
  EXPECT_FALSE(part.sheets[1].very_hidden);
  EXPECT_TRUE(part.sheets[2].very_hidden);
}

TEST(XlsxLayout, CorePropertiesGiveTitleAndAuthor) {
  const std::string core =
      "<cp:coreProperties "
      "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Q1 &amp; "
      "Q2</dc:title><dc:creator>Ann</dc:creator>"
      "<dc:subject>ignored</dc:subject></cp:coreProperties>";
  Workbook workbook;
  Parse(core, [&](container::XmlPullParser& parser) { ReadCorePropertiesPart(parser, workbook); });
  EXPECT_EQ(workbook.title, "Q1 & Q2");
  EXPECT_EQ(workbook.author, "Ann");
}

}  // namespace
}  // namespace quorvex::sheet::ooxml
