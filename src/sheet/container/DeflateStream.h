// Inflates one raw deflate stream step by step: the interface over zlib's and ISA-L's inflaters.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace quorvex::sheet::container {

/// The inflaters a build may hold; zlib's always, ISA-L's when it was found at configure time.
enum class Inflater { kZlib, kIsal };

/// The inflaters this build holds, the fastest first.
std::vector<Inflater> BuiltInflaters();
/// The fastest inflater this build holds: ISA-L's when it has it, else zlib's.
Inflater FastestInflater();
/// "zlib" or "ISA-L".
const char* InflaterName(Inflater inflater);

class DeflateStream {
 public:
  enum class Status {
    kOk,     // the output is full or the input used up; call again
    kEnd,    // the stream's last block is done
    kError,  // the data is damaged; error() says how
  };
  struct Result {
    std::size_t produced = 0;  // bytes written to the output
    Status status = Status::kOk;
  };

  virtual ~DeflateStream() = default;

  /// Hands over the next compressed bytes once the previous ones are used up (input_left() is 0).
  /// They must stay valid until they are.
  virtual void SetInput(const char* data, std::size_t size) = 0;

  /// Compressed bytes handed over and not used yet. After kEnd, the bytes that follow the stream
  /// (its inflater may have read ahead of the end; they are counted back in).
  virtual std::size_t input_left() const = 0;

  /// Inflates into `out`, at most `capacity` bytes.
  virtual Result Inflate(char* out, std::size_t capacity) = 0;

  /// After kError, a short phrase saying what is wrong ("invalid block type").
  virtual std::string error() const = 0;

  /// A raw deflate inflater of the given kind; throws std::invalid_argument when the build lacks
  /// it (see BuiltInflaters).
  static std::unique_ptr<DeflateStream> Make(Inflater inflater);
};

}  // namespace quorvex::sheet::container
