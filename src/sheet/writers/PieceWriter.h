// Short pieces of text gathered on the stack and appended to a string together.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "sheet/writers/NumberG17.h"

namespace quorvex::sheet {

/// Gathers many short parts of markup (tags, numbers, short texts) in a fixed buffer and
/// appends them to `out` in one go when full or flushed: a string append per part would cost
/// more than the parts. Flush before appending to `out` directly, and at the end.
class PieceWriter {
 public:
  static constexpr std::size_t kCapacity = 4096;

  explicit PieceWriter(std::string& out) : out_(out) {}
  PieceWriter(const PieceWriter&) = delete;
  PieceWriter& operator=(const PieceWriter&) = delete;

  PieceWriter& Put(std::string_view text) {
    if (text.size() > kCapacity - size_) return PutAfterFlush(text);
    std::memcpy(text_ + size_, text.data(), text.size());
    size_ += text.size();
    return *this;
  }
  /// `value` in decimal.
  PieceWriter& PutDecimal(std::uint64_t value) {
    Reserve(kDecimalSize);
    size_ = static_cast<std::size_t>(std::to_chars(text_ + size_, text_ + kCapacity, value).ptr - text_);
    return *this;
  }
  /// `value` in decimal with at least `width` (at most 20) digits, zeros in front.
  PieceWriter& PutDigits(std::uint64_t value, int width) {
    char digits[kDecimalSize];
    char* const end = digits + kDecimalSize;
    char* first = end;
    do {
      *--first = static_cast<char>('0' + value % 10);
      value /= 10;
    } while (first != digits && (value != 0 || end - first < width));
    return Put({first, static_cast<std::size_t>(end - first)});
  }
  /// `value` as printf's "%.17g" writes it.
  PieceWriter& PutNumberG17(double value) {
    Reserve(kNumberG17Size);
    size_ = static_cast<std::size_t>(WriteNumberG17(text_ + size_, value) - text_);
    return *this;
  }
  /// Appends what is gathered to the string.
  void Flush();

 private:
  static constexpr std::size_t kDecimalSize = 20;  // the digits of the largest 64-bit number

  PieceWriter& PutAfterFlush(std::string_view text);
  void Reserve(std::size_t bytes) {
    if (bytes > kCapacity - size_) Flush();
  }

  std::string& out_;
  char text_[kCapacity];
  std::size_t size_ = 0;
};

}  // namespace quorvex::sheet
