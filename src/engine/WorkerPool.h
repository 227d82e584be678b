// A fixed set of threads running submitted tasks one after another.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace quorvex::engine {

/// `threads` worker threads taking tasks in submission order. Destroying the pool drops the tasks
/// not yet started and waits for the running ones, so a task may only use what outlives the pool.
/// Tasks must not throw.
class WorkerPool {
 public:
  explicit WorkerPool(int threads);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  /// Queues `task` for the next free thread.
  void Submit(std::function<void()> task);

 private:
  void Work();
  void Stop();

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> tasks_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace quorvex::engine
