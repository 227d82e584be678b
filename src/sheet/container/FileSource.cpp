// A file on disk read with positioned reads.
#include "sheet/container/FileSource.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>
#include <system_error>

#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {

static_assert(sizeof(off_t) == 8, "FileSource needs 64-bit file offsets");

FileSource::FileSource(const std::string& path) : path_(path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    throw SheetError(SheetErrorCode::kIo, "cannot open '" + path + "': it is a folder, not a file");
  }
  descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor_ < 0) FailIo("cannot open '" + path + "'", errno);
  // Seeking to the end rather than asking fstat also refuses pipes, which cannot be read at an offset.
  const off_t end = ::lseek(descriptor_, 0, SEEK_END);
  if (end < 0) {
    const int error = errno;
    ::close(descriptor_);
    FailIo("cannot read '" + path + "'", error);
  }
  size_ = static_cast<std::uint64_t>(end);
}

FileSource::~FileSource() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

void FileSource::FailIo(const std::string& what, int error) const {
  std::string sentence = what;
  if (error != 0) sentence += ": " + std::string(std::strerror(error));
  throw SheetError(SheetErrorCode::kIo, sentence);
}

std::size_t FileSource::ReadAt(std::uint64_t offset, char* buffer, std::size_t size) const {
  if (offset >= size_) return 0;
  size = static_cast<std::size_t>(std::min<std::uint64_t>(size, size_ - offset));
  // pread may return less than asked (signals, reads over 2 GB); only the end of the file stops it.
  constexpr std::size_t kMaxRead = std::size_t{1} << 30;
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(descriptor_, buffer + done, std::min(size - done, kMaxRead),
                              static_cast<off_t>(offset + done));
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
