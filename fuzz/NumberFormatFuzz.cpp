// Fuzz target: any byte string as a number format code, rendered for a spread of values.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sheet/numfmt/NumberFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quorvex::sheet::CellValue;
  using quorvex::sheet::numfmt::NumberFormat;
  const auto format = NumberFormat::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  for (double value : {0.0, -0.0, 1.0, -1.5, 0.333333333333, 12345678.9, -2958466.0, 1e300, 4.9e-324, 60.0,
                       2958465.99999}) {
    for (bool date1904 : {false, true}) (void)format->Render(CellValue::Number(value), date1904);
  }
  (void)format->Render(CellValue::String("text"), false);
  (void)format->Render(CellValue::Boolean(true), false);
  return 0;
}
