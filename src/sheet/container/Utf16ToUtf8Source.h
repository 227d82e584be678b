// A byte source that turns a UTF-16 stream (either byte order) into UTF-8 as it is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "sheet/container/ByteSource.h"

namespace quorvex::sheet::container {

class Utf16ToUtf8Source : public ByteSource {
 public:
  /// Reads `already_read` first, then the rest of `source`; both are UTF-16 code units in the
  /// given byte order (a byte order mark among them passes through as U+FEFF). Unpaired
  /// surrogates and a final odd byte become U+FFFD. `source` must outlive this.
  Utf16ToUtf8Source(ByteSource& source, std::string already_read, bool big_endian);

  std::size_t Read(char* buffer, std::size_t size) override;

 private:
  void Convert(bool at_end);

  ByteSource& source_;
  bool big_endian_;
  bool source_done_ = false;
  std::string input_;   // raw bytes not yet converted
  std::string output_;  // converted bytes not yet handed out
  std::size_t output_position_ = 0;
  std::uint32_t pending_high_ = 0;  // a high surrogate waiting for its pair
};

}  // namespace quorvex::sheet::container
