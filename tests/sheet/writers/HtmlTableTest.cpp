// Tests of sheets as HTML tables and of the CSS for cell formats.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ScriptedWorkbookReader.h"
#include "sheet/model/SheetError.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/HtmlStyleSheet.h"
#include "sheet/writers/HtmlTable.h"

namespace quorvex::sheet {
namespace {

using test_support::Number;
using test_support::ScriptedSheet;
using test_support::ScriptedWorkbookReader;
using test_support::Text;

std::string Table(ScriptedWorkbookReader& reader, bool interactive = false,
                  std::set<std::uint32_t>* styles = nullptr) {
  const numfmt::CellText text(reader.workbook());
  SheetLayout layout;
  SheetScan scan(&layout, CellKeeping::kAll);
  reader.ReadSheet(0, scan);
  layout.Finish();
  if (styles != nullptr) *styles = HtmlTableStyles(layout, scan);
  StringOutput out;
  WriteHtmlTable(out, layout, scan, text, HtmlTableOptions{interactive});
  return out.str();
}

TEST(HtmlTable, WritesDisplayedTextsOfTheUsedRangeWithSizes) {
  ScriptedSheet sheet{"S", {Text(1, 1, "Name"), Number(2, 2, 1.5)}, {}, {}, {}};
  sheet.columns.push_back(ColumnInfo{.first_column = 1, .last_column = 1, .width = 20});
  sheet.rows.push_back(RowInfo{.row = 2, .height = 30});
  ScriptedWorkbookReader reader({sheet});
  EXPECT_EQ(Table(reader),
            "<table class=\"q-sheet\">\n"
            "<colgroup><col style=\"width:145px\"><col style=\"width:64px\"></colgroup>\n"
            "<tbody>\n"
            "<tr style=\"height:15pt\"><td class=\"s0\">Name</td><td></td></tr>\n"
            "<tr style=\"height:30pt\"><td></td><td class=\"s0 n\">1.5</td></tr>\n"
            "</tbody>\n"
            "</table>\n");
}

TEST(HtmlTable, MergedCellsSpanOnlyVisibleRowsAndColumns) {
  ScriptedSheet sheet{
      "S",
      {Text(0, 0, "Wide"), Text(0, 1, "hidden by merge"), Text(1, 3, "x"), Text(3, 0, "after")},
      {},
      {},
      {}};
  sheet.merges.push_back(CellRange{0, 0, 2, 2});  // A1:C3
  sheet.columns.push_back(
      ColumnInfo{.first_column = 1, .last_column = 1, .width = 10, .hidden = true});  // B hidden
  sheet.rows.push_back(RowInfo{.row = 1, .hidden = true});                            // row 2 hidden
  ScriptedWorkbookReader reader({sheet});
  const std::string table = Table(reader);
  EXPECT_NE(table.find("<td class=\"s0\" rowspan=\"2\" colspan=\"2\">Wide</td><td></td></tr>"),
            std::string::npos)
      << table;
  EXPECT_EQ(table.find("hidden by merge"), std::string::npos);
  EXPECT_EQ(table.find(">x<"), std::string::npos) << "row 2 is hidden";
  EXPECT_NE(table.find("<td class=\"s0\">after</td>"), std::string::npos);
  // Row 3 lies under the merge apart from column D.
  EXPECT_NE(table.find("<tr style=\"height:15pt\"><td></td></tr>"), std::string::npos) << table;
}

TEST(HtmlTable, StylesAreThoseOfTheCellsShown) {
  // A1:B2 merged with its first row hidden: the merge still shows A1's style in row 2; B1 lies
  // under the merge, C3 in a hidden column, D3 is shown.
  ScriptedSheet sheet{
      "S", {Text(0, 0, "a", 1), Text(0, 1, "b", 2), Text(2, 2, "c", 3), Text(2, 3, "d", 4)}, {}, {}, {}};
  sheet.merges.push_back(CellRange{0, 0, 1, 1});
  sheet.rows.push_back(RowInfo{.row = 0, .hidden = true});
  sheet.columns.push_back(ColumnInfo{.first_column = 2, .last_column = 2, .width = 10, .hidden = true});
  ScriptedWorkbookReader reader({sheet});
  std::set<std::uint32_t> styles;
  const std::string table = Table(reader, false, &styles);
  EXPECT_EQ(styles, (std::set<std::uint32_t>{1, 4}));
  EXPECT_NE(table.find("<td class=\"s1\" colspan=\"2\">a</td>"), std::string::npos) << table;
}

TEST(HtmlTable, InteractiveTableAddsHeadersAddressesValuesAndFormulas) {
  ScriptedWorkbookReader reader({ScriptedSheet{"S", {Number(0, 26, 3, 0, "SUM(\"<b>\",A1)")}, {}, {}, {}}});
  const std::string table = Table(reader, true);
  EXPECT_NE(table.find("<th class=\"q-colhead\" data-c=\"26\">AA</th>"), std::string::npos) << table;
  EXPECT_NE(table.find("<th class=\"q-rowhead\">1</th>"), std::string::npos);
  EXPECT_NE(table.find(
                "data-c=\"26\" data-a=\"AA1\" data-v=\"3\" data-f=\"=SUM(&quot;&lt;b&gt;&quot;,A1)\">3</td>"),
            std::string::npos)
      << table;
}

TEST(HtmlTable, CellTextCannotInjectMarkup) {
  ScriptedWorkbookReader reader(
      {ScriptedSheet{"S", {Text(0, 0, "</td><script>alert(1)</script>\x01")}, {}, {}, {}}});
  const std::string table = Table(reader, true);
  EXPECT_EQ(table.find("<script"), std::string::npos);
  EXPECT_NE(table.find("&lt;/td&gt;&lt;script&gt;alert(1)&lt;/script&gt;\xEF\xBF\xBD"), std::string::npos);
}

TEST(HtmlTable, EmptySheetGivesAnEmptyTable) {
  ScriptedWorkbookReader reader({ScriptedSheet{"S", {}, {}, {}, {}}});
  EXPECT_EQ(Table(reader), "<table class=\"q-sheet\">\n</table>\n");
}

TEST(HtmlTable, RefusesAUsedRangeTooLargeForAPage) {
  ScriptedWorkbookReader reader(
      {ScriptedSheet{"S", {Text(0, 0, "a"), Text(1048575, 16383, "z")}, {}, {}, {}}});
  try {
    Table(reader);
    FAIL() << "no error";
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kTooLarge);
  }
}

TEST(HtmlStyleSheet, RuleCarriesFontFillBordersAndAlignment) {
  ScriptedWorkbookReader reader({ScriptedSheet{"S", {}, {}, {}, {}}});
  Workbook& workbook = reader.mutable_workbook();
  Font font;
  font.name = "Cambria</style>";
  font.size = 14;
  font.bold = true;
  font.italic = true;
  font.underline = true;
  font.color = 0xFF0000;
  workbook.fonts.push_back(font);
  workbook.fills.push_back(Fill{0xFFFF00});
  Border border;
  border.bottom = BorderEdge{BorderStyle::kDouble, 0x0000FF};
  border.left = BorderEdge{BorderStyle::kThin, std::nullopt};
  workbook.borders.push_back(border);
  CellFormat format;
  format.font = 1;
  format.fill = 1;
  format.border = 1;
  format.horizontal = HorizontalAlignment::kCenter;
  format.vertical = VerticalAlignment::kTop;
  format.wrap_text = true;
  workbook.cell_formats.push_back(format);
  std::string css;
  AppendStyleRules(css, workbook, {1, 7});
  EXPECT_EQ(css,
            "table.q-sheet "
            "td.s1{font-family:\"Cambriastyle\",sans-serif;font-size:14pt;font-weight:bold;font-style:italic;"
            "text-decoration: underline;color:#FF0000;background-color:#FFFF00;border-left:1px solid #000000;"
            "border-bottom:3px double #0000FF;text-align:center;vertical-align:top;white-space:pre-wrap;"
            "overflow-wrap:break-word;}\n");
}

TEST(HtmlStyleSheet, ColumnWidthFollowsTheDefaultFontsCharacterWidth) {
  EXPECT_EQ(ColumnWidthPixels(8.43), 64);
  EXPECT_EQ(ColumnWidthPixels(20), 145);
  EXPECT_EQ(ColumnWidthPixels(0), 0);
}

}  // namespace
}  // namespace quorvex::sheet
