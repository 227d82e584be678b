// Numbers as printf's "%.17g" writes them, the way XML Spreadsheet files hold numbers.
#pragma once

#include <cstddef>

namespace quorvex::sheet {

/// Room enough for any number WriteNumberG17 writes ("-2.2250738585072014e-308" and shorter).
inline constexpr std::size_t kNumberG17Size = 32;

/// Writes `value` at `out` exactly as printf's "%.17g" writes it (17 significant digits, correctly
/// rounded, ties to even; trailing zeros dropped; exponent form below 1e-4 and from 1e17) and
/// returns the end. `out` must have room for kNumberG17Size characters.
char* WriteNumberG17(char* out, double value);

}  // namespace quorvex::sheet
