// The _xHHHH_ escapes SpreadsheetML uses for characters XML cannot carry (ST_Xstring).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex::sheet::ooxml {

/// Decodes _xHHHH_ escapes (UTF-16 code units, surrogate pairs combined) in place and returns the
/// new size; the result is never longer. "_x005F_" is a literal '_', so "_x005F_x0041_" reads
/// "_x0041_". Unpaired surrogates become U+FFFD.
std::size_t DecodeXstringInPlace(char* data, std::size_t size);

/// Decodes a copy of `text`.
std::string DecodeXstring(std::string_view text);

}  // namespace quorvex::sheet::ooxml
