// Appending UTF-16 code units and Latin-1 bytes to a UTF-8 string.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex::sheet::container {

inline void AppendCodePoint(std::uint32_t code_point, std::string& out) {
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

/// Appends `count` little-endian UTF-16 code units from `bytes` as UTF-8; unpaired surrogates
/// become U+FFFD.
inline void AppendUtf16(const char* bytes, std::size_t count, std::string& out) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t unit = b[2 * i] | (b[2 * i + 1] << 8);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
      const std::uint32_t low = b[2 * i + 2] | (b[2 * i + 3] << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendCodePoint(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00), out);
        ++i;
        continue;
      }
    }
    AppendCodePoint(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit, out);
  }
}

/// Appends bytes that are the low halves of UTF-16 code units (BIFF8 "compressed" text).
inline void AppendLatin1(std::string_view bytes, std::string& out) {
  for (char c : bytes) AppendCodePoint(static_cast<unsigned char>(c), out);
}

}  // namespace quorvex::sheet::container
