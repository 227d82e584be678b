// Saves a whole workbook as one XML Spreadsheet file.
#include "engine/SaveWorkbookXml.h"

#include <string>

#include "automation/FileFormat.h"
#include "engine/ExportFrame.h"
#include "engine/PathHelpers.h"

namespace quorvex::engine {

ExportResult SaveWorkbookXml(EngineContext& context, int row) {
  return RunWholeWorkbookExport(context, row, [](automation::Workbook& workbook, const std::string& base) {
    workbook.SaveAs(FitFileName(base, ".xml"), automation::kXmlSpreadsheet);
  });
}

}  // namespace quorvex::engine
