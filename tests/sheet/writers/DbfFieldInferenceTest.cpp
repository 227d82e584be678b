// Field types, widths and decimals chosen from the cells of a column.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "sheet/numfmt/DecimalNumber.h"
#include "sheet/writers/DbfFieldInference.h"

namespace quorvex::sheet {
namespace {

// Styles: 0 General, 1 m/d/yyyy, 2 #,##0.00, 3 0.00%, 4 0.00, 5 h:mm, 6 # ?/?, 7 0.00E+00.
Workbook FormatsWorkbook() {
  Workbook workbook;
  for (const std::uint32_t id : {0u, 14u, 4u, 10u, 2u, 20u, 12u, 11u})
    workbook.cell_formats.push_back(CellFormat{id});
  return workbook;
}

struct DecimalsRow {
  double value;
  const char* displayed;
  int decimals;
};

class DisplayedDecimalsRows : public ::testing::TestWithParam<DecimalsRow> {};

TEST_P(DisplayedDecimalsRows, CountsWhatTheCellShows) {
  EXPECT_EQ(DisplayedDecimals(GetParam().value, GetParam().displayed), GetParam().decimals)
      << GetParam().displayed;
}

INSTANTIATE_TEST_SUITE_P(Displays, DisplayedDecimalsRows,
                         ::testing::Values(DecimalsRow{12, "12", 0}, DecimalsRow{1234.5, "1,234.50", 2},
                                           DecimalsRow{0.333333333333, "0.333333333", 9},
                                           DecimalsRow{0.125, "12.50%", 4}, DecimalsRow{0.12, "12%", 2},
                                           DecimalsRow{-5, "($5.00)", 2}, DecimalsRow{1.5, "1 1/2", 1},
                                           DecimalsRow{123456789012, "1.23457E+11", 0},
                                           DecimalsRow{1.5e-9, "1.5E-09", 10}, DecimalsRow{0.1, "TRUE", 1},
                                           DecimalsRow{1.0 / 3, "1/3", 15}));

struct NumberRow {
  double value;
  int decimals;
  const char* text;
};

class FormatDbfNumberRows : public ::testing::TestWithParam<NumberRow> {};

TEST_P(FormatDbfNumberRows, RoundsToTheFieldsDecimals) {
  EXPECT_EQ(FormatDbfNumber(GetParam().value, GetParam().decimals), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, FormatDbfNumberRows,
                         ::testing::Values(NumberRow{12, 0, "12"}, NumberRow{-12.5, 2, "-12.50"},
                                           NumberRow{0.125, 2, "0.13"}, NumberRow{2.675, 2, "2.68"},
                                           NumberRow{-0.001, 2, "0.00"}, NumberRow{-0.0, 0, "0"},
                                           NumberRow{1e15, 0, "1000000000000000"}));

// FormatDbfNumber as the digits a cell shows give it, one digit at a time.
std::string FromShownDigits(double value, int decimals) {
  numfmt::DecimalNumber digits = numfmt::DecimalNumber::FromDouble(value);
  digits.RoundToDecimals(decimals);
  std::string text = value < 0 && !digits.IsZero() ? "-" : "";
  text += digits.IntegerDigitCount() == 0 ? "0" : "";
  for (int i = 0; i < digits.IntegerDigitCount(); ++i)
    text += static_cast<char>('0' + digits.IntegerDigit(i));
  if (decimals > 0) text += '.';
  for (int j = 0; j < decimals; ++j) text += static_cast<char>('0' + digits.FractionDigit(j));
  return text;
}

TEST(FormatDbfNumber, RoundsAsTheShownDigitsDoNearHalfWayPoints) {
  std::mt19937_64 random(20240907);
  for (int decimals = 0; decimals <= 15; ++decimals) {
    for (int i = 0; i < 2000; ++i) {
      // A whole number of up to 16 digits, halfway to the next, scaled down by the decimals.
      const double whole = std::floor(std::ldexp(static_cast<double>(random() >> 11), -53) *
                                      std::pow(10.0, static_cast<double>(random() % 17)));
      const double half = (whole + 0.5) / std::pow(10.0, decimals);
      const double plain =
          std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 100) - 90);
      for (const double value :
           {half, std::nextafter(half, 0.0), std::nextafter(half, 1e300), -half, plain, -plain}) {
        EXPECT_EQ(FormatDbfNumber(value, decimals), FromShownDigits(value, decimals))
            << std::hexfloat << value << " to " << decimals;
      }
    }
  }
}

TEST(FittedWidth, CountsCharactersOfTheLongestLine) {
  EXPECT_EQ(FittedWidth(""), 0);
  EXPECT_EQ(FittedWidth("Cobalt 12"), 9);
  EXPECT_EQ(FittedWidth("ab\ncdef\r\nxy"), 4);
  EXPECT_EQ(FittedWidth("Caf\xC3\xA9 \xE2\x82\xAC"), 6);
  EXPECT_EQ(FittedWidth("a\tb"), 3);
}

TEST(DbfDateDigits, WritesTheCalendarDayOfTheSerial) {
  EXPECT_EQ(DbfDateDigits(1), "19000101");
  EXPECT_EQ(DbfDateDigits(61), "19000301");
  EXPECT_EQ(DbfDateDigits(45000), "20230315");
  EXPECT_EQ(DbfDateDigits(2958465), "99991231");
}

TEST(ClassifyDbfCell, SortsCellsByWhatTheyHoldAndShow) {
  const Workbook workbook = FormatsWorkbook();
  const numfmt::CellText text(workbook);
  using K = DbfCell::Kind;
  EXPECT_EQ(ClassifyDbfCell(CellValue{}, 0, text, false).kind, K::kEmpty);
  EXPECT_EQ(ClassifyDbfCell(CellValue::String(""), 0, text, false).kind, K::kEmpty);
  EXPECT_EQ(ClassifyDbfCell(CellValue::String("x"), 0, text, false).kind, K::kText);
  EXPECT_EQ(ClassifyDbfCell(CellValue::Error("#N/A"), 0, text, false).text, "#N/A");
  EXPECT_EQ(ClassifyDbfCell(CellValue::Boolean(true), 0, text, false).kind, K::kBoolean);
  const DbfCell number = ClassifyDbfCell(CellValue::Number(1234.5), 2, text, false);
  EXPECT_EQ(number.kind, K::kNumber);
  EXPECT_EQ(number.text, "1,234.50");
  const DbfCell date = ClassifyDbfCell(CellValue::Number(45000), 1, text, false);
  EXPECT_EQ(date.kind, K::kDate);
  EXPECT_EQ(date.number, 45000);
  const DbfCell date1904 = ClassifyDbfCell(CellValue::Number(0), 1, text, true);
  EXPECT_EQ(date1904.kind, K::kDate);
  EXPECT_EQ(DbfDateDigits(date1904.number), "19040101");
  // A time of day, a date with a time, and the 29 February 1900 that never was are not days.
  EXPECT_EQ(ClassifyDbfCell(CellValue::Number(0.5), 5, text, false).kind, K::kText);
  EXPECT_EQ(ClassifyDbfCell(CellValue::Number(45000.25), 1, text, false).kind, K::kText);
  const DbfCell phantom = ClassifyDbfCell(CellValue::Number(60), 1, text, false);
  EXPECT_EQ(phantom.kind, K::kText);
  EXPECT_EQ(phantom.text, "2/29/1900");
}

struct InferRow {
  const char* what;
  std::vector<DbfCell> cells;
  int fitted_width;
  DbfVersion version;
  DbfType type;
  int width;
  int decimals;
};

DbfCell Number(double value, const char* shown) {
  return {DbfCell::Kind::kNumber, value, shown};
}
DbfCell Date(double day, const char* shown) {
  return {DbfCell::Kind::kDate, day, shown};
}
DbfCell Boolean(bool value) {
  return {DbfCell::Kind::kBoolean, value ? 1.0 : 0.0, value ? "TRUE" : "FALSE"};
}
DbfCell Text(const char* shown) {
  return {DbfCell::Kind::kText, 0, shown};
}
DbfCell Empty() {
  return {};
}

class InferRows : public ::testing::TestWithParam<InferRow> {};

TEST_P(InferRows, ChoosesTypeWidthAndDecimals) {
  const InferRow& row = GetParam();
  DbfColumnProfile profile;
  std::uint32_t sheet_row = 1;
  for (const DbfCell& cell : row.cells) profile.Observe(cell, sheet_row++);
  const DbfField field = profile.Infer("F", row.fitted_width, row.version);
  EXPECT_EQ(field.type, row.type) << row.what;
  EXPECT_EQ(field.width, row.width) << row.what;
  EXPECT_EQ(field.decimals, row.decimals) << row.what;
}

constexpr auto kIV = DbfVersion::kDbase4;
constexpr auto kIII = DbfVersion::kDbase3;
constexpr auto kII = DbfVersion::kDbase2;
using T = DbfType;

INSTANTIATE_TEST_SUITE_P(
    Columns, InferRows,
    ::testing::Values(
        InferRow{"integers", {Number(12, "12"), Number(-345, "-345"), Empty()}, 0, kIV, T::kNumeric, 4, 0},
        InferRow{
            "decimals as shown", {Number(1234.5, "1,234.50"), Number(7, "7.00")}, 0, kIV, T::kNumeric, 7, 2},
        InferRow{"rounding widens", {Number(9.996, "10.00"), Number(1, "1.00")}, 0, kIV, T::kNumeric, 5, 2},
        InferRow{"percent", {Number(0.125, "12.50%")}, 0, kIV, T::kNumeric, 6, 4},
        InferRow{"fitted width ignored for numbers", {Number(1, "1")}, 30, kIV, T::kNumeric, 1, 0},
        InferRow{"twenty digits fit dBASE IV", {Number(1e19, "1E+19")}, 0, kIV, T::kNumeric, 20, 0},
        InferRow{
            "twenty digits are text in dBASE III", {Number(1e19, "1E+19")}, 0, kIII, T::kCharacter, 5, 0},
        InferRow{"too large a number keeps its display",
                 {Number(1.5e300, "1.5E+300")},
                 0,
                 kIV,
                 T::kCharacter,
                 8,
                 0},
        InferRow{"dates", {Date(45000, "3/15/2023"), Empty()}, 0, kIV, T::kDate, 8, 0},
        InferRow{"dates in dBASE II are text", {Date(45000, "3/15/2023")}, 0, kII, T::kCharacter, 9, 0},
        InferRow{"booleans", {Boolean(true), Boolean(false)}, 0, kIII, T::kLogical, 1, 0},
        InferRow{"text", {Text("abc"), Text("Zürich")}, 0, kIV, T::kCharacter, 6, 0},
        InferRow{"text at least the fitted width", {Text("abc")}, 12, kIV, T::kCharacter, 12, 0},
        InferRow{"fitted width capped", {Text("abc")}, 300, kIV, T::kCharacter, 254, 0},
        InferRow{"numbers and text mixed", {Number(12.5, "12.50"), Text("n/a")}, 0, kIV, T::kCharacter, 5, 0},
        InferRow{"numbers and dates mixed",
                 {Number(5, "5"), Date(45000, "3/15/2023")},
                 0,
                 kIV,
                 T::kCharacter,
                 9,
                 0},
        InferRow{"booleans and numbers mixed", {Boolean(true), Number(1, "1")}, 0, kIV, T::kCharacter, 4, 0},
        InferRow{"no values", {Empty(), Empty()}, 0, kIV, T::kCharacter, 1, 0},
        InferRow{"no values, fitted", {Empty()}, 7, kIV, T::kCharacter, 7, 0}));

TEST(DbfColumnProfile, ReportsTheLongestTextAndWhereItIs) {
  DbfColumnProfile profile;
  profile.Observe(Text("short"), 3);
  profile.Observe(Text(std::string(300, 'x').c_str()), 8);
  profile.Observe(Text(std::string(300, 'y').c_str()), 9);
  EXPECT_EQ(profile.longest_text(), 300u);
  EXPECT_EQ(profile.longest_text_row(), 8u);
  EXPECT_EQ(profile.Infer("F", 0, kIV).width, 300) << "left for the caller to refuse, naming the cell";
}

}  // namespace
}  // namespace quorvex::sheet
