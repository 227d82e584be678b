// A sink that passes a sheet's events to another sink on a thread of its own.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "sheet/model/WorkbookReader.h"
#include "sheet/stream/SheetEventBatch.h"

namespace quorvex::sheet {

/// Lets a reader parse a sheet while the sink it feeds formats and writes what came before:
/// events are gathered into batches of about `batch_bytes` and handed to `target` on a
/// consumer thread, at most `batch_count` batches ahead, so memory stays bounded. The target
/// sees every event in order, each once, and nothing after it answers kStop; the reader learns
/// of that kStop a few batches late and then gets kStop for every cell.
///
/// Finish waits until the target has seen everything and rethrows what the target threw (the
/// reader gets kStop from then on too). Destroying the sink without Finish, as when the reader
/// throws, still lets the target see every event handed over, then drops its error: the
/// reader's own error is the one to report.
class HandOffSink : public SheetSink {
 public:
  static constexpr std::size_t kDefaultBatchBytes = std::size_t{256} << 10;
  static constexpr std::size_t kDefaultBatchCount = 4;

  /// Starts the consumer thread; when the system refuses a thread, calls `target` inline.
  explicit HandOffSink(SheetSink& target, std::size_t batch_bytes = kDefaultBatchBytes,
                       std::size_t batch_count = kDefaultBatchCount);
  ~HandOffSink() override;
  HandOffSink(const HandOffSink&) = delete;
  HandOffSink& operator=(const HandOffSink&) = delete;

  void OnDimension(const CellRange& declared) override;
  void OnSheetDefaults(const SheetDefaults& defaults) override;
  void OnColumnInfo(const ColumnInfo& columns) override;
  void OnRowInfo(const RowInfo& row) override;
  SinkControl OnCell(const Cell& cell) override;
  void OnMergedRange(const CellRange& range) override;
  void OnComment(std::uint32_t row, std::uint32_t column) override;

  /// Returns once the target has seen every event; rethrows what the target threw.
  void Finish();

 private:
  void Consume();
  void HandOver();
  void Close();
  SinkControl Added();

  SheetSink& target_;
  const std::size_t batch_bytes_;
  const std::size_t batch_count_;
  SheetEventBatch filling_;  // the reader's own: events not yet handed over

  std::mutex mutex_;  // guards the queue, the spare batches and the flags below
  std::condition_variable handed_;
  std::condition_variable taken_;
  std::deque<SheetEventBatch> queue_;
  std::vector<SheetEventBatch> spare_;
  bool closed_ = false;
  std::exception_ptr error_;
  std::atomic<bool> stopped_{false};  // the target answered kStop or threw

  std::thread consumer_;  // last: started once everything it uses exists
};

}  // namespace quorvex::sheet
