// Reads a compound file's header, FAT (through the DIFAT), mini FAT and directory, checking
// every sector number and chain against the size of the file.
#include "sheet/container/CompoundFile.h"

#include <algorithm>
#include <cstring>

#include "sheet/container/CompoundStreamReader.h"
#include "sheet/container/LittleEndian.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

// Layout from MS-CFB 2.2 (header), 2.3 (FAT), 2.4 (mini FAT), 2.5 (DIFAT), 2.6 (directory).
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::size_t kHeaderDifatOffset = 0x4C;
constexpr std::size_t kDirectoryEntrySize = 128;
constexpr std::uint32_t kMiniSectorSize = 64;
constexpr std::size_t kMaxDirectoryEntries = 1u << 20;  // far more than any workbook has

std::string EntryName(const char* entry) {
  const std::size_t name_bytes = ReadU16(entry + 0x40);
  std::string name;
  if (name_bytes < 2 || name_bytes > 64) return name;
  const std::size_t units = name_bytes / 2 - 1;  // the length counts the terminating NUL
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint16_t unit = ReadU16(entry + 2 * i);
    // UTF-16 code units of names are BMP characters; surrogates become '?'.
    if (unit < 0x80) {
      name.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      name.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      name.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else if (unit >= 0xD800 && unit < 0xE000) {
      name.push_back('?');
    } else {
      name.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      name.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      name.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return name;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

}  // namespace

CompoundFile::CompoundFile(std::unique_ptr<const RandomAccessSource> source) : source_(std::move(source)) {
  ReadHeader();
}

CompoundFile::~CompoundFile() = default;

void CompoundFile::Fail(const std::string& sentence, const std::string& part, std::uint64_t offset) const {
  throw SheetError(SheetErrorCode::kCorrupt, sentence, part.empty() ? path() : path() + ": " + part, offset);
}

void CompoundFile::ReadHeader() {
  char header[kHeaderSize];
  if (source_->ReadAt(0, header, sizeof header) != sizeof header) {
    if (std::string_view(header, std::min<std::uint64_t>(source_->size(), kCompoundFileMagic.size())) ==
        kCompoundFileMagic.substr(0, std::min<std::uint64_t>(source_->size(), kCompoundFileMagic.size()))) {
      Fail("the compound file is truncated inside its header", "header", 0);
    }
    throw SheetError(SheetErrorCode::kNotAWorkbook, "the file is not a workbook", path());
  }
  if (std::string_view(header, kCompoundFileMagic.size()) != kCompoundFileMagic) {
    throw SheetError(SheetErrorCode::kNotAWorkbook, "the file is not a workbook", path());
  }
  sector_shift_ = ReadU16(header + 0x1E);
  if (sector_shift_ != 9 && sector_shift_ != 12)
    Fail("the compound file declares an invalid sector size", "header", 0x1E);
  if (ReadU16(header + 0x20) != 6)
    Fail("the compound file declares an invalid mini sector size", "header", 0x20);
  sector_size_ = 1u << sector_shift_;
  // Sector n starts at (n + 1) * size; a final partial sector still holds data streams may use.
  sector_count_ = source_->size() <= sector_size_ ? 0 : (source_->size() - 1) / sector_size_;
  first_directory_ = ReadU32(header + 0x30);
  mini_cutoff_ = ReadU32(header + 0x38);
  if (mini_cutoff_ != 4096) Fail("the compound file declares an invalid mini stream cutoff", "header", 0x38);
  first_mini_fat_ = ReadU32(header + 0x3C);
  ReadFat(header);
  ReadDirectory();
  ReadMiniFat();
}

void CompoundFile::ReadSector(std::uint32_t sector, char* out, const std::string& what) const {
  if (sector > kMaxRegularSector || sector >= sector_count_) {
    Fail("the compound file's " + what + " refers to sector " + std::to_string(sector) +
             ", past the end of the file",
         what, (static_cast<std::uint64_t>(sector) + 1) * sector_size_);
  }
  const std::uint64_t offset = (static_cast<std::uint64_t>(sector) + 1) * sector_size_;
  const std::size_t got = source_->ReadAt(offset, out, sector_size_);
  if (got != sector_size_) {
    // Only the last sector may be short; the missing bytes read as zero.
    if (sector + 1 != sector_count_) Fail("the compound file is truncated", what, offset + got);
    std::memset(out + got, 0, sector_size_ - got);
  }
}

bool CompoundFile::IsReadableSector(std::uint32_t sector) const {
  return sector <= kMaxRegularSector && sector < sector_count_;
}

void CompoundFile::ReadFat(const char* header) {
  // A FAT sector the file does not hold (a truncated file, a damaged DIFAT) leaves its part of
  // the FAT unknown; only a stream whose chain runs through that part fails, when it is opened.
  std::vector<std::uint32_t> fat_sectors;
  const std::uint32_t declared =
      static_cast<std::uint32_t>(std::min<std::uint64_t>(ReadU32(header + 0x2C), sector_count_));
  for (std::size_t i = 0; i < kHeaderDifatEntries && fat_sectors.size() < declared; ++i) {
    fat_sectors.push_back(ReadU32(header + kHeaderDifatOffset + 4 * i));
  }
  std::string difat(sector_size_, '\0');
  const std::size_t per_sector = sector_size_ / 4 - 1;  // the last slot links to the next DIFAT sector
  std::uint32_t current = ReadU32(header + 0x44);
  std::vector<bool> visited(sector_count_, false);
  while (fat_sectors.size() < declared && IsReadableSector(current) && !visited[current]) {
    ReadSector(current, difat.data(), "DIFAT");
    visited[current] = true;
    for (std::size_t i = 0; i < per_sector && fat_sectors.size() < declared; ++i) {
      fat_sectors.push_back(ReadU32(difat.data() + 4 * i));
    }
    current = ReadU32(difat.data() + 4 * per_sector);
  }
  const std::size_t per_fat_sector = sector_size_ / 4;
  fat_.assign(fat_sectors.size() * per_fat_sector, kUnknownFatEntry);
  std::string sector(sector_size_, '\0');
  for (std::size_t i = 0; i < fat_sectors.size(); ++i) {
    if (!IsReadableSector(fat_sectors[i])) continue;
    ReadSector(fat_sectors[i], sector.data(), "FAT");
    for (std::size_t j = 0; j < per_fat_sector; ++j)
      fat_[i * per_fat_sector + j] = ReadU32(sector.data() + 4 * j);
  }
}

std::vector<std::uint32_t> CompoundFile::Chain(std::uint32_t start, bool mini, std::uint64_t max_length,
                                               const std::string& what, bool lenient) const {
  const std::vector<std::uint32_t>& table = mini ? mini_fat_ : fat_;
  const std::uint64_t limit =
      mini ? std::min<std::uint64_t>(mini_fat_.size(), mini_stream_size_ / kMiniSectorSize) : sector_count_;
  std::vector<std::uint32_t> chain;
  std::vector<bool> visited(limit, false);
  std::uint32_t current = start;
  while (current != kEndOfChain && chain.size() < max_length) {
    // The file's own structures keep whatever part of their chain is sound.
    if (lenient && (current >= limit || current >= table.size() || visited[current])) break;
    if (current == kUnknownFatEntry) {
      Fail("the compound file's FAT does not cover " + what + ": the FAT sector listing it is missing", what,
           static_cast<std::uint64_t>(chain.size()) << sector_shift_);
    }
    if (!mini && current >= limit && current < table.size()) {
      // The FAT knows the sector, the file no longer holds it.
      Fail("the compound file is truncated: " + what + " continues in sector " + std::to_string(current) +
               ", past the end of the file",
           what, static_cast<std::uint64_t>(chain.size()) << sector_shift_);
    }
    if (current >= limit || current > kMaxRegularSector) {
      Fail("the chain of " + what + " refers to " + (mini ? "mini sector " : "sector ") +
               std::to_string(current) + ", which does not exist",
           what, static_cast<std::uint64_t>(chain.size()) << (mini ? 6 : sector_shift_));
    }
    if (visited[current]) {
      Fail("the chain of " + what + " loops", what,
           static_cast<std::uint64_t>(chain.size()) << (mini ? 6 : sector_shift_));
    }
    visited[current] = true;
    chain.push_back(current);
    if (current >= table.size()) Fail("the compound file's FAT does not cover " + what, what, 0);
    current = table[current];
  }
  return chain;
}

void CompoundFile::ReadDirectory() {
  const std::vector<std::uint32_t> chain =
      Chain(first_directory_, false, sector_count_, "the directory", true);
  if (chain.empty()) {
    if (first_directory_ <= kMaxRegularSector && first_directory_ >= sector_count_) {
      Fail("the compound file is truncated: its directory lies past the end of the file", "directory",
           (static_cast<std::uint64_t>(first_directory_) + 1) * sector_size_);
    }
    Fail("the compound file has no directory", "directory", 0);
  }
  std::string sector(sector_size_, '\0');
  for (std::uint32_t number : chain) {
    ReadSector(number, sector.data(), "directory");
    for (std::size_t at = 0; at + kDirectoryEntrySize <= sector_size_; at += kDirectoryEntrySize) {
      const char* raw = sector.data() + at;
      Entry entry;
      entry.type = static_cast<std::uint8_t>(raw[0x42]);
      if (entry.type != 0) entry.name = EntryName(raw);
      entry.left = ReadU32(raw + 0x44);
      entry.right = ReadU32(raw + 0x48);
      entry.child = ReadU32(raw + 0x4C);
      entry.start = ReadU32(raw + 0x74);
      entry.size = ReadU64(raw + 0x78);
      // Version 3 files (512-byte sectors) may leave junk in the high half of the size.
      if (sector_shift_ == 9) entry.size &= 0xFFFFFFFFu;
      entries_.push_back(std::move(entry));
      if (entries_.size() > kMaxDirectoryEntries)
        Fail("the compound file's directory is implausibly large", "directory", 0);
    }
  }
  if (entries_.empty() || entries_[0].type != 5) {
    Fail("the compound file's first directory entry is not the root", "directory", 0);
  }
}

void CompoundFile::ReadMiniFat() {
  // Only streams under 4096 bytes live in the mini stream; a damaged mini stream or mini FAT keeps
  // the part that is sound, and a stream reaching past it fails when it is opened.
  const Entry& root = entries_[0];
  const std::uint64_t file_limit = sector_count_ * sector_size_;
  mini_stream_size_ = std::min(root.size, file_limit);
  if (mini_stream_size_ > 0) {
    mini_stream_sectors_ = Chain(root.start, false, (mini_stream_size_ + sector_size_ - 1) >> sector_shift_,
                                 "the mini stream", true);
    mini_stream_size_ =
        std::min(mini_stream_size_, static_cast<std::uint64_t>(mini_stream_sectors_.size()) << sector_shift_);
  }
  if (first_mini_fat_ == kEndOfChain || first_mini_fat_ == kFreeSector) return;
  const std::vector<std::uint32_t> chain = Chain(first_mini_fat_, false, sector_count_, "the mini FAT", true);
  std::string sector(sector_size_, '\0');
  for (std::uint32_t number : chain) {
    ReadSector(number, sector.data(), "mini FAT");
    for (std::size_t j = 0; j < sector_size_ / 4; ++j) mini_fat_.push_back(ReadU32(sector.data() + 4 * j));
  }
}

const CompoundFile::Entry* CompoundFile::FindTopLevel(std::string_view name) const {
  // The root's children form a tree through left and right siblings; walk it iteratively,
  // visiting each entry at most once so a looping tree cannot hang.
  std::vector<bool> visited(entries_.size(), false);
  std::vector<std::uint32_t> pending{entries_[0].child};
  while (!pending.empty()) {
    const std::uint32_t index = pending.back();
    pending.pop_back();
    if (index >= entries_.size() || visited[index]) continue;
    visited[index] = true;
    const Entry& entry = entries_[index];
    if ((entry.type == 1 || entry.type == 2) && EqualsIgnoringAsciiCase(entry.name, name)) return &entry;
    pending.push_back(entry.left);
    pending.push_back(entry.right);
  }
  return nullptr;
}

const CompoundFile::Entry* CompoundFile::FindAnywhere(std::string_view name) const {
  for (const Entry& entry : entries_) {
    if ((entry.type == 1 || entry.type == 2) && EqualsIgnoringAsciiCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

std::unique_ptr<CompoundStreamReader> CompoundFile::OpenStream(const Entry& entry) {
  const bool mini = entry.size < mini_cutoff_;
  const std::uint64_t unit_shift = mini ? 6 : sector_shift_;
  const std::uint64_t limit = mini ? mini_stream_size_ : sector_count_ * sector_size_;
  if (entry.size > limit) {
    Fail("the stream '" + entry.name + "' declares more bytes than the file holds", entry.name, 0);
  }
  const std::uint64_t needed = (entry.size + (std::uint64_t{1} << unit_shift) - 1) >> unit_shift;
  std::vector<std::uint32_t> chain =
      entry.size == 0 ? std::vector<std::uint32_t>{}
                      : Chain(entry.start, mini, needed, "the stream '" + entry.name + "'");
  if (chain.size() < needed) {
    Fail("the stream '" + entry.name + "' is truncated: its chain ends early", entry.name,
         static_cast<std::uint64_t>(chain.size()) << unit_shift);
  }
  return std::make_unique<CompoundStreamReader>(*this, entry.name, std::move(chain), entry.size, mini);
}

}  // namespace quorvex::sheet::container
