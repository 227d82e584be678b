// Reads the date system and the sheet list from the workbook part.
#include "sheet/ooxml/WorkbookPart.h"

#include <charconv>

#include "sheet/ooxml/Xstring.h"

namespace quorvex::sheet::ooxml {

WorkbookPart ReadWorkbookPart(container::XmlPullParser& parser) {
  using Event = container::XmlPullParser::Event;
  WorkbookPart workbook;
  bool in_sheets = false;
  bool root = true;
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    const std::string_view name = parser.local_name();
    if (root && event == Event::kStartElement) {
      // Other office documents are zip packages too; their main part is not a <workbook>.
      if (name != "workbook") {
        throw SheetError(SheetErrorCode::kNotAWorkbook,
                         "the file is not a workbook: its main part holds <" + std::string(name) + ">",
                         parser.part());
      }
      root = false;
      continue;
    }
    if (event == Event::kEndElement) {
      if (name == "sheets") in_sheets = false;
      continue;
    }
    if (event != Event::kStartElement) continue;
    if (name == "workbookPr") {
      if (const auto* date1904 = parser.FindAttribute("date1904")) {
        workbook.date1904 = date1904->value == "1" || date1904->value == "true";
      }
    } else if (name == "workbookView" && workbook.active_tab == 0) {
      // The first view is the one the application opens with.
      if (const auto* tab = parser.FindAttribute("activeTab")) {
        std::size_t active = 0;
        const auto result = std::from_chars(tab->value.data(), tab->value.data() + tab->value.size(), active);
        if (result.ec == std::errc()) workbook.active_tab = active;
      }
    } else if (name == "sheets") {
      in_sheets = true;
    } else if (name == "sheet" && in_sheets) {
      WorkbookPart::Sheet sheet;
      if (const auto* sheet_name = parser.FindAttribute("name")) {
        sheet.name = DecodeXstring(sheet_name->value);
      }
      // The relationship id is r:id; "id" is its local name in either namespace flavour.
      if (const auto* id = parser.FindAttribute("id")) sheet.relationship_id = id->value;
      if (const auto* state = parser.FindAttribute("state")) {
        sheet.hidden = state->value != "visible";
        sheet.very_hidden = state->value == "veryHidden";
      }
      workbook.sheets.push_back(std::move(sheet));
    }
  }
  return workbook;
}

}  // namespace quorvex::sheet::ooxml
