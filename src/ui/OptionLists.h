// The texts of three option lists (the formats' are in engine::kOutputFormats), the version rule
// and the format rule of the option panel.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "engine/OutputFormats.h"

namespace quorvex::ui {

inline constexpr std::array<const char*, 3> kNamingEntries = {"Will be based on sheet name",
                                                              "Will be based on workbook and sheet name",
                                                              "Will be 1.xls,2.xls,3.xls,4.xls,5.xls..."};
inline constexpr std::array<const char*, 3> kHtmlTypeEntries = {
    "Saved as static text and images", "Saved as an interactive spreadsheet functionality",
    "Saved as an interactive pivotTable functionality"};
inline constexpr std::array<const char*, 4> kPageTitleEntries = {"", "Will be based on sheet name",
                                                                 "Will be based on workbook name",
                                                                 "Will be based on workbook and sheet name"};

/// The application's major version from its version text: the number at the start of the text
/// before its last '.', rounded to the nearest integer; 0 when there is no number.
int MajorVersion(const std::string& version_text);

/// How many entries the "HTML Type" list holds for a major version: all three up to version 11,
/// only the static page from 12 on.
int HtmlTypeEntryCount(int major_version);

/// Whether the "File Format" list offers `format` with an application of this major version:
/// from version 12 on the formats listed up to version 11 only (dBASE) are left out.
bool ListsFormat(const engine::OutputFormat& format, int major_version);

/// What choosing a format does to the option panel; nullopt means "leave unchanged". For the
/// web formats the web mode then decides Combo1, Combo2, Combo4 and ListView3 (WebModeApplies).
struct FormatRuleRow {
  std::optional<std::string> label3_caption;
  std::optional<std::pair<std::string, std::string>> extension_captions;  // Option3, Option4
  bool web_mode_buttons = false;                                          // Option1, Option2
  bool combo1 = false;
  bool combo2_combo4 = false;
  bool extension_buttons = false;  // Option3, Option4
  bool worksheet_list = false;     // ListView3
  bool web_mode_applies = false;
};

/// The row for FormatIndex `format_index`, from its format: a type caption sets Label3, a web
/// format's two extensions the extension captions, and a format written per sheet enables
/// Combo1 and ListView3. A position outside the list behaves as dBASE.
FormatRuleRow FormatRuleFor(int format_index);

}  // namespace quorvex::ui
