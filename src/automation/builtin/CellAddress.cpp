// A1-style cell addresses.
#include "automation/builtin/CellAddress.h"

#include <cctype>

namespace quorvex::automation {
namespace {

constexpr std::uint32_t kMaxRows = 1048576;
constexpr std::uint32_t kMaxColumns = 16384;

}  // namespace

std::string ColumnLetters(std::uint32_t column) {
  std::string letters;
  for (std::uint64_t n = std::uint64_t{column} + 1; n > 0; n = (n - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
  }
  return letters;
}

std::string AbsoluteAddress(CellPosition position) {
  return "$" + ColumnLetters(position.column) + "$" + std::to_string(std::uint64_t{position.row} + 1);
}

std::optional<CellPosition> ParseAddress(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && text[i] == '$') ++i;
  std::uint64_t column = 0;
  std::size_t letters = 0;
  for (; i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])) && letters < 4;
       ++i, ++letters) {
    column =
        column * 26 + static_cast<std::uint64_t>(std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
  }
  if (letters == 0) return std::nullopt;
  if (i < text.size() && text[i] == '$') ++i;
  std::uint64_t row = 0;
  std::size_t digits = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 8; ++i, ++digits) {
    row = row * 10 + static_cast<std::uint64_t>(text[i] - '0');
  }
  if (digits == 0 || i != text.size() || row == 0 || row > kMaxRows || column > kMaxColumns) {
    return std::nullopt;
  }
  return CellPosition{static_cast<std::uint32_t>(row - 1), static_cast<std::uint32_t>(column - 1)};
}

}  // namespace quorvex::automation
