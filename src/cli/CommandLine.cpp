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

constexpr std::array kFormats{Choice{"csv", 0}, Choice{"txt", 1},  Choice{"html", 2}, Choice{"mht", 3},
                              Choice{"xml", 4}, Choice{"dbf4", 5}, Choice{"dbf3", 6}, Choice{"dbf2", 7}};
constexpr std::array kNamings{Choice{"sheet", 0}, Choice{"workbook-sheet", 1}, Choice{"number", 2}};
constexpr std::array kWebModes{Choice{"sheets", 0}, Choice{"workbook", 1}};
constexpr std::array kHtmlTypes{Choice{"static", 0}, Choice{"spreadsheet", 1}, Choice{"pivot", 2}};
constexpr std::array kTitles{Choice{"none", 0}, Choice{"sheet", 1}, Choice{"workbook", 2},
                             Choice{"workbook-sheet", 3}};
constexpr std::array kExtensions{Choice{"short", 0}, Choice{"long", 1}};

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
    // Plain references, not a structured binding: the value lambda below captures them.
    const auto split = SplitInlineValue(arguments[i]);
    const std::string& name = split.first;
    const std::optional<std::string>& inline_value = split.second;
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
    } else if (name == "--web-mode" || name == "--html-type" || name == "--title" || name == "--extension") {
      auto text = value();
      if (!text) return parsed;
      std::optional<int> index;
      std::string choices;
      if (name == "--web-mode") {
        index = Lookup(kWebModes, *text);
        choices = Names(kWebModes);
        if (index) options.entire_workbook = *index == 1;
      } else if (name == "--html-type") {
        index = Lookup(kHtmlTypes, *text);
        choices = Names(kHtmlTypes);
        if (index) options.html_type_index = *index;
      } else if (name == "--title") {
        index = Lookup(kTitles, *text);
        choices = Names(kTitles);
        if (index) options.page_title_index = *index;
      } else {
        index = Lookup(kExtensions, *text);
        choices = Names(kExtensions);
        if (index) options.short_extension = *index == 0;
      }
      if (!index) {
        parsed.error = "unknown value \"" + *text + "\" for " + name + " (choose " + choices + ")";
        return parsed;
      }
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
                          html web page (.htm), one per worksheet or one for the workbook
                          mht  single-file web page (.mht), one per worksheet or workbook
                          xml  XML Spreadsheet 2003 (.xml) of the whole workbook
                          dbf4 dBASE IV table (.dbf)
                          dbf3 dBASE III table (.dbf)
                          dbf2 dBASE II table (.dbf)
  -n, --naming RULE       sheet           file named after the sheet (default); the workbook name
                                          is put in front when both are equal
                          workbook-sheet  workbook name, "_", sheet name
                          number          1, 2, 3, ... per workbook
      --web-mode MODE     html and mht: sheets    one page per worksheet (default)
                                        workbook  one page for the workbook, a tab per sheet
      --html-type TYPE    html and mht pages per worksheet:
                          static       the cells as a table (default)
                          spreadsheet  adds sorting by column, filter, find and a formula bar
                          pivot        adds a pivot view: first row as field names, choose row,
                                       column and value fields with sum, count or average
      --title TITLE       page title of pages per worksheet: none (default), sheet, workbook,
                          workbook-sheet (workbook name, "_", sheet name)
      --extension EXT     short: .htm and .mht (default); long: .html and .mhtml
  -s, --sheet NAME        convert only worksheets with this name (repeat for several); a
                          workbook holding none of them is skipped
  -q, --quiet             print nothing but problems
  -h, --help              show this text
      --version           show the version

Text files are UTF-8 with CR LF line ends. Each cell is written as a spreadsheet application
shows it (its number format applied); a field holding the delimiter, a quote or a line break is
quoted.

A dBASE table holds the used range of one worksheet: its first row gives the field names (made
valid: letters, digits and "_", at most 10 characters, upper case, unique), every later row one
record. Each column becomes a numeric, date, logical or character field as its cells allow; text
is written in the first Windows code page (1252, 1250, 1251, 1253, 1254, 1257) that holds all of
it, named in the table's header; dBASE II tables take ASCII text only. A sheet that does not fit
the table (too many columns, too long a text, characters no code page holds) fails with a message
naming the cell. Empty worksheets are skipped.

Web pages are self-contained HTML5 files in UTF-8 showing each cell's displayed text with the
workbook's fonts, fills, borders, alignment, merged cells and sizes; hidden rows and columns
are left out. Pages of the whole workbook, and XML Spreadsheet files, are named after the
workbook and written directly in the output directory, holding every sheet whatever --sheet says.

The last line sums the run up: "Converted 12 workbooks (57 files), 1 failed. Output folder: DIR",
after one "Failed:" line per failed workbook with its reason. Failures are printed on the error
stream even with --quiet; a run without failures prints its summary unless --quiet is given.
Interrupting a run (Ctrl-C, a termination or hang-up signal) removes the file being written.

Exit status: 0 when every workbook was converted, 1 when a workbook failed or the output
directory could not be used, 2 when the arguments are wrong.
)";
}

}  // namespace quorvex::cli
