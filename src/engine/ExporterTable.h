// Which exporter serves which output format, and what the run does around each call.
#pragma once

#include <array>
#include <functional>

#include "engine/EngineContext.h"
#include "engine/ExportResult.h"
#include "engine/OutputFormats.h"

namespace quorvex::engine {

/// An exporter: converts workbook row `row` and returns its result.
using Exporter = std::function<ExportResult(EngineContext& context, int row)>;

/// What the run does for one format: which slot serves it, whether the run creates the folder
/// WorkbookOutputPath first, and whether it sets the progress bar to the row after the call.
struct ExportRoute {
  ExportSlot slot = ExportSlot::kDelimited;
  bool creates_folder = false;
  bool progress_after_return = false;
};

/// The dispatch rule: the format's exporter, or its whole-workbook exporter when
/// `entire_workbook`; a per-sheet exporter gets a folder first, a whole-workbook one moves the
/// progress bar after it returns. A FormatIndex outside the list goes to dBASE.
ExportRoute RouteFor(int format_index, bool entire_workbook);

/// The exporters registered per slot; a slot without one makes its formats unavailable.
class ExporterTable {
 public:
  /// Puts `exporter` in `slot`, replacing any earlier one.
  void Register(ExportSlot slot, Exporter exporter);
  /// The exporter in `slot`, or nullptr when none is registered.
  const Exporter* Find(ExportSlot slot) const;
  /// Whether the run can convert to this format.
  bool Offers(int format_index, bool entire_workbook) const;

 private:
  std::array<Exporter, kExportSlotCount> exporters_;
};

/// The table with every exporter the program has.
ExporterTable StandardExporters();

}  // namespace quorvex::engine
