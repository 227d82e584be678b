// The program's exporters, one registration per exporter family.
#include "engine/ExportDelimited.h"
#include "engine/ExporterTable.h"

namespace quorvex::engine {

ExporterTable StandardExporters() {
  ExporterTable table;
  table.Register(ExportSlot::kDelimited, &ExportDelimited);
  return table;
}

}  // namespace quorvex::engine
