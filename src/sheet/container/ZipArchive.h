// A zip archive: its central directory, entries by name, and readers for their content.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sheet/container/ByteSource.h"
#include "sheet/container/DeflateStream.h"
#include "sheet/container/RandomAccessSource.h"
#include "sheet/container/ZipEntry.h"
#include "sheet/container/ZipEntryReader.h"
#include "sheet/container/ZipLimits.h"

namespace quorvex::sheet::container {

class ZipArchive {
 public:
  /// Reads the central directory (zip64 too) of the archive `source` holds. Data prepended to the
  /// archive is allowed for; an entry's own offsets and sizes are checked only when it is opened.
  /// Throws SheetError: kIo when the source cannot be read, kCorrupt when the end-of-central-
  /// directory record is missing (a truncated file) or the directory is damaged, kUnsupported for
  /// archives split over several files, kTooLarge for an oversized directory. Deflated entries go
  /// through `inflater` (tests run both).
  explicit ZipArchive(std::unique_ptr<const RandomAccessSource> source, ZipLimits limits = {},
                      Inflater inflater = FastestInflater());

  /// The source's name: the file's path, for errors.
  const std::string& path() const { return source_->name(); }
  const std::vector<ZipEntry>& entries() const { return entries_; }

  /// The entry named exactly `name`, else one whose name matches ignoring ASCII case and '\\'
  /// versus '/', else nullptr.
  const ZipEntry* Find(std::string_view name) const;

  /// A streaming reader of the entry's content. The archive must outlive it. Throws SheetError
  /// kPasswordProtected for encrypted entries, kUnsupported for methods other than stored and
  /// deflate, kCorrupt when the local header is damaged.
  std::unique_ptr<ZipEntryReader> OpenEntry(const ZipEntry& entry);

  /// The same for a part read from start to end in one go, such as a sheet: a large one is
  /// inflated on a thread of its own, a few buffers ahead of the reader (ReadAheadSource), with
  /// the same bytes and errors. The archive must outlive it.
  std::unique_ptr<ByteSource> OpenStream(const ZipEntry& entry);

  /// The whole content of a small entry; throws SheetError kTooLarge when more than `max_size`
  /// bytes inflate (whatever size the directory declares).
  std::string ReadEntry(const ZipEntry& entry, std::uint64_t max_size);

 private:
  struct DirectoryLocation {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t count = 0;
  };

  DirectoryLocation LocateDirectory();
  void ReadZip64End(std::uint64_t eocd_offset, DirectoryLocation& location);
  void ReadDirectory(const DirectoryLocation& location);
  bool HasSignatureAt(std::uint64_t offset, std::uint64_t size, std::uint64_t end);
  [[noreturn]] void Fail(const std::string& sentence, std::uint64_t offset) const;

  std::unique_ptr<const RandomAccessSource> source_;
  ZipLimits limits_;
  Inflater inflater_;
  std::uint64_t prefix_size_ = 0;  // bytes before the archive's first record
  std::vector<ZipEntry> entries_;
  std::unordered_map<std::string_view, std::size_t> by_name_;
  std::unordered_map<std::string, std::size_t> by_folded_name_;
};

}  // namespace quorvex::sheet::container
