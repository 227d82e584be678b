// Builds complete compound files with stream content (mini stream, DIFAT, either sector size).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvex::sheet::test_support {

struct CompoundStream {
  std::string name;
  std::string data;
};

/// A built file and where its parts are, so tests can damage them.
struct BuiltCompoundFile {
  std::string bytes;
  std::uint32_t sector_size = 512;
  std::vector<std::uint32_t> fat_sectors;  // sector numbers of the FAT, in order
  std::vector<std::uint32_t> difat_sectors;
  std::vector<std::uint32_t> first_sectors;  // per stream: first sector (or mini sector)

  /// File offset of sector `n`.
  std::uint64_t SectorOffset(std::uint32_t n) const {
    return (static_cast<std::uint64_t>(n) + 1) * sector_size;
  }
  /// File offset of the FAT entry of sector `n`.
  std::uint64_t FatEntryOffset(std::uint32_t n) const;
  /// Overwrites 4 bytes at `offset` with `value` (little-endian).
  void Put32(std::uint64_t offset, std::uint32_t value);
};

/// Streams of 4096 bytes or more go to regular sectors, smaller ones to the mini stream;
/// `sector_shift` is 9 (512-byte sectors, version 3) or 12 (4096, version 4). The directory is
/// the root followed by the streams, linked as right siblings.
BuiltCompoundFile BuildCompoundFileWithStreams(const std::vector<CompoundStream>& streams,
                                               unsigned sector_shift = 9);

}  // namespace quorvex::sheet::test_support
