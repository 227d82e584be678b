// Reads the styles part: number formats, fonts, fills, borders and the cell formats cells refer to.
#pragma once

#include "sheet/container/XmlPullParser.h"
#include "sheet/model/Workbook.h"
#include "sheet/ooxml/SpreadsheetColors.h"

namespace quorvex::sheet::ooxml {

/// Fills workbook.number_formats from <numFmts>, workbook.fonts, fills and borders from
/// <fonts>, <fills> and <borders>, and workbook.cell_formats from <cellXfs> with their font,
/// fill and border indexes and <alignment>, in order. Colours are resolved against `theme`.
/// Throws SheetError when the part is malformed or holds implausibly many entries.
void ReadStylesPart(container::XmlPullParser& parser, Workbook& workbook,
                    const ThemeColors& theme = DefaultThemeColors());

}  // namespace quorvex::sheet::ooxml
