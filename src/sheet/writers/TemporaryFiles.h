// The temporary output files being written at this moment, so that a signal handler can remove them.
#pragma once

#include <string>

namespace quorvex::sheet {

/// Creates a new file from `pattern`, a path ending in "XXXXXX" (platform::CreateUniqueFile), and
/// remembers it until ForgetTemporaryFile, from before it exists, so that a signal at any moment
/// finds it. Sets `path` to the file's name and `slot` to its slot (-1 when every slot is taken or
/// the pattern is too long to keep: the file is then simply not tracked). Returns the open
/// descriptor, or -1 with errno set.
int CreateTemporaryFile(const std::string& pattern, std::string& path, int& slot);

/// Stops tracking the file of `slot` (-1 is ignored). Call it once the file is removed or
/// renamed, so that a signal in between finds nothing to remove.
void ForgetTemporaryFile(int slot);

/// Removes every remembered file. Async-signal-safe: it only reads atomics and removes files.
void RemoveTemporaryFiles() noexcept;

/// Makes an interrupt, a termination request or a hang-up remove the remembered files before the
/// program ends as it would have ended (platform::CallOnInterrupt). Call it once, early in main.
void RemoveTemporaryFilesOnInterrupt();

}  // namespace quorvex::sheet
