// Checking and repairing UTF-8, and measuring it in the UTF-16 code units spreadsheets count.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex::sheet::container {

/// Whether `text` is well-formed UTF-8: no stray or missing continuation bytes, overlong forms,
/// surrogates or code points past U+10FFFF.
bool IsValidUtf8(std::string_view text);

/// Well-formed UTF-8 for `text`: each maximal ill-formed subsequence becomes one U+FFFD, as
/// Unicode recommends (so "\xE2\x82" is one replacement, "\xC0\xAF" two).
std::string RepairUtf8(std::string_view text);

/// Repairs `text` from byte `from` on, in place; cheap when it is already well-formed.
void RepairUtf8InPlace(std::string& text, std::size_t from = 0);

/// The byte length of the longest prefix of well-formed `text` that holds at most `max_units`
/// UTF-16 code units (characters past U+FFFF count two), never splitting a character.
std::size_t PrefixWithinUtf16Units(std::string_view text, std::size_t max_units);

}  // namespace quorvex::sheet::container
