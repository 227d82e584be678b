// The _xHHHH_ escapes of SpreadsheetML strings.
#include "sheet/ooxml/Xstring.h"

#include <cstdint>
#include <cstring>

#include "sheet/container/XmlCharacters.h"

namespace quorvex::sheet::ooxml {
namespace {

constexpr std::size_t kEscapeSize = 7;  // _xHHHH_

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

/// The code unit of an escape starting at `p`, or -1 when there is none.
long EscapeAt(const char* p, const char* end) {
  if (end - p < static_cast<std::ptrdiff_t>(kEscapeSize) || p[0] != '_' || p[1] != 'x' || p[6] != '_') {
    return -1;
  }
  long unit = 0;
  for (int i = 2; i < 6; ++i) {
    const int digit = HexDigit(p[i]);
    if (digit < 0) return -1;
    unit = unit * 16 + digit;
  }
  return unit;
}

}  // namespace

std::size_t DecodeXstringInPlace(char* data, std::size_t size) {
  char* const end = data + size;
  char* in = static_cast<char*>(std::memchr(data, '_', size));
  if (in == nullptr) return size;
  char* out = in;
  while (in < end) {
    const long unit = *in == '_' ? EscapeAt(in, end) : -1;
    if (unit < 0) {
      *out++ = *in++;
      continue;
    }
    in += kEscapeSize;
    std::uint32_t code_point = static_cast<std::uint32_t>(unit);
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      const long low = EscapeAt(in, end);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        code_point = 0x10000 + ((static_cast<std::uint32_t>(unit) - 0xD800) << 10) +
                     (static_cast<std::uint32_t>(low) - 0xDC00);
        in += kEscapeSize;
      } else {
        code_point = 0xFFFD;
      }
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      code_point = 0xFFFD;
    }
    out = container::xml::EncodeUtf8(code_point, out);
  }
  return static_cast<std::size_t>(out - data);
}

std::string DecodeXstring(std::string_view text) {
  std::string copy(text);
  copy.resize(DecodeXstringInPlace(copy.data(), copy.size()));
  return copy;
}

}  // namespace quorvex::sheet::ooxml
