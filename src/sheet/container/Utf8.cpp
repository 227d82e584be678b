// UTF-8 well-formedness (Unicode table 3-7), replacement of ill-formed bytes, UTF-16 lengths.
#include "sheet/container/Utf8.h"

#include <cstdint>
#include <cstring>

namespace quorvex::sheet::container {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

/// The length of the well-formed character at `p` (1-4), or 0 when the bytes there are
/// ill-formed; `*consumed` is then the length of the maximal ill-formed subsequence (at least 1).
std::size_t CharacterAt(const unsigned char* p, const unsigned char* end, std::size_t* consumed) {
  const unsigned char lead = *p;
  std::size_t length;
  unsigned char low = 0x80;  // allowed range of the second byte
  unsigned char high = 0xBF;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    *consumed = 1;
    return 0;
  }
  std::size_t i = 1;
  for (; i < length; ++i) {
    if (p + i == end) break;
    const unsigned char c = p[i];
    const bool in_range = i == 1 ? (c >= low && c <= high) : (c >= 0x80 && c <= 0xBF);
    if (!in_range) break;
  }
  if (i == length) return length;
  *consumed = i;
  return 0;
}

/// Position of the first ill-formed byte at or after `from`, or text.size().
std::size_t FirstIllFormed(std::string_view text, std::size_t from) {
  const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* p = begin + from;
  const unsigned char* end = begin + text.size();
  while (p < end) {
    // Runs of ASCII go eight bytes at a time.
    if (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      if ((word & 0x8080808080808080ull) == 0) {
        p += 8;
        continue;
      }
    }
    std::size_t consumed = 0;
    const std::size_t length = CharacterAt(p, end, &consumed);
    if (length == 0) return static_cast<std::size_t>(p - begin);
    p += length;
  }
  return text.size();
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  return FirstIllFormed(text, 0) == text.size();
}

std::string RepairUtf8(std::string_view text) {
  std::string out;
  std::size_t at = FirstIllFormed(text, 0);
  if (at == text.size()) return std::string(text);
  out.reserve(text.size() + 8);
  std::size_t copied = 0;
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  while (at < text.size()) {
    out.append(text.substr(copied, at - copied));
    std::size_t consumed = 1;
    CharacterAt(bytes + at, bytes + text.size(), &consumed);
    out.append(kReplacement);
    copied = at + consumed;
    at = FirstIllFormed(text, copied);
  }
  out.append(text.substr(copied));
  return out;
}

void RepairUtf8InPlace(std::string& text, std::size_t from) {
  const std::string_view tail = std::string_view(text).substr(from);
  if (FirstIllFormed(tail, 0) == tail.size()) return;
  std::string repaired = RepairUtf8(tail);
  text.replace(from, std::string::npos, repaired);
}

std::size_t PrefixWithinUtf16Units(std::string_view text, std::size_t max_units) {
  if (text.size() <= max_units) return text.size();  // each unit takes at least one byte
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    const std::size_t width = length == 4 ? 2 : 1;
    if (units + width > max_units || i + length > text.size()) break;
    units += width;
    i += length;
  }
  return i;
}

}  // namespace quorvex::sheet::container
