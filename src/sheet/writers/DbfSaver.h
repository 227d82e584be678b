// Saves a range of one sheet as a dBASE table, the way a spreadsheet application does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "sheet/model/CellRange.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/stream/SheetScan.h"
#include "sheet/writers/DbfField.h"

namespace quorvex::sheet {

/// What to save and how.
struct DbfSaveRequest {
  DbfVersion version = DbfVersion::kDbase4;
  /// The cells to save (the selection); its first row gives the field names, every later row is
  /// a record. Without one, the sheet's used range is saved.
  std::optional<CellRange> range;
  /// Fitted widths in characters by 0-based column, where columns were fitted; a character
  /// field is at least as wide as its column.
  std::map<std::uint32_t, int> column_widths;
  /// Fits the columns while reading as well: a character field is at least as wide as the
  /// longest line any cell of its column shows, in every row of the sheet (header included).
  bool fit_columns = false;
  DbfDate today;
};

/// Writes the table to `path` (replacing any file there) from one reading of the sheet: it
/// settles names, types, widths and the code page, and keeps the cells in a temporary file
/// from which the records are then written.
/// Text goes in the first Windows code page that holds all of it (1252, 1250, 1251, 1253, 1254,
/// 1257), recorded by its language driver byte; dBASE II, which cannot record one,
/// takes ASCII only. Throws SheetError naming the sheet and, where one cell is to blame, its
/// address, row and column, when: the range has more columns than the version's fields, more
/// rows than it can count, records longer than it allows, a text longer than a character field,
/// or characters no single code page holds. Nothing is cut or replaced silently. With `kept`, a
/// finished scan of this sheet that kept all its cells, the sheet is not read again.
void SaveDbf(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
             const DbfSaveRequest& request, const std::string& path, SheetScan* kept = nullptr);

}  // namespace quorvex::sheet
