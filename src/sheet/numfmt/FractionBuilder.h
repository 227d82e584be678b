// Recognises fraction sections and lays out their whole part, numerator and denominator.
#pragma once

#include <cstddef>
#include <span>

#include "sheet/numfmt/FormatTokenizer.h"
#include "sheet/numfmt/SectionParts.h"

namespace quorvex::sheet::numfmt {

/// Token positions of a fraction: the numerator is the last run of placeholders before the
/// '/' (literals may stand between them), the denominator the first run of placeholders or
/// of digits after it. Placeholders before the numerator's run make the whole part.
struct FractionLayout {
  std::size_t numerator_begin = 0;
  std::size_t numerator_end = 0;
  std::size_t bar = 0;
  std::size_t denominator_begin = 0;
  std::size_t denominator_end = 0;
  bool fixed = false;  // the denominator is written as digits ("# ?/8", "# ??/100")
};

/// Finds the fraction in a section's tokens; false when the section has no fraction (a '/'
/// without a denominator after it is literal text, and a decimal point rules fractions out).
bool FindFraction(std::span<const Token> tokens, FractionLayout& layout);

/// Fills a fraction section from its tokens.
void BuildFraction(std::span<const Token> tokens, const FractionLayout& layout, SectionParts& parts);

}  // namespace quorvex::sheet::numfmt
