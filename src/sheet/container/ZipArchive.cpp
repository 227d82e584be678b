// A zip archive: central directory (zip64 too), entries by name, entry readers.
#include "sheet/container/ZipArchive.h"

#include <algorithm>
#include <cstring>

#include "sheet/container/LittleEndian.h"
#include "sheet/container/ReadAheadSource.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

// Record signatures and fixed sizes, APPNOTE.TXT sections 4.3.7, 4.3.12, 4.3.14-4.3.16.
constexpr std::uint32_t kEndOfDirectorySignature = 0x06054b50;
constexpr std::uint32_t kZip64EndSignature = 0x06064b50;
constexpr std::uint32_t kZip64LocatorSignature = 0x07064b50;
constexpr std::uint32_t kDirectoryHeaderSignature = 0x02014b50;
constexpr std::size_t kEndOfDirectorySize = 22;
constexpr std::size_t kZip64LocatorSize = 20;
constexpr std::size_t kZip64EndSize = 56;
constexpr std::size_t kDirectoryHeaderSize = 46;
constexpr std::size_t kMaxCommentSize = 0xFFFF;
constexpr std::uint16_t kZip64ExtraId = 0x0001;
// Parts smaller than this on disk inflate in a few milliseconds: a thread would not pay for itself.
constexpr std::uint64_t kReadAheadMinCompressedSize = std::uint64_t{1} << 20;

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c == '\\') c = '/';
  }
  return folded;
}

}  // namespace

ZipArchive::ZipArchive(std::unique_ptr<const RandomAccessSource> source, ZipLimits limits, Inflater inflater)
    : source_(std::move(source)), limits_(limits), inflater_(inflater) {
  ReadDirectory(LocateDirectory());
}

void ZipArchive::Fail(const std::string& sentence, std::uint64_t offset) const {
  throw SheetError(SheetErrorCode::kCorrupt, sentence, path(), offset);
}

ZipArchive::DirectoryLocation ZipArchive::LocateDirectory() {
  const std::uint64_t file_size = source_->size();
  if (file_size < kEndOfDirectorySize) {
    Fail("the file is too short to be a zip package; it is probably truncated", file_size);
  }
  const std::size_t tail_size =
      static_cast<std::size_t>(std::min<std::uint64_t>(file_size, kMaxCommentSize + kEndOfDirectorySize));
  const std::uint64_t tail_offset = file_size - tail_size;
  std::string tail(tail_size, '\0');
  if (source_->ReadAt(tail_offset, tail.data(), tail_size) != tail_size) {
    Fail("the file ended while reading it", tail_offset);
  }

  // The record sits at the end, followed only by its comment; search backwards for the last
  // signature whose comment fits in the file.
  std::size_t found = std::string::npos;
  for (std::size_t i = tail_size - kEndOfDirectorySize + 1; i-- > 0;) {
    if (ReadU32(tail.data() + i) != kEndOfDirectorySignature) continue;
    const std::size_t comment_size = ReadU16(tail.data() + i + 20);
    if (i + kEndOfDirectorySize + comment_size <= tail_size) {
      found = i;
      break;
    }
  }
  if (found == std::string::npos) {
    Fail("the zip directory at the end of the file is missing; the file is probably truncated", file_size);
  }
  const char* record = tail.data() + found;
  const std::uint64_t eocd_offset = tail_offset + found;
  const std::uint16_t disk = ReadU16(record + 4);
  const std::uint16_t directory_disk = ReadU16(record + 6);
  DirectoryLocation location;
  location.count = ReadU16(record + 10);
  location.size = ReadU32(record + 12);
  location.offset = ReadU32(record + 16);
  // The entry counts are only hints: writers overflow them past 65535 entries without zip64.
  if ((disk != 0 && disk != 0xFFFF) || (directory_disk != 0 && directory_disk != 0xFFFF)) {
    throw SheetError(SheetErrorCode::kUnsupported, "zip archives split over several files are not supported",
                     path(), eocd_offset);
  }

  std::uint64_t directory_end = eocd_offset;
  if (eocd_offset >= kZip64LocatorSize) {
    char locator[kZip64LocatorSize];
    const std::uint64_t locator_offset = eocd_offset - kZip64LocatorSize;
    if (source_->ReadAt(locator_offset, locator, sizeof locator) == sizeof locator &&
        ReadU32(locator) == kZip64LocatorSignature) {
      const std::uint64_t zip64_offset = ReadU64(locator + 8);
      if (zip64_offset > locator_offset || locator_offset - zip64_offset < kZip64EndSize) {
        Fail("the zip64 directory locator points outside the file", locator_offset);
      }
      ReadZip64End(zip64_offset, location);
      directory_end = zip64_offset;
    }
  }
  if (location.size > directory_end) Fail("the zip directory lies outside the file", eocd_offset);
  // Data before the archive (a self-extracting stub, a prepended header) shifts every offset the
  // directory records; the directory then sits right before its end record, not where it says.
  const std::uint64_t actual_offset = directory_end - location.size;
  if (location.offset != actual_offset && location.size >= 4 && location.offset < actual_offset &&
      !HasSignatureAt(location.offset, location.size, directory_end) &&
      HasSignatureAt(actual_offset, location.size, directory_end)) {
    prefix_size_ = actual_offset - location.offset;
    location.offset = actual_offset;
  }
  if (location.offset > directory_end || location.size > directory_end - location.offset) {
    Fail("the zip directory lies outside the file", eocd_offset);
  }
  if (location.size > limits_.max_directory_size) {
    throw SheetError(SheetErrorCode::kTooLarge, "the zip directory expands beyond safe limits", path(),
                     location.offset);
  }
  return location;
}

