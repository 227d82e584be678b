// Web pages of sheets from the built-in engine: the publish collection of a workbook.
#include "automation/builtin/BuiltinPublishObjects.h"

#include <algorithm>
#include <cctype>

#include "automation/AutomationError.h"
#include "automation/FileFormat.h"
#include "automation/builtin/BuiltinWorkbook.h"
#include "automation/builtin/ErrorTranslation.h"
#include "sheet/writers/HtmlPageWriter.h"

namespace quorvex::automation {
namespace {

bool SameName(const std::string& a, const std::string& b) {
  // Sheet names compare without regard to the case of ASCII letters, as in the application.
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && SameName(text.substr(text.size() - suffix.size()), suffix);
}

std::optional<std::size_t> WorksheetNamed(const sheet::Workbook& workbook, const std::string& name) {
  for (const std::size_t position : workbook.WorksheetPositions()) {
    if (SameName(workbook.sheets[position].name, name)) return position;
  }
  return std::nullopt;
}

}  // namespace

bool IsSingleFileName(const std::string& file_name) {
  return EndsWith(file_name, ".mht") || EndsWith(file_name, ".mhtml");
}

void BuiltinPublishObjects::Add(BuiltinWorkbook& workbook, Item item) {
  const std::string what = "PublishObjects.Add failed";
  if (item.source_type != kSourceSheet) {
    throw AutomationError(what + ": only whole sheets (source type " + std::to_string(kSourceSheet) +
                          ") can be published, not source type " + std::to_string(item.source_type));
  }
  if (item.source && !item.source->empty()) {
    throw AutomationError(what + ": publishing a range (\"" + *item.source + "\") is not available");
  }
  if (item.html_type < kHtmlStatic || item.html_type > kHtmlPivotTable) {
    throw AutomationError(what + ": the page type " + std::to_string(item.html_type) + " is not known");
  }
  if (!WorksheetNamed(workbook.reader().workbook(), item.sheet)) {
    throw AutomationError(what + ": the workbook \"" + workbook.FileName() + "\" has no worksheet named \"" +
                          item.sheet + "\"");
  }
  items_.push_back(std::move(item));
}

void BuiltinPublishObjects::Publish(BuiltinWorkbook& workbook) const {
  for (const Item& item : items_) {
    const std::string what = "Cannot publish the sheet \"" + item.sheet + "\" of \"" + workbook.FileName() +
                             "\" as \"" + item.file_name + "\"";
    // The sheet may have been named at Add time only; look it up again now.
    const auto position = WorksheetNamed(workbook.reader().workbook(), item.sheet);
    if (!position) throw AutomationError(what + ": the worksheet no longer exists");
    workbook.RefuseToReplace(what, item.file_name);
    TranslateErrors(what, [&] {
      sheet::SaveWebPage(item.file_name, IsSingleFileName(item.file_name), [&](sheet::OutputStream& out) {
        sheet::WriteSheetPage(workbook.reader(), workbook.cell_text(), *position, item.title,
                              static_cast<sheet::WebPageType>(item.html_type), out);
      });
    });
  }
}

}  // namespace quorvex::automation
