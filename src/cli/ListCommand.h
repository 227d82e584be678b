// `quorvex list`: each workbook's sheets with their kind, visibility and used range, for scripts.
#pragma once

#include <cstdio>

#include "automation/ApplicationFactory.h"
#include "cli/CommandLine.h"

namespace quorvex::cli {

/// Lists every workbook the inputs name (folders as the convert command lists them) on `out`:
/// tab-separated lines, or one JSON array with options.json. A workbook that cannot be read, or an
/// input that does not exist, is reported on `err` (and as an "error" object in JSON) and the
/// others are still listed. Warnings go to `err`. Returns 0, or 1 when anything was reported.
int RunList(const ListOptions& options, std::FILE* out, std::FILE* err,
            const automation::ApplicationFactory& factory);

/// `text` as a JSON string literal, quotes included; bytes that are no valid UTF-8 become U+FFFD.
std::string JsonString(std::string_view text);

}  // namespace quorvex::cli
