// Builds complete compound files for tests: regular and mini streams, FAT, DIFAT, directory.
#include "CompoundFileBuilder.h"

namespace quorvex::sheet::test_support {
namespace {

constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::size_t kMiniCutoff = 4096;

void Put(std::string& out, std::size_t at, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

class Builder {
 public:
  explicit Builder(unsigned shift) : size_(1u << shift) {}

  /// Appends sectors holding `data` chained in the FAT; returns the first (kEndOfChain if empty).
  std::uint32_t AddChain(const std::string& data) {
    if (data.empty()) return kEndOfChain;
    const std::uint32_t first = static_cast<std::uint32_t>(sectors_.size());
    for (std::size_t at = 0; at < data.size(); at += size_) {
      std::string sector = data.substr(at, size_);
      sector.resize(size_, '\0');
      sectors_.push_back(sector);
      fat_.push_back(static_cast<std::uint32_t>(sectors_.size()));
    }
    fat_.back() = kEndOfChain;
    return first;
  }

  std::uint32_t Reserve(std::uint32_t marker) {
    sectors_.emplace_back(size_, '\0');
    fat_.push_back(marker);
    return static_cast<std::uint32_t>(sectors_.size() - 1);
  }

  std::vector<std::string> sectors_;
  std::vector<std::uint32_t> fat_;
  std::uint32_t size_;
};

std::string Entry(const std::string& name, std::uint8_t type, std::uint32_t right, std::uint32_t child,
                  std::uint32_t start, std::uint64_t size) {
  std::string entry(128, '\0');
  for (std::size_t i = 0; i < name.size() && i < 31; ++i)
    Put(entry, 2 * i, static_cast<unsigned char>(name[i]), 2);
  Put(entry, 0x40, 2 * (name.size() + 1), 2);
  entry[0x42] = static_cast<char>(type);
  entry[0x43] = 1;  // black
  Put(entry, 0x44, kFree, 4);
  Put(entry, 0x48, right, 4);
  Put(entry, 0x4C, child, 4);
  Put(entry, 0x74, start, 4);
  Put(entry, 0x78, size, 8);
  return entry;
}

}  // namespace

std::uint64_t BuiltCompoundFile::FatEntryOffset(std::uint32_t n) const {
  const std::uint32_t per_sector = sector_size / 4;
  return SectorOffset(fat_sectors[n / per_sector]) + 4 * (n % per_sector);
}

void BuiltCompoundFile::Put32(std::uint64_t offset, std::uint32_t value) {
  Put(bytes, static_cast<std::size_t>(offset), value, 4);
}

BuiltCompoundFile BuildCompoundFileWithStreams(const std::vector<CompoundStream>& streams,
                                               unsigned sector_shift) {
  Builder builder(sector_shift);
  BuiltCompoundFile built;
  built.sector_size = builder.size_;

  // Large streams first, then the mini stream and its FAT.
  std::string mini_stream;
  std::vector<std::uint32_t> mini_fat;
  for (const CompoundStream& stream : streams) {
    if (stream.data.size() >= kMiniCutoff) {
      built.first_sectors.push_back(builder.AddChain(stream.data));
      continue;
    }
    if (stream.data.empty()) {
      built.first_sectors.push_back(kEndOfChain);
      continue;
    }
    const auto first = static_cast<std::uint32_t>(mini_stream.size() / 64);
    built.first_sectors.push_back(first);
    std::string padded = stream.data;
    padded.resize((padded.size() + 63) / 64 * 64, '\0');
    mini_stream += padded;
    for (std::size_t i = 0; i < padded.size() / 64; ++i)
      mini_fat.push_back(first + static_cast<std::uint32_t>(i) + 1);
    mini_fat.back() = kEndOfChain;
  }
  const std::uint32_t mini_stream_start = builder.AddChain(mini_stream);
  std::string mini_fat_bytes(mini_fat.size() * 4, '\0');
  for (std::size_t i = 0; i < mini_fat.size(); ++i) Put(mini_fat_bytes, 4 * i, mini_fat[i], 4);
  if (!mini_fat_bytes.empty())
    mini_fat_bytes.resize((mini_fat_bytes.size() + builder.size_ - 1) / builder.size_ * builder.size_,
                          '\xFF');
  const std::uint32_t mini_fat_start = builder.AddChain(mini_fat_bytes);

  std::string directory =
      Entry("Root Entry", 5, kFree, streams.empty() ? kFree : 1, mini_stream_start, mini_stream.size());
  for (std::size_t i = 0; i < streams.size(); ++i) {
    const auto right = i + 1 < streams.size() ? static_cast<std::uint32_t>(i + 2) : kFree;
    directory += Entry(streams[i].name, 2, right, kFree, built.first_sectors[i], streams[i].data.size());
  }
  while (directory.size() % builder.size_ != 0) directory += Entry("", 0, kFree, kFree, kFree, 0);
  const std::uint32_t directory_start = builder.AddChain(directory);

  // Enough FAT sectors for every sector including themselves and the DIFAT sectors.
  const std::uint32_t per_fat = builder.size_ / 4;
  std::uint32_t fat_count = 0, difat_count = 0;
  for (;;) {
    const std::uint32_t total = static_cast<std::uint32_t>(builder.sectors_.size()) + fat_count + difat_count;
    const std::uint32_t need_fat = (total + per_fat - 1) / per_fat;
    const std::uint32_t need_difat = need_fat > 109 ? (need_fat - 109 + per_fat - 2) / (per_fat - 1) : 0;
    if (need_fat == fat_count && need_difat == difat_count) break;
    fat_count = need_fat;
    difat_count = need_difat;
  }
  for (std::uint32_t i = 0; i < fat_count; ++i) built.fat_sectors.push_back(builder.Reserve(kFatSector));
  for (std::uint32_t i = 0; i < difat_count; ++i)
    built.difat_sectors.push_back(builder.Reserve(kDifatSector));
  builder.fat_.resize(static_cast<std::size_t>(fat_count) * per_fat, kFree);
  for (std::uint32_t i = 0; i < fat_count; ++i) {
    std::string& sector = builder.sectors_[built.fat_sectors[i]];
    for (std::uint32_t j = 0; j < per_fat; ++j) Put(sector, 4 * j, builder.fat_[i * per_fat + j], 4);
  }
  for (std::uint32_t d = 0; d < difat_count; ++d) {
    std::string& sector = builder.sectors_[built.difat_sectors[d]];
    for (std::uint32_t j = 0; j < per_fat - 1; ++j) {
      const std::size_t index = 109 + static_cast<std::size_t>(d) * (per_fat - 1) + j;
      Put(sector, 4 * j, index < fat_count ? built.fat_sectors[index] : kFree, 4);
    }
    Put(sector, 4 * (per_fat - 1), d + 1 < difat_count ? built.difat_sectors[d + 1] : kEndOfChain, 4);
  }

  std::string header(builder.size_, '\0');
  header.replace(0, 8, std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8));
  Put(header, 0x18, 0x3E, 2);
  Put(header, 0x1A, sector_shift == 12 ? 4 : 3, 2);
  Put(header, 0x1C, 0xFFFE, 2);
  Put(header, 0x1E, sector_shift, 2);
  Put(header, 0x20, 6, 2);
  Put(header, 0x2C, fat_count, 4);
  Put(header, 0x30, directory_start, 4);
  Put(header, 0x38, kMiniCutoff, 4);
  Put(header, 0x3C, mini_fat_start, 4);
  Put(header, 0x40, static_cast<std::uint32_t>(mini_fat_bytes.size() / builder.size_), 4);
  Put(header, 0x44, difat_count > 0 ? built.difat_sectors[0] : kEndOfChain, 4);
  Put(header, 0x48, difat_count, 4);
  for (std::uint32_t i = 0; i < 109; ++i)
    Put(header, 0x4C + 4 * i, i < fat_count ? built.fat_sectors[i] : kFree, 4);
  built.bytes = header;
  for (const std::string& sector : builder.sectors_) built.bytes += sector;
  return built;
}

}  // namespace quorvex::sheet::test_support
