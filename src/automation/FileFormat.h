// The application's file format codes passed to SaveAs, and the other codes of its object model.
#pragma once

namespace quorvex::automation {

enum FileFormat : int {
  kDbf2 = 7,
  kDbf3 = 8,
  kDbf4 = 11,
  kCsv = 6,
  kHtml = 44,
  kWebArchive = 45,
  kXmlSpreadsheet = 46,
  kText = -4158,
};

/// Sheets(i).Type.
enum class SheetType : int { kWorksheet = -4167, kChart = -4109, kDialog = -4116, kMacro = 3 };

/// Sheets(i).Visible.
enum class SheetVisibility : int { kVisible = -1, kHidden = 0, kVeryHidden = 2 };

/// Page types of PublishObjects.Add.
enum HtmlType : int { kHtmlStatic = 0, kHtmlCalc = 1, kHtmlPivotTable = 2 };

/// Source type of PublishObjects.Add: a whole sheet.
inline constexpr int kSourceSheet = 1;

}  // namespace quorvex::automation
