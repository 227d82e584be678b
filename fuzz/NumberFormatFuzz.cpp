// Fuzz target: any byte string as a number format code, rendered for a spread of values.
//
// Inputs of nine bytes or more also give a value of their own: the first eight bytes are the
// bits of a double (so NaN, infinities, subnormals and huge serials all come up), the rest is
// the code.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "sheet/numfmt/NumberFormat.h"

namespace {

// A rendered text is bounded by the code: digits of a double, fill, padding, literals.
constexpr std::size_t kTextLimit = 400;
constexpr std::size_t kTextPerCodeByte = 8;

void Check(const std::string& text, std::size_t code_size) {
  if (text.size() > kTextLimit + kTextPerCodeByte * code_size) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using quorvex::sheet::CellValue;
  using quorvex::sheet::numfmt::NumberFormat;
  double own_value = 0;
  bool has_own_value = false;
  if (size >= sizeof own_value + 1) {
    std::memcpy(&own_value, data, sizeof own_value);
    has_own_value = true;
  }
  const std::string_view whole(reinterpret_cast<const char*>(data), size);
  for (const std::string_view code : {whole, has_own_value ? whole.substr(sizeof own_value) : whole}) {
    const auto format = NumberFormat::Parse(code);
    for (double value : {0.0, -0.0, 1.0, -1.5, 0.333333333333, 12345678.9, -2958466.0, 1e300, 4.9e-324, 60.0,
                         2958465.99999, own_value}) {
      for (bool date1904 : {false, true})
        Check(format->Render(CellValue::Number(value), date1904), code.size());
    }
    Check(format->Render(CellValue::String("text"), false), code.size() + 4);
    (void)format->Render(CellValue::Boolean(true), false);
  }
  return 0;
}
