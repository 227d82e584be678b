// Reads a compound-file stream sector by sector, joining runs of adjacent sectors into one read.
#include "sheet/container/CompoundStreamReader.h"

#include <algorithm>

#include "sheet/container/CompoundFile.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

constexpr std::uint32_t kMiniSectorShift = 6;

}  // namespace

CompoundStreamReader::CompoundStreamReader(const CompoundFile& file, std::string name,
                                           std::vector<std::uint32_t> sectors, std::uint64_t size, bool mini)
    : file_(file), name_(std::move(name)), sectors_(std::move(sectors)), size_(size), mini_(mini) {}

std::size_t CompoundStreamReader::Read(char* buffer, std::size_t size) {
  size = static_cast<std::size_t>(std::min<std::uint64_t>(size, size_ - position_));
  if (size == 0) return 0;
  const std::size_t got = mini_ ? ReadMini(buffer, size) : ReadRegular(buffer, size);
  position_ += got;
  return got;
}

void CompoundStreamReader::Seek(std::uint64_t offset) {
  if (offset > size_) {
    throw SheetError(SheetErrorCode::kCorrupt, "a position past the end of the stream was requested",
                     file_.path() + ": " + name_, offset);
  }
  position_ = offset;
}

std::size_t CompoundStreamReader::ReadRegular(char* buffer, std::size_t size) {
  const std::uint32_t shift = file_.sector_shift_;
  const std::uint64_t sector_size = file_.sector_size_;
  std::size_t index = static_cast<std::size_t>(position_ >> shift);
  const std::uint64_t within = position_ & (sector_size - 1);
  // Extend over sectors that follow each other in the file.
  std::uint64_t run = sector_size - within;
  while (run < size && index + 1 < sectors_.size() && sectors_[index + 1] == sectors_[index] + 1) {
    ++index;
    run += sector_size;
  }
  const std::size_t first = static_cast<std::size_t>(position_ >> shift);
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(run, size));
  const std::uint64_t offset = (static_cast<std::uint64_t>(sectors_[first]) + 1) * sector_size + within;
  const std::size_t got = file_.source_->ReadAt(offset, buffer, want);
  if (got != want) {
    throw SheetError(SheetErrorCode::kCorrupt, "the stream '" + name_ + "' is truncated",
                     file_.path() + ": " + name_, position_ + got);
  }
  return got;
}

std::size_t CompoundStreamReader::ReadMini(char* buffer, std::size_t size) {
  const std::uint64_t mini_size = std::uint64_t{1} << kMiniSectorShift;
  const std::size_t index = static_cast<std::size_t>(position_ >> kMiniSectorShift);
  const std::uint64_t within = position_ & (mini_size - 1);
  const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(mini_size - within, size));
  // Where the mini sector lies in the mini stream, then where that lies in the file.
  const std::uint64_t in_mini_stream =
      (static_cast<std::uint64_t>(sectors_[index]) << kMiniSectorShift) + within;
  const std::size_t container = static_cast<std::size_t>(in_mini_stream >> file_.sector_shift_);
  if (container >= file_.mini_stream_sectors_.size() || in_mini_stream + want > file_.mini_stream_size_) {
    throw SheetError(SheetErrorCode::kCorrupt, "the stream '" + name_ + "' lies outside the mini stream",
                     file_.path() + ": " + name_, position_);
  }
  const std::uint64_t offset =
      (static_cast<std::uint64_t>(file_.mini_stream_sectors_[container]) + 1) * file_.sector_size_ +
      (in_mini_stream & (file_.sector_size_ - 1));
  const std::size_t got = file_.source_->ReadAt(offset, buffer, want);
  if (got != want) {
    throw SheetError(SheetErrorCode::kCorrupt, "the stream '" + name_ + "' is truncated",
                     file_.path() + ": " + name_, position_ + got);
  }
  return got;
}

}  // namespace quorvex::sheet::container
