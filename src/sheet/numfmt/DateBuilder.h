// Builds date and time sections: which letters are months or minutes, elapsed fields, subseconds.
#pragma once

#include <span>

#include "sheet/numfmt/FormatTokenizer.h"
#include "sheet/numfmt/SectionParts.h"

namespace quorvex::sheet::numfmt {

/// Fills a date section from its tokens.
void BuildDateSection(std::span<const Token> tokens, SectionParts& parts);

}  // namespace quorvex::sheet::numfmt
