// The buffered byte stream every writer writes to; a subclass decides where the bytes go.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex::sheet {

/// Writers append to one buffer, which is handed on in large pieces, so the per-write path is
/// a plain append with no virtual call. Subclasses: OutputFile (a file renamed into place),
/// StringOutput (memory), the single-file page encoder (another stream).
class OutputStream {
 public:
  virtual ~OutputStream() = default;
  OutputStream(const OutputStream&) = delete;
  OutputStream& operator=(const OutputStream&) = delete;

  void Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) {
      Spill(bytes);
    } else {
      buffer_.append(bytes);
    }
  }
  /// Direct access for writers that build text in place; call Drain when it may have grown.
  std::string& buffer() { return buffer_; }
  void Drain() {
    if (buffer_.size() >= kBufferSize) Spill({});
  }
  /// Hands everything written so far on. Throws what the subclass throws (SheetError kIo).
  void Flush() { Spill({}); }

 protected:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 20;
  OutputStream() = default;
  /// Takes `bytes` further. Throws on failure.
  virtual void Emit(std::string_view bytes) = 0;
  /// Forgets what is buffered, to start over.
  void DiscardBuffer() { buffer_.clear(); }

 private:
  void Spill(std::string_view extra) {
    if (!buffer_.empty()) Emit(buffer_);
    buffer_.clear();
    // Large pieces go on directly rather than through the buffer.
    if (extra.size() >= kBufferSize) {
      Emit(extra);
    } else {
      buffer_.append(extra);
    }
  }

  std::string buffer_;
};

/// A stream into a string in memory.
class StringOutput : public OutputStream {
 public:
  /// Everything written so far.
  const std::string& str() {
    Flush();
    return text_;
  }

 protected:
  void Emit(std::string_view bytes) override { text_.append(bytes); }

 private:
  std::string text_;
};

}  // namespace quorvex::sheet
