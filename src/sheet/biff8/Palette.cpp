// The default colour palette of BIFF8 workbooks and its replacement by a PALETTE record.
#include "sheet/biff8/Palette.h"

#include "sheet/container/LittleEndian.h"

namespace quorvex::sheet::biff8 {
namespace {

// Indexes 0-7 are the fixed colours; 8-63 the default palette of Excel 97 and later.
constexpr std::array<Rgb, 64> kDefaultColors = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

}  // namespace

Palette::Palette() : colors_(kDefaultColors) {}

void Palette::Load(std::string_view record) {
  if (record.size() < 2) return;
  const std::size_t count = container::ReadU16(record.data());
  if (record.size() < 2 + 4 * count) return;
  for (std::size_t i = 0; i < count && 8 + i < colors_.size(); ++i) {
    const auto* b = reinterpret_cast<const unsigned char*>(record.data() + 2 + 4 * i);
    colors_[8 + i] = (static_cast<Rgb>(b[0]) << 16) | (static_cast<Rgb>(b[1]) << 8) | b[2];
  }
}

std::optional<Rgb> Palette::Resolve(std::uint16_t index) const {
  if (index >= colors_.size()) return std::nullopt;
  return colors_[index];
}

}  // namespace quorvex::sheet::biff8
