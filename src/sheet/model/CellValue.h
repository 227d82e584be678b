// One cell's stored value as the readers report it.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvex::sheet {

enum class CellKind : std::uint8_t { kEmpty, kNumber, kString, kBoolean, kError };

/// A cell's value. `text` (strings and error codes such as "#N/A") points into the reader's
/// storage and is valid only during the sink call that receives it.
struct CellValue {
  CellKind kind = CellKind::kEmpty;
  double number = 0;      // kNumber; kBoolean holds 0 or 1
  std::string_view text;  // kString, kError

  static CellValue Number(double v) { return {CellKind::kNumber, v, {}}; }
  static CellValue String(std::string_view s) { return {CellKind::kString, 0, s}; }
  static CellValue Boolean(bool b) { return {CellKind::kBoolean, b ? 1.0 : 0.0, {}}; }
  static CellValue Error(std::string_view code) { return {CellKind::kError, 0, code}; }
};

/// A cell as streamed from a sheet: 0-based row and column, value and style (index into the
/// workbook's cell formats; 0 is the default style). `formula` holds the formula text in A1
/// form without the leading "=", when the file keeps it (valid during the sink call only).
struct Cell {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
  CellValue value;
  std::uint32_t style = 0;
  std::string_view formula;
  /// What a writer made of the cell when a scan kept it (SheetScan's preparer), handed back with
  /// the kept cell so the work is not done again; nullopt otherwise. Valid during the call only.
  std::optional<std::string_view> prepared = std::nullopt;
};

}  // namespace quorvex::sheet
