// Fuzz target: any bytes as the records of an .xlsb worksheet part and styles part, and as a
// whole .xlsb package, all read from memory.
#include "TouchingSink.h"
#include "sheet/biff12/BinaryRecordReader.h"
#include "sheet/biff12/XlsbReader.h"
#include "sheet/biff12/XlsbSheetReader.h"
#include "sheet/biff12/XlsbStyles.h"
#include "sheet/container/MemoryByteSource.h"
#include "sheet/container/MemorySource.h"
#include "sheet/model/SheetError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvex::sheet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.starts_with("PK")) {
    try {
      biff12::XlsbReader reader(std::make_unique<container::MemorySource>(std::string(bytes), "fuzz.xlsb"));
      quorvex::fuzz::ReadAllSheets(reader);
    } catch (const SheetError&) {
    }
    return 0;
  }
  container::StringTable strings;
  if (!strings.Add("one") || !strings.Add("two")) return 0;
  try {
    container::MemoryByteSource source(bytes, 97);
    biff12::BinaryRecordReader records(source, "sheet");
    quorvex::fuzz::TouchingSink sink;
    biff12::XlsbSheetReader(records, strings, 4, sink).Read();
  } catch (const SheetError&) {
  }
  try {
    container::MemoryByteSource source(bytes);
    biff12::BinaryRecordReader records(source, "styles");
    Workbook workbook;
    biff12::ReadXlsbStyles(records, workbook);
  } catch (const SheetError&) {
  }
  return 0;
}
