// Fuzz target: any bytes as a legacy .xls file (compound file container and BIFF records), read from memory.
#include "TouchingSink.h"
#include "sheet/biff8/XlsReader.h"
#include "sheet/container/MemorySource.h"
#include "sheet/model/SheetError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvex::sheet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  try {
    biff8::XlsReader reader(std::make_unique<container::MemorySource>(std::string(bytes), "fuzz.xls"));
    quorvex::fuzz::ReadAllSheets(reader);
  } catch (const SheetError&) {
  }
  return 0;
}
