// A1-style cell addresses as the application writes them ("$C$10").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex::automation {

struct CellPosition {
  std::uint32_t row = 0;     // 0-based
  std::uint32_t column = 0;  // 0-based
};

/// "A", "Z", "AA", ... for a 0-based column.
std::string ColumnLetters(std::uint32_t column);
/// "$A$1" for row 0, column 0.
std::string AbsoluteAddress(CellPosition position);
/// Parses "A1", "$A$1", "a1"; nullopt when malformed or beyond the sheet's limits.
std::optional<CellPosition> ParseAddress(std::string_view text);

}  // namespace quorvex::automation
