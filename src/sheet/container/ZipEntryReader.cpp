// Streams one zip entry: stored or raw deflate, with size, ratio and CRC-32 checks.
#include "sheet/container/ZipEntryReader.h"

#include <algorithm>

#include "sheet/container/Crc32.h"
#include "sheet/container/LittleEndian.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;  // APPNOTE.TXT 4.3.7
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::uint32_t kDataDescriptorSignature = 0x08074b50;  // APPNOTE.TXT 4.3.9

}  // namespace

ZipEntryReader::ZipEntryReader(const RandomAccessSource& source, const ZipEntry& entry,
                               const ZipLimits& limits, Inflater inflater)
    : source_(source), entry_(entry), limits_(limits) {
  char header[kLocalHeaderSize];
  const std::uint64_t at = entry_.local_header_offset;
  if (source_.ReadAt(at, header, sizeof header) != sizeof header) {
    Fail(SheetErrorCode::kCorrupt, "the part '" + entry_.name + "' is truncated", at);
  }
  if (ReadU32(header) != kLocalHeaderSignature) {
    Fail(SheetErrorCode::kCorrupt, "the zip header of the part '" + entry_.name + "' is damaged", at);
  }
  if (entry_.encrypted() || (ReadU16(header + 6) & ZipEntry::kFlagEncrypted) != 0) {
    throw SheetError(SheetErrorCode::kPasswordProtected, "the workbook is password-protected", entry_.name);
  }
  if (entry_.method != ZipEntry::kMethodStored && entry_.method != ZipEntry::kMethodDeflate) {
    Fail(SheetErrorCode::kUnsupported,
         "the part '" + entry_.name + "' uses zip compression method " + std::to_string(entry_.method) +
             ", which is not supported",
         at);
  }
  data_offset_ = at + kLocalHeaderSize + ReadU16(header + 26) + ReadU16(header + 28);
  const std::uint64_t file_size = source_.size();
  if (data_offset_ > file_size) {
    Fail(SheetErrorCode::kCorrupt, "the part '" + entry_.name + "' is truncated", data_offset_);
  }
  // The directory's sizes are often wrong in harmless ways (data descriptors, writers that fill
  // them in badly). A deflate stream marks its own end, so it may use every byte up to the end of
  // the file; stored data is as long as its compressed size says, within the file.
  if (entry_.method == ZipEntry::kMethodStored) {
    const std::uint64_t available = file_size - data_offset_;
    input_limit_ = entry_.compressed_size <= available ? entry_.compressed_size : entry_.uncompressed_size;
    if (input_limit_ > available) {
      Fail(SheetErrorCode::kCorrupt, "the part '" + entry_.name + "' is truncated", data_offset_);
    }
  } else {
    input_limit_ = file_size - data_offset_;
    stream_ = DeflateStream::Make(inflater);
    input_.reset(new char[kInputChunk]);
  }
}

ZipEntryReader::~ZipEntryReader() = default;

void ZipEntryReader::Fail(SheetErrorCode code, const std::string& sentence, std::uint64_t offset) const {
  throw SheetError(code, sentence, entry_.name, offset);
}

std::size_t ZipEntryReader::Read(char* buffer, std::size_t size) {
  if (finished_ || size == 0) return 0;
  const std::size_t n =
      entry_.method == ZipEntry::kMethodStored ? ReadStored(buffer, size) : ReadDeflated(buffer, size);
  if (n == 0) Finish();
  return n;
}

std::size_t ZipEntryReader::ReadStored(char* buffer, std::size_t size) {
  const std::uint64_t remaining = input_limit_ - compressed_read_;
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, remaining));
  if (want == 0) return 0;
  const std::size_t got = source_.ReadAt(data_offset_ + compressed_read_, buffer, want);
  if (got != want) {
    Fail(SheetErrorCode::kCorrupt, "the part '" + entry_.name + "' is truncated", total_out_ + got);
  }
  compressed_read_ += got;
  total_out_ += got;
  CheckGrowth(compressed_read_);
  crc_ = Crc32(crc_, buffer, got);
  return got;
}

