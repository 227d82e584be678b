// Fuzz target: any bytes as a legacy .xls file (compound file container and BIFF records).
#include "FuzzFile.h"
#include "sheet/biff8/XlsReader.h"
#include "sheet/model/SheetError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = quorvex::fuzz::WriteInput(data, size, ".xls");
  try {
    quorvex::sheet::biff8::XlsReader reader(path);
    quorvex::fuzz::ReadAllSheets(reader);
  } catch (const quorvex::sheet::SheetError&) {
  }
  return 0;
}