bool ZipArchive::HasSignatureAt(std::uint64_t offset, std::uint64_t size, std::uint64_t end) {
  char signature[4];
  return size >= 4 && offset <= end - 4 && source_->ReadAt(offset, signature, 4) == 4 &&
         ReadU32(signature) == kDirectoryHeaderSignature;
}

void ZipArchive::ReadZip64End(std::uint64_t eocd_offset, DirectoryLocation& location) {
  char record[kZip64EndSize];
  if (source_->ReadAt(eocd_offset, record, sizeof record) != sizeof record ||
      ReadU32(record) != kZip64EndSignature) {
    Fail("the zip64 directory record is missing", eocd_offset);
  }
  if (ReadU32(record + 16) != 0 || ReadU32(record + 20) != 0 ||
      ReadU64(record + 24) != ReadU64(record + 32)) {
    throw SheetError(SheetErrorCode::kUnsupported, "zip archives split over several files are not supported",
                     path(), eocd_offset);
  }
  location.count = ReadU64(record + 32);
  location.size = ReadU64(record + 40);
  location.offset = ReadU64(record + 48);
}

void ZipArchive::ReadDirectory(const DirectoryLocation& location) {
  std::string directory(static_cast<std::size_t>(location.size), '\0');
  if (source_->ReadAt(location.offset, directory.data(), directory.size()) != directory.size()) {
    Fail("the file ended inside the zip directory", location.offset);
  }
  entries_.reserve(static_cast<std::size_t>(
      std::min<std::uint64_t>(location.count, location.size / kDirectoryHeaderSize)));
  // Every header the directory's bytes hold is read, whatever count the end record states.
  std::size_t pos = 0;
  while (directory.size() - pos >= 4) {
    const std::uint64_t at = location.offset + pos;
    const char* h = directory.data() + pos;
    if (ReadU32(h) != kDirectoryHeaderSignature) {
      if (entries_.empty()) Fail("a zip directory entry is damaged", at);
      break;  // trailing bytes after the last header (digital signature records, padding)
    }
    if (directory.size() - pos < kDirectoryHeaderSize) Fail("the zip directory is cut short", at);
    if (entries_.size() == limits_.max_entries) {
      throw SheetError(SheetErrorCode::kTooLarge, "the zip directory expands beyond safe limits", path(), at);
    }
    ZipEntry entry;
    entry.flags = ReadU16(h + 8);
    entry.method = ReadU16(h + 10);
    entry.crc32 = ReadU32(h + 16);
    entry.compressed_size = ReadU32(h + 20);
    entry.uncompressed_size = ReadU32(h + 24);
    const std::size_t name_size = ReadU16(h + 28);
    const std::size_t extra_size = ReadU16(h + 30);
    const std::size_t comment_size = ReadU16(h + 32);
    const std::uint16_t disk = ReadU16(h + 34);
    entry.local_header_offset = ReadU32(h + 42);
    const std::size_t record_size = kDirectoryHeaderSize + name_size + extra_size + comment_size;
    if (directory.size() - pos < record_size) Fail("the zip directory is cut short", at);
    entry.name.assign(h + kDirectoryHeaderSize, name_size);

    // Saturated fields are in the zip64 extra field, in this order, only when saturated.
    const char* extra = h + kDirectoryHeaderSize + name_size;
    const char* extra_end = extra + extra_size;
    while (extra_end - extra >= 4) {
      const std::uint16_t id = ReadU16(extra);
      const std::size_t size = ReadU16(extra + 2);
      const char* data = extra + 4;
      if (static_cast<std::size_t>(extra_end - data) < size) break;
      if (id == kZip64ExtraId) {
        const char* field = data;
        const char* field_end = data + size;
        auto take = [&](std::uint64_t& value) {
          if (field_end - field < 8) Fail("the zip64 field of '" + entry.name + "' is cut short", at);
          value = ReadU64(field);
          field += 8;
        };
        if (entry.uncompressed_size == 0xFFFFFFFF) take(entry.uncompressed_size);
        if (entry.compressed_size == 0xFFFFFFFF) take(entry.compressed_size);
        if (entry.local_header_offset == 0xFFFFFFFF) take(entry.local_header_offset);
      }
      extra = data + size;
    }
    if (disk != 0 && disk != 0xFFFF) {
      throw SheetError(SheetErrorCode::kUnsupported,
                       "zip archives split over several files are not supported", path(), at);
    }
    // Offsets and sizes are checked when the entry is opened: a damaged entry nobody reads
    // does not spoil the archive.
    entry.local_header_offset += prefix_size_;
    entries_.push_back(std::move(entry));
    pos += record_size;
  }
  by_name_.reserve(entries_.size());
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    by_name_.emplace(entries_[i].name, i);  // the first of duplicated names wins
    by_folded_name_.emplace(FoldName(entries_[i].name), i);
  }
}

