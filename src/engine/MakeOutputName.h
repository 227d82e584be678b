// The base name of each exported worksheet's output file.
#pragma once

#include <string>

#include "engine/EngineContext.h"

namespace quorvex::engine {

/// The base name (no folder, no extension, never empty) for sheet `sheet_name` of workbook row
/// `row`, by the naming rule the "File Name" list selects at this call. The numbered rule raises
/// SequenceCounter. The result never holds a path separator or control character and is never
/// "." or "..": anything unusable ends in random digits. Throws std::overflow_error only when the
/// numbered rule would pass 2147483647, which the exporter reports like any other failure.
std::string MakeOutputName(EngineContext& context, int row, const std::string& sheet_name);

}  // namespace quorvex::engine
