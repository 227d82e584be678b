// Turns the tokens of one format section into its parts and number plan.
#pragma once

#include <span>

#include "sheet/numfmt/FormatParser.h"
#include "sheet/numfmt/FormatTokenizer.h"

namespace quorvex::sheet::numfmt {

/// Fills `section` from `tokens` (one section, without the ';'). A text section keeps only
/// literals and '@'; other sections become General, number, scientific, fraction or date
/// sections by the codes they hold.
void BuildSection(std::span<const Token> tokens, bool text_section, Section& section);

}  // namespace quorvex::sheet::numfmt
