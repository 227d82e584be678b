// One ticked workbook of a conversion run: its name and output path, its own state and controls.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "engine/EngineContext.h"
#include "engine/ExporterTable.h"
#include "engine/JobControls.h"

namespace quorvex::engine {

/// A workbook row as the run converts it, possibly at the same time as others: the run decides
/// its output path in input order (PrepareJob), then any thread exports it (ExportJob) with its
/// own copy of the state it reads and writes, and its feedback kept in `controls`.
struct WorkbookJob {
  WorkbookJob(EngineContext& run, const Controls& values, const std::atomic<bool>& run_aborted,
              RunSignal& signal, int workbook_row);

  int row;
  std::string name;  // the cleaned workbook name the messages show
  JobControls controls;
  EngineState state;  // this workbook's column of the table, its output path, counter and tally
  EngineContext context;
  std::int32_t start_counter = 0;     // SequenceCounter the export started from
  bool exports = false;               // false when PrepareJob already failed the workbook
  std::size_t prepared_feedback = 0;  // feedback items PrepareJob kept
  // Set by the thread that ran the export; read once `finished` is seen under the signal's mutex.
  bool finished = false;
  ExportResult result = ExportResult::kFailed;
  std::string cause;
  std::exception_ptr error;  // an exception the exporter let through
};

/// The file base a whole-workbook format would write row `row` to (its unique WorkbookOutputPath),
/// or "" for formats that get a folder of their own, which no other workbook can share.
std::string PlannedFileBase(const EngineState& state, const Controls& values, int row);

/// Shows "Convert <name>" and gives the workbook its unique WorkbookOutputPath, creating its folder
/// exclusively for per-sheet formats; fails the workbook (finished, with its cause) when no
/// exporter serves the format or the folder cannot be created. Runs in input order.
void PrepareJob(WorkbookJob& job, const ExporterTable& exporters);

/// Runs the workbook's exporter from `start_counter` and records its result and cause; an
/// exception it lets through is kept in `error`. Sets nothing of `finished`.
void ExportJob(WorkbookJob& job, const ExporterTable& exporters);

}  // namespace quorvex::engine
