// The program's exporters, one registration per exporter family.
#include "engine/ExportDbf.h"
#include "engine/ExportDelimited.h"
#include "engine/ExporterTable.h"
#include "engine/PublishSheetsWeb.h"
#include "engine/SaveWorkbookWeb.h"
#include "engine/SaveWorkbookXml.h"

namespace quorvex::engine {

ExporterTable StandardExporters() {
  ExporterTable table;
  table.Register(ExportSlot::kDelimited, &ExportDelimited);
  table.Register(ExportSlot::kWorkbookWeb, &SaveWorkbookWeb);
  table.Register(ExportSlot::kSheetsWeb, &PublishSheetsWeb);
  table.Register(ExportSlot::kWorkbookXml, &SaveWorkbookXml);
  table.Register(ExportSlot::kDbf, &ExportDbf);
  return table;
}

}  // namespace quorvex::engine
