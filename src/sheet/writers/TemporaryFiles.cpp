// The temporary output files being written at this moment, so that a signal handler can remove them.
#include "sheet/writers/TemporaryFiles.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/Files.h"
#include "platform/Interrupt.h"

namespace quorvex::sheet {
namespace {

enum SlotState : int { kFree = 0, kFilling = 1, kHeld = 2 };

struct Slot {
  std::atomic<int> state = kFree;
  char path[platform::kMaxPathBytes] = {};
};

// Each conversion job writes one file at a time and a run has at most 256 jobs; a fixed table
// needs no allocation in the handler, and slots never touched cost no memory.
std::array<Slot, 256> slots;

static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the slot states");

}  // namespace

int CreateTemporaryFile(const std::string& pattern, std::string& path, int& slot) {
  slot = -1;
  for (std::size_t i = 0; pattern.size() < platform::kMaxPathBytes && i < slots.size() && slot < 0; ++i) {
    int expected = kFree;
    if (slots[i].state.compare_exchange_strong(expected, kFilling)) {
      slot = static_cast<int>(i);
    }
  }
  if (slot < 0) {
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = platform::CreateUniqueFile(name.data());
    path = name.data();
    return fd;
  }
  // The name is made in the slot itself, which is held before the file exists: a signal during
  // the creation removes a name not yet created, or the file just created.
  Slot& held = slots[static_cast<std::size_t>(slot)];
  std::memcpy(held.path, pattern.c_str(), pattern.size() + 1);
  held.state.store(kHeld);
  const int fd = platform::CreateUniqueFile(held.path);
  path = held.path;
  if (fd < 0) {
    const int error = errno;
    ForgetTemporaryFile(std::exchange(slot, -1));
    errno = error;
  }
  return fd;
}

void ForgetTemporaryFile(int slot) {
  if (slot >= 0 && static_cast<std::size_t>(slot) < slots.size()) {
    slots[static_cast<std::size_t>(slot)].state.store(kFree);
  }
}

void RemoveTemporaryFiles() noexcept {
  for (Slot& slot : slots) {
    if (slot.state.load() == kHeld) {
      platform::RemoveFile(slot.path);
    }
  }
}

void RemoveTemporaryFilesOnInterrupt() {
  platform::CallOnInterrupt(RemoveTemporaryFiles);
}

}  // namespace quorvex::sheet
