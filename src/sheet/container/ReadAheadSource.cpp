// A byte source read ahead on a thread of its own, through a few fixed-size buffers.
#include "sheet/container/ReadAheadSource.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace quorvex::sheet::container {

ReadAheadSource::ReadAheadSource(std::unique_ptr<ByteSource> source, std::size_t buffer_size,
                                 std::size_t buffer_count)
    : source_(std::move(source)), buffer_size_(std::max<std::size_t>(buffer_size, 1)) {
  slots_.resize(std::max<std::size_t>(buffer_count, 1));
  for (Slot& slot : slots_) slot.data = std::make_unique_for_overwrite<char[]>(buffer_size_);
  try {
    producer_ = std::thread(&ReadAheadSource::Produce, this);
  } catch (const std::system_error&) {
    // No thread to be had: Read then reads the source itself.
  }
}

ReadAheadSource::~ReadAheadSource() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  slot_freed_.notify_one();
  if (producer_.joinable()) producer_.join();
}

void ReadAheadSource::Produce() {
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      slot_freed_.wait(lock, [this] { return stopping_ || filled_ < slots_.size(); });
      if (stopping_) return;
    }
    // slots_[write_] is neither full nor held by the reader, so it is the producer's alone.
    Slot& slot = slots_[write_];
    slot.size = 0;
    std::exception_ptr error;
    try {
      FillSlot(slot);
    } catch (...) {
      error = std::current_exception();
    }
    const bool last = error != nullptr || slot.size < buffer_size_;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      // The bytes read before an error still go out, the error after them.
      if (slot.size > 0) {
        write_ = (write_ + 1) % slots_.size();
        ++filled_;
      }
      error_ = error;
      source_done_ = last;
    }
    slot_filled_.notify_one();
    if (last) return;
  }
}

void ReadAheadSource::FillSlot(Slot& slot) {
  while (slot.size < buffer_size_) {
    const std::size_t got = source_->Read(slot.data.get() + slot.size, buffer_size_ - slot.size);
    if (got == 0) break;
    slot.size += got;
  }
}

bool ReadAheadSource::TakeNextSlot() {
  std::unique_lock<std::mutex> lock(mutex_);
  slot_filled_.wait(lock, [this] { return filled_ > 0 || source_done_; });
  if (filled_ > 0) {
    reading_slot_ = true;
    slot_position_ = 0;
    return true;
  }
  if (error_ != nullptr) std::rethrow_exception(error_);
  return false;
}

void ReadAheadSource::ReleaseSlot() {
  read_ = (read_ + 1) % slots_.size();
  reading_slot_ = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    --filled_;
  }
  slot_freed_.notify_one();
}

std::size_t ReadAheadSource::Read(char* buffer, std::size_t size) {
  if (size == 0) return 0;
  if (!producer_.joinable()) return source_->Read(buffer, size);
  if (!reading_slot_ && !TakeNextSlot()) return 0;
  // Only the producer writes slot sizes, and never that of a slot the reader holds.
  const Slot& slot = slots_[read_];
  const std::size_t count = std::min(size, slot.size - slot_position_);
  std::memcpy(buffer, slot.data.get() + slot_position_, count);
  slot_position_ += count;
  if (slot_position_ == slot.size) ReleaseSlot();
  return count;
}

}  // namespace quorvex::sheet::container
