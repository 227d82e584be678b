// Transcodes UTF-16 to UTF-8 in chunks, keeping a split code unit or surrogate pair for the next.
#include "sheet/container/Utf16ToUtf8Source.h"

#include <algorithm>
#include <cstring>

#include "sheet/container/Utf16.h"

namespace quorvex::sheet::container {
namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;

}  // namespace

Utf16ToUtf8Source::Utf16ToUtf8Source(ByteSource& source, std::string already_read, bool big_endian)
    : source_(source), big_endian_(big_endian), input_(std::move(already_read)) {}

void Utf16ToUtf8Source::Convert(bool at_end) {
  const auto* b = reinterpret_cast<const unsigned char*>(input_.data());
  const std::size_t units = input_.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t unit = big_endian_ ? (b[2 * i] << 8) | b[2 * i + 1] : b[2 * i] | (b[2 * i + 1] << 8);
    if (pending_high_ != 0) {
      const std::uint32_t high = pending_high_;
      pending_high_ = 0;
      if (unit >= 0xDC00 && unit < 0xE000) {
        AppendCodePoint(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00), output_);
        continue;
      }
      AppendCodePoint(0xFFFD, output_);
    }
    if (unit >= 0xD800 && unit < 0xDC00) {
      pending_high_ = unit;
    } else {
      AppendCodePoint(unit >= 0xDC00 && unit < 0xE000 ? 0xFFFD : unit, output_);
    }
  }
  input_.erase(0, units * 2);
  if (at_end && (pending_high_ != 0 || !input_.empty())) {
    AppendCodePoint(0xFFFD, output_);
    pending_high_ = 0;
    input_.clear();
  }
}

std::size_t Utf16ToUtf8Source::Read(char* buffer, std::size_t size) {
  while (output_.size() - output_position_ < size && !source_done_) {
    const std::size_t kept = input_.size();
    input_.resize(kept + kChunk);
    const std::size_t got = source_.Read(input_.data() + kept, kChunk);
    input_.resize(kept + got);
    source_done_ = got == 0;
    if (output_position_ > 0) {
      output_.erase(0, output_position_);
      output_position_ = 0;
    }
    Convert(source_done_);
  }
  const std::size_t n = std::min(size, output_.size() - output_position_);
  std::memcpy(buffer, output_.data() + output_position_, n);
  output_position_ += n;
  return n;
}

}  // namespace quorvex::sheet::container
