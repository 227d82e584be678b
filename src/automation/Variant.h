// A cell value as the application hands it out through Cells(r, c).
#pragma once

#include <string>

namespace quorvex::automation {

struct Variant {
  enum class Kind { kEmpty, kNumber, kString, kBoolean, kError };
  Kind kind = Kind::kEmpty;
  double number = 0;
  std::string text;  // strings and error codes

  /// True where the application's value compares equal to "": empty cells and empty strings.
  bool EqualsEmptyString() const { return kind == Kind::kEmpty || (kind == Kind::kString && text.empty()); }
};

}  // namespace quorvex::automation
