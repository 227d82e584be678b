// The texts of the four option lists, the version rule and the format rule of the option panel.
#include "ui/OptionLists.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

#include "engine/PathHelpers.h"

namespace quorvex::ui {

int MajorVersion(const std::string& version_text) {
  // The leading decimal number of the text, read the same way whatever the user's locale (Qt
  // applies the user's locale to the C library); blanks before it and one sign are allowed,
  // reading stops at the first character that cannot continue the number ("0x10" reads 0).
  const std::string number = engine::StripExtension(version_text);
  std::size_t start = number.find_first_not_of(" \t\r\n");
  if (start == std::string::npos) {
    return 0;
  }
  bool negative = false;
  if (number[start] == '+' || number[start] == '-') {
    negative = number[start] == '-';
    ++start;
  }
  const char* begin = number.data() + start;
  const char* const end = number.data() + number.size();
  if (begin == end || !(std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '.')) {
    return 0;
  }
  double value = 0.0;
  const std::from_chars_result parsed = std::from_chars(begin, end, value, std::chars_format::general);
  if (parsed.ec != std::errc() || !std::isfinite(value) || std::fabs(value) > 1e9) {
    return 0;
  }
  return static_cast<int>(std::nearbyint(negative ? -value : value));
}

int HtmlTypeEntryCount(int major_version) { return major_version <= 11 ? 3 : 1; }

int FormatEntryCount(int major_version) { return major_version <= 11 ? 8 : 5; }

FormatRuleRow FormatRuleFor(int format_index) {
  FormatRuleRow row;
  switch (format_index) {
    case 0:
    case 1:
      row.combo1 = true;
      row.worksheet_list = true;
      break;
    case 2:
    case 3:
      row.label3_caption = format_index == 2 ? "HTML Type:" : "MHT Type:";
      row.extension_captions = format_index == 2 ? std::pair<std::string, std::string>{"htm", "html"}
                                                 : std::pair<std::string, std::string>{"mht", "mhtml"};
      row.web_mode_buttons = true;
      row.combo1 = true;
      row.combo2_combo4 = true;
      row.extension_buttons = true;
      row.worksheet_list = true;
      row.web_mode_applies = true;
      break;
    case 4:
      row.label3_caption = "HTML Type:";
      break;
    default:
      row.combo1 = true;
      row.worksheet_list = true;
      break;
  }
  return row;
}

}  // namespace quorvex::ui
