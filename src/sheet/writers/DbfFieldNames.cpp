// Field names for a dBASE table made from the texts of a sheet's first row.
#include "sheet/writers/DbfFieldNames.h"

#include <cstddef>
#include <set>

#include "sheet/writers/DbfCodePage.h"

namespace quorvex::sheet {

namespace {

constexpr std::size_t kMaxNameLength = 10;

bool IsAsciiLetter(char32_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsAsciiDigit(char32_t c) {
  return c >= '0' && c <= '9';
}

/// The name a header text asks for, before it is made unique; empty when it holds no letter or
/// digit at all.
std::string CleanName(const std::string& text) {
  std::string name;
  bool meaningful = false;
  std::size_t position = 0;
  while (position < text.size()) {
    const char32_t c = NextCodePoint(text, position);
    char kept = '_';
    if (IsAsciiLetter(c)) {
      kept = static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
      meaningful = true;
    } else if (IsAsciiDigit(c)) {
      kept = static_cast<char>(c);
      meaningful = true;
    }
    // One more than fits, in case an "F" goes in front and pushes the last one out anyway.
    if (name.size() <= kMaxNameLength) name.push_back(kept);
  }
  if (!meaningful) return {};
  if (!IsAsciiLetter(static_cast<unsigned char>(name.front()))) name.insert(name.begin(), 'F');
  if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
  return name;
}

}  // namespace

std::vector<std::string> MakeDbfFieldNames(const std::vector<std::string>& header_texts) {
  std::vector<std::string> names;
  std::set<std::string> taken;
  for (std::size_t i = 0; i < header_texts.size(); ++i) {
    std::string name = CleanName(header_texts[i]);
    if (name.empty()) name = "FIELD" + std::to_string(i + 1);
    if (taken.count(name) != 0) {
      // Add the first free counter, cutting the stem so the suffix fits.
      for (std::size_t counter = 1;; ++counter) {
        const std::string suffix = "_" + std::to_string(counter);
        std::string candidate = name.substr(0, kMaxNameLength - suffix.size()) + suffix;
        if (taken.count(candidate) == 0) {
          name = std::move(candidate);
          break;
        }
      }
    }
    taken.insert(name);
    names.push_back(name);
  }
  return names;
}

}  // namespace quorvex::sheet
