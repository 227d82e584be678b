// ISA-L's inflater behind DeflateStream: several times faster than zlib's, in builds that find it.
#pragma once

#include <memory>
#include <string>

#include "sheet/container/DeflateStream.h"

struct inflate_state;  // ISA-L's inflate state, kept out of this header

namespace quorvex::sheet::container {

class IsalDeflateStream : public DeflateStream {
 public:
  IsalDeflateStream();
  ~IsalDeflateStream() override;
  IsalDeflateStream(const IsalDeflateStream&) = delete;
  IsalDeflateStream& operator=(const IsalDeflateStream&) = delete;

  void SetInput(const char* data, std::size_t size) override;
  std::size_t input_left() const override;
  Result Inflate(char* out, std::size_t capacity) override;
  std::string error() const override;

 private:
  std::unique_ptr<inflate_state> state_;
  std::string error_;
};

}  // namespace quorvex::sheet::container
