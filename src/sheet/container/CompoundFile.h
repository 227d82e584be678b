// A compound file (MS-CFB): header, FAT, DIFAT, mini FAT and directory, with checked streams.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/container/RandomAccessSource.h"

namespace quorvex::sheet::container {

/// The eight bytes every compound file starts with.
inline constexpr std::string_view kCompoundFileMagic{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};

class CompoundStreamReader;

class CompoundFile {
 public:
  struct Entry {
    std::string name;       // UTF-8
    std::uint8_t type = 0;  // 1 storage, 2 stream, 5 root
    std::uint32_t left = 0;
    std::uint32_t right = 0;
    std::uint32_t child = 0;
    std::uint32_t start = 0;
    std::uint64_t size = 0;
  };

  static constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
  static constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
  static constexpr std::uint32_t kFreeSector = 0xFFFFFFFF;
  static constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
  /// Marks FAT entries whose FAT sector the file does not hold (a value MS-CFB reserves).
  static constexpr std::uint32_t kUnknownFatEntry = 0xFFFFFFFB;

  /// Reads the header of the compound file `source` holds, the whole FAT (through the DIFAT), the mini FAT
  /// and the directory. Damage in them that no stream needs (FAT sectors, directory sectors or a mini stream
  /// past the end of the file, loops) is left for OpenStream to meet, if ever. Throws SheetError kIo when
  /// unreadable, kNotAWorkbook when the signature is wrong, kCorrupt for a damaged header or a directory
  /// without its root.
  explicit CompoundFile(std::unique_ptr<const RandomAccessSource> source);
  ~CompoundFile();

  /// The source's name: the file's path, for errors.
  const std::string& path() const { return source_->name(); }
  const std::vector<Entry>& entries() const { return entries_; }

  /// The stream or storage named `name` (ASCII case ignored) directly under the root, or nullptr.
  const Entry* FindTopLevel(std::string_view name) const;
  /// The first stream or storage named `name` (ASCII case ignored) anywhere in the directory,
  /// whether or not the sibling tree reaches it, or nullptr.
  const Entry* FindAnywhere(std::string_view name) const;

  /// A reader of the stream's bytes; the file must outlive it. Its sector chain is checked in
  /// full here: loops, sectors past the end of the file and chains shorter than the stream give
  /// SheetError kCorrupt naming the stream.
  std::unique_ptr<CompoundStreamReader> OpenStream(const Entry& entry);

 private:
  friend class CompoundStreamReader;

  void ReadHeader();
  void ReadFat(const char* header);
  void ReadDirectory();
  void ReadMiniFat();
  /// The sectors of the chain from `start` in the FAT (or the mini FAT), checked against the
  /// sectors the file holds and for loops; at most `max_length` entries are followed. A
  /// `lenient` chain ends quietly before the first bad link instead of failing.
  std::vector<std::uint32_t> Chain(std::uint32_t start, bool mini, std::uint64_t max_length,
                                   const std::string& what, bool lenient = false) const;
  bool IsReadableSector(std::uint32_t sector) const;
  void ReadSector(std::uint32_t sector, char* out, const std::string& what) const;
  [[noreturn]] void Fail(const std::string& sentence, const std::string& part, std::uint64_t offset) const;

  std::unique_ptr<const RandomAccessSource> source_;
  std::uint32_t sector_shift_ = 9;
  std::uint32_t sector_size_ = 512;
  std::uint32_t mini_cutoff_ = 4096;
  std::uint64_t sector_count_ = 0;  // whole sectors after the header
  std::uint32_t first_directory_ = 0;
  std::uint32_t first_mini_fat_ = 0;
  std::vector<std::uint32_t> fat_;
  std::vector<std::uint32_t> mini_fat_;
  std::vector<std::uint32_t> mini_stream_sectors_;  // the root entry's chain
  std::uint64_t mini_stream_size_ = 0;
  std::vector<Entry> entries_;
};

}  // namespace quorvex::sheet::container
