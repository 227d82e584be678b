// The bytes of a dBASE II, III or IV table: header, field descriptors and fixed-width records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/writers/DbfField.h"

namespace quorvex::sheet {

/// Lays out one table. dBASE III and IV: a 32-byte header (version 0x03, last update as year
/// since 1900, month, day, 32-bit record count, header and record lengths, language driver at
/// offset 29), 32-byte field descriptors, 0x0D. dBASE II: a fixed 521-byte header (version
/// 0x02, 16-bit record count, last update as month, day, year since 1900, record length, 32
/// descriptors of 16 bytes, the first unused one starting with 0x0D, and at offset 520 0x0D when
/// all 32 are used, else 0x00). Records: a space (not deleted), then every field padded to its
/// width; the file ends with 0x1A.
class DbfTableWriter {
 public:
  static constexpr char kEndOfFile = 0x1A;

  /// `fields` must already respect the version's limits (checked by the caller, who can name the
  /// offending cell); `language_driver` is ignored for dBASE II, whose header has no place for it.
  DbfTableWriter(DbfVersion version, std::vector<DbfField> fields, std::uint8_t language_driver);

  std::string Header(std::uint32_t record_count, DbfDate last_update) const;
  int record_length() const { return record_length_; }
  const std::vector<DbfField>& fields() const { return fields_; }

  /// Starts a record with every field blank.
  void BeginRecord();
  /// Puts `bytes` (already in the table's code page and no wider than the field) in field
  /// `index`: N right-aligned, every other type left-aligned, padded with spaces.
  void SetField(std::size_t index, std::string_view bytes);
  const std::string& record() const { return record_; }

 private:
  std::string HeaderIII(std::uint32_t record_count, DbfDate last_update) const;
  std::string HeaderII(std::uint32_t record_count, DbfDate last_update) const;

  DbfVersion version_;
  std::vector<DbfField> fields_;
  std::vector<int> offsets_;  // of each field in the record, after the deletion flag
  std::uint8_t language_driver_;
  int record_length_ = 1;
  std::string record_;
};

}  // namespace quorvex::sheet
