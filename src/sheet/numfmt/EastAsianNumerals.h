// East Asian numerals for [DBNum1] to [DBNum3]: whole numbers in Chinese, Japanese and Korean forms.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex::sheet::numfmt {

/// How one locale writes whole numbers under one [DBNum] hint.
struct NumeralStyle {
  std::array<std::string_view, 10> digits;
  std::array<std::string_view, 4> small_units;  // ones, tens, hundreds, thousands
  std::array<std::string_view, 4> large_units;  // 10^0, 10^4, 10^8, 10^12
  bool counting = true;                         // digits with units ("一万二千"), else digit for digit
  bool tens_without_one = false;                // "十" rather than "一十" before tens, hundreds, thousands
  bool marks_zeros = false;                     // a run of zeros inside the number shows one zero digit
};

/// The style of [DBNum`hint`] (1 to 3) in a Windows locale; nullptr where the form is not known,
/// and the number shows as it would without the hint.
const NumeralStyle* NumeralStyleFor(std::uint32_t lcid, int hint);

/// Appends `value` as General shows it, its digits written in `style` when General shows a whole
/// number; anything else (decimals, exponents) shows as General does.
void AppendGeneralInNumerals(const NumeralStyle& style, double value, std::string& out);

}  // namespace quorvex::sheet::numfmt
