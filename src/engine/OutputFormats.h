// The output formats, one row each: read by the command line, the window and the conversion run.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "automation/FileFormat.h"

namespace quorvex::engine {

/// The exporter families the run dispatches to.
enum class ExportSlot : int { kDelimited = 0, kWorkbookWeb, kSheetsWeb, kWorkbookXml, kDbf };
inline constexpr int kExportSlotCount = 5;

/// Whether the exporter in `slot` writes a file per worksheet into a folder the run creates for
/// the workbook (rather than one file for the whole workbook).
constexpr bool WritesFilePerSheet(ExportSlot slot) {
  return slot == ExportSlot::kDelimited || slot == ExportSlot::kSheetsWeb || slot == ExportSlot::kDbf;
}

/// One output format. `index` is its FormatIndex: its position in the window's "File Format" list.
struct OutputFormat {
  int index;
  std::string_view name;            // the command line's --format value
  std::string_view caption;         // the "File Format" list entry
  std::string_view extension;       // with its dot; a web format's short extension
  std::string_view long_extension;  // a web format's long extension; the same for the others
  int save_as_code;                 // the FileFormat code the exporter passes to SaveAs
  ExportSlot exporter;              // the exporter that writes it
  ExportSlot workbook_exporter;     // the exporter when one page is to hold the whole workbook
  std::string_view type_caption;    // the option panel's type label while it is chosen; "" keeps it
  bool up_to_version_11;            // listed only with an application of major version 11 or less
};

// clang-format off
inline constexpr std::array<OutputFormat, 8> kOutputFormats{{
    // index, name, caption, extension, long extension, SaveAs code,
    //     exporter, whole-workbook exporter, type caption, listed up to version 11 only
    {0, "csv",  "Comma Delimited(*.csv)",               ".csv", ".csv",   automation::kCsv,
        ExportSlot::kDelimited,   ExportSlot::kDelimited,   "",           false},
    {1, "txt",  "Text (*.txt)",                         ".txt", ".txt",   automation::kText,
        ExportSlot::kDelimited,   ExportSlot::kDelimited,   "",           false},
    {2, "html", "Web Page (*.htm; *html)",              ".htm", ".html",  automation::kHtml,
        ExportSlot::kSheetsWeb,   ExportSlot::kWorkbookWeb, "HTML Type:", false},
    {3, "mht",  "Single File Web Page (*.mht; *mhtml)", ".mht", ".mhtml", automation::kWebArchive,
        ExportSlot::kSheetsWeb,   ExportSlot::kWorkbookWeb, "MHT Type:",  false},
    {4, "xml",  "XML Spreadsheet (*.xml)",              ".xml", ".xml",   automation::kXmlSpreadsheet,
        ExportSlot::kWorkbookXml, ExportSlot::kWorkbookXml, "HTML Type:", false},
    {5, "dbf4", "DBF4(dBASE IV)",                       ".dbf", ".dbf",   automation::kDbf4,
        ExportSlot::kDbf,         ExportSlot::kDbf,         "",           true},
    {6, "dbf3", "DBF3(dBASE III)",                      ".dbf", ".dbf",   automation::kDbf3,
        ExportSlot::kDbf,         ExportSlot::kDbf,         "",           true},
    {7, "dbf2", "DBF2(dBASE II)",                       ".dbf", ".dbf",   automation::kDbf2,
        ExportSlot::kDbf,         ExportSlot::kDbf,         "",           true},
}};
// clang-format on

/// Whether the exporter in `slot` writes `format` (per sheet, or for the whole workbook).
constexpr bool Serves(ExportSlot slot, const OutputFormat& format) {
  return format.exporter == slot || format.workbook_exporter == slot;
}

constexpr bool IndexesArePositions() {
  for (std::size_t i = 0; i < kOutputFormats.size(); ++i) {
    if (kOutputFormats[i].index != static_cast<int>(i)) return false;
  }
  return true;
}
static_assert(IndexesArePositions(), "a format's index is its position in the table");

constexpr bool EveryExporterServesAFormat() {
  for (int slot = 0; slot < kExportSlotCount; ++slot) {
    bool served = false;
    for (const OutputFormat& format : kOutputFormats) served = served || Serves(ExportSlot{slot}, format);
    if (!served) return false;
  }
  return true;
}
static_assert(EveryExporterServesAFormat(), "every exporter writes at least one format");

/// Whether the web mode (a page per worksheet, or one for the whole workbook) applies.
constexpr bool HasWebMode(const OutputFormat& format) {
  return format.exporter != format.workbook_exporter;
}

/// The extension of a file in `format`: its short or its long one.
constexpr std::string_view ExtensionOf(const OutputFormat& format, bool short_extension) {
  return short_extension ? format.extension : format.long_extension;
}

/// The row at FormatIndex `index`, or nullptr outside the list.
constexpr const OutputFormat* OutputFormatAt(int index) {
  return index >= 0 && static_cast<std::size_t>(index) < kOutputFormats.size()
             ? &kOutputFormats[static_cast<std::size_t>(index)]
             : nullptr;
}

/// The row whose command-line name is `name`, or nullptr.
constexpr const OutputFormat* OutputFormatNamed(std::string_view name) {
  for (const OutputFormat& format : kOutputFormats) {
    if (format.name == name) return &format;
  }
  return nullptr;
}

/// The row at FormatIndex `index` when the exporter in `slot` writes it, else nullptr.
constexpr const OutputFormat* OutputFormatServedBy(int index, ExportSlot slot) {
  const OutputFormat* format = OutputFormatAt(index);
  return format != nullptr && Serves(slot, *format) ? format : nullptr;
}

/// What the exporter in `slot` writes for FormatIndex `index`: that row when it serves it, else
/// the last row it serves. The run only sends an exporter its own formats; any other position
/// falls to the last one (text, the single-file web page), as the exporters' "else" always did.
constexpr const OutputFormat& OutputFormatFor(int index, ExportSlot slot) {
  if (const OutputFormat* format = OutputFormatServedBy(index, slot)) return *format;
  const OutputFormat* last = nullptr;
  for (const OutputFormat& format : kOutputFormats) {
    if (Serves(slot, format)) last = &format;
  }
  return *last;
}

}  // namespace quorvex::engine
