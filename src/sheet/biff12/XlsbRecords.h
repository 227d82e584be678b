// Record types of MS-XLSB parts that the reader handles.
#pragma once

#include <cstdint>

namespace quorvex::sheet::biff12::record {

// Worksheet part.
inline constexpr std::uint32_t kRowHdr = 0;
inline constexpr std::uint32_t kCellBlank = 1;
inline constexpr std::uint32_t kCellRk = 2;
inline constexpr std::uint32_t kCellError = 3;
inline constexpr std::uint32_t kCellBool = 4;
inline constexpr std::uint32_t kCellReal = 5;
inline constexpr std::uint32_t kCellSt = 6;
inline constexpr std::uint32_t kCellIsst = 7;
inline constexpr std::uint32_t kFmlaString = 8;
inline constexpr std::uint32_t kFmlaNum = 9;
inline constexpr std::uint32_t kFmlaBool = 10;
inline constexpr std::uint32_t kFmlaError = 11;
// Compact cells: the column is the one after the previous cell's (BrtShort* records).
inline constexpr std::uint32_t kShortBlank = 12;
inline constexpr std::uint32_t kShortRk = 13;
inline constexpr std::uint32_t kShortError = 14;
inline constexpr std::uint32_t kShortBool = 15;
inline constexpr std::uint32_t kShortReal = 16;
inline constexpr std::uint32_t kShortSt = 17;
inline constexpr std::uint32_t kShortIsst = 18;
inline constexpr std::uint32_t kColInfo = 60;
inline constexpr std::uint32_t kCellRString = 62;
inline constexpr std::uint32_t kWsDim = 148;
inline constexpr std::uint32_t kArrFmla = 426;
inline constexpr std::uint32_t kShrFmla = 427;
inline constexpr std::uint32_t kMergeCell = 176;
inline constexpr std::uint32_t kWsFmtInfo = 485;

// Comments part.
inline constexpr std::uint32_t kBeginComment = 635;

// Shared strings part.
inline constexpr std::uint32_t kSstItem = 19;
inline constexpr std::uint32_t kBeginSst = 159;

// Workbook part.
inline constexpr std::uint32_t kBookView = 135;
inline constexpr std::uint32_t kWbProp = 153;
inline constexpr std::uint32_t kBundleSh = 156;
inline constexpr std::uint32_t kName = 39;
// Supporting links, in order (the XTI entries of BrtExternSheet index them), and the XTI list.
inline constexpr std::uint32_t kSupSelf = 357;
inline constexpr std::uint32_t kSupSame = 358;
inline constexpr std::uint32_t kBeginSupBook = 360;
inline constexpr std::uint32_t kExternSheet = 362;

// Styles part.
inline constexpr std::uint32_t kFont = 43;
inline constexpr std::uint32_t kFmt = 44;
inline constexpr std::uint32_t kFill = 45;
inline constexpr std::uint32_t kBorder = 46;
inline constexpr std::uint32_t kXf = 47;
inline constexpr std::uint32_t kBeginCellXfs = 617;
inline constexpr std::uint32_t kEndCellXfs = 618;

}  // namespace quorvex::sheet::biff12::record
