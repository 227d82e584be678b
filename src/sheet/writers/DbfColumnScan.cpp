// What the first pass of a dBASE save learns of one column.
#include "sheet/writers/DbfColumnScan.h"

#include <algorithm>

#include "sheet/writers/DbfCodePage.h"

namespace quorvex::sheet {

void DbfColumnScan::Fit(std::string_view shown) {
  fitted = std::max(fitted, FittedWidth(shown));
}

void DbfColumnScan::TakeData(const DbfCell& cell, std::uint32_t row, bool fit, bool utf8) {
  if (fit && !cell.unshowable) Fit(cell.text);
  profile.Observe(cell, row, utf8 ? DbfTextMeasure::kUtf8Bytes : DbfTextMeasure::kCharacters);
  if (utf8 || IsAscii(cell.text)) return;
  for (std::size_t position = 0; position < cell.text.size();) {
    const char32_t c = NextCodePoint(cell.text, position);
    if (c >= 0x80) characters.insert(c);
  }
}

}  // namespace quorvex::sheet
