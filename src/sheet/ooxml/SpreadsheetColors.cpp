// Colours of the styles part resolved to RGB.
#include "sheet/ooxml/SpreadsheetColors.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "sheet/model/Palette.h"

namespace quorvex::sheet::ooxml {
namespace {

// The legacy indexed palette that `indexed` attributes refer to; 64 and 65 are the system
// foreground and background, which stay automatic.
constexpr Palette kIndexedPalette;

// Scheme element names in file order, and the position a `theme` attribute gives each.
constexpr std::array<std::string_view, 12> kSchemeNames = {"dk1",     "lt1",     "dk2",     "lt2",
                                                           "accent1", "accent2", "accent3", "accent4",
                                                           "accent5", "accent6", "hlink",   "folHlink"};
constexpr std::array<std::size_t, 12> kThemeIndexOf = {1, 0, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11};

std::optional<Rgb> ParseHex(std::string_view text) {
  // "FFRRGGBB" (alpha first) or "RRGGBB".
  if (text.size() == 8) text.remove_prefix(2);
  if (text.size() != 6) return std::nullopt;
  Rgb value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

ThemeColors DefaultThemeColors() {
  return {0xFFFFFF, 0x000000, 0xE7E6E6, 0x44546A, 0x4472C4, 0xED7D31,
          0xA5A5A5, 0xFFC000, 0x5B9BD5, 0x70AD47, 0x0563C1, 0x954F72};
}

ThemeColors ReadThemeColors(container::XmlPullParser& parser) {
  using Event = container::XmlPullParser::Event;
  ThemeColors colors = DefaultThemeColors();
  bool in_scheme = false;
  constexpr std::size_t kNoSlot = ~std::size_t{0};
  std::size_t slot = kNoSlot;  // the scheme entry being read
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    const std::string_view name = parser.local_name();
    if (event == Event::kEndElement) {
      if (name == "clrScheme") in_scheme = false;
      continue;
    }
    if (event != Event::kStartElement) continue;
    if (name == "clrScheme") {
      in_scheme = true;
      continue;
    }
    if (!in_scheme) continue;
    const auto scheme = std::find(kSchemeNames.begin(), kSchemeNames.end(), name);
    if (scheme != kSchemeNames.end()) {
      slot = kThemeIndexOf[static_cast<std::size_t>(scheme - kSchemeNames.begin())];
    } else if (slot != kNoSlot && (name == "srgbClr" || name == "sysClr")) {
      const auto* value = parser.FindAttribute(name == "srgbClr" ? "val" : "lastClr");
      if (value != nullptr) {
        if (const auto rgb = ParseHex(value->value)) colors[slot] = *rgb;
      }
      slot = kNoSlot;
    }
  }
  return colors;
}

Rgb ApplyTint(Rgb color, double tint) {
  if (!(tint >= -1 && tint <= 1) || tint == 0) return color;
  const double r = ((color >> 16) & 0xFF) / 255.0;
  const double g = ((color >> 8) & 0xFF) / 255.0;
  const double b = (color & 0xFF) / 255.0;
  const double high = std::max({r, g, b});
  const double low = std::min({r, g, b});
  double hue = 0;
  double saturation = 0;
  double lightness = (high + low) / 2;
  const double delta = high - low;
  if (delta > 0) {
    saturation = lightness > 0.5 ? delta / (2 - high - low) : delta / (high + low);
    if (high == r)
      hue = (g - b) / delta + (g < b ? 6 : 0);
    else if (high == g)
      hue = (b - r) / delta + 2;
    else
      hue = (r - g) / delta + 4;
    hue /= 6;
  }
  lightness = tint < 0 ? lightness * (1 + tint) : lightness * (1 - tint) + tint;
  const auto channel = [&](double t) {
    const double q =
        lightness < 0.5 ? lightness * (1 + saturation) : lightness + saturation - lightness * saturation;
    const double p = 2 * lightness - q;
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    double value = p;
    if (t < 1.0 / 6)
      value = p + (q - p) * 6 * t;
    else if (t < 0.5)
      value = q;
    else if (t < 2.0 / 3)
      value = p + (q - p) * (2.0 / 3 - t) * 6;
    return static_cast<Rgb>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
  };
  if (saturation == 0) {
    const Rgb grey = static_cast<Rgb>(std::lround(std::clamp(lightness, 0.0, 1.0) * 255));
    return (grey << 16) | (grey << 8) | grey;
  }
  return (channel(hue + 1.0 / 3) << 16) | (channel(hue) << 8) | channel(hue - 1.0 / 3);
}

std::optional<Rgb> ResolveColor(const container::XmlPullParser& parser, const ThemeColors& theme) {
  std::optional<Rgb> color;
  if (const auto* rgb = parser.FindAttribute("rgb")) {
    color = ParseHex(rgb->value);
  } else if (const auto* theme_index = parser.FindAttribute("theme")) {
    std::size_t index = 0;
    const std::string_view text = theme_index->value;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), index);
    if (result.ec == std::errc() && index < theme.size()) color = theme[index];
  } else if (const auto* indexed = parser.FindAttribute("indexed")) {
    std::size_t index = 0;
    const std::string_view text = indexed->value;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), index);
    if (result.ec == std::errc()) color = kIndexedPalette.Resolve(index);
  }
  if (color) {
    if (const auto* tint = parser.FindAttribute("tint")) {
      double value = 0;
      const std::string_view text = tint->value;
      const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
      if (result.ec == std::errc()) color = ApplyTint(*color, value);
    }
  }
  return color;
}

}  // namespace quorvex::sheet::ooxml
