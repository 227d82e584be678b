// The zlib inflater behind DeflateStream: the one every build has.
#include "sheet/container/ZlibDeflateStream.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <new>

namespace quorvex::sheet::container {

ZlibDeflateStream::ZlibDeflateStream() : stream_(std::make_unique<z_stream>()) {
  // Negative window bits: raw deflate, as zip stores it, without zlib's header and checksum.
  if (inflateInit2(stream_.get(), -MAX_WBITS) != Z_OK) throw std::bad_alloc();
}

ZlibDeflateStream::~ZlibDeflateStream() {
  inflateEnd(stream_.get());
}

void ZlibDeflateStream::SetInput(const char* data, std::size_t size) {
  stream_->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
  stream_->avail_in = static_cast<uInt>(std::min<std::size_t>(size, UINT_MAX));
}

std::size_t ZlibDeflateStream::input_left() const {
  return stream_->avail_in;
}

DeflateStream::Result ZlibDeflateStream::Inflate(char* out, std::size_t capacity) {
  const uInt room = static_cast<uInt>(std::min<std::size_t>(capacity, UINT_MAX));
  stream_->next_out = reinterpret_cast<Bytef*>(out);
  stream_->avail_out = room;
  const int status = inflate(stream_.get(), Z_NO_FLUSH);
  Result result;
  result.produced = room - stream_->avail_out;
  if (status == Z_STREAM_END) {
    result.status = Status::kEnd;
  } else if (status != Z_OK && status != Z_BUF_ERROR) {
    // Z_BUF_ERROR only says no progress was possible: the caller adds input or room.
    result.status = Status::kError;
    error_ = stream_->msg != nullptr ? stream_->msg : "zlib error " + std::to_string(status);
  }
  return result;
}

std::string ZlibDeflateStream::error() const {
  return error_;
}

}  // namespace quorvex::sheet::container
