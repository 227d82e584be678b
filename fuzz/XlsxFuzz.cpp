// Fuzz target: any bytes as an .xlsx package opened from memory through the workbook opener.
#include "TouchingSink.h"
#include "sheet/WorkbookOpener.h"
#include "sheet/container/MemorySource.h"
#include "sheet/model/SheetError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvex::sheet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    auto reader = OpenWorkbook(std::make_unique<container::MemorySource>(std::string(bytes), "fuzz.xlsx"));
    quorvex::fuzz::ReadAllSheets(*reader);
  } catch (const SheetError&) {
  }
  return 0;
}
