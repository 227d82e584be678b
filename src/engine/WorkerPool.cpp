// A fixed set of threads running submitted tasks one after another.
#include "engine/WorkerPool.h"

#include <utility>

namespace quorvex::engine {

WorkerPool::WorkerPool(int threads) {
  threads_.reserve(static_cast<std::size_t>(threads));
  try {
    for (int i = 0; i < threads; ++i) {
      threads_.emplace_back([this] { Work(); });
    }
  } catch (...) {
    // No destructor runs for a pool that failed to start: stop the threads already running.
    Stop();
    throw;
  }
}

WorkerPool::~WorkerPool() {
  Stop();
}

void WorkerPool::Stop() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    tasks_.clear();
  }
  ready_.notify_all();
  for (std::thread& thread : threads_) {
    thread.join();
  }
}

void WorkerPool::Submit(std::function<void()> task) {
  {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  ready_.notify_one();
}

void WorkerPool::Work() {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      ready_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
      if (stopping_) {
        return;
      }
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

}  // namespace quorvex::engine
