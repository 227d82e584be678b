// Field names for a dBASE table made from the texts of a sheet's first row.
#pragma once

#include <string>
#include <vector>

namespace quorvex::sheet {

/// Turns header texts (UTF-8, one per column) into valid, unique dBASE field names:
/// - only A-Z, 0-9 and '_', upper case; every other character becomes '_';
/// - a name that would not start with a letter gets "F" in front;
/// - a text without any letter or digit gives "FIELD<n>", n being the column's 1-based position;
/// - at most 10 characters;
/// - a name already taken gets "_1", "_2", ... (its stem shortened so the whole stays within 10).
std::vector<std::string> MakeDbfFieldNames(const std::vector<std::string>& header_texts);

}  // namespace quorvex::sheet
