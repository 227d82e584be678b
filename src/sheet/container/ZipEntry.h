// One file of a zip archive as its central directory describes it.
#pragma once

#include <cstdint>
#include <string>

namespace quorvex::sheet::container {

struct ZipEntry {
  static constexpr std::uint16_t kMethodStored = 0;
  static constexpr std::uint16_t kMethodDeflate = 8;
  static constexpr std::uint16_t kFlagEncrypted = 0x0001;

  std::string name;  // as stored: '/'-separated, no leading '/'
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint32_t crc32 = 0;
  std::uint64_t compressed_size = 0;
  std::uint64_t uncompressed_size = 0;
  std::uint64_t local_header_offset = 0;

  bool encrypted() const { return (flags & kFlagEncrypted) != 0; }
};

}  // namespace quorvex::sheet::container
