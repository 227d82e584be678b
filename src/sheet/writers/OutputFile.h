// A buffered output file written under a temporary name and renamed into place on Commit.
#pragma once

#include <string>
#include <string_view>

namespace quorvex::sheet {

/// Until Commit succeeds the destination is untouched, so a failed save never leaves a half file
/// that looks complete. The temporary file is remembered for RemoveTemporaryFiles, so that an
/// interrupted program removes it too. Throws SheetError (kIo) naming the file and the system's
/// reason.
class OutputFile {
 public:
  explicit OutputFile(std::string path);
  ~OutputFile();  // removes the temporary file unless committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferSize) Flush(bytes);
    else buffer_.append(bytes);
  }
  /// Direct access for writers that build text in place; call Drain when it may have grown.
  std::string& buffer() { return buffer_; }
  void Drain() {
    if (buffer_.size() >= kBufferSize) Flush({});
  }
  /// Throws away everything written so far, to write the file again from its start.
  void Restart();
  /// Flushes, closes and renames the temporary file over the destination (replacing it).
  void Commit();
  const std::string& path() const { return path_; }

 private:
  static constexpr std::size_t kBufferSize = 1 << 20;
  void Flush(std::string_view extra);
  [[noreturn]] void Fail(const std::string& what, int error) const;

  std::string path_;
  std::string temp_path_;
  int fd_ = -1;
  int temp_slot_ = -1;
  bool committed_ = false;
  std::string buffer_;
};

}  // namespace quorvex::sheet
