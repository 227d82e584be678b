// Buffered output to a temporary file, renamed into place on success.
#include "sheet/writers/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "sheet/model/SheetError.h"

namespace quorvex::sheet {

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  // The temporary file sits beside the destination so that the final rename stays on one
  // file system and is atomic.
  std::string pattern = path_ + ".partial-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd_ = ::mkstemp(name.data());
  if (fd_ < 0) Fail("cannot create", errno);
  temp_path_ = name.data();
  buffer_.reserve(kBufferSize);
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_path_.empty()) ::unlink(temp_path_.c_str());
}

void OutputFile::Flush(std::string_view extra) {
  auto write_all = [this](const char* data, std::size_t size) {
    while (size > 0) {
      ssize_t written = ::write(fd_, data, size);
      if (written < 0) {
        if (errno == EINTR) continue;
        Fail("cannot write", errno);
      }
      data += written;
      size -= static_cast<std::size_t>(written);
    }
  };
  write_all(buffer_.data(), buffer_.size());
  buffer_.clear();
  write_all(extra.data(), extra.size());
}

void OutputFile::Restart() {
  buffer_.clear();
  if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) Fail("cannot write", errno);
}

void OutputFile::Commit() {
  Flush({});
  // mkstemp creates the file readable by its owner only; give it the usual permissions.
  mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd_, 0666 & ~mask);
  if (::close(fd_) != 0) {
    fd_ = -1;
    Fail("cannot write", errno);
  }
  fd_ = -1;
  if (::rename(temp_path_.c_str(), path_.c_str()) != 0) Fail("cannot replace", errno);
  committed_ = true;
}

void OutputFile::Fail(const std::string& what, int error) const {
  throw SheetError(SheetErrorCode::kIo, what + " \"" + path_ + "\": " + std::strerror(error));
}

}  // namespace quorvex::sheet
