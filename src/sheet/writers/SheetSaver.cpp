// Saving sheets as delimited text, with the used range settled before the first line is written.
#include "sheet/writers/SheetSaver.h"

#include "sheet/model/SheetError.h"
#include "sheet/writers/DelimitedWriter.h"
#include "sheet/writers/OutputFile.h"

namespace quorvex::sheet {

void SaveDelimited(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                   const std::string& path, char delimiter) {
  OutputFile out(path);
  try {
    // One streaming pass when the file declares its used range truthfully (the usual case).
    DelimitedWriter writer(out, text, delimiter, std::nullopt);
    reader.ReadSheet(position, writer);
    writer.Finish();
  } catch (const DelimitedWriter::RangeUnknown&) {
    RangeScanner scanner;
    reader.ReadSheet(position, scanner);
    out.Restart();
    if (scanner.range()) {
      DelimitedWriter writer(out, text, delimiter, scanner.range());
      try {
        reader.ReadSheet(position, writer);
      } catch (const DelimitedWriter::RangeUnknown&) {
        throw SheetError(SheetErrorCode::kCorrupt, "The cells of the sheet are not stored in row order",
                         reader.workbook().sheets[position].location);
      }
      writer.Finish();
    }
  }
  out.Commit();
}

}  // namespace quorvex::sheet
