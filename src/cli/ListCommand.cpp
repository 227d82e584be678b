// `quorvex list`: each workbook's sheets with their kind, visibility and used range, for scripts.
#include "cli/ListCommand.h"

#include <exception>
#include <string>
#include <vector>

#include "catalogue/FolderTree.h"
#include "catalogue/ListWorkbooks.h"
#include "engine/ApplicationSession.h"
#include "engine/EngineState.h"
#include "engine/PathHelpers.h"
#include "engine/PlainControls.h"

namespace quorvex::cli {
namespace {

using automation::SheetType;
using automation::SheetVisibility;

struct SheetRow {
  int position = 0;
  std::string name;
  const char* kind = "";
  const char* visibility = "";
  std::string used_range;
};

/// One workbook: its sheets, or why they could not be read.
struct Listing {
  std::string path;
  std::vector<SheetRow> sheets;
  std::string error;
};

const char* KindName(SheetType type) {
  switch (type) {
    case SheetType::kChart:
      return "chart";
    case SheetType::kDialog:
      return "dialog";
    case SheetType::kMacro:
      return "macro";
    case SheetType::kWorksheet:
      break;
  }
  return "worksheet";
}

const char* VisibilityName(SheetVisibility visibility) {
  switch (visibility) {
    case SheetVisibility::kHidden:
      return "hidden";
    case SheetVisibility::kVeryHidden:
      return "very-hidden";
    case SheetVisibility::kVisible:
      break;
  }
  return "visible";
}

/// The workbook files of `input` in the order the convert command takes them.
std::vector<std::string> WorkbookPaths(const std::string& input, bool recursive) {
  std::vector<std::string> folders{""};
  if (recursive && engine::PathKind(input) == engine::kFolderAtPath) folders = catalogue::FoldersBelow(input);
  std::string root = input;
  while (root.size() > 1 && root.back() == engine::kPathSeparator) root.pop_back();
  engine::EngineState state;
  engine::PlainControls controls;
  std::vector<std::string> paths;
  for (const std::string& relative : folders) {
    controls.SetSelectedInputEntry(relative.empty() ? input : root + "/" + relative);
    catalogue::ListWorkbooks(state, controls, controls.SelectedInputEntry());
    for (int row = 1; row <= controls.WorkbookRowCount(); ++row) {
      const std::string path = engine::ResolveWorkbookPath(controls, row);
      if (!path.empty()) paths.push_back(path);
    }
  }
  return paths;
}

Listing Describe(const std::string& path, const automation::ApplicationFactory& factory,
                 const automation::WarningSink& warnings) {
  Listing listing{path, {}, {}};
  try {
    engine::ApplicationSession session(factory, warnings);
    automation::Workbook& workbook = session.OpenWorkbook(path);
    const int count = workbook.SheetsCount();
    for (int i = 1; i <= count; ++i) {
      listing.sheets.push_back({i, workbook.SheetsName(i), KindName(workbook.SheetsType(i)),
                                VisibilityName(workbook.SheetsVisible(i)),
                                workbook.SheetsUsedRangeAddress(i)});
    }
    session.End();
  } catch (const std::exception& error) {
    listing.sheets.clear();
    listing.error = error.what();
  }
  return listing;
}

/// A field of a tab-separated line: tabs and line breaks become spaces.
std::string Field(std::string text) {
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

void PrintLines(const Listing& listing, std::FILE* out) {
  for (const SheetRow& sheet : listing.sheets) {
    std::fprintf(out, "%s\t%d\t%s\t%s\t%s\t%s\n", Field(listing.path).c_str(), sheet.position,
                 Field(sheet.name).c_str(), sheet.kind, sheet.visibility, sheet.used_range.c_str());
  }
}

void PrintJson(const Listing& listing, bool first, std::FILE* out) {
  std::string text = first ? "\n" : ",\n";
  text += "  {\"path\": " + JsonString(listing.path);
  if (!listing.error.empty()) {
    text += ", \"error\": " + JsonString(listing.error) + "}";
  } else {
    text += ", \"sheets\": [";
    for (std::size_t i = 0; i < listing.sheets.size(); ++i) {
      const SheetRow& sheet = listing.sheets[i];
      text += std::string(i == 0 ? "\n" : ",\n") + "    {\"position\": " + std::to_string(sheet.position) +
              ", \"name\": " + JsonString(sheet.name) + ", \"kind\": \"" + sheet.kind +
              "\", \"visibility\": \"" + sheet.visibility + "\", \"used_range\": \"" + sheet.used_range +
              "\"}";
    }
    text += listing.sheets.empty() ? "]}" : "\n  ]}";
  }
  std::fputs(text.c_str(), out);
}

/// The length of the valid UTF-8 sequence starting at `text[i]`, or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  char32_t minimum = 0;
  char32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, value = lead & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  return value >= minimum && value <= 0x10FFFF && !surrogate ? length : 0;
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(text, i);
      json += length == 0 ? std::string("\uFFFD") : std::string(text.substr(i, length));
      i += length == 0 ? 1 : length;
      continue;
    }
    if (c == '"' || c == '\\') {
      json += '\\';
      json += static_cast<char>(c);
    } else if (c == '\n') {
      json += "\\n";
    } else if (c == '\t') {
      json += "\\t";
    } else if (c == '\r') {
      json += "\\r";
    } else if (c < 0x20 || c == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04X", c);
      json += escape;
    } else {
      json += static_cast<char>(c);
    }
    ++i;
  }
  return json + "\"";
}

int RunList(const ListOptions& options, std::FILE* out, std::FILE* err,
            const automation::ApplicationFactory& factory) {
  const automation::WarningSink warnings = [err](const std::string& text) {
    std::fprintf(err, "%s\n", text.c_str());
  };
  bool any_error = false;
  bool first = true;
  if (options.json) std::fputs("[", out);
  const auto report = [&](const Listing& listing) {
    if (!listing.error.empty()) {
      any_error = true;
      std::fprintf(err, "%s\n", listing.error.c_str());
    }
    if (options.json) {
      PrintJson(listing, first, out);
    } else {
      PrintLines(listing, out);
    }
    first = false;
    std::fflush(out);
  };
  for (const std::string& input : options.inputs) {
    if (engine::PathKind(input) == engine::kNothingAtPath) {
      report({input, {}, "Cannot find the workbook or folder \"" + input + "\""});
      continue;
    }
    for (const std::string& path : WorkbookPaths(input, options.recursive))
      report(Describe(path, factory, warnings));
  }
  if (options.json) std::fputs(first ? "]\n" : "\n]\n", out);
  return any_error ? 1 : 0;
}

}  // namespace quorvex::cli
