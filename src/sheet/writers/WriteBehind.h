// Writing handed to a thread of its own, a few blocks behind the code that produces the bytes.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quorvex::sheet {

/// Calls `write` on a thread of its own for copies of the blocks given to Push, in order, at
/// most `max_blocks` behind, so that writing a large file overlaps with making it. `write`
/// returns 0 or the system's error number; after an error nothing more is written and the
/// number is returned by the next Push or Wait.
class WriteBehind {
 public:
  static constexpr std::size_t kDefaultMaxBlocks = 4;

  /// Throws std::system_error when no thread can be started.
  explicit WriteBehind(std::function<int(std::string_view)> write,
                       std::size_t max_blocks = kDefaultMaxBlocks);
  ~WriteBehind();  // drops what is not written yet and joins the thread
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  /// Queues a copy of `bytes`, waiting while `max_blocks` are queued. Returns the error number of
  /// a failed write so far, else 0.
  int Push(std::string_view bytes);
  /// Waits until every block pushed is written (or dropped after an error); returns as Push.
  int Wait();
  /// Drops the blocks not yet written and waits for the one being written; returns as Push.
  int Discard();

 private:
  void Run();

  std::function<int(std::string_view)> write_;
  const std::size_t max_blocks_;
  std::mutex mutex_;  // guards everything below
  std::condition_variable queued_;
  std::condition_variable written_;
  std::deque<std::string> queue_;
  std::vector<std::string> spare_;
  bool writing_ = false;  // the thread holds a block it took from the queue
  bool stopping_ = false;
  int error_ = 0;
  std::thread thread_;  // last: started once everything it uses exists
};

}  // namespace quorvex::sheet
