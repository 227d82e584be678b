// dBASE table versions, their limits, and one field of a table as the writers lay it out.
#pragma once

#include <cstdint>
#include <string>

namespace quorvex::sheet {

enum class DbfVersion { kDbase2, kDbase3, kDbase4 };

/// What a version of the format can hold.
struct DbfLimits {
  int max_fields;
  int max_record_length;  // deletion flag included
  int max_character_width;
  int max_numeric_width;
  int max_decimals;
  bool has_dates;  // dBASE II knows only C, N and L fields
};

/// dBASE II: 32 fields, 1000-byte records, N up to 19 wide; dBASE III: 128 fields, 4000-byte
/// records, N up to 19; dBASE IV: 255 fields, 4000-byte records, N up to 20. C holds at most
/// 254 bytes and N at most 15 decimals in all three.
DbfLimits LimitsOf(DbfVersion version);

/// The field types written: character, numeric, date (YYYYMMDD) and logical (T or F).
enum class DbfType : char { kCharacter = 'C', kNumeric = 'N', kDate = 'D', kLogical = 'L' };

struct DbfField {
  std::string name;  // 1 to 10 ASCII letters, digits or underscores, upper case
  DbfType type = DbfType::kCharacter;
  int width = 1;
  int decimals = 0;

  bool operator==(const DbfField&) const = default;
};

/// A calendar date, for the header's last-update field.
struct DbfDate {
  int year = 1900;
  int month = 1;
  int day = 1;
};

}  // namespace quorvex::sheet
