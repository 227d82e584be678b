// A sink that passes a sheet's events to another sink on a thread of its own.
#include "sheet/stream/HandOffSink.h"

#include <algorithm>
#include <system_error>
#include <utility>

namespace quorvex::sheet {

HandOffSink::HandOffSink(SheetSink& target, std::size_t batch_bytes, std::size_t batch_count)
    : target_(target),
      batch_bytes_(std::max<std::size_t>(batch_bytes, 1)),
      batch_count_(std::max<std::size_t>(batch_count, 1)) {
  try {
    consumer_ = std::thread(&HandOffSink::Consume, this);
  } catch (const std::system_error&) {
    // No thread to be had: every event goes to the target at once (see Added).
  }
}

HandOffSink::~HandOffSink() {
  if (!consumer_.joinable()) return;
  HandOver();
  Close();
  consumer_.join();
}

void HandOffSink::OnDimension(const CellRange& declared) {
  filling_.AddDimension(declared);
  Added();
}

void HandOffSink::OnSheetDefaults(const SheetDefaults& defaults) {
  filling_.AddSheetDefaults(defaults);
  Added();
}

void HandOffSink::OnColumnInfo(const ColumnInfo& columns) {
  filling_.AddColumnInfo(columns);
  Added();
}

void HandOffSink::OnRowInfo(const RowInfo& row) {
  filling_.AddRowInfo(row);
  Added();
}

SinkControl HandOffSink::OnCell(const Cell& cell) {
  if (stopped_.load(std::memory_order_relaxed)) return SinkControl::kStop;
  filling_.AddCell(cell);
  return Added();
}

void HandOffSink::OnMergedRange(const CellRange& range) {
  filling_.AddMergedRange(range);
  Added();
}

void HandOffSink::OnComment(std::uint32_t row, std::uint32_t column) {
  filling_.AddComment(row, column);
  Added();
}

void HandOffSink::Finish() {
  if (consumer_.joinable()) {
    HandOver();
    Close();
    consumer_.join();
  }
  if (error_ != nullptr) std::rethrow_exception(error_);
}

SinkControl HandOffSink::Added() {
  if (!consumer_.joinable()) {
    // Inline: the target's answer counts at once.
    const SinkControl control = stopped_ ? SinkControl::kStop : filling_.Replay(target_);
    filling_.Clear();
    if (control == SinkControl::kStop) stopped_ = true;
    return control;
  }
  if (filling_.size() >= batch_bytes_) HandOver();
  return stopped_.load(std::memory_order_relaxed) ? SinkControl::kStop : SinkControl::kContinue;
}

void HandOffSink::HandOver() {
  if (filling_.empty()) return;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    taken_.wait(lock, [this] { return queue_.size() < batch_count_; });
    queue_.push_back(std::move(filling_));
    filling_ = SheetEventBatch();
    if (!spare_.empty()) {
      filling_ = std::move(spare_.back());
      spare_.pop_back();
    }
  }
  handed_.notify_one();
}

void HandOffSink::Close() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  handed_.notify_one();
}

void HandOffSink::Consume() {
  SheetEventBatch batch;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      batch.Clear();  // the one just replayed goes back for the reader to fill again
      if (spare_.size() < batch_count_) spare_.push_back(std::move(batch));
      handed_.wait(lock, [this] { return !queue_.empty() || closed_; });
      if (queue_.empty()) return;
      batch = std::move(queue_.front());
      queue_.pop_front();
    }
    taken_.notify_one();
    if (stopped_.load(std::memory_order_relaxed)) continue;  // the target wants nothing more
    try {
      if (batch.Replay(target_) == SinkControl::kStop) stopped_ = true;
    } catch (...) {
      error_ = std::current_exception();
      stopped_ = true;
    }
  }
}

}  // namespace quorvex::sheet
