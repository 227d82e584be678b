// Parsing the arguments of the quorvex command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "automation/SaveOptions.h"

namespace quorvex::cli {

struct ConvertOptions {
  int format_index = 0;          // a row of engine::kOutputFormats, as the "File Format" list
  int naming_mode = 0;           // as the "File Name" list
  bool entire_workbook = false;  // web pages: one for the whole workbook rather than one per sheet
  int html_type_index = 0;       // as the "HTML Type" list: 0 static, 1 spreadsheet, 2 pivot
  int page_title_index = 0;      // as the "Page Title" list: 0 none, 1 sheet, 2 workbook, 3 both
  bool short_extension = true;   // .htm/.mht rather than .html/.mhtml
  std::string output_directory;
  std::vector<std::string> sheets;  // when not empty, only worksheets with these names
  std::vector<std::string> inputs;  // workbook files and folders
  bool quiet = false;
  int jobs = 0;                  // workbooks converted at once; 0 for one per core
  automation::SaveOptions save;  // the text encodings of CSV, TXT and dBASE files
  bool recursive = false;        // folders: their subfolders too, mirrored in the output directory
  int shard = 1;                 // convert only the shard-th of `shards` slices of the workbooks
  int shards = 1;
};

struct ListOptions {
  bool json = false;       // one JSON array rather than tab-separated lines
  bool recursive = false;  // folders: their subfolders too
  std::vector<std::string> inputs;
};

struct ParsedCommandLine {
  bool show_help = false;
  bool show_version = false;
  std::optional<ConvertOptions> convert;
  std::optional<ListOptions> list;
  std::string error;  // set when the arguments are wrong
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

/// The text of `quorvex --help`.
std::string HelpText();

}  // namespace quorvex::cli
