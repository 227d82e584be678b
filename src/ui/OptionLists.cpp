// The texts of the four option lists, the version rule and the format rule of the option panel.
#include "ui/OptionLists.h"

#include <cmath>
#include <cstdlib>

#include "engine/PathHelpers.h"

namespace quorvex::ui {

int MajorVersion(const std::string& version_text) {
  const std::string number = engine::StripExtension(version_text);
  const char* begin = number.c_str();
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (end == begin || !std::isfinite(value) || std::fabs(value) > 1e9) {
    return 0;
  }
  return static_cast<int>(std::nearbyint(value));
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
