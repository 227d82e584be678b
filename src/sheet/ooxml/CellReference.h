// A1-style cell and range references as SpreadsheetML writes them, and the sheet size limits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sheet/model/CellRange.h"

namespace quorvex::sheet::ooxml {

inline constexpr std::uint32_t kMaxRows = 1048576;
inline constexpr std::uint32_t kMaxColumns = 16384;

struct CellPosition {
  std::uint32_t row = 0;     // 0-based
  std::uint32_t column = 0;  // 0-based
};

/// Parses "B7" (also "$B$7") into a 0-based position; nullopt when malformed or beyond the limits.
std::optional<CellPosition> ParseCellReference(std::string_view text);

/// Parses "A1:C10" or a single cell "A1" into a range; nullopt when malformed.
std::optional<CellRange> ParseRangeReference(std::string_view text);

/// Parses a 1-based row number ("17"), nullopt when malformed or beyond the limit; gives 0-based.
std::optional<std::uint32_t> ParseRowNumber(std::string_view text);

/// "B7" for 0-based (6, 1); used in messages.
std::string FormatCellReference(std::uint32_t row, std::uint32_t column);

}  // namespace quorvex::sheet::ooxml
