// The indexed colour palette of a workbook: 64 default entries, of which 8 on may be replaced.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "sheet/model/CellStyle.h"

namespace quorvex::sheet {

/// The legacy indexed palette that .xls, .xlsb and .xlsx styles refer to by number. Indexes 0-7
/// are fixed colours; 8-63 the default palette a workbook may replace (a PALETTE record).
class Palette {
 public:
  static constexpr std::size_t kSize = 64;
  static constexpr std::size_t kFirstReplaceable = 8;

  constexpr Palette() = default;

  /// Replaces the colour at `index`; indexes below kFirstReplaceable or past the end change nothing.
  constexpr void Replace(std::size_t index, Rgb color) {
    if (index >= kFirstReplaceable && index < kSize) colors_[index] = color;
  }

  /// The RGB of colour index `index`; system and automatic colours (64 and up) give nullopt.
  constexpr std::optional<Rgb> Resolve(std::size_t index) const {
    if (index >= kSize) return std::nullopt;
    return colors_[index];
  }

 private:
  std::array<Rgb, kSize> colors_ = {
      0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x000000, 0xFFFFFF,
      0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000, 0x000080, 0x808000,
      0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080,
      0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
      0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99, 0x3366FF, 0x33CCCC,
      0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696, 0x003366, 0x339966, 0x003300, 0x333300,
      0x993300, 0x993366, 0x333399, 0x333333,
  };
};

}  // namespace quorvex::sheet
