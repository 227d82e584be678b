// Parsing the arguments of the quorvex command line.
#include "cli/CommandLine.h"

#include <array>
#include <charconv>
#include <string_view>
#include <utility>

#include "engine/OutputFormats.h"

namespace quorvex::cli {
namespace {

struct Choice {
  std::string_view name;
  int index;
};

constexpr std::array kNamings{Choice{"sheet", 0}, Choice{"workbook-sheet", 1}, Choice{"number", 2}};
constexpr std::array kWebModes{Choice{"sheets", 0}, Choice{"workbook", 1}};
constexpr std::array kHtmlTypes{Choice{"static", 0}, Choice{"spreadsheet", 1}, Choice{"pivot", 2}};
constexpr std::array kTitles{Choice{"none", 0}, Choice{"sheet", 1}, Choice{"workbook", 2},
                             Choice{"workbook-sheet", 3}};
constexpr std::array kExtensions{Choice{"short", 0}, Choice{"long", 1}};
constexpr std::array kTextEncodings{
    Choice{"utf-8", static_cast<int>(automation::TextEncoding::kUtf8)},
    Choice{"utf-8-bom", static_cast<int>(automation::TextEncoding::kUtf8Bom)},
    Choice{"windows-1252", static_cast<int>(automation::TextEncoding::kWindows1252)}};
constexpr std::array kDbfEncodings{Choice{"code-page", static_cast<int>(automation::DbfEncoding::kCodePage)},
                                   Choice{"utf-8", static_cast<int>(automation::DbfEncoding::kUtf8)}};

template <std::size_t N>
std::optional<int> Lookup(const std::array<Choice, N>& choices, std::string_view name) {
  for (const Choice& choice : choices) {
    if (choice.name == name) return choice.index;
  }
  return std::nullopt;
}

/// The names of a table's rows (choices or output formats) for a message: "a|b|c".
template <typename Rows>
std::string Names(const Rows& rows) {
  std::string names;
  for (const auto& row : rows) names += (names.empty() ? "" : "|") + std::string(row.name);
  return names;
}

constexpr int kMaxJobs = 256;

/// The whole number `text` holds, or nothing.
std::optional<int> ParseNumber(std::string_view text) {
  int number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

/// The job count `text` gives, or 0 when it is not a number from 1 to kMaxJobs.
int ParseJobs(const std::string& text) {
  const std::optional<int> jobs = ParseNumber(text);
  return jobs && *jobs >= 1 && *jobs <= kMaxJobs ? *jobs : 0;
}

/// Splits "--name=value" into its two halves; other arguments come back unchanged.
std::pair<std::string, std::optional<std::string>> SplitInlineValue(const std::string& argument) {
  if (argument.rfind("--", 0) == 0) {
    auto equals = argument.find('=');
    if (equals != std::string::npos) return {argument.substr(0, equals), argument.substr(equals + 1)};
  }
  return {argument, std::nullopt};
}

// The options that take a value, in the next argument or after "=".
constexpr std::array<std::string_view, 15> kValueOptions{
    "-f",       "--format",    "-n",      "--naming",   "-o",
    "--output", "-s",          "--sheet", "--web-mode", "--html-type",
    "--title",  "--extension", "--shard", "--encoding", "--dbf-encoding"};

bool TakesValue(std::string_view name) {
  for (const std::string_view option : kValueOptions) {
    if (option == name) return true;
  }
  return false;
}

/// The arguments of the "convert" command, read one after another into its options.
class ConvertArguments {
 public:
  explicit ConvertArguments(const std::vector<std::string>& arguments) : arguments_(arguments) {}

  ParsedCommandLine Parse() {
    for (next_ = 1; next_ < arguments_.size(); ++next_) {
      const std::string& argument = arguments_[next_];
      if (only_inputs_ || argument.empty() || argument[0] != '-' || argument == "-") {
        options_.inputs.push_back(argument);
        continue;
      }
      const auto [name, inline_value] = SplitInlineValue(argument);
      if (!TakeOption(name, inline_value)) return std::move(parsed_);
    }
    if (options_.inputs.empty()) {
      parsed_.error = "no workbook or folder given";
    } else if (!output_given_) {
      parsed_.error = "no output directory given (use -o DIR)";
    } else {
      parsed_.convert = std::move(options_);
    }
    return std::move(parsed_);
  }

 private:
  /// Applies option `name`; false when reading ends here (help asked for, or an error set).
  bool TakeOption(const std::string& name, const std::optional<std::string>& inline_value) {
    if (name == "--") {
      only_inputs_ = true;
      return true;
    }
    if (name == "-h" || name == "--help") {
      parsed_.show_help = true;
      return false;
    }
    if (name == "-q" || name == "--quiet") {
      options_.quiet = true;
      return true;
    }
    if (name == "-r" || name == "--recursive") {
      options_.recursive = true;
      return true;
    }
    if (name == "-j" || name == "--jobs" || name.starts_with("-j")) {
      // "-j4" as make takes it, besides "-j 4" and "--jobs=4".
      if (name.size() > 2 && name[1] == 'j') return TakeJobs(name, name.substr(2));
      if (inline_value) return TakeJobs(name, *inline_value);
      if (next_ + 1 >= arguments_.size()) return Fail("the option " + name + " needs a value");
      return TakeJobs(name, arguments_[++next_]);
    }
    if (!TakesValue(name)) return Fail("unknown option \"" + name + "\"");
    if (inline_value) return TakeValue(name, *inline_value);
    if (next_ + 1 >= arguments_.size()) return Fail("the option " + name + " needs a value");
    return TakeValue(name, arguments_[++next_]);
  }

  bool TakeValue(const std::string& name, const std::string& text) {
    if (name == "-o" || name == "--output") {
      options_.output_directory = text;
      output_given_ = true;
      return true;
    }
    if (name == "-s" || name == "--sheet") {
      options_.sheets.push_back(text);
      return true;
    }
    if (name == "-f" || name == "--format") {
      const engine::OutputFormat* format = engine::OutputFormatNamed(text);
      if (format == nullptr) {
        return Fail("unknown format \"" + text + "\" (choose " + Names(engine::kOutputFormats) + ")");
      }
      options_.format_index = format->index;
      return true;
    }
    if (name == "-n" || name == "--naming") {
      const std::optional<int> index = Lookup(kNamings, text);
      if (!index) return Fail("unknown naming rule \"" + text + "\" (choose " + Names(kNamings) + ")");
      options_.naming_mode = *index;
      return true;
    }
    if (name == "--shard") return TakeShard(text);
    if (name == "--encoding" || name == "--dbf-encoding") return TakeEncoding(name, text);
    return TakePageChoice(name, text);
  }

  /// "K/N": the K-th of N slices, 1 <= K <= N.
  bool TakeShard(const std::string& text) {
    const std::size_t slash = text.find('/');
    const std::optional<int> k = ParseNumber(std::string_view(text).substr(0, slash));
    const std::optional<int> n =
        slash == std::string::npos ? std::nullopt : ParseNumber(std::string_view(text).substr(slash + 1));
    if (!k || !n || *k < 1 || *k > *n) {
      return Fail("the option --shard needs K/N with 1 <= K <= N, not \"" + text + "\"");
    }
    options_.shard = *k;
    options_.shards = *n;
    return true;
  }

  bool TakeEncoding(const std::string& name, const std::string& text) {
    const bool dbf = name == "--dbf-encoding";
    const std::optional<int> index = dbf ? Lookup(kDbfEncodings, text) : Lookup(kTextEncodings, text);
    if (!index) {
      return Fail("unknown value \"" + text + "\" for " + name + " (choose " +
                  (dbf ? Names(kDbfEncodings) : Names(kTextEncodings)) + ")");
    }
    if (dbf) {
      options_.save.dbf = static_cast<automation::DbfEncoding>(*index);
    } else {
      options_.save.text = static_cast<automation::TextEncoding>(*index);
    }
    return true;
  }

  bool TakeJobs(const std::string& name, const std::string& text) {
    options_.jobs = ParseJobs(text);
    if (options_.jobs != 0) return true;
    return Fail("the option " + name + " needs a number from 1 to " + std::to_string(kMaxJobs) + ", not \"" +
                text + "\"");
  }

  /// --web-mode, --html-type, --title or --extension.
  bool TakePageChoice(const std::string& name, const std::string& text) {
    std::optional<int> index;
    std::string choices;
    if (name == "--web-mode") {
      index = Lookup(kWebModes, text);
      choices = Names(kWebModes);
      if (index) options_.entire_workbook = *index == 1;
    } else if (name == "--html-type") {
      index = Lookup(kHtmlTypes, text);
      choices = Names(kHtmlTypes);
      if (index) options_.html_type_index = *index;
    } else if (name == "--title") {
      index = Lookup(kTitles, text);
      choices = Names(kTitles);
      if (index) options_.page_title_index = *index;
    } else {
      index = Lookup(kExtensions, text);
      choices = Names(kExtensions);
      if (index) options_.short_extension = *index == 0;
    }
    if (!index) return Fail("unknown value \"" + text + "\" for " + name + " (choose " + choices + ")");
    return true;
  }

  bool Fail(std::string sentence) {
    parsed_.error = std::move(sentence);
    return false;
  }

  const std::vector<std::string>& arguments_;
  std::size_t next_ = 1;  // the argument being read
  ParsedCommandLine parsed_;
  ConvertOptions options_;
  bool output_given_ = false;
  bool only_inputs_ = false;  // after "--" every argument is an input
};

/// The arguments of the "list" command: --json, -r, and inputs.
ParsedCommandLine ParseListArguments(const std::vector<std::string>& arguments) {
  ParsedCommandLine parsed;
  ListOptions options;
  bool only_inputs = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (only_inputs || argument.empty() || argument[0] != '-' || argument == "-") {
      options.inputs.push_back(argument);
    } else if (argument == "--") {
      only_inputs = true;
    } else if (argument == "--json") {
      options.json = true;
    } else if (argument == "-r" || argument == "--recursive") {
      options.recursive = true;
    } else if (argument == "-h" || argument == "--help") {
      parsed.show_help = true;
      return parsed;
    } else {
      parsed.error = "unknown option \"" + argument + "\" for list";
      return parsed;
    }
  }
  if (options.inputs.empty()) {
    parsed.error = "no workbook or folder given";
  } else {
    parsed.list = std::move(options);
  }
  return parsed;
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
  } else if (command == "--version") {
    parsed.show_version = true;
  } else if (command == "convert") {
    return ConvertArguments(arguments).Parse();
  } else if (command == "list") {
    return ParseListArguments(arguments);
  } else {
    parsed.error = "unknown command \"" + command + "\"";
  }
  return parsed;
}

std::string HelpText() {
  return R"(Usage: quorvex convert [options] INPUT...
       quorvex list [--json] [-r] INPUT...

Converts spreadsheet workbooks (.xls, .xlsx, .xlsm, .xlsb) to other formats. Each INPUT is a
workbook file or a folder; a folder stands for the workbooks directly inside it (files whose
extension begins with .xls, in name order, at most 500), and with --recursive for those of its
subfolders too. Inputs are converted one after another, the workbooks of each several at a time
(see --jobs).

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
  -r, --recursive         folders: convert the workbooks of every subfolder too (hidden ones
                          left out), each into the same subfolder of the output directory;
                          at most 500 per folder; a folder seen before (a link loop) is skipped
      --encoding ENC      CSV and TXT text: utf-8 (default), utf-8-bom (what spreadsheet
                          programs on Windows recognise as UTF-8), windows-1252 ("ANSI", "?"
                          for characters it cannot hold, counted in a warning)
      --dbf-encoding ENC  dBASE text: code-page (default, see below) or utf-8 (UTF-8 text and
                          a .cpg file holding "UTF-8" beside each table, read by GIS programs)
      --shard K/N         convert only the K-th of N slices of the workbooks (1 <= K <= N), so
                          that N machines or processes share a batch; see "Shards" below
  -j, --jobs N            convert N workbooks at once (default: one per processor core);
                          names, numbers, messages and progress are those of a serial run
  -q, --quiet             print nothing but problems
  -h, --help              show this text
      --version           show the version

Text files are UTF-8 (see --encoding) with CR LF line ends. Each cell is written as a spreadsheet
application shows it (its number format applied); a field holding the delimiter, a quote or a line
break is quoted.

A dBASE table holds the used range of one worksheet: its first row gives the field names (made
valid: letters, digits and "_", at most 10 characters, upper case, unique), every later row one
record. Each column becomes a numeric, date, logical or character field as its cells allow; text
is written in the first Windows code page (1252, 1250, 1251, 1253, 1254, 1257) that holds all of
it, named in the table's header, or else in the one holding most of its characters with "?" for
the others, counted in a warning; dBASE II tables take ASCII text only. With --dbf-encoding utf-8
field widths count the bytes of the UTF-8 text. A sheet that does not fit the table (too many
columns, too long a text) fails with a message naming the cell. Empty worksheets are skipped.

Web pages are self-contained HTML5 files in UTF-8 showing each cell's displayed text with the
workbook's fonts, fills, borders, alignment, merged cells and sizes; hidden rows and columns
are left out. Pages of the whole workbook, and XML Spreadsheet files, are named after the
workbook and written directly in the output directory, holding every sheet whatever --sheet says.

Shards: a workbook belongs to slice (h mod N) + 1, where h is the 64-bit FNV-1a hash of its
output name: the path of its folder relative to the INPUT folder (empty for a file INPUT), "/",
and its file name without extension, spaces and dots, in lower case. Every machine therefore
agrees on the slices whatever the folder is mounted as, and workbooks whose output folders could
clash (A.xls, A.xlsx) share one slice, so that the N slices together write what one run writes.
Numbered names restart at 1 with every workbook, as in one run; only after a failed workbook,
whose numbering the next one continues, can they differ.

The list command prints one line per sheet of every workbook its inputs name (folders as for
convert, -r for their subfolders): the workbook's path, the sheet's position among all sheets,
its name, kind (worksheet, chart, dialog, macro), visibility (visible, hidden, very-hidden) and
used range ("A1:C20", "B2"; empty for a worksheet without cells and for other kinds), separated
by tabs; a tab or line break in a path or name shows as a space. With --json it prints one JSON
array with an object per workbook: "path" and "sheets" (objects with "position", "name", "kind",
"visibility" and "used_range"), or "path" and "error" when it cannot be read. A workbook that
cannot be read is reported on the error stream too, and the others are still listed.

The last line sums the run up: "Converted 12 workbooks (57 files), 1 failed. Output folder: DIR",
after one "Failed:" line per failed workbook with its reason. Failures are printed on the error
stream even with --quiet; a run without failures prints its summary unless --quiet is given.
Interrupting a run (Ctrl-C, a termination or hang-up signal) removes the file being written.

Warnings (damage worked around, characters written as "?") go to the error stream, even with
--quiet; they do not change the exit status.

Exit status: 0 when every workbook was converted (or listed), 1 when a workbook failed or the
output directory could not be used, 2 when the arguments are wrong.
)";
}

}  // namespace quorvex::cli
