// Which exporter serves which output format, and what the run does around each call.
#include "engine/ExporterTable.h"

#include <utility>

namespace quorvex::engine {

ExportRoute RouteFor(int format_index, bool entire_workbook) {
  // Tested in this order; whatever is left goes to dBASE.
  if (format_index == 0 || format_index == 1) {
    return {ExportSlot::kDelimited, true, false};
  }
  if (format_index == 2 || format_index == 3) {
    return entire_workbook ? ExportRoute{ExportSlot::kWorkbookWeb, false, true}
                           : ExportRoute{ExportSlot::kSheetsWeb, true, false};
  }
  if (format_index == 4) {
    return {ExportSlot::kWorkbookXml, false, true};
  }
  return {ExportSlot::kDbf, true, false};
}

void ExporterTable::Register(ExportSlot slot, Exporter exporter) {
  exporters_[static_cast<std::size_t>(slot)] = std::move(exporter);
}

const Exporter* ExporterTable::Find(ExportSlot slot) const {
  const Exporter& exporter = exporters_[static_cast<std::size_t>(slot)];
  return exporter ? &exporter : nullptr;
}

bool ExporterTable::Offers(int format_index, bool entire_workbook) const {
  return Find(RouteFor(format_index, entire_workbook).slot) != nullptr;
}

}  // namespace quorvex::engine
