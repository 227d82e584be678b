// Record ids of the BIFF2, BIFF3 and BIFF4 formats (Excel 2.x to 4.0), as the OpenOffice.org
// "Excel File Format" document lists them, and the BOF facts that identify such a stream.
#pragma once

#include <cstdint>
#include <string_view>

#include "sheet/biff/BiffRecordReader.h"

namespace quorvex::sheet::biff4 {

namespace record {
// Worksheet structure.
inline constexpr std::uint16_t kDimensions2 = 0x0000;
inline constexpr std::uint16_t kDimensions = 0x0200;
inline constexpr std::uint16_t kRow2 = 0x0008;
inline constexpr std::uint16_t kRow = 0x0208;
inline constexpr std::uint16_t kColWidth2 = 0x0024;
inline constexpr std::uint16_t kColInfo = 0x007D;
inline constexpr std::uint16_t kDefColWidth = 0x0055;
inline constexpr std::uint16_t kDefaultRowHeight2 = 0x0025;
inline constexpr std::uint16_t kDefaultRowHeight = 0x0225;
// Cells: the BIFF2 forms carry three bytes of cell attributes instead of an XF index.
inline constexpr std::uint16_t kBlank2 = 0x0001;
inline constexpr std::uint16_t kInteger2 = 0x0002;
inline constexpr std::uint16_t kNumber2 = 0x0003;
inline constexpr std::uint16_t kLabel2 = 0x0004;
inline constexpr std::uint16_t kBoolErr2 = 0x0005;
inline constexpr std::uint16_t kFormula2 = 0x0006;
inline constexpr std::uint16_t kString2 = 0x0007;
inline constexpr std::uint16_t kIxfe2 = 0x0044;
inline constexpr std::uint16_t kBlank = 0x0201;
inline constexpr std::uint16_t kNumber = 0x0203;
inline constexpr std::uint16_t kLabel = 0x0204;
inline constexpr std::uint16_t kBoolErr = 0x0205;
inline constexpr std::uint16_t kFormula3 = 0x0206;
inline constexpr std::uint16_t kFormula4 = 0x0406;
inline constexpr std::uint16_t kString = 0x0207;
inline constexpr std::uint16_t kRk = 0x027E;
// Formatting and settings.
inline constexpr std::uint16_t kFont2 = 0x0031;
inline constexpr std::uint16_t kFont3 = 0x0231;
inline constexpr std::uint16_t kFormat2 = 0x001E;  // BIFF2 and BIFF3
inline constexpr std::uint16_t kFormat4 = 0x041E;
inline constexpr std::uint16_t kXf2 = 0x0043;
inline constexpr std::uint16_t kXf3 = 0x0243;
inline constexpr std::uint16_t kXf4 = 0x0443;
inline constexpr std::uint16_t kCodePage = 0x0042;
inline constexpr std::uint16_t kDateMode = 0x0022;
inline constexpr std::uint16_t kFilePass = 0x002F;
// Substreams and the BIFF4 workbook's sheet list.
inline constexpr std::uint16_t kBof2 = 0x0009;
inline constexpr std::uint16_t kBof3 = 0x0209;
inline constexpr std::uint16_t kBof4 = 0x0409;
inline constexpr std::uint16_t kBof = 0x0809;  // BIFF5 and later, as embedded chart substreams may use
inline constexpr std::uint16_t kEof = 0x000A;
inline constexpr std::uint16_t kBoundSheet = 0x0085;   // BIFF4W: the sheet name only
inline constexpr std::uint16_t kSheetHeader = 0x008F;  // BIFF4W: substream size and sheet name
}  // namespace record

/// BOF substream types of these versions.
namespace substream {
inline constexpr std::uint16_t kWorksheet = 0x0010;
inline constexpr std::uint16_t kChart = 0x0020;
inline constexpr std::uint16_t kMacro = 0x0040;
inline constexpr std::uint16_t kWorkbook = 0x0100;  // BIFF4W workbook globals
}  // namespace substream

inline bool IsBof(std::uint16_t id) {
  return id == record::kBof2 || id == record::kBof3 || id == record::kBof4 || id == record::kBof;
}

/// Calls `take()` for each record of the substream whose BOF `records` has just read, up to its
/// EOF or the end of the stream (a missing final EOF is forgiven). Embedded substreams (charts
/// on a sheet) are skipped: they hold nothing of the sheet's own.
template <typename Take>
void ForEachRecordOfSubstream(biff::BiffRecordReader& records, Take take) {
  int depth = 0;
  while (records.Next()) {
    const std::uint16_t id = records.id();
    if (IsBof(id)) {
      ++depth;
    } else if (id == record::kEof) {
      if (depth == 0) return;
      --depth;
    } else if (depth == 0) {
      take();
    }
  }
}

/// The BIFF version (2, 3 or 4) of a stream starting with `head` (its first 8 bytes or fewer),
/// or 0 when it does not start with a BIFF2, BIFF3 or BIFF4 BOF record of a known type.
inline int DetectVersion(std::string_view head) {
  if (head.size() < 8) return 0;
  const auto u16 = [&](std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(head[at]) |
                                      (static_cast<unsigned char>(head[at + 1]) << 8));
  };
  const std::uint16_t id = u16(0);
  const std::uint16_t length = u16(2);
  const std::uint16_t type = u16(6);
  const int version = id == record::kBof2 ? 2 : id == record::kBof3 ? 3 : id == record::kBof4 ? 4 : 0;
  const bool known_type = type == substream::kWorksheet || type == substream::kChart ||
                          type == substream::kMacro || (version == 4 && type == substream::kWorkbook);
  return version != 0 && length >= 4 && length <= 20 && known_type ? version : 0;
}

}  // namespace quorvex::sheet::biff4
