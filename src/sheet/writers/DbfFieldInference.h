// Choosing a dBASE field's type, width and decimals from the cells of its column.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "sheet/model/CellValue.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/writers/DbfField.h"

namespace quorvex::sheet {

/// One data cell as the field inference sees it.
struct DbfCell {
  enum class Kind { kEmpty, kNumber, kDate, kBoolean, kText };
  Kind kind = Kind::kEmpty;
  double number = 0;  // kNumber: the value; kDate: the day in the 1900 date system; kBoolean: 0 or 1
  std::string text;   // the displayed text (every kind but kEmpty)
  // A number its format cannot show ('#' fill): it neither widens a character field nor fits in
  // one as text, and fills its field with '#' as the application fills the cell.
  bool unshowable = false;
};

/// Whether ClassifyDbfCell renders the cell's displayed text.
enum class DbfCellText { kRender, kSkip };

/// Sorts a cell: no value or the empty string is kEmpty; a number is kDate when its format shows
/// a date and it is a whole day a table can hold (1 January 1900 to 31 December 9999, never the
/// 29 February 1900 the 1900 date system counts), otherwise, when its format shows a date or time,
/// kText with its displayed text; other numbers are kNumber, booleans kBoolean, strings and
/// errors kText; a rendered number its format cannot show is marked unshowable. With DbfCellText::kSkip the
/// text stays empty: the kind and number do not depend on it, and rendering is most of a cell's cost.
DbfCell ClassifyDbfCell(const CellValue& value, std::uint32_t style, const numfmt::CellText& text,
                        bool date1904, DbfCellText rendering = DbfCellText::kRender);
/// The same into `cell`, whose text keeps its storage from one cell to the next.
void ClassifyDbfCell(const CellValue& value, std::uint32_t style, const numfmt::CellText& text, bool date1904,
                     DbfCellText rendering, DbfCell& cell);

/// The fitted width of a column showing `displayed`: the code points of its longest line.
int FittedWidth(std::string_view displayed);

/// The decimals a number shows: the digits after the point of its displayed text (two more for a
/// percentage, whose value is a hundredth of what it shows); for displays that are not plain
/// decimals (scientific, fractions, words) the fewest decimals that give the value back to 15
/// significant digits. At most 15.
int DisplayedDecimals(double value, const std::string& displayed);

/// `value` rounded to `decimals` places in the form dBASE stores numbers ("-12.50"); never "-0".
std::string FormatDbfNumber(double value, int decimals);

/// "YYYYMMDD" of a day of the 1900 date system.
std::string DbfDateDigits(double day_1900);

/// How a character field's text is measured: one byte per character in a code page, or the
/// bytes of its UTF-8.
enum class DbfTextMeasure { kCharacters, kUtf8Bytes };

/// What the data cells of one column hold, gathered one cell at a time.
class DbfColumnProfile {
 public:
  /// Takes in the cell of sheet row `row` (0-based), its text measured by `measure`.
  void Observe(const DbfCell& cell, std::uint32_t row, DbfTextMeasure measure = DbfTextMeasure::kCharacters);

  /// The field for this column. Numbers give N (decimals and width from the displayed values;
  /// C with the displayed text when they need more than `version` allows), dates D (C in dBASE
  /// II), booleans L; a mix of kinds, or any text, gives C as wide as the longest displayed text
  /// and at least `fitted_width` (itself cut to the format's largest C width). A column without
  /// values gives C. The C width is not checked against the limits here: see longest_text.
  DbfField Infer(std::string name, int fitted_width, DbfVersion version) const;

  /// The longest displayed text as measured, and the row of its first cell.
  std::size_t longest_text() const { return longest_text_; }
  std::uint32_t longest_text_row() const { return longest_row_; }

 private:
  std::size_t numbers_ = 0;
  std::size_t dates_ = 0;
  std::size_t booleans_ = 0;
  std::size_t texts_ = 0;
  int decimals_ = 0;
  double largest_ = 0;
  double smallest_ = 0;
  std::size_t longest_text_ = 0;
  std::uint32_t longest_row_ = 0;
};

}  // namespace quorvex::sheet