void ZipEntryReader::FillInput() {
  const std::size_t want =
      static_cast<std::size_t>(std::min<std::uint64_t>(kInputChunk, input_limit_ - compressed_read_));
  const std::size_t got = source_.ReadAt(data_offset_ + compressed_read_, input_.get(), want);
  if (got != want) {
    Fail(SheetErrorCode::kCorrupt, "the part '" + entry_.name + "' is truncated", compressed_read_ + got);
  }
  compressed_read_ += got;
  stream_->SetInput(input_.get(), got);
}

std::size_t ZipEntryReader::ReadDeflated(char* buffer, std::size_t size) {
  std::size_t produced = 0;
  while (produced < size && !stream_end_) {
    if (stream_->input_left() == 0) {
      if (compressed_read_ == input_limit_) {
        Fail(SheetErrorCode::kCorrupt, "the part '" + entry_.name + "' is truncated: its data ends early",
             compressed_read_);
      }
      FillInput();
    }
    const std::size_t input_before = stream_->input_left();
    const DeflateStream::Result result = stream_->Inflate(buffer + produced, size - produced);
    produced += result.produced;
    if (result.status == DeflateStream::Status::kEnd) {
      stream_end_ = true;
    } else if (result.status == DeflateStream::Status::kError) {
      FailDamaged(stream_->error());
    } else if (result.produced == 0 && stream_->input_left() == input_before) {
      FailDamaged("no progress");  // an inflater that neither reads nor writes would spin forever
    }
  }
  total_out_ += produced;
  CheckGrowth(compressed_read_ - stream_->input_left());
  crc_ = Crc32(crc_, buffer, produced);
  return produced;
}

void ZipEntryReader::FailDamaged(const std::string& reason) const {
  const std::uint64_t consumed = compressed_read_ - stream_->input_left();
  if (consumed > entry_.compressed_size) {
    // Past the data the directory accounts for: the entry was cut short, not garbled.
    Fail(SheetErrorCode::kCorrupt, "the part '" + entry_.name + "' is truncated: its data ends early",
         entry_.compressed_size);
  }
  Fail(SheetErrorCode::kCorrupt,
       "the compressed data of the part '" + entry_.name + "' is damaged (" + reason + ")", consumed);
}

void ZipEntryReader::CheckGrowth(std::uint64_t consumed) {
  // What inflates is what counts, never the declared size: the cap stops huge parts, the ratio
  // (past a grace size) stops bombs.
  const bool over_ratio = total_out_ > limits_.ratio_grace && total_out_ / limits_.max_ratio > consumed;
  if (total_out_ > limits_.max_entry_size || over_ratio) {
    Fail(SheetErrorCode::kTooLarge, "the part '" + entry_.name + "' expands beyond safe limits", consumed);
  }
}

bool ZipEntryReader::DescriptorCrcMatches() {
  // A data descriptor follows the data: an optional signature, then CRC-32 and the sizes. When
  // the directory's CRC is wrong but the descriptor's is right, the data is intact.
  if (entry_.method == ZipEntry::kMethodStored) return false;
  const std::uint64_t end = data_offset_ + compressed_read_ - stream_->input_left();
  char descriptor[8];
  if (source_.ReadAt(end, descriptor, sizeof descriptor) != sizeof descriptor) return false;
  const char* crc = ReadU32(descriptor) == kDataDescriptorSignature ? descriptor + 4 : descriptor;
  return ReadU32(crc) == crc_;
}

void ZipEntryReader::Finish() {
  finished_ = true;
  if (crc_ != entry_.crc32 && !DescriptorCrcMatches()) {
    Fail(SheetErrorCode::kCorrupt, "the part '" + entry_.name + "' is damaged: its CRC-32 check fails",
         total_out_);
  }
}

}  // namespace quorvex::sheet::container
