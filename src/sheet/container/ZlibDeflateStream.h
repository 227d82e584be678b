// The zlib inflater behind DeflateStream: the one every build has.
#pragma once

#include <memory>
#include <string>

#include "sheet/container/DeflateStream.h"

struct z_stream_s;  // zlib's inflate state, kept out of this header

namespace quorvex::sheet::container {

class ZlibDeflateStream : public DeflateStream {
 public:
  /// Throws std::bad_alloc when zlib cannot set up its state.
  ZlibDeflateStream();
  ~ZlibDeflateStream() override;
  ZlibDeflateStream(const ZlibDeflateStream&) = delete;
  ZlibDeflateStream& operator=(const ZlibDeflateStream&) = delete;

  void SetInput(const char* data, std::size_t size) override;
  std::size_t input_left() const override;
  Result Inflate(char* out, std::size_t capacity) override;
  std::string error() const override;

 private:
  std::unique_ptr<z_stream_s> stream_;
  std::string error_;
};

}  // namespace quorvex::sheet::container
