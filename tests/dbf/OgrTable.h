// A dBASE table as GDAL's ogr2ogr and ogrinfo read it: field names, types and values as text.
#pragma once

#include <string>
#include <vector>

namespace quorvex::dbf_check {

struct OgrField {
  std::string name;
  std::string type;  // "String", "Real", "Integer", "Integer64", "Date"
  int width = 0;
  int decimals = 0;
};

struct OgrTable {
  std::vector<OgrField> fields;
  std::vector<std::vector<std::string>> records;  // values as ogr2ogr writes them to CSV
};

/// Reads `path` with `ogrinfo -so -al` (the field list) and `ogr2ogr -f CSV` (the values).
/// Throws std::runtime_error with the command's output when either fails.
OgrTable ReadWithOgr(const std::string& path);

/// Whether ogr2ogr can be run at all.
bool OgrAvailable();

}  // namespace quorvex::dbf_check