const ZipEntry* ZipArchive::Find(std::string_view name) const {
  if (auto it = by_name_.find(name); it != by_name_.end()) return &entries_[it->second];
  if (auto it = by_folded_name_.find(FoldName(name)); it != by_folded_name_.end()) {
    return &entries_[it->second];
  }
  return nullptr;
}

std::unique_ptr<ZipEntryReader> ZipArchive::OpenEntry(const ZipEntry& entry) {
  return std::make_unique<ZipEntryReader>(*source_, entry, limits_, inflater_);
}

std::unique_ptr<ByteSource> ZipArchive::OpenStream(const ZipEntry& entry) {
  auto reader = OpenEntry(entry);
  if (entry.compressed_size < kReadAheadMinCompressedSize) return reader;
  return std::make_unique<ReadAheadSource>(std::move(reader));
}

std::string ZipArchive::ReadEntry(const ZipEntry& entry, std::uint64_t max_size) {
  auto reader = OpenEntry(entry);
  // The declared size only sizes the first allocation (and not past a megabyte, as it may be
  // wildly wrong); the cap applies to what inflates.
  constexpr std::size_t kChunk = std::size_t{64} * 1024;
  constexpr std::uint64_t kMaxReserve = std::uint64_t{1} << 20;
  std::string content;
  content.reserve(static_cast<std::size_t>(std::min({entry.uncompressed_size, max_size, kMaxReserve})));
  char chunk[kChunk];
  while (const std::size_t n = reader->Read(chunk, kChunk)) {
    if (n > max_size - content.size()) {
      throw SheetError(SheetErrorCode::kTooLarge, "the part '" + entry.name + "' expands beyond safe limits",
                       entry.name, content.size());
    }
    content.append(chunk, n);
  }
  return content;
}

}  // namespace quorvex::sheet::container
