// Tests for ReadAheadSource: the same bytes in order, errors after the bytes before them, a
// bounded read-ahead, and a reader dropped early.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <string>

#include "sheet/container/ReadAheadSource.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

/// Gives `data` in pieces of uneven sizes, then fails after `fail_at` bytes or ends; endless
/// when `delivered` is given (the data over and over), counting there what it gave.
class PieceSource : public ByteSource {
 public:
  explicit PieceSource(std::string data, std::size_t fail_at = std::string::npos,
                       std::atomic<std::size_t>* delivered = nullptr)
      : data_(std::move(data)), fail_at_(fail_at), endless_(delivered != nullptr), counter_(delivered) {}

  std::size_t Read(char* buffer, std::size_t size) override {
    static constexpr std::size_t kPieces[] = {1, 7, 1000, 65536, 3};
    if (delivered_ >= fail_at_) throw SheetError(SheetErrorCode::kCorrupt, "the data is damaged", "part");
    const std::size_t position = endless_ ? delivered_ % data_.size() : delivered_;
    std::size_t count = std::min({size, kPieces[calls_++ % std::size(kPieces)], data_.size() - position});
    if (fail_at_ != std::string::npos) count = std::min(count, fail_at_ - delivered_);
    std::memcpy(buffer, data_.data() + position, count);
    delivered_ += count;
    if (counter_ != nullptr) *counter_ = delivered_;
    return count;
  }

 private:
  std::string data_;
  std::size_t fail_at_;
  bool endless_;
  std::atomic<std::size_t>* counter_;
  std::size_t calls_ = 0;
  std::size_t delivered_ = 0;
};

std::string Pattern(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>(i * 131 + i / 251);
  return data;
}

std::string ReadAll(ByteSource& source, std::size_t chunk) {
  std::string out;
  std::string buffer(chunk, '\0');
  while (const std::size_t n = source.Read(buffer.data(), buffer.size())) out.append(buffer, 0, n);
  return out;
}

TEST(ReadAheadSource, GivesTheSourceBytesInOrderWhateverTheBufferAndReadSizes) {
  struct Case {
    std::size_t data_size, buffer_size, buffer_count, read_size;
  };
  const Case cases[] = {
      {0, 64, 2, 10},               // empty
      {1, 64, 2, 10},               // one byte
      {64, 64, 2, 64},              // exactly one full buffer
      {1000000, 4096, 1, 777},      // a single slot
      {1000000, 4096, 4, 1 << 20},  // reads larger than the slots
      {20000, 1, 3, 5},             // one-byte slots
      {300000, 65536, 4, 65536},    // reads as large as the slots
  };
  for (const Case& c : cases) {
    const std::string data = Pattern(c.data_size);
    ReadAheadSource source(std::make_unique<PieceSource>(data), c.buffer_size, c.buffer_count);
    EXPECT_EQ(ReadAll(source, c.read_size), data) << c.data_size << " bytes through " << c.buffer_count
                                                  << " x " << c.buffer_size << " read by " << c.read_size;
    std::string buffer(10, '\0');
    EXPECT_EQ(source.Read(buffer.data(), buffer.size()), 0u) << "the end stays the end";
  }
}

TEST(ReadAheadSource, AnErrorComesAfterEveryByteReadBeforeItAndStays) {
  for (const std::size_t fail_at : {0, 5000, 8192, 300001}) {
    const std::string data = Pattern(400000);
    ReadAheadSource source(std::make_unique<PieceSource>(data, fail_at), 8192, 3);
    std::string out;
    std::string buffer(1000, '\0');
    try {
      while (const std::size_t n = source.Read(buffer.data(), buffer.size())) out.append(buffer, 0, n);
      ADD_FAILURE() << "no error after " << fail_at << " bytes";
    } catch (const SheetError& error) {
      EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
    }
    EXPECT_EQ(out, data.substr(0, fail_at));
    EXPECT_THROW(source.Read(buffer.data(), buffer.size()), SheetError) << "and again on the next read";
  }
}

TEST(ReadAheadSource, ReadsAtMostItsBuffersAheadAndStopsWhenDroppedEarly) {
  constexpr std::size_t kBufferSize = 4096;
  constexpr std::size_t kBufferCount = 3;
  for (const std::size_t taken : {std::size_t{0}, std::size_t{10}, std::size_t{50000}}) {
    std::atomic<std::size_t> delivered = 0;
    {
      ReadAheadSource source(std::make_unique<PieceSource>(Pattern(10000), std::string::npos, &delivered),
                             kBufferSize, kBufferCount);
      std::string buffer(taken, '\0');
      for (std::size_t got = 0; got < taken;) got += source.Read(buffer.data() + got, taken - got);
    }  // joins the producer: an endless source must not keep it going
    // The slots the reader emptied, then at most every slot full (the one it holds among them).
    EXPECT_LE(delivered.load(), taken + kBufferCount * kBufferSize) << "after taking " << taken;
  }
}

}  // namespace
}  // namespace quorvex::sheet::container
