// Converts the ticked workbooks of a run several at a time, showing everything in input order.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/EngineContext.h"
#include "engine/ExporterTable.h"
#include "engine/JobControls.h"
#include "engine/RunSummary.h"
#include "engine/WorkbookJob.h"
#include "engine/WorkerPool.h"

namespace quorvex::engine {

/// Runs the exports of up to `jobs` workbooks at once on worker threads, while the calling thread
/// decides every output name in input order just before its workbook starts, and passes each
/// workbook's status, progress and messages on to the run's controls in input order (the first
/// unfinished workbook's as they come), so the user sees what converting them one after another
/// shows. The numbered naming rule goes on from where the previous workbook left it: a workbook
/// started before that was known starts from 0, the value after a successful workbook, and is
/// converted again from the right number (its folder emptied first) when it guessed wrong.
class WorkbookPipeline {
 public:
  /// `run` holds the run's state, the controls to show feedback on and to ask about cancelling, a
  /// random source safe to draw from on any thread; `values` is the controls' snapshot the
  /// workbooks read.
  WorkbookPipeline(EngineContext& run, const ExporterTable& exporters, const Controls& values, int jobs);
  /// Stops the workbooks still running after their current sheet and waits for them.
  ~WorkbookPipeline();
  WorkbookPipeline(const WorkbookPipeline&) = delete;
  WorkbookPipeline& operator=(const WorkbookPipeline&) = delete;

  /// Converts the workbook rows `rows` (ticked, in input order) and adds what was done to
  /// `summary`. No workbook starts once a cancel is requested. Rethrows an exception an exporter
  /// let through, once the workbooks before it are shown.
  void Run(const std::vector<int>& rows, RunSummary& summary);

  /// SequenceCounter as the last workbook left it.
  std::int32_t SequenceCounter() const { return known_counter_; }
  /// The last workbook started, or nullptr when none was.
  const WorkbookJob* LastJob() const { return jobs_.empty() ? nullptr : jobs_.back().get(); }

 private:
  bool Dispatch(int row, RunSummary& summary);
  void Submit(WorkbookJob& job);
  int RunningLocked() const;
  bool WritesFileBase(const std::string& base);
  std::optional<std::int32_t> ExactStartLocked() const;
  void RestartIfGuessedWrong(WorkbookJob& job);
  void Release(WorkbookJob& job, RunSummary& summary);

  EngineContext& run_;
  const ExporterTable& exporters_;
  const Controls& values_;
  int workers_;
  bool counter_moves_;
  RunSignal signal_;
  std::atomic<bool> aborted_ = false;
  bool dispatching_ = true;
  std::int32_t known_counter_;
  std::vector<std::unique_ptr<WorkbookJob>> jobs_;
  std::size_t head_ = 0;  // the first workbook not yet released
  std::unique_ptr<WorkerPool> pool_;
};

}  // namespace quorvex::engine
