// Writing handed to a thread of its own, a few blocks behind the code that produces the bytes.
#include "sheet/writers/WriteBehind.h"

#include <algorithm>
#include <utility>

namespace quorvex::sheet {

WriteBehind::WriteBehind(std::function<int(std::string_view)> write, std::size_t max_blocks)
    : write_(std::move(write)), max_blocks_(std::max<std::size_t>(max_blocks, 1)) {
  thread_ = std::thread(&WriteBehind::Run, this);
}

WriteBehind::~WriteBehind() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  queued_.notify_one();
  thread_.join();
}

int WriteBehind::Push(std::string_view bytes) {
  std::string block;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    written_.wait(lock, [this] { return queue_.size() < max_blocks_ || error_ != 0; });
    if (error_ != 0) return error_;
    if (!spare_.empty()) {
      block = std::move(spare_.back());
      spare_.pop_back();
    }
  }
  // The copy is made outside the lock, so the thread can write meanwhile.
  block.assign(bytes);
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(std::move(block));
  }
  queued_.notify_one();
  return 0;
}

int WriteBehind::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  written_.wait(lock, [this] { return (queue_.empty() && !writing_) || error_ != 0; });
  return error_;
}

int WriteBehind::Discard() {
  std::unique_lock<std::mutex> lock(mutex_);
  queue_.clear();
  written_.wait(lock, [this] { return !writing_; });
  return error_;
}

void WriteBehind::Run() {
  std::string block;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      if (spare_.size() < max_blocks_ && block.capacity() > 0) spare_.push_back(std::move(block));
      writing_ = false;
      written_.notify_all();
      queued_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      block = std::move(queue_.front());
      queue_.pop_front();
      writing_ = true;
    }
    const int error = write_(block);
    block.clear();
    if (error != 0) {
      const std::lock_guard<std::mutex> lock(mutex_);
      error_ = error;
      queue_.clear();
    }
  }
}

}  // namespace quorvex::sheet
