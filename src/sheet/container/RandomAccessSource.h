// Bytes read at any offset: a file on disk or a block of memory, under the zip and compound-file readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvex::sheet::container {

class RandomAccessSource {
 public:
  virtual ~RandomAccessSource() = default;

  /// What errors call the bytes: the file's path, or the name given to bytes in memory.
  virtual const std::string& name() const = 0;
  /// The number of bytes, fixed when the source is made.
  virtual std::uint64_t size() const = 0;
  /// Copies up to `size` bytes at `offset` into `buffer` and returns how many: fewer only at the
  /// end of the data, 0 at or past it. Keeps no position, so several threads may read at once
  /// (a large zip entry is inflated on a thread of its own). Throws SheetError kIo when the
  /// bytes cannot be read.
  virtual std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const = 0;
};

}  // namespace quorvex::sheet::container
