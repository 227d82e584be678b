// The numbers of cell values as SpreadsheetML writes them ("42", "-0.5", "1.5E-7").
#pragma once

#include <optional>
#include <string_view>

namespace quorvex::sheet::ooxml {

/// The finite double that std::from_chars reads from the whole of `text`; nullopt when it reads
/// none, stops early or gives an infinity or NaN. Short plain decimals, what most cells hold,
/// skip the general conversion.
std::optional<double> ParseNumberText(std::string_view text);

}  // namespace quorvex::sheet::ooxml
