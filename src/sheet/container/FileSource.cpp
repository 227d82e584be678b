// A file on disk read with positioned reads.
#include "sheet/container/FileSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

#include "platform/Utf8Path.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {

FileSource::FileSource(const std::string& path) : path_(path) {
  std::error_code ec;
  if (std::filesystem::is_directory(platform::PathFromUtf8(path), ec)) {
    throw SheetError(SheetErrorCode::kIo, "cannot open '" + path + "': it is a folder, not a file");
  }
  file_ = platform::OpenForReading(path);
  if (file_ == platform::kNoReadHandle) FailIo("cannot open '" + path + "'", errno);
  // Pipes cannot be read at an offset: finding the size refuses them.
  const std::int64_t end = platform::ReadableSize(file_);
  if (end < 0) {
    const int error = errno;
    platform::CloseForReading(file_);
    FailIo("cannot read '" + path + "'", error);
  }
  size_ = static_cast<std::uint64_t>(end);
}

FileSource::~FileSource() {
  if (file_ != platform::kNoReadHandle) platform::CloseForReading(file_);
}

void FileSource::FailIo(const std::string& what, int error) const {
  std::string sentence = what;
  if (error != 0) sentence += ": " + std::string(std::strerror(error));
  throw SheetError(SheetErrorCode::kIo, sentence);
}

std::size_t FileSource::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const {
  if (offset >= size_) return 0;
  size = static_cast<std::size_t>(std::min<std::uint64_t>(size, size_ - offset));
  // A read may return less than asked (signals, reads over 2 GB); only the end of the file stops it.
  constexpr std::size_t kMaxRead = std::size_t{1} << 30;
  std::size_t done = 0;
  while (done < size) {
    const std::int64_t n =
        platform::ReadAt(file_, offset + done, buffer + done, std::min(size - done, kMaxRead));
    if (n < 0) {
      if (errno == EINTR) continue;
      FailIo("cannot read '" + path_ + "'", errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

}  // namespace quorvex::sheet::container
