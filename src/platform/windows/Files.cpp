// Files and folders on Windows: UTF-8 paths become UTF-16 for the wide-character API.
#include "platform/Files.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

#include "platform/windows/WideText.h"

namespace quorvex::platform {
namespace {

// The errno value closest to a Windows error, so that messages read as on other systems.
int ErrnoFromWindowsError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
      return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default:
      return EIO;
  }
}

// A C runtime descriptor over `handle`, in binary mode; -1 with errno set (the handle is closed).
int DescriptorFor(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) {
    errno = ErrnoFromWindowsError(::GetLastError());
    return -1;
  }
  const int descriptor = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
  if (descriptor < 0) {
    ::CloseHandle(handle);
    errno = EMFILE;
  }
  return descriptor;
}

// Other programs may read the file, and it may be removed while open (an interrupted run
// removes the files it is writing).
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

ReadHandle OpenForReading(const std::string& path) {
  const HANDLE handle = ::CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) errno = ErrnoFromWindowsError(::GetLastError());
  return reinterpret_cast<ReadHandle>(handle);
}

std::int64_t ReadableSize(ReadHandle file) {
  const HANDLE handle = reinterpret_cast<HANDLE>(file);
  LARGE_INTEGER size{};
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    errno = ESPIPE;
    return -1;
  }
  if (!::GetFileSizeEx(handle, &size)) {
    errno = ErrnoFromWindowsError(::GetLastError());
    return -1;
  }
  return size.QuadPart;
}

std::int64_t ReadAt(ReadHandle file, std::uint64_t offset, char* buffer, std::size_t size) {
  // The offset travels with the call; reads on one handle from several threads are serialised
  // by the system, each at its own offset.
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD read = 0;
  const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, DWORD{1} << 30));
  if (::ReadFile(reinterpret_cast<HANDLE>(file), buffer, want, &read, &at)) return read;
  const DWORD error = ::GetLastError();
  if (error == ERROR_HANDLE_EOF) return 0;
  errno = ErrnoFromWindowsError(error);
  return -1;
}

void CloseForReading(ReadHandle file) {
  ::CloseHandle(reinterpret_cast<HANDLE>(file));
}

bool SeekFile(std::FILE* file, std::int64_t offset, int origin) {
  return ::_fseeki64(file, offset, origin) == 0;
}

std::FILE* OpenTemporaryFile() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH || ::GetTempFileNameW(folder, L"qvx", 0, name) == 0) {
    errno = ErrnoFromWindowsError(::GetLastError());
    return nullptr;
  }
  // GetTempFileNameW made the file; reopen it so that closing it, or the end of the program,
  // removes it.
  const HANDLE handle =
      ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, TRUNCATE_EXISTING,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  const int descriptor = DescriptorFor(handle);
  if (descriptor < 0) {
    const int error = errno;
    ::DeleteFileW(name);
    errno = error;
    return nullptr;
  }
  std::FILE* file = ::_fdopen(descriptor, "w+b");
  if (file == nullptr) ::_close(descriptor);
  return file;
}

int CreateUniqueFile(char* pattern) {
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  constexpr int kBase = sizeof kLetters - 1;
  static std::atomic<unsigned long long> counter{0};
  const std::size_t length = std::char_traits<char>::length(pattern);
  if (length < 6) {
    errno = EINVAL;
    return -1;
  }
  char* x = pattern + length - 6;
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned long long seed = ::GetTickCount64() * 7919u + ::GetCurrentProcessId() * 104729u + counter++;
    for (int i = 0; i < 6; ++i, seed /= kBase) x[i] = kLetters[seed % kBase];
    const HANDLE handle = ::CreateFileW(WideFromUtf8(pattern).c_str(), GENERIC_READ | GENERIC_WRITE,
                                        kShareAll, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS) continue;
    return DescriptorFor(handle);
  }
  errno = EEXIST;
  return -1;
}

void GiveUsualPermissions(int) {}

int RenameReplacing(const std::string& from, const std::string& to) {
  if (::MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(), MOVEFILE_REPLACE_EXISTING))
    return 0;
  return ErrnoFromWindowsError(::GetLastError());
}

int RemoveFile(const char* path) noexcept {
  try {
    return ::_wunlink(WideFromUtf8(path).c_str());
  } catch (...) {  // out of memory for the wide name
    errno = ENOMEM;
    return -1;
  }
}

int MakeFolder(const std::string& path) {
  return ::_wmkdir(WideFromUtf8(path).c_str()) == 0 ? 0 : errno;
}

std::size_t FileNameLimit(const std::string&) {
  // NTFS, FAT and exFAT take 255 UTF-16 units, never fewer than 255 UTF-8 bytes.
  return 255;
}

}  // namespace quorvex::platform
