// A read-only file with positioned reads.
#include "sheet/container/InputFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/Utf8Path.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {

InputFile::InputFile(const std::string& path) : path_(path) {
  std::error_code ec;
  if (std::filesystem::is_directory(platform::PathFromUtf8(path), ec)) {
    throw SheetError(SheetErrorCode::kIo, "cannot open '" + path + "': it is a folder, not a file");
  }
  errno = 0;
  file_ = platform::OpenFile(path, "rb");
  if (file_ == nullptr) FailIo("cannot open '" + path + "'");
  // Reads are either tiny headers or large blocks; stdio buffering would only add a copy.
  std::setvbuf(file_, nullptr, _IONBF, 0);
  if (!platform::SeekFile(file_, 0, SEEK_END)) FailIo("cannot read '" + path + "'");
  const std::int64_t end = platform::TellFile(file_);
  if (end < 0) FailIo("cannot read '" + path + "'");
  size_ = static_cast<std::uint64_t>(end);
  position_ = size_;
}

InputFile::~InputFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void InputFile::FailIo(const std::string& what) const {
  const int error = errno;
  std::string sentence = what;
  if (error != 0) sentence += ": " + std::string(std::strerror(error));
  throw SheetError(SheetErrorCode::kIo, sentence);
}

std::size_t InputFile::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) {
  if (offset >= size_ || size == 0) return 0;
  const std::lock_guard<std::mutex> lock(mutex_);
  if (offset != position_) {
    if (offset > static_cast<std::uint64_t>(INT64_MAX) ||
        !platform::SeekFile(file_, static_cast<std::int64_t>(offset), SEEK_SET)) {
      FailIo("cannot read '" + path_ + "'");
    }
    position_ = offset;
  }
  errno = 0;
  const std::size_t n = std::fread(buffer, 1, size, file_);
  if (n < size && std::ferror(file_)) {
    std::clearerr(file_);
    position_ = ~std::uint64_t{0};
    FailIo("cannot read '" + path_ + "'");
  }
  position_ += n;
  return n;
}

}  // namespace quorvex::sheet::container
