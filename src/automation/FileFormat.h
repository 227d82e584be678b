// The application's file format codes passed to SaveAs.
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

/// Page types of PublishObjects.Add.
enum HtmlType : int { kHtmlStatic = 0, kHtmlCalc = 1, kHtmlPivotTable = 2 };

/// Source type of PublishObjects.Add: a whole sheet.
inline constexpr int kSourceSheet = 1;

}  // namespace quorvex::automation
