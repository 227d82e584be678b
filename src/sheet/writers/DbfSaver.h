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

class DbfEarlyTableScanner;

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
  /// Character fields in UTF-8, with field widths in bytes, and a file with the extension
  /// ".cpg" holding "UTF-8" beside the table, as GIS programs expect; otherwise one Windows code
  /// page for the whole table.
  bool utf8 = false;
  DbfDate today;
};

/// What a save had to give up: characters written as '?' because the table's encoding lacks them.
struct DbfSaveResult {
  std::size_t replaced = 0;
  std::string encoding;  // the table's text encoding: "Windows-1252", ..., "ASCII" or "UTF-8"
};

/// Writes the table to `path` (replacing any file there) from one reading of the sheet: it
/// settles names, types, widths and the code page, and keeps the cells in a temporary file
/// from which the records are then written.
/// Text goes in the first Windows code page that holds all of it (1252, 1250, 1251, 1253, 1254,
/// 1257), recorded by its language driver byte, or else in the one holding the most of its
/// characters, with '?' for the others; dBASE II, which cannot record one, takes ASCII. With
/// `request.utf8` the text is UTF-8 instead. Returns what was replaced. Throws SheetError naming
/// the sheet and, where one cell is to blame, its address, row and column, when: the range has
/// more columns than the version's fields, more rows than it can count, records longer than it
/// allows, or a text longer than a character field. Nothing is cut. With `kept`, a finished scan
/// of this sheet that kept all its cells, the sheet is not read again; with `first_pass` as well,
/// the early sink of that scan, the fields come from what it found while the cells were read
/// whenever its guesses hold, and the cells kept are replayed only for the records.
DbfSaveResult SaveDbf(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                      const DbfSaveRequest& request, const std::string& path, SheetScan* kept = nullptr,
                      DbfEarlyTableScanner* first_pass = nullptr);

}  // namespace quorvex::sheet
