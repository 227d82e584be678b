// Walks a compound file's directory chain: header, FAT sectors through the DIFAT, directory sectors.
#include "sheet/container/CompoundFileNames.h"

#include <cstdint>
#include <cstring>

#include "sheet/container/LittleEndian.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

// Layout from MS-CFB 2.2 (header), 2.5 (DIFAT), 2.3 (FAT), 2.6 (directory entries).
constexpr std::size_t kHeaderSize = 512;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::size_t kHeaderDifatOffset = 0x4C;
constexpr std::size_t kDirectoryEntrySize = 128;
constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFA;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;

class DirectoryWalker {
 public:
  explicit DirectoryWalker(InputFile& file) : file_(file) {}

  std::vector<std::string> Walk() {
    char header[kHeaderSize];
    if (file_.ReadAt(0, header, sizeof header) != sizeof header ||
        std::string_view(header, kCompoundFileMagic.size()) != kCompoundFileMagic) {
      Fail("the compound file header is damaged", 0);
    }
    const std::uint16_t shift = ReadU16(header + 0x1E);
    if (shift != 9 && shift != 12) Fail("the compound file declares an invalid sector size", 0x1E);
    sector_size_ = std::size_t{1} << shift;
    sector_count_ = file_.size() / sector_size_;  // sector n lies at (n + 1) * size
    ReadFatSectorList(header);

    std::vector<std::string> names;
    std::string sector(sector_size_, '\0');
    std::uint32_t current = ReadU32(header + 0x30);
    for (std::uint64_t visited = 0; current != kEndOfChain; ++visited) {
      if (visited > sector_count_) Fail("the compound file directory chain loops", 0x30);
      ReadSector(current, sector.data());
      for (std::size_t at = 0; at + kDirectoryEntrySize <= sector_size_; at += kDirectoryEntrySize) {
        const char* entry = sector.data() + at;
        const std::uint8_t type = static_cast<std::uint8_t>(entry[0x42]);
        const std::size_t name_bytes = ReadU16(entry + 0x40);
        if (type == 0 || name_bytes < 2 || name_bytes > 64) continue;  // unused or damaged entry
        std::string name;
        const std::size_t units = name_bytes / 2 - 1;  // the length counts the terminating NUL
        for (std::size_t i = 0; i < units; ++i) {
          const std::uint16_t unit = ReadU16(entry + 2 * i);
          name.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
        }
        names.push_back(std::move(name));
      }
      current = NextSector(current);
    }
    return names;
  }

 private:
  [[noreturn]] void Fail(const std::string& sentence, std::uint64_t offset) const {
    throw SheetError(SheetErrorCode::kCorrupt, sentence, file_.path(), offset);
  }

  void ReadSector(std::uint32_t sector, char* out) {
    if (sector > kMaxRegularSector || sector >= sector_count_) {
      Fail("the compound file refers to a sector past its end", sector);
    }
    const std::uint64_t offset = (static_cast<std::uint64_t>(sector) + 1) * sector_size_;
    if (file_.ReadAt(offset, out, sector_size_) != sector_size_) {
      Fail("the compound file is truncated", offset);
    }
  }

  void ReadFatSectorList(const char* header) {
    for (std::size_t i = 0; i < kHeaderDifatEntries; ++i) {
      const std::uint32_t sector = ReadU32(header + kHeaderDifatOffset + 4 * i);
      if (sector > kMaxRegularSector) break;
      fat_sectors_.push_back(sector);
    }
    std::string difat(sector_size_, '\0');
    const std::size_t per_sector = sector_size_ / 4 - 1;  // the last slot links to the next DIFAT sector
    std::uint32_t current = ReadU32(header + 0x44);
    for (std::uint64_t visited = 0; current <= kMaxRegularSector; ++visited) {
      if (visited > sector_count_) Fail("the compound file DIFAT chain loops", 0x44);
      ReadSector(current, difat.data());
      for (std::size_t i = 0; i < per_sector; ++i) {
        const std::uint32_t sector = ReadU32(difat.data() + 4 * i);
        if (sector <= kMaxRegularSector) fat_sectors_.push_back(sector);
      }
      current = ReadU32(difat.data() + 4 * per_sector);
    }
  }

  std::uint32_t NextSector(std::uint32_t sector) {
    const std::size_t per_sector = sector_size_ / 4;
    const std::size_t index = sector / per_sector;
    if (index >= fat_sectors_.size()) Fail("the compound file FAT does not cover its directory", sector);
    char entry[4];
    const std::uint64_t offset =
        (static_cast<std::uint64_t>(fat_sectors_[index]) + 1) * sector_size_ + 4 * (sector % per_sector);
    if (fat_sectors_[index] >= sector_count_ || file_.ReadAt(offset, entry, 4) != 4) {
      Fail("the compound file FAT refers to a sector past its end", offset);
    }
    return ReadU32(entry);
  }

  InputFile& file_;
  std::size_t sector_size_ = 512;
  std::uint64_t sector_count_ = 0;
  std::vector<std::uint32_t> fat_sectors_;
};

}  // namespace

std::vector<std::string> ReadCompoundFileEntryNames(InputFile& file) {
  return DirectoryWalker(file).Walk();
}

}  // namespace quorvex::sheet::container
