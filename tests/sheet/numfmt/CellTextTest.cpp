// CellText: a style's number format from the workbook's definitions or the built-in table.
#include <gtest/gtest.h>

#include "sheet/numfmt/CellText.h"

namespace quorvex::sheet::numfmt {
namespace {

Workbook MakeWorkbook(std::vector<std::uint32_t> format_ids) {
  Workbook workbook;
  for (const std::uint32_t id : format_ids) workbook.cell_formats.push_back(CellFormat{id});
  return workbook;
}

TEST(CellText, UsesBuiltinFormatsForUndefinedIds) {
  const Workbook workbook = MakeWorkbook({0, 14, 4, 10, 46});
  const CellText text(workbook);
  EXPECT_EQ(text.Render(CellValue::Number(1234.5), 0), "1234.5");
  EXPECT_EQ(text.Render(CellValue::Number(45000), 1), "3/15/2023");
  EXPECT_EQ(text.Render(CellValue::Number(1234.5), 2), "1,234.50");
  EXPECT_EQ(text.Render(CellValue::Number(0.125), 3), "12.50%");
  EXPECT_EQ(text.Render(CellValue::Number(1.5), 4), "36:00:00");
  EXPECT_TRUE(text.FormatOf(1).IsDateTime());
  EXPECT_TRUE(text.FormatOf(0).IsGeneral());
}

TEST(CellText, CustomDefinitionsWinOverTheBuiltinTable) {
  Workbook workbook = MakeWorkbook({164, 14, 165});
  workbook.number_formats[164] = "0.000";
  workbook.number_formats[14] = "yyyy-mm-dd";
  workbook.number_formats[165] = "\"unterminated";
  const CellText text(workbook);
  EXPECT_EQ(text.Render(CellValue::Number(2.5), 0), "2.500");
  EXPECT_EQ(text.Render(CellValue::Number(45000), 1), "2023-03-15");
  EXPECT_EQ(text.Render(CellValue::Number(2.5), 2), "2.5");  // malformed: General
}

TEST(CellText, UnknownIdsAndStylesShowGeneral) {
  const Workbook workbook = MakeWorkbook({200, 33});
  const CellText text(workbook);
  EXPECT_EQ(text.Render(CellValue::Number(0.125), 0), "0.125");
  EXPECT_EQ(text.Render(CellValue::Number(45000), 1), "45000");
  EXPECT_EQ(text.Render(CellValue::Number(45000), 2), "45000");  // style past the table
  EXPECT_EQ(text.Render(CellValue::Number(45000), 0xFFFFFFFFu), "45000");
  EXPECT_TRUE(text.FormatOf(7).IsGeneral());
}

TEST(CellText, EmptyWorkbookShowsGeneral) {
  const CellText text(Workbook{});
  EXPECT_EQ(text.Render(CellValue::Number(1.5), 0), "1.5");
  EXPECT_EQ(text.Render(CellValue::String("s"), 0), "s");
}

TEST(CellText, Date1904FlagShiftsDates) {
  Workbook workbook = MakeWorkbook({14, 14});
  const CellText text1900(workbook);
  workbook.date1904 = true;
  const CellText text1904(workbook);
  EXPECT_EQ(text1900.Render(CellValue::Number(0), 0), "1/0/1900");
  EXPECT_EQ(text1904.Render(CellValue::Number(0), 1), "1/1/1904");
  EXPECT_EQ(text1904.Render(CellValue::Number(43538), 0), "3/15/2023");
}

TEST(CellText, StylesSharingAnIdShareOneFormat) {
  Workbook workbook = MakeWorkbook({164, 3, 164});
  workbook.number_formats[164] = "0.0";
  const CellText text(workbook);
  EXPECT_EQ(&text.FormatOf(0), &text.FormatOf(2));
  EXPECT_NE(&text.FormatOf(0), &text.FormatOf(1));
}

TEST(CellText, AppendsNonNumbersUnformatted) {
  Workbook workbook = MakeWorkbook({164});
  workbook.number_formats[164] = "0.00;-0.00;0.00;\"[\"@\"]\"";
  const CellText text(workbook);
  std::string out;
  text.Append(CellValue::String("x"), 0, out);
  out.push_back('|');
  text.Append(CellValue::Boolean(true), 0, out);
  out.push_back('|');
  text.Append(CellValue::Error("#N/A"), 0, out);
  out.push_back('|');
  text.Append(CellValue(), 0, out);
  out.push_back('|');
  text.Append(CellValue::Number(-2), 0, out);
  EXPECT_EQ(out, "[x]|TRUE|#N/A||-2.00");
}

}  // namespace
}  // namespace quorvex::sheet::numfmt
