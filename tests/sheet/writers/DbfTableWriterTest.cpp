// The exact bytes of dBASE III, IV and II headers and records.
#include <gtest/gtest.h>

#include "sheet/writers/DbfTableWriter.h"

namespace quorvex::sheet {
namespace {

using namespace std::string_literals;

std::string Zeros(std::size_t count) {
  return std::string(count, '\0');
}

const std::vector<DbfField> kFields = {{"NAME", DbfType::kCharacter, 5, 0}, {"QTY", DbfType::kNumeric, 6, 2}};
constexpr DbfDate kDate{2024, 3, 5};

TEST(DbfTableWriter, WritesTheDbase3And4HeaderByteForByte) {
  const std::string expected = "\x03\x7C\x03\x05"s + "\x02\x00\x00\x00"s +  // version, 2024-03-05, 2 records
                               "\x61\x00"s + "\x0C\x00"s +       // header 97 bytes, records 12 bytes
                               Zeros(17) + "\x03"s + Zeros(2) +  // language driver at 29
                               "NAME"s + Zeros(7) + "C"s + Zeros(4) + "\x05\x00"s + Zeros(14) + "QTY"s +
                               Zeros(8) + "N"s + Zeros(4) + "\x06\x02"s + Zeros(14) + "\x0D"s;
  for (const DbfVersion version : {DbfVersion::kDbase3, DbfVersion::kDbase4}) {
    const DbfTableWriter table(version, kFields, 0x03);
    EXPECT_EQ(table.Header(2, kDate), expected);
    EXPECT_EQ(table.record_length(), 12);
  }
}

TEST(DbfTableWriter, WritesTheDbase2HeaderByteForByte) {
  const DbfTableWriter table(DbfVersion::kDbase2, kFields, 0x57);
  const std::string header = table.Header(0x0102, kDate);
  ASSERT_EQ(header.size(), 521u) << "the dBASE II header has a fixed size";
  const std::string expected = "\x02"s + "\x02\x01"s + "\x03\x05\x7C"s + "\x0C\x00"s +  // month, day, year
                               "NAME"s + Zeros(7) + "C\x05"s + Zeros(2) + "\x00"s +     // 16-byte descriptors
                               "QTY"s + Zeros(8) + "N\x06"s + Zeros(2) + "\x02"s +      // decimals last
                               "\x0D"s + Zeros(521 - 41);  // terminator where a third field would start
  EXPECT_EQ(header, expected);
}

TEST(DbfTableWriter, Dbase2WithAllThirtyTwoFieldsEndsWithTheTerminatorAt520) {
  std::vector<DbfField> fields;
  for (int i = 0; i < 32; ++i) fields.push_back({"F" + std::to_string(i), DbfType::kLogical, 1, 0});
  const DbfTableWriter table(DbfVersion::kDbase2, fields, 0);
  const std::string header = table.Header(0, kDate);
  ASSERT_EQ(header.size(), 521u);
  EXPECT_EQ(header.substr(8 + 31 * 16, 16), "F31"s + Zeros(8) + "L\x01"s + Zeros(3));
  EXPECT_EQ(header[520], '\x0D');
  EXPECT_EQ(header[6], '\x21') << "32 one-byte fields and the deletion flag";
}

TEST(DbfTableWriter, PadsCharacterLeftAndNumbersRight) {
  DbfTableWriter table(DbfVersion::kDbase3, kFields, 0x57);
  table.BeginRecord();
  table.SetField(0, "Bob");
  table.SetField(1, "7.50");
  EXPECT_EQ(table.record(), " Bob    7.50");
  table.BeginRecord();
  table.SetField(1, "-12.25");
  EXPECT_EQ(table.record(), "      -12.25") << "a new record starts blank";
  table.SetField(1, "1.00");
  EXPECT_EQ(table.record(), "        1.00") << "a field set again keeps nothing of its old value";
}

TEST(DbfTableWriter, RefusesAValueWiderThanItsField) {
  DbfTableWriter table(DbfVersion::kDbase4, kFields, 0x57);
  table.BeginRecord();
  EXPECT_THROW(table.SetField(0, "Robert"), std::logic_error);
}

}  // namespace
}  // namespace quorvex::sheet
