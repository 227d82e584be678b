// Parsing the arguments of the quorvex command line.
#include "cli/CommandLine.h"

#include <array>
#include <string_view>
#include <utility>

namespace quorvex::cli {
namespace {

struct Choice {
  std::string_view name;
  int index;
};

constexpr std::array kFormats{Choice{"csv", 0}, Choice{"txt", 1}};
constexpr std::array kNamings{Choice{"sheet", 0}, Choice{"workbook-sheet", 1}, Choice{"number", 2}};

template <std::size_t N>
std::optional<int> Lookup(const std::array<Choice, N>& choices, std::string_view name) {
  for (const Choice& choice : choices) {
    if (choice.name == name) return choice.index;
  }
  return std::nullopt;
}

template <std::size_t N>
std::string Names(const std::array<Choice, N>& choices) {
  std::string names;
  for (const Choice& choice : choices) names += (names.empty() ? "" : "|") + std::string(choice.name);
  return names;
}

/// Splits "--name=value" into its two halves; other arguments come back unchanged.
std::pair<std::string, std::optional<std::string>> SplitInlineValue(const std::string& argument) {
  if (argument.rfind("--", 0) == 0) {
    auto equals = argument.find('=');
    if (equals != std::string::npos) return {argument.substr(0, equals), argument.substr(equals + 1)};
  }
  return {argument, std::nullopt};
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  if (arguments.empty()) {
    parsed.error = "no command given";
    return parsed;
  }
  const std::string& command = arguments[0];
  if (command == "--help" || command == "-h" || command == "help") {
    parsed.show_help = true;
    return parsed;
  }
  if (command == "--version") {
    parsed.show_version = true;
    return parsed;
  }
  if (command != "convert") {
    parsed.error = "unknown command \"" + command + "\"";
    return parsed;
  }

  ConvertOptions options;
  bool output_given = false;
  bool only_inputs = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    if (only_inputs || arguments[i].empty() || arguments[i][0] != '-' || arguments[i] == "-") {
      options.inputs.push_back(arguments[i]);
      continue;
    }
    auto [name, inline_value] = SplitInlineValue(arguments[i]);
    auto value = [&]() -> std::optional<std::string> {
      if (inline_value) return inline_value;
      if (i + 1 < arguments.size()) return arguments[++i];
      parsed.error = "the option " + name + " needs a value";
      return std::nullopt;
    };
    if (name == "--") {
      only_inputs = true;
    } else if (name == "-h" || name == "--help") {
      parsed.show_help = true;
      return parsed;
    } else if (name == "-q" || name == "--quiet") {
      options.quiet = true;
    } else if (name == "-f" || name == "--format") {
      auto text = value();
      if (!text) return parsed;
      auto index = Lookup(kFormats, *text);
      if (!index) {
        parsed.error = "unknown format \"" + *text + "\" (choose " + Names(kFormats) + ")";
        return parsed;
      }
      options.format_index = *index;
    } else if (name == "-n" || name == "--naming") {
      auto text = value();
      if (!text) return parsed;
      auto index = Lookup(kNamings, *text);
      if (!index) {
        parsed.error = "unknown naming rule \"" + *text + "\" (choose " + Names(kNamings) + ")";
        return parsed;
      }
      options.naming_mode = *index;
    } else if (name == "-o" || name == "--output") {
      auto text = value();
      if (!text) return parsed;
      options.output_directory = *text;
      output_given = true;
    } else if (name == "-s" || name == "--sheet") {
      auto text = value();
      if (!text) return parsed;
      options.sheets.push_back(*text);
    } else {
      parsed.error = "unknown option \"" + name + "\"";
      return parsed;
    }
  }
  if (options.inputs.empty()) {
    parsed.error = "no workbook or folder given";
  } else if (!output_given) {
    parsed.error = "no output directory given (use -o DIR)";
  } else {
    parsed.convert = std::move(options);
  }
  return parsed;
}

std::string HelpText() {
  return R"(Usage: quorvex convert [options] INPUT...

Converts spreadsheet workbooks (.xls, .xlsx, .xlsm, .xlsb) to other formats. Each INPUT is a
workbook file or a folder; a folder stands for the workbooks directly inside it (files whose
extension begins with .xls, in name order, at most 500). Inputs are converted one after another.

For every workbook a folder named after it (without extension, spaces and dots) is created in the
output directory, holding one file per worksheet. An existing folder of that name is kept and a
number is appended to the new one.

Options:
  -o, --output DIR        output directory; created if missing (its parent must exist)
  -f, --format FORMAT     csv  comma-delimited text (default)
                          txt  tab-delimited text
  -n, --naming RULE       sheet           file named after the sheet (default); the workbook name
                                          is put in front when both are equal
                          workbook-sheet  workbook name, "_", sheet name
                          number          1, 2, 3, ... per workbook
  -s, --sheet NAME        convert only worksheets with this name (repeat for several)
  -q, --quiet             print nothing but errors
  -h, --help              show this text
      --version           show the version

Text files are UTF-8 with CR LF line ends. Each cell is written as a spreadsheet application
shows it (its number format applied); a field holding the delimiter, a quote or a line break is
quoted.

Exit status: 0 when every workbook was converted, 1 when a workbook failed or the output
directory could not be used, 2 when the arguments are wrong.
)";
}

}  // namespace quorvex::cli
