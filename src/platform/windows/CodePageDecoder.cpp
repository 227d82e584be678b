// Code page text to UTF-8 through MultiByteToWideChar, decoding as iconv does on other systems.
#include "platform/CodePageDecoder.h"

#include <windows.h>

#include "platform/windows/WideText.h"

namespace quorvex::platform {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// Windows gives a byte its code page leaves undefined a C1 control or a private-use character
// of its own; iconv reports it as undefined, and so does this.
bool StandsForUndefined(unsigned char byte, wchar_t decoded) {
  return byte >= 0x80 && ((decoded >= 0x80 && decoded <= 0x9F) || (decoded >= 0xE000 && decoded <= 0xF8FF));
}

}  // namespace

struct CodePageDecoder::State {
  UINT code_page;
  bool double_byte;  // lead and trail bytes, as 932, 936, 949 and 950 have
};

CodePageDecoder::CodePageDecoder(std::uint16_t code_page) {
  CPINFO info{};
  if (::IsValidCodePage(code_page) && ::GetCPInfo(code_page, &info)) {
    state_ = std::make_unique<State>(State{code_page, info.MaxCharSize > 1});
  }
}

CodePageDecoder::~CodePageDecoder() = default;

void CodePageDecoder::Append(std::string_view bytes, std::string& out) const {
  if (!state_ || bytes.empty()) return;
  const UINT code_page = state_->code_page;
  std::wstring wide;
  if (!state_->double_byte) {
    // One character per byte.
    wide.resize(bytes.size());
    const int length = ::MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()),
                                             wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    for (std::size_t i = 0; i < wide.size() && i < bytes.size(); ++i) {
      if (StandsForUndefined(static_cast<unsigned char>(bytes[i]), wide[i])) wide[i] = kReplacement;
    }
    out += Utf8FromWide(wide);
    return;
  }
  // A character of one or two bytes at a time, so that a bad one is replaced and decoding
  // goes on after its first byte.
  for (std::size_t i = 0; i < bytes.size();) {
    const bool lead = ::IsDBCSLeadByteEx(code_page, static_cast<BYTE>(bytes[i])) != 0;
    const int size = lead && i + 1 < bytes.size() ? 2 : 1;
    wchar_t decoded[2];
    const int length = lead && size == 1 ? 0
                                         : ::MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS,
                                                                 bytes.data() + i, size, decoded, 2);
    if (length > 0) {
      wide.append(decoded, static_cast<std::size_t>(length));
      i += static_cast<std::size_t>(size);
    } else {
      wide.push_back(kReplacement);
      ++i;
    }
  }
  out += Utf8FromWide(wide);
}

}  // namespace quorvex::platform
