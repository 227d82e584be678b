// Streams one zip entry's content, inflating in chunks, bounded against zip bombs, CRC-checked.
#pragma once

#include <cstdint>
#include <memory>

#include "sheet/container/ByteSource.h"
#include "sheet/container/DeflateStream.h"
#include "sheet/container/RandomAccessSource.h"
#include "sheet/container/ZipEntry.h"
#include "sheet/container/ZipLimits.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {

class ZipEntryReader : public ByteSource {
 public:
  /// Reads the entry's local header; deflated data goes through `inflater`. Throws SheetError
  /// kPasswordProtected, kUnsupported (method) or kCorrupt. `source` must outlive the reader.
  ZipEntryReader(const RandomAccessSource& source, const ZipEntry& entry, const ZipLimits& limits,
                 Inflater inflater);
  ~ZipEntryReader() override;
  ZipEntryReader(const ZipEntryReader&) = delete;
  ZipEntryReader& operator=(const ZipEntryReader&) = delete;

  /// Inflated bytes of the entry, as many as the data holds whatever size the directory states;
  /// fills `buffer` but at the end.
  /// At the end the CRC-32 is checked against the directory or a data descriptor (kCorrupt);
  /// more than the entry cap, or an implausible ratio, gives kTooLarge; cut-short data kCorrupt.
  std::size_t Read(char* buffer, std::size_t size) override;

  const ZipEntry& entry() const { return entry_; }

 private:
  static constexpr std::size_t kInputChunk = std::size_t{256} * 1024;

  std::size_t ReadStored(char* buffer, std::size_t size);
  std::size_t ReadDeflated(char* buffer, std::size_t size);
  void FillInput();
  void CheckGrowth(std::uint64_t consumed);
  bool DescriptorCrcMatches();
  void Finish();
  [[noreturn]] void FailDamaged(const std::string& reason) const;
  [[noreturn]] void Fail(SheetErrorCode code, const std::string& sentence, std::uint64_t offset) const;

  const RandomAccessSource& source_;
  ZipEntry entry_;
  ZipLimits limits_;
  std::uint64_t data_offset_ = 0;      // first byte of the entry's data in the archive
  std::uint64_t input_limit_ = 0;      // bytes of it the reader may use
  std::uint64_t compressed_read_ = 0;  // bytes of it read from the file so far
  std::uint64_t total_out_ = 0;
  std::uint32_t crc_ = 0;
  bool stream_end_ = false;
  bool finished_ = false;
  std::unique_ptr<DeflateStream> stream_;
  std::unique_ptr<char[]> input_;
};

}  // namespace quorvex::sheet::container
