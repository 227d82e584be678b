// A parsed number format code and its renderer (en-US display rules).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sheet/model/CellValue.h"

namespace quorvex::sheet::numfmt {

struct ParsedFormat;  // sections as plain data; see FormatParser.h

class NumberFormat {
 public:
  /// Parses a format code. Never fails: a malformed code gives General.
  static std::shared_ptr<const NumberFormat> Parse(std::string_view code);
  static std::shared_ptr<const NumberFormat> General();

  /// Appends the displayed text of `value` (any kind) to `out`.
  void Append(const CellValue& value, bool date1904, std::string& out) const;
  std::string Render(const CellValue& value, bool date1904) const {
    std::string out;
    Append(value, date1904, out);
    return out;
  }

  bool IsGeneral() const;
  /// True when numbers in the first section show as a date or time.
  bool IsDateTime() const;

  ~NumberFormat();
  NumberFormat(const NumberFormat&) = delete;
  NumberFormat& operator=(const NumberFormat&) = delete;

 private:
  explicit NumberFormat(std::unique_ptr<ParsedFormat> parsed);
  std::unique_ptr<ParsedFormat> parsed_;
};

/// The length of the text of a number its format cannot show (a date before 1900 or after 9999,
/// a value no conditional section accepts): the application fills such a cell with '#', and text
/// output, having no cell width, holds this many of them.
inline constexpr std::size_t kUnshowableLength = 255;

/// Whether `shown`, the displayed text of a number, is that fill.
bool IsUnshowable(std::string_view shown);

/// The en-US code of a built-in format id (0 to 49 and the ids files use without defining);
/// empty when the id has no built-in meaning.
std::string_view BuiltinFormatCode(std::uint32_t id);

}  // namespace quorvex::sheet::numfmt
