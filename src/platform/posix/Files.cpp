// Files and folders on POSIX systems, where paths are bytes and UTF-8 needs no conversion.
#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace quorvex::platform {

static_assert(sizeof(off_t) == 8, "reading large workbooks needs 64-bit file offsets");

ReadHandle OpenForReading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

std::int64_t ReadableSize(ReadHandle file) {
  return ::lseek(static_cast<int>(file), 0, SEEK_END);
}

std::int64_t ReadAt(ReadHandle file, std::uint64_t offset, char* buffer, std::size_t size) {
  return ::pread(static_cast<int>(file), buffer, size, static_cast<off_t>(offset));
}

void CloseForReading(ReadHandle file) {
  ::close(static_cast<int>(file));
}

bool SeekFile(std::FILE* file, std::int64_t offset, int origin) {
  return ::fseeko(file, static_cast<off_t>(offset), origin) == 0;
}

std::FILE* OpenTemporaryFile() {
  return std::tmpfile();
}

int CreateUniqueFile(char* pattern) {
  return ::mkstemp(pattern);
}

void GiveUsualPermissions(int descriptor) {
  // mkstemp creates the file readable by its owner only.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(descriptor, 0666 & ~mask);
}

int RenameReplacing(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int RemoveFile(const char* path) noexcept {
  return ::unlink(path);
}

int MakeFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 ? 0 : errno;
}

std::size_t FileNameLimit(const std::string& folder) {
  const long limit = ::pathconf(folder.empty() ? "/" : folder.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
}

}  // namespace quorvex::platform
