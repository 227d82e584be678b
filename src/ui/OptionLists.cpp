// The version rule and the format rule of the option panel.
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

int HtmlTypeEntryCount(int major_version) {
  return major_version <= 11 ? 3 : 1;
}

bool ListsFormat(const engine::OutputFormat& format, int major_version) {
  return major_version <= 11 || !format.up_to_version_11;
}

FormatRuleRow FormatRuleFor(int format_index) {
  FormatRuleRow row;
  const engine::OutputFormat* format = engine::OutputFormatAt(format_index);
  if (format == nullptr) {
    row.combo1 = true;
    row.worksheet_list = true;
    return row;
  }
  if (!format->type_caption.empty()) {
    row.label3_caption = std::string(format->type_caption);
  }
  const bool web = engine::HasWebMode(*format);
  if (web) {
    // The button captions are the extensions without their dots: "htm" and "html".
    row.extension_captions = {std::string(format->extension.substr(1)),
                              std::string(format->long_extension.substr(1))};
  }
  row.web_mode_buttons = web;
  row.combo2_combo4 = web;
  row.extension_buttons = web;
  row.web_mode_applies = web;
  row.combo1 = engine::WritesFilePerSheet(format->exporter);
  row.worksheet_list = row.combo1;
  return row;
}

}  // namespace quorvex::ui
