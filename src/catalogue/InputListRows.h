// The input list (ListView1) as the input-list commands see it: rows of paths with an icon.
#pragma once

#include <string>

namespace quorvex::catalogue {

/// The small icon of an input row.
enum class InputIcon : int { kFile = 1, kFolder = 2, kMissing = 3 };

/// Rows are 1-based and never sorted. Whenever the list has rows exactly one is selected; a row
/// inserted into an empty list becomes the selected one.
class InputListRows {
 public:
  virtual ~InputListRows() = default;

  virtual int InputRowCount() const = 0;
  /// Text and icon of row `row`; "" and kMissing when no such row exists.
  virtual std::string InputRowText(int row) const = 0;
  virtual InputIcon InputRowIcon(int row) const = 0;
  /// The selected row, 0 when the list is empty.
  virtual int SelectedInputRow() const = 0;
  /// Inserts a row at position `row` (1 to count + 1); the rows from `row` on move down.
  virtual void InsertInputRow(int row, const std::string& text, InputIcon icon) = 0;
  virtual void RemoveInputRow(int row) = 0;
  /// Selects row `row` and scrolls it into view.
  virtual void SelectInputRow(int row) = 0;
  virtual void ClearInputRows() = 0;
  virtual void RepaintInputRows() {}
};

}  // namespace quorvex::catalogue
