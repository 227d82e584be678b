// Month and day names by locale, for the locale tags of date formats ("[$-40C]mmmm").
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorvex::sheet::numfmt {

/// The names one language gives months and days, as the application shows them.
struct DateNames {
  std::array<std::string_view, 12> months;        // mmmm; mmmmm shows its first letter
  std::array<std::string_view, 12> short_months;  // mmm
  std::array<std::string_view, 7> days;           // dddd, Sunday first
  std::array<std::string_view, 7> short_days;     // ddd
};

/// The en-US names: those of a section without a locale tag, of unknown locales and of the
/// system date and time formats.
const DateNames& EnglishDateNames();

/// The Windows locale id the locale part of a "[$-...]" tag names: the low 16 bits of a
/// hexadecimal number, whose upper bytes carry calendar and numeral flags ("40C", "1010409"),
/// or the id of a language tag ("fr-FR"; the language alone when only it is known).
/// 0 when the text names no locale.
std::uint32_t LcidOfTag(std::string_view locale);

/// Names for a Windows locale id: its own, else its language's, else the en-US names.
const DateNames& DateNamesForLcid(std::uint32_t lcid);

}  // namespace quorvex::sheet::numfmt
