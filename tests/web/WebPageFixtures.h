// Scripted workbooks shared by the browser and spreadsheet program checks.
#pragma once

#include "../sheet/writers/ScriptedWorkbookReader.h"

namespace quorvex::web_test {

using sheet::test_support::Number;
using sheet::test_support::ScriptedCell;
using sheet::test_support::ScriptedSheet;
using sheet::test_support::ScriptedWorkbookReader;
using sheet::test_support::Text;

/// Text that tries to break out of the page: markup, quotes, control and invalid characters.
inline const std::string kHostileText = "<script>alert(1)</script>\"'&amp;\x01\x0B\xC3";

/// Sheet "Sales" (a table with a header row and a formula column, for sorting and pivots), sheet "Styled" (a
/// merged title, bold header with a fill and borders, a hidden column, wrapped text, a formula and hostile
/// text) and a hidden sheet "Secret".
inline ScriptedWorkbookReader SalesWorkbook() {
  ScriptedSheet sales{"Sales", {}, {}, {}, {}};
  const char* regions[] = {"North", "South", "North", "East", "South"};
  const char* products[] = {"Apples", "Apples", "Pears", "Pears", "Pears"};
  const double units[] = {10, 4, 7, 3, 5};
  const double prices[] = {1.5, 1.5, 2, 2, 2};
  sales.cells = {Text(0, 0, "Region", 1), Text(0, 1, "Product", 1), Text(0, 2, "Units", 1),
                 Text(0, 3, "Price", 1), Text(0, 4, "Revenue", 1)};
  for (std::uint32_t i = 0; i < 5; ++i) {
    const std::string row = std::to_string(i + 2);
    sales.cells.push_back(Text(i + 1, 0, regions[i]));
    sales.cells.push_back(Text(i + 1, 1, products[i]));
    sales.cells.push_back(Number(i + 1, 2, units[i]));
    sales.cells.push_back(Number(i + 1, 3, prices[i], 2));
    sales.cells.push_back(Number(i + 1, 4, units[i] * prices[i], 3, "C" + row + "*D" + row));
  }
  sales.columns.push_back(sheet::ColumnInfo{.first_column = 0, .last_column = 1, .width = 14});

  ScriptedSheet styled{"Styled <Report> & \"Co\"", {}, {}, {}, {}};
  styled.cells = {Text(0, 0, "Quarterly report", 4),
                  Text(1, 0, "Item", 1),
                  Text(1, 1, "Secret column", 1),
                  Text(1, 2, "Amount", 1),
                  Text(2, 0, "A long description that wraps inside its cell", 5),
                  Text(2, 1, "never shown"),
                  Number(2, 2, 1234.5, 2),
                  Text(3, 0, kHostileText),
                  Number(3, 2, -7, 2)};
  styled.merges.push_back(sheet::CellRange{0, 0, 0, 2});
  styled.columns.push_back(sheet::ColumnInfo{.first_column = 0, .last_column = 0, .width = 24});
  styled.columns.push_back(
      sheet::ColumnInfo{.first_column = 1, .last_column = 1, .width = 10, .hidden = true});
  styled.columns.push_back(sheet::ColumnInfo{.first_column = 2, .last_column = 2, .width = 12});
  styled.rows.push_back(sheet::RowInfo{.row = 0, .height = 24});
  styled.rows.push_back(sheet::RowInfo{.row = 2, .height = 45});

  ScriptedSheet secret{"Secret", {Text(0, 0, "hidden sheet text")}, {}, {}, {}};
  secret.hidden = true;

  ScriptedWorkbookReader reader({sales, styled, secret});
  sheet::Workbook& workbook = reader.mutable_workbook();
  sheet::Font header_font;
  header_font.bold = true;
  header_font.color = 0xFFFFFF;
  workbook.fonts.push_back(header_font);  // 1
  sheet::Font title_font;
  title_font.name = "Cambria";
  title_font.size = 16;
  title_font.bold = true;
  title_font.color = 0x1F4E79;
  workbook.fonts.push_back(title_font);  // 2
  sheet::Font red;
  red.italic = true;
  red.color = 0xC00000;
  workbook.fonts.push_back(red);                    // 3
  workbook.fills.push_back(sheet::Fill{0x4472C4});  // 1
  workbook.fills.push_back(sheet::Fill{0xFFF2CC});  // 2
  sheet::Border box;
  box.left = box.right = box.top = box.bottom = sheet::BorderEdge{sheet::BorderStyle::kThin, 0x000000};
  workbook.borders.push_back(box);  // 1
  sheet::Border underline;
  underline.bottom = sheet::BorderEdge{sheet::BorderStyle::kDouble, 0x1F4E79};
  workbook.borders.push_back(underline);  // 2
  workbook.number_formats[164] = "#,##0.00;[Red]-#,##0.00";

  sheet::CellFormat header;  // 1
  header.font = 1;
  header.fill = 1;
  header.border = 1;
  header.horizontal = sheet::HorizontalAlignment::kCenter;
  workbook.cell_formats.push_back(header);
  sheet::CellFormat money;  // 2
  money.number_format_id = 164;
  money.border = 1;
  workbook.cell_formats.push_back(money);
  sheet::CellFormat total;  // 3
  total.font = 3;
  total.fill = 2;
  workbook.cell_formats.push_back(total);
  sheet::CellFormat title;  // 4
  title.font = 2;
  title.border = 2;
  title.horizontal = sheet::HorizontalAlignment::kCenter;
  title.vertical = sheet::VerticalAlignment::kCenter;
  workbook.cell_formats.push_back(title);
  sheet::CellFormat wrapped;  // 5
  wrapped.wrap_text = true;
  wrapped.vertical = sheet::VerticalAlignment::kTop;
  wrapped.border = 1;
  workbook.cell_formats.push_back(wrapped);
  return reader;
}

}  // namespace quorvex::web_test
