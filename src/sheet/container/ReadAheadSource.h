// A byte source read ahead on a thread of its own, through a few fixed-size buffers.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "sheet/container/ByteSource.h"

namespace quorvex::sheet::container {

/// Reads `source` on a producer thread while the caller works on what came before: inflating a
/// large zip entry overlaps with parsing it. The producer fills `buffer_count` buffers of
/// `buffer_size` bytes in turn and waits while all are full, so memory stays bounded; bytes come
/// out in order, unchanged. An exception the source throws reaches Read after the bytes read
/// before it. Destroying the reader early stops the producer and joins it: no thread outlives it.
class ReadAheadSource : public ByteSource {
 public:
  static constexpr std::size_t kDefaultBufferSize = std::size_t{256} << 10;
  static constexpr std::size_t kDefaultBufferCount = 4;

  /// Starts the producer thread; when the system refuses a thread, reads inline instead.
  explicit ReadAheadSource(std::unique_ptr<ByteSource> source, std::size_t buffer_size = kDefaultBufferSize,
                           std::size_t buffer_count = kDefaultBufferCount);
  ~ReadAheadSource() override;
  ReadAheadSource(const ReadAheadSource&) = delete;
  ReadAheadSource& operator=(const ReadAheadSource&) = delete;

  /// Bytes of the source in order; 0 at its end. Rethrows what the source threw, once the bytes
  /// read before it are taken (and again on every later call).
  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  struct Slot {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
  };

  void Produce();
  void FillSlot(Slot& slot);
  bool TakeNextSlot();
  void ReleaseSlot();

  std::unique_ptr<ByteSource> source_;
  const std::size_t buffer_size_;
  std::vector<Slot> slots_;  // a ring: the producer fills at write_, the reader takes at read_

  std::mutex mutex_;  // guards everything below but the reader's own position
  std::condition_variable slot_filled_;
  std::condition_variable slot_freed_;
  std::size_t write_ = 0;
  std::size_t filled_ = 0;  // slots written and not yet released by the reader
  bool source_done_ = false;
  bool stopping_ = false;
  std::exception_ptr error_;

  // The reader's own: which slot it takes next, whether it holds it, and its next unread byte.
  std::size_t read_ = 0;
  bool reading_slot_ = false;
  std::size_t slot_position_ = 0;

  std::thread producer_;  // last: started once everything it uses exists
};

}  // namespace quorvex::sheet::container
