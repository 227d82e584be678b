// Table rows for number format tests: a value, a format code and the text a cell shows.
#pragma once

#include <gtest/gtest.h>

#include <iomanip>
#include <span>
#include <sstream>
#include <string>

#include "sheet/model/CellValue.h"
#include "sheet/numfmt/NumberFormat.h"

namespace quorvex::sheet::numfmt::testing {

struct FormatRow {
  double value;
  const char* code;
  const char* expected;
};

/// What a cell shows for a number it cannot show: 255 '#' characters.
inline const std::string kUnshowable(255, '#');

/// A time of day as a fraction of a day.
constexpr double Time(int hours, int minutes, double seconds) {
  return (hours * 3600.0 + minutes * 60.0 + seconds) / 86400.0;
}

inline std::string Describe(const FormatRow& row) {
  std::ostringstream text;
  text << "format [" << row.code << "] value " << std::setprecision(17) << row.value;
  return text.str();
}

/// Checks every row, naming the failing ones.
inline void ExpectRows(std::span<const FormatRow> rows, bool date1904 = false) {
  for (const FormatRow& row : rows) {
    const auto format = NumberFormat::Parse(row.code);
    EXPECT_EQ(format->Render(CellValue::Number(row.value), date1904), row.expected) << Describe(row);
  }
}

}  // namespace quorvex::sheet::numfmt::testing
