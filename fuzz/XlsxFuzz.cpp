// Fuzz target: any bytes as an .xlsx package opened through the workbook opener.
#include "FuzzFile.h"
#include "sheet/WorkbookOpener.h"
#include "sheet/model/SheetError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = quorvex::fuzz::WriteInput(data, size, ".xlsx");
  try {
    auto reader = quorvex::sheet::OpenWorkbookFile(path);
    quorvex::fuzz::ReadAllSheets(*reader);
  } catch (const quorvex::sheet::SheetError&) {
  }
  return 0;
}
