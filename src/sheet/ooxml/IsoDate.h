// ISO 8601 date-time text (cells of type "d") as a spreadsheet serial number.
#pragma once

#include <optional>
#include <string_view>

namespace quorvex::sheet::ooxml {

/// Converts "2024-03-01", "2024-03-01T12:30:00.5" (an offset or "Z" is accepted and ignored: the
/// wall-clock time is kept) or a bare time "12:30:00" into a serial number in the 1900 or 1904 date
/// system. Serials before 1900-03-01 count as the 1900 system's own calendar does (1900-01-01 is 1).
/// nullopt when the text is not such a date.
std::optional<double> ParseIsoDateTime(std::string_view text, bool date1904);

}  // namespace quorvex::sheet::ooxml
