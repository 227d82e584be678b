// Bounds that keep a hostile zip archive from exhausting memory or time.
#pragma once

#include <cstdint>

namespace quorvex::sheet::container {

struct ZipLimits {
  /// Largest inflated size of one entry.
  std::uint64_t max_entry_size = std::uint64_t{4} << 30;
  /// Largest inflated/compressed ratio, checked once `ratio_grace` bytes have been inflated.
  std::uint64_t max_ratio = 1000;
  std::uint64_t ratio_grace = std::uint64_t{4} << 20;
  /// Largest central directory read into memory, and most entries kept from it.
  std::uint64_t max_directory_size = std::uint64_t{64} << 20;
  std::uint64_t max_entries = 1000000;
};

}  // namespace quorvex::sheet::container
