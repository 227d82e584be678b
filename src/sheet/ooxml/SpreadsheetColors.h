// Colours of the styles part resolved to RGB: ARGB values, indexed palette, theme colours, tints.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "sheet/container/XmlPullParser.h"
#include "sheet/model/CellStyle.h"

namespace quorvex::sheet::ooxml {

/// The twelve colours of a theme's colour scheme, in the order a `theme` attribute counts them
/// (light 1, dark 1, light 2, dark 2, six accents, hyperlink, followed hyperlink).
using ThemeColors = std::vector<Rgb>;

/// Office's default theme, for workbooks without a theme part.
ThemeColors DefaultThemeColors();

/// Reads <a:clrScheme> of a theme part. Missing entries keep the default theme's colour.
ThemeColors ReadThemeColors(container::XmlPullParser& parser);

/// The colour a <color>, <fgColor> or similar element describes through its attributes (rgb,
/// indexed, theme, tint, auto); nullopt for automatic or unknown colours.
std::optional<Rgb> ResolveColor(const container::XmlPullParser& parser, const ThemeColors& theme);

/// `color` lightened (tint > 0) or darkened (tint < 0) in HLS space, tint in [-1, 1].
Rgb ApplyTint(Rgb color, double tint);

}  // namespace quorvex::sheet::ooxml
