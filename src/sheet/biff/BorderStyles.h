// The border line styles by the number .xls and .xlsb records give them.
#pragma once

#include <array>
#include <cstdint>

#include "sheet/model/CellStyle.h"

namespace quorvex::sheet::biff {

/// The line style a record's border code stands for; codes past the known ones draw no line.
inline BorderStyle BorderStyleFromCode(std::uint32_t code) {
  constexpr std::array<BorderStyle, 14> kStyles = {
      BorderStyle::kNone,
      BorderStyle::kThin,
      BorderStyle::kMedium,
      BorderStyle::kDashed,
      BorderStyle::kDotted,
      BorderStyle::kThick,
      BorderStyle::kDouble,
      BorderStyle::kHair,
      BorderStyle::kMediumDashed,
      BorderStyle::kDashDot,
      BorderStyle::kMediumDashDot,
      BorderStyle::kDashDotDot,
      BorderStyle::kMediumDashDotDot,
      BorderStyle::kSlantDashDot,
  };
  return code < kStyles.size() ? kStyles[code] : BorderStyle::kNone;
}

}  // namespace quorvex::sheet::biff
