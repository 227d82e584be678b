// The bounded shared-string table.
#include "sheet/container/StringTable.h"

#include <algorithm>

#include "sheet/container/Utf8.h"

namespace quorvex::sheet::container {
namespace {

constexpr std::uint64_t kMaxArena = 0xFFFFFFFFu;  // ends are 32-bit offsets

}  // namespace

StringTable::StringTable(std::uint64_t budget) : budget_(std::min(budget, kMaxArena)) {}

std::uint64_t StringTable::BudgetForCompressedPart(std::uint64_t compressed_size) {
  const std::uint64_t scaled = compressed_size > kDefaultBudget / kTextPerCompressedByte
                                   ? kDefaultBudget
                                   : compressed_size * kTextPerCompressedByte;
  return std::clamp(scaled, kMinBudget, kDefaultBudget);
}

bool StringTable::Add(std::string_view text) {
  text = text.substr(0, PrefixWithinUtf16Units(text, kMaxCharacters));
  if (arena_.size() + text.size() > budget_) return false;
  arena_.append(text);
  ends_.push_back(static_cast<std::uint32_t>(arena_.size()));
  return true;
}

}  // namespace quorvex::sheet::container
