// Reads the workbook part: the date system and the sheet list with each sheet's relationship id.
#pragma once

#include <string>
#include <vector>

#include "sheet/container/XmlPullParser.h"

namespace quorvex::sheet::ooxml {

struct WorkbookPart {
  struct Sheet {
    std::string name;
    std::string relationship_id;
    bool hidden = false;       // state="hidden" or "veryHidden"
    bool very_hidden = false;  // state="veryHidden"
  };
  bool date1904 = false;
  std::size_t active_tab = 0;  // <workbookView activeTab>
  std::vector<Sheet> sheets;   // in workbook order
};

/// Parses <workbookPr date1904>, <workbookView activeTab> and <sheets><sheet name r:id state>. Throws
/// SheetError when malformed.
WorkbookPart ReadWorkbookPart(container::XmlPullParser& parser);

}  // namespace quorvex::sheet::ooxml
