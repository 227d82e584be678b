// What the first pass of a dBASE save learns of one column: its header, kinds, characters and width.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "sheet/writers/DbfFieldInference.h"

namespace quorvex::sheet {

/// One column of the range to save, as the first pass has seen it so far.
struct DbfColumnScan {
  std::string header;             // the header cell's displayed text
  DbfColumnProfile profile;       // what the data cells hold
  std::set<char32_t> characters;  // the data cells' characters beyond ASCII; none for UTF-8 text
  int fitted = 0;                 // the fitted width; 0 when not fitting

  /// Widens a fitted column for `shown`.
  void Fit(std::string_view shown);
  /// Takes in the data cell of sheet row `row`, fitting the column to it when `fit`; with
  /// `utf8` its text is measured in bytes and its characters are not collected.
  void TakeData(const DbfCell& cell, std::uint32_t row, bool fit, bool utf8);
};

}  // namespace quorvex::sheet
