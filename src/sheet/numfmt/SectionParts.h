// Appends parts to a section under construction: placeholders, merged literals, scaling.
#pragma once

#include <string_view>

#include "sheet/numfmt/FormatParser.h"
#include "sheet/numfmt/FormatTokenizer.h"

namespace quorvex::sheet::numfmt {

class SectionParts {
 public:
  explicit SectionParts(Section& section) : s_(section) {}

  Section& section() { return s_; }

  void Add(PartKind kind, char ch = 0, int width = 0);
  /// Appends literal text, merging it into a literal part just before.
  void AddLiteral(std::string_view text);
  /// Appends a token outside its meaning (a '%' in a date, a '0' in text) as written; tokens
  /// that only steer the renderer (conditions, elapsed brackets, locales, numerals) add nothing.
  void AddSource(const Token& t);
  /// Applies a power of ten: +2 per percent sign, -3 per scaling comma.
  void AddShift(int delta);
  /// A percent sign: scales by 100 and shows itself.
  void AddPercent();

 private:
  Section& s_;
};

}  // namespace quorvex::sheet::numfmt
