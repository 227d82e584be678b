// Whole numbers in Chinese, Japanese and Korean numerals, as [DBNum1] to [DBNum3] show them.
#include "sheet/numfmt/EastAsianNumerals.h"

#include <cstddef>

#include "sheet/numfmt/GeneralFormat.h"
#include "sheet/numfmt/LocaleId.h"

namespace quorvex::sheet::numfmt {
namespace {

// Counting forms write each group of four digits with the units ten, hundred and thousand, and
// name the group with ten thousand (万), a hundred million (億) or a trillion (兆). Chinese marks
// a run of zeros between digits with one zero ("一万○五"); Japanese and Korean leave zeros out,
// and Japanese [DBNum1] writes ten as "十", not "一十". Forms not listed here are not known well
// enough: the number then shows in ordinary digits.

constexpr NumeralStyle kChineseLower = {
    {"○", "一", "二", "三", "四", "五", "六", "七", "八", "九"},
    {"", "十", "百", "千"},
    {"", "万", "亿", "兆"},
    true,
    false,
    true,
};

constexpr NumeralStyle kChineseFinancial = {
    {"零", "壹", "贰", "叁", "肆", "伍", "陆", "柒", "捌", "玖"},
    {"", "拾", "佰", "仟"},
    {"", "万", "亿", "兆"},
    true,
    false,
    true,
};

constexpr NumeralStyle kJapaneseKanji = {
    {"〇", "一", "二", "三", "四", "五", "六", "七", "八", "九"},
    {"", "十", "百", "千"},
    {"", "万", "億", "兆"},
    true,
    true,
    false,
};

constexpr NumeralStyle kJapaneseFormal = {
    {"〇", "壱", "弐", "参", "四", "伍", "六", "七", "八", "九"},
    {"", "拾", "百", "阡"},
    {"", "萬", "億", "兆"},
    true,
    false,
    false,
};

constexpr NumeralStyle kFullWidthDigits = {
    {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"}, {}, {}, false, false, false,
};

constexpr NumeralStyle kKoreanHanja = {
    {"０", "一", "二", "三", "四", "五", "六", "七", "八", "九"},
    {"", "十", "百", "千"},
    {"", "万", "億", "兆"},
    true,
    false,
    false,
};

constexpr NumeralStyle kKoreanFormal = {
    {"零", "壹", "貳", "參", "四", "伍", "六", "七", "八", "九"},
    {"", "拾", "百", "阡"},
    {"", "萬", "億", "兆"},
    true,
    false,
    false,
};

struct StyleRow {
  std::uint32_t lcid;  // a whole locale id, or a primary language (low 10 bits) alone
  int hint;
  const NumeralStyle* style;
};

constexpr std::uint32_t kChinesePrc = 0x0804;
constexpr std::uint32_t kJapanese = 0x11;
constexpr std::uint32_t kKorean = 0x12;

constexpr StyleRow kStyles[] = {
    {kChinesePrc, 1, &kChineseLower}, {kChinesePrc, 2, &kChineseFinancial}, {kJapanese, 1, &kJapaneseKanji},
    {kJapanese, 2, &kJapaneseFormal}, {kJapanese, 3, &kFullWidthDigits},    {kKorean, 1, &kKoreanHanja},
    {kKorean, 2, &kKoreanFormal},
};

constexpr std::size_t kGroupDigits = 4;

/// Appends whole-number `digits` (no leading zeros) in counting form; false when the number
/// has more groups than the style names.
bool AppendCounting(const NumeralStyle& style, std::string_view digits, std::string& out) {
  const std::size_t groups = (digits.size() + kGroupDigits - 1) / kGroupDigits;
  if (groups > style.large_units.size()) return false;
  if (digits == "0") {
    out.append(style.digits[0]);
    return true;
  }
  bool zeros_pending = false;  // zeros since the last digit written
  bool group_used = false;     // a digit written in the current group of four
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const std::size_t place = digits.size() - 1 - i;  // power of ten
    const auto digit = static_cast<std::size_t>(digits[i] - '0');
    const std::size_t unit = place % kGroupDigits;
    if (digit == 0) {
      zeros_pending = true;
    } else {
      if (zeros_pending && style.marks_zeros) out.append(style.digits[0]);
      zeros_pending = false;
      group_used = true;
      if (!(digit == 1 && unit > 0 && style.tens_without_one)) out.append(style.digits[digit]);
      out.append(style.small_units[unit]);
    }
    if (unit == 0) {  // the group ends: name it unless all its digits were zeros
      if (group_used) out.append(style.large_units[place / kGroupDigits]);
      group_used = false;
    }
  }
  return true;
}

}  // namespace

const NumeralStyle* NumeralStyleFor(std::uint32_t lcid, int hint) {
  for (const StyleRow& row : kStyles) {
    const bool locale_matches = row.lcid == lcid || row.lcid == LanguageOf(lcid);
    if (locale_matches && row.hint == hint) return row.style;
  }
  return nullptr;
}

void AppendGeneralInNumerals(const NumeralStyle& style, double value, std::string& out) {
  std::string general;
  AppendGeneral(value, general);
  const std::string_view text = general;
  const std::string_view digits = text.substr(text.starts_with('-') ? 1 : 0);
  const bool whole = !digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos;
  if (!whole) {
    out.append(general);
    return;
  }
  const std::size_t mark = out.size();
  out.append(text.substr(0, text.size() - digits.size()));
  if (!style.counting) {
    for (const char c : digits) out.append(style.digits[static_cast<std::size_t>(c - '0')]);
    return;
  }
  if (!AppendCounting(style, digits, out)) {
    out.resize(mark);
    out.append(general);
  }
}

}  // namespace quorvex::sheet::numfmt
