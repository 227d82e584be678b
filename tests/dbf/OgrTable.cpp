// A dBASE table as GDAL's ogr2ogr and ogrinfo read it: field names, types and values as text.
#include "OgrTable.h"

#include <cstdio>
#include <memory>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace quorvex::dbf_check {

namespace {

std::string Quoted(const std::string& path) {
  std::string quoted = "'";
  for (const char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

/// Runs `command` through the shell and returns its standard output; throws on a non-zero exit.
std::string Run(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, n);
  const int status = pclose(pipe.release());
  if (status != 0) throw std::runtime_error(command + " failed:\n" + output);
  return output;
}

/// Splits CSV text (RFC 4180: quoted fields may hold commas, quotes doubled, line breaks).
std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
      any = true;
    } else if (c == ',') {
      row.push_back(field);
      field.clear();
      any = true;
    } else if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      row.push_back(field);
      rows.push_back(row);
      row.clear();
      field.clear();
      any = false;
    } else {
      field += c;
      any = true;
    }
  }
  if (any) {
    row.push_back(field);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

bool OgrAvailable() {
  try {
    Run("ogr2ogr --version");
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

OgrTable ReadWithOgr(const std::string& path) {
  OgrTable table;
  // "NAME: String (10.0)" lines of the layer summary.
  const std::regex field_line(R"(^(\w+): (\w+) \((\d+)\.(\d+)\)$)");
  std::istringstream summary(Run("ogrinfo -so -al " + Quoted(path)));
  for (std::string line; std::getline(summary, line);) {
    std::smatch match;
    if (std::regex_match(line, match, field_line)) {
      table.fields.push_back({match[1], match[2], std::stoi(match[3]), std::stoi(match[4])});
    }
  }
  std::vector<std::vector<std::string>> rows = ParseCsv(Run("ogr2ogr -f CSV /vsistdout/ " + Quoted(path)));
  if (rows.empty()) throw std::runtime_error("ogr2ogr wrote no header for " + path);
  table.records.assign(rows.begin() + 1, rows.end());
  return table;
}

}  // namespace quorvex::dbf_check
