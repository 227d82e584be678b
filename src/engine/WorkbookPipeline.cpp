// Converts the ticked workbooks of a run several at a time, showing everything in input order.
#include "engine/WorkbookPipeline.h"

#include <filesystem>
#include <mutex>
#include <utility>

#include "platform/Utf8Path.h"

namespace quorvex::engine {

namespace {

constexpr int kNumberedNaming = 2;

// Empties a workbook's own folder before it is converted again.
void EmptyFolder(const std::string& folder) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(platform::PathFromUtf8(folder), error)) {
    std::error_code ignored;
    std::filesystem::remove_all(entry.path(), ignored);
  }
}

}  // namespace

WorkbookPipeline::WorkbookPipeline(EngineContext& run, const ExporterTable& exporters, const Controls& values,
                                   int jobs)
    : run_(run),
      exporters_(exporters),
      values_(values),
      workers_(jobs < 1 ? 1 : jobs),
      // Only the numbered rule of a per-sheet format moves the counter between workbooks.
      counter_moves_(RouteFor(values.FormatIndex(), values.EntireWorkbook()).creates_folder &&
                     values.NamingMode() == kNumberedNaming),
      known_counter_(run.state.SequenceCounter()) {}

WorkbookPipeline::~WorkbookPipeline() {
  aborted_ = true;
  pool_.reset();
}

void WorkbookPipeline::Run(const std::vector<int>& rows, RunSummary& summary) {
  pool_ = std::make_unique<WorkerPool>(workers_);
  std::size_t next = 0;
  std::uint64_t seen = 0;
  bool head_checked = false;
  for (;;) {
    while (dispatching_ && next < rows.size() && Dispatch(rows[next], summary)) {
      ++next;
    }
    if (head_ == jobs_.size()) {
      break;
    }
    WorkbookJob& job = *jobs_[head_];
    if (!head_checked) {
      RestartIfGuessedWrong(job);
      head_checked = true;
    }
    std::vector<Feedback> news;
    bool finished = false;
    {
      std::unique_lock lock(signal_.mutex);
      signal_.changed.wait(
          lock, [&] { return signal_.generation != seen || job.finished || job.controls.KeptLocked() > 0; });
      seen = signal_.generation;
      news = job.controls.TakeLocked();
      finished = job.finished;
    }
    ShowFeedback(news, run_.controls);
    for (const Feedback& item : news) {
      if (item.kind == Feedback::Kind::kWarning) summary.warnings.push_back(item.text);
    }
    if (finished) {
      Release(job, summary);
      ++head_;
      head_checked = false;
    }
  }
}

// Starts the workbook of `row` unless every worker is busy, it would write the file an unfinished
// workbook writes, or a cancel was requested (which ends the dispatching). True when started.
bool WorkbookPipeline::Dispatch(int row, RunSummary& summary) {
  {
    const std::lock_guard lock(signal_.mutex);
    if (RunningLocked() >= workers_) {
      return false;
    }
  }
  if (run_.controls.CancelRequested()) {
    summary.cancelled = true;
    dispatching_ = false;
    return false;
  }
  const std::string base = PlannedFileBase(run_.state, values_, row);
  if (!base.empty() && WritesFileBase(base)) {
    return false;
  }
  auto job = std::make_unique<WorkbookJob>(run_, values_, aborted_, signal_, row);
  PrepareJob(*job, exporters_);
  WorkbookJob& added = *jobs_.emplace_back(std::move(job));
  const std::lock_guard lock(signal_.mutex);
  added.prepared_feedback = added.controls.KeptLocked();
  const std::optional<std::int32_t> exact = ExactStartLocked();
  added.start_counter = exact ? *exact : (counter_moves_ ? 0 : known_counter_);
  if (added.exports) {
    Submit(added);
  } else {
    added.finished = true;
    signal_.NotifyLocked();
  }
  return true;
}

void WorkbookPipeline::Submit(WorkbookJob& job) {
  pool_->Submit([this, &job] {
    ExportJob(job, exporters_);
    const std::lock_guard lock(signal_.mutex);
    job.finished = true;
    signal_.NotifyLocked();
  });
}

int WorkbookPipeline::RunningLocked() const {
  int running = 0;
  for (std::size_t i = head_; i < jobs_.size(); ++i) {
    running += jobs_[i]->finished ? 0 : 1;
  }
  return running;
}

// Whether an unfinished workbook writes the whole-workbook file `base`: the later one waits, so
// that the file ends up as a serial run leaves it.
bool WorkbookPipeline::WritesFileBase(const std::string& base) {
  const std::lock_guard lock(signal_.mutex);
  for (std::size_t i = head_; i < jobs_.size(); ++i) {
    if (!jobs_[i]->finished && jobs_[i]->state.WorkbookOutputPath() == base) {
      return true;
    }
  }
  return false;
}

// The counter the next workbook starts from, when every workbook before it has finished from the
// right number; nothing when that is not known yet.
std::optional<std::int32_t> WorkbookPipeline::ExactStartLocked() const {
  std::int32_t counter = known_counter_;
  for (std::size_t i = head_; i < jobs_.size() - 1; ++i) {
    const WorkbookJob& job = *jobs_[i];
    if (!job.exports) {
      continue;
    }
    if (!job.finished || job.start_counter != counter) {
      return std::nullopt;
    }
    counter = job.state.SequenceCounter();
  }
  return counter;
}

// The workbook now first in line started from a guessed counter: when the guess was wrong, stop
// it, drop what it showed after its preparation and empty its folder, then convert it again.
void WorkbookPipeline::RestartIfGuessedWrong(WorkbookJob& job) {
  if (!job.exports || job.start_counter == known_counter_) {
    return;
  }
  job.controls.Abort();
  {
    std::unique_lock lock(signal_.mutex);
    signal_.changed.wait(lock, [&] { return job.finished; });
    job.controls.DropAfterLocked(job.prepared_feedback);
    job.finished = false;
  }
  if (RouteFor(values_.FormatIndex(), values_.EntireWorkbook()).creates_folder) {
    EmptyFolder(job.state.WorkbookOutputPath());
  }
  job.controls.ClearAbort();
  job.start_counter = known_counter_;
  Submit(job);
}

void WorkbookPipeline::Release(WorkbookJob& job, RunSummary& summary) {
  if (job.error) {
    dispatching_ = false;
    std::rethrow_exception(job.error);
  }
  if (job.exports) {
    known_counter_ = job.state.SequenceCounter();
  }
  summary.files += job.state.Tally().files;
  if (job.result == ExportResult::kDone) {
    ++summary.converted;
  } else if (job.result == ExportResult::kCancelled) {
    summary.cancelled = true;
    dispatching_ = false;
  } else {
    summary.failures.push_back({values_.WorkbookRowText(job.row), job.cause});
    run_.controls.ShowMessage("Convert " + job.name + " file failed!", MessageIcon::kError);
  }
}

}  // namespace quorvex::engine
