// UTF-8 to UTF-16 and back, for the wide-character Windows API.
#pragma once

#include <string>
#include <string_view>

namespace quorvex::platform {

/// `text` as UTF-16; ill-formed UTF-8 becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);

/// `text` as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace quorvex::platform
