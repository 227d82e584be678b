// A1-style cell and range references.
#include "sheet/ooxml/CellReference.h"

namespace quorvex::sheet::ooxml {

std::optional<CellPosition> ParseCellReference(std::string_view text) {
  const char* p = text.data();
  const char* end = p + text.size();
  if (p < end && *p == '$') ++p;
  std::uint32_t column = 0;
  const char* letters = p;
  while (p < end && p - letters < 4) {
    char c = *p;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c < 'A' || c > 'Z') break;
    column = column * 26 + static_cast<std::uint32_t>(c - 'A' + 1);
    ++p;
  }
  if (p == letters || column > kMaxColumns) return std::nullopt;
  if (p < end && *p == '$') ++p;
  const auto row = ParseRowNumber(std::string_view(p, static_cast<std::size_t>(end - p)));
  if (!row) return std::nullopt;
  return CellPosition{*row, column - 1};
}

std::optional<std::uint32_t> ParseRowNumber(std::string_view text) {
  if (text.empty() || text.size() > 7) return std::nullopt;
  std::uint32_t row = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    row = row * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (row == 0 || row > kMaxRows) return std::nullopt;
  return row - 1;
}

std::optional<CellRange> ParseRangeReference(std::string_view text) {
  const std::size_t colon = text.find(':');
  const auto first = ParseCellReference(text.substr(0, colon));
  if (!first) return std::nullopt;
  CellRange range{first->row, first->column, first->row, first->column};
  if (colon != std::string_view::npos) {
    const auto last = ParseCellReference(text.substr(colon + 1));
    if (!last) return std::nullopt;
    range.Include(last->row, last->column);
  }
  return range;
}

std::string FormatCellReference(std::uint32_t row, std::uint32_t column) {
  std::string letters;
  for (std::uint32_t n = column + 1; n > 0; n = (n - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return letters + std::to_string(static_cast<std::uint64_t>(row) + 1);
}

}  // namespace quorvex::sheet::ooxml
