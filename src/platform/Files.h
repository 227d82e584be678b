// Files and folders named by UTF-8 paths: the calls whose form differs between POSIX and Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace quorvex::platform {

/// The longest path, in UTF-8 bytes, that a table of remembered file names keeps.
inline constexpr std::size_t kMaxPathBytes = 4096;

/// A file open for positioned reads: a descriptor on POSIX systems, a HANDLE on Windows.
using ReadHandle = std::intptr_t;
inline constexpr ReadHandle kNoReadHandle = -1;

/// Opens `path` for reading, not inherited by programs started later. kNoReadHandle with errno set.
ReadHandle OpenForReading(const std::string& path);

/// The size of `file`, found by seeking to its end, which also refuses pipes. -1 with errno set.
std::int64_t ReadableSize(ReadHandle file);

/// Reads up to `size` bytes at `offset` without a shared file position, so that several threads
/// may read at once. Returns the count (fewer than asked is possible anywhere, 0 at the end), or
/// -1 with errno set (EINTR: try again).
std::int64_t ReadAt(ReadHandle file, std::uint64_t offset, char* buffer, std::size_t size);

void CloseForReading(ReadHandle file);

/// Moves `file` to byte `offset` from SEEK_SET, SEEK_CUR or SEEK_END, with 64-bit offsets on every
/// system. False with errno set.
bool SeekFile(std::FILE* file, std::int64_t offset, int origin);

/// A new binary file open for reading and writing that is removed when closed, or when the
/// program ends, however it ends (std::tmpfile, which on Windows would write to the drive's root).
/// nullptr with errno set.
std::FILE* OpenTemporaryFile();

/// Creates a new binary file from `pattern`, a UTF-8 path ending in "XXXXXX", whose last six
/// characters it replaces in place to make a name nothing holds yet (as mkstemp does). The file is
/// readable and writable by its owner only until GiveUsualPermissions. Returns the open
/// descriptor, or -1 with errno set.
int CreateUniqueFile(char* pattern);

/// Gives the file behind `descriptor` the permissions a newly created file gets (umask applied);
/// nothing on Windows, whose new files already have them.
void GiveUsualPermissions(int descriptor);

/// Renames `from` to `to`, replacing any file `to` names. Returns 0 or an errno value.
int RenameReplacing(const std::string& from, const std::string& to);

/// Removes the file `path`. Returns 0 or -1 with errno set. Async-signal-safe on POSIX systems;
/// on Windows a file still open elsewhere goes when its last handle is closed.
int RemoveFile(const char* path) noexcept;

/// Creates the one folder `path` (its parent must exist). Returns 0 or an errno value.
int MakeFolder(const std::string& path);

/// The longest file name, in UTF-8 bytes, that the file system holding `folder` takes.
std::size_t FileNameLimit(const std::string& folder);

}  // namespace quorvex::platform
