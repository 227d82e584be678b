// A window over a byte source that keeps the unread bytes when it reads more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "sheet/container/ByteSource.h"

namespace quorvex::sheet::container {

/// Record readers ask for "at least n bytes" and then consume them; the window moves the
/// unread bytes to its front before each refill, so a record never straddles two reads.
class RefillBuffer {
 public:
  RefillBuffer(ByteSource& source, std::size_t capacity, std::uint64_t start_offset = 0)
      : source_(source), buffer_(capacity, '\0'), buffer_offset_(start_offset) {}

  /// Makes at least `count` unread bytes available (count <= capacity); false when the source
  /// ends first, in which case whatever it had is still available.
  bool Fill(std::size_t count) {
    if (end_ - position_ >= count) return true;
    std::memmove(buffer_.data(), buffer_.data() + position_, end_ - position_);
    buffer_offset_ += position_;
    end_ -= position_;
    position_ = 0;
    while (end_ < count) {
      const std::size_t got = source_.Read(buffer_.data() + end_, buffer_.size() - end_);
      if (got == 0) return false;
      end_ += got;
    }
    return true;
  }

  const char* data() const { return buffer_.data() + position_; }
  std::size_t available() const { return end_ - position_; }
  std::size_t capacity() const { return buffer_.size(); }
  void Consume(std::size_t count) { position_ += count; }
  /// The source offset of data().
  std::uint64_t offset() const { return buffer_offset_ + position_; }

  /// Takes every unread byte and then reads straight from the source, for data larger than
  /// the window; `offset()` keeps counting.
  std::string TakeAll() {
    std::string taken(data(), available());
    Consume(available());
    return taken;
  }
  std::size_t ReadDirect(char* out, std::size_t size) {
    const std::size_t got = source_.Read(out, size);
    buffer_offset_ += got;
    return got;
  }

 private:
  ByteSource& source_;
  std::string buffer_;
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  std::uint64_t buffer_offset_;  // source offset of buffer_[0]
};

}  // namespace quorvex::sheet::container
