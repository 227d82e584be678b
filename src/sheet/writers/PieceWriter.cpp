// Short pieces of text gathered on the stack and appended to a string together.
#include "sheet/writers/PieceWriter.h"

namespace quorvex::sheet {

void PieceWriter::Flush() {
  out_.append(text_, size_);
  size_ = 0;
}

// Out of line, so that the common Put stays small enough to be inlined.
PieceWriter& PieceWriter::PutAfterFlush(std::string_view text) {
  Flush();
  if (text.size() > kCapacity) {
    out_.append(text);
  } else {
    std::memcpy(text_, text.data(), text.size());
    size_ = text.size();
  }
  return *this;
}

}  // namespace quorvex::sheet
