// CRC-32 as zip records it for each entry.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvex::sheet::container {

/// The CRC-32 (ISO 3309, as zip and gzip use it) of `size` bytes at `data`, continuing from
/// `crc`, the value over the bytes before them (0 to start).
std::uint32_t Crc32(std::uint32_t crc, const char* data, std::size_t size);

}  // namespace quorvex::sheet::container
