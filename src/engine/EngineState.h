// The state the conversion engine and the catalogue share for the life of the program.
#pragma once

#include <cstdint>
#include <string>

#include "engine/SheetSelectionTable.h"

namespace quorvex::engine {

/// What the export of one workbook produced: the files it wrote and, when it failed, the cause
/// it reported. The run starts it afresh for every workbook.
struct ExportTally {
  int files = 0;
  std::string failure_cause;
};

/// One object per program, passed to every routine that reads or writes shared state.
class EngineState {
 public:
  /// Names and ticks of the sheets per workbook row.
  SheetSelectionTable& table() { return table_; }
  const SheetSelectionTable& table() const { return table_; }

  /// The workbook row whose sheets the worksheet list shows; 0 at start.
  int CurrentWorkbookIndex() const { return current_workbook_index_; }
  void SetCurrentWorkbookIndex(int row) { current_workbook_index_ = row; }

  /// The number last issued by the numbered naming rule; 0 at start.
  std::int32_t SequenceCounter() const { return sequence_counter_; }
  void SetSequenceCounter(std::int32_t value) { sequence_counter_ = value; }

  /// The output directory of the current run, ending in one '/' after a successful check.
  const std::string& OutputRoot() const { return output_root_; }
  void SetOutputRoot(const std::string& path) { output_root_ = path; }

  /// OutputRoot followed by the workbook's cleaned, unique name, no trailing '/'.
  const std::string& WorkbookOutputPath() const { return workbook_output_path_; }
  void SetWorkbookOutputPath(const std::string& path) { workbook_output_path_ = path; }

  /// False at start and while a click on the workbook list is handled; the start-up sets it
  /// to true once the window (or the command line) is ready.
  bool ReadSheetsFromWorkbook() const { return read_sheets_from_workbook_; }
  void SetReadSheetsFromWorkbook(bool value) { read_sheets_from_workbook_ = value; }

  /// The tally of the workbook being exported.
  ExportTally& tally() { return tally_; }
  const ExportTally& tally() const { return tally_; }

 private:
  SheetSelectionTable table_;
  int current_workbook_index_ = 0;
  std::int32_t sequence_counter_ = 0;
  std::string output_root_;
  std::string workbook_output_path_;
  bool read_sheets_from_workbook_ = false;
  ExportTally tally_;
};

}  // namespace quorvex::engine
