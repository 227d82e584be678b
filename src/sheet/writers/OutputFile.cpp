// Buffered output to a temporary file, renamed into place on success.
#include "sheet/writers/OutputFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <utility>

#include "platform/Files.h"
#include "sheet/model/SheetError.h"
#include "sheet/writers/TemporaryFiles.h"

namespace quorvex::sheet {

namespace {

constexpr char kTemporarySuffix[] = ".partial-XXXXXX";
// Folders are separated by '/', on Windows by '\\' too; the file names made here hold neither.
constexpr char kSeparators[] = "/\\";

// The longest file name every file system takes, in UTF-8 bytes.
constexpr std::size_t kNameLimit = 255;

// The destination's name cut so that the temporary name stays within the file-name limit; the cut
// never splits a UTF-8 sequence.
std::string TemporaryPattern(const std::string& path) {
  const std::size_t name_start = path.find_last_of(kSeparators) + 1;  // 0 when there is none
  const std::size_t room = kNameLimit - (sizeof kTemporarySuffix - 1);
  std::size_t end = path.size();
  if (end - name_start > room) {
    end = name_start + room;
    while (end > name_start && (static_cast<unsigned char>(path[end]) & 0xC0) == 0x80) --end;
  }
  return path.substr(0, end) + kTemporarySuffix;
}

/// Writes all of `bytes` to `fd`; returns 0 or the system's error number.
int WriteAll(int fd, std::string_view bytes) {
  const char* data = bytes.data();
  std::size_t size = bytes.size();
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

}  // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {
  // The temporary file sits beside the destination so that the final rename stays on one
  // file system and is atomic.
  fd_ = CreateTemporaryFile(TemporaryPattern(path_), temp_path_, temp_slot_);
  if (fd_ < 0) {
    temp_path_.clear();
    Fail("cannot create", errno);
  }
  buffer().reserve(kBufferSize);
}

OutputFile::~OutputFile() {
  behind_.reset();  // the thread stops writing before the file closes
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_path_.empty()) platform::RemoveFile(temp_path_.c_str());
  ForgetTemporaryFile(temp_slot_);
}

void OutputFile::Emit(std::string_view bytes) {
  if (!behind_ && !committing_) StartWriteBehind();
  const int error = behind_ ? behind_->Push(bytes) : WriteAll(fd_, bytes);
  if (error != 0) Fail("cannot write", error);
}

void OutputFile::StartWriteBehind() {
  try {
    behind_ =
        std::make_unique<WriteBehind>([fd = fd_](std::string_view bytes) { return WriteAll(fd, bytes); });
  } catch (const std::system_error&) {
    // No thread to be had: the file is written here.
  }
}

void OutputFile::Restart() {
  DiscardBuffer();
  if (behind_) {
    const int error = behind_->Discard();
    if (error != 0) Fail("cannot write", error);
  }
  if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) Fail("cannot write", errno);
}

void OutputFile::Commit() {
  committing_ = true;
  Flush();
  if (behind_) {
    const int error = behind_->Wait();
    behind_.reset();
    if (error != 0) Fail("cannot write", error);
  }
  platform::GiveUsualPermissions(fd_);
  if (::close(fd_) != 0) {
    fd_ = -1;
    Fail("cannot write", errno);
  }
  fd_ = -1;
  if (const int error = platform::RenameReplacing(temp_path_, path_); error != 0)
    Fail("cannot replace", error);
  committed_ = true;
  ForgetTemporaryFile(std::exchange(temp_slot_, -1));
}

void OutputFile::Fail(const std::string& what, int error) const {
  // The file is the error's part, so that a message naming the file already need not repeat it.
  throw SheetError(SheetErrorCode::kIo, what + ": " + std::strerror(error), path_);
}

}  // namespace quorvex::sheet
