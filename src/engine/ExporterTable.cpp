// Which exporter serves which output format, and what the run does around each call.
#include "engine/ExporterTable.h"

#include <utility>

namespace quorvex::engine {

ExportRoute RouteFor(int format_index, bool entire_workbook) {
  const OutputFormat* format = OutputFormatAt(format_index);
  // Whatever the list does not hold goes to dBASE, as the run's last "else" always did.
  const ExportSlot slot = format == nullptr ? ExportSlot::kDbf
                          : entire_workbook ? format->workbook_exporter
                                            : format->exporter;
  const bool per_sheet = WritesFilePerSheet(slot);
  return {slot, per_sheet, !per_sheet};
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
