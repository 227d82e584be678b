// A pull interface over a stream of bytes: zip entries, memory, anything the XML parser reads.
#pragma once

#include <cstddef>

namespace quorvex::sheet::container {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  /// Copies up to `size` bytes into `buffer` and returns how many; returns 0 only at the end of
  /// the data. Throws SheetError when the data cannot be read.
  virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

}  // namespace quorvex::sheet::container
