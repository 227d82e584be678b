// The style sheets and scripts embedded in the web pages, from the files in page/.
#include "sheet/writers/HtmlScripts.h"

#include "sheet/writers/PageAssets.h"  // generated at build time from page/*.css and page/*.js

namespace quorvex::sheet {

std::string_view BasePageCss() {
  return page::kBaseCss;
}

std::string_view WorkbookTabsCss() {
  return page::kWorkbookTabsCss;
}

std::string_view InteractiveCss() {
  return page::kInteractiveCss;
}

std::string_view SpreadsheetScript() {
  return page::kSpreadsheetJs;
}

std::string_view PivotScript() {
  return page::kPivotJs;
}

}  // namespace quorvex::sheet
