// Cleaning up on Ctrl-C, Ctrl-Break and the console closing, then ending as Windows would.
#include "platform/Interrupt.h"

#include <windows.h>

#include <atomic>

namespace quorvex::platform {
namespace {

std::atomic<InterruptCleanup> interrupt_cleanup{nullptr};

// Runs on a thread of its own; returning FALSE passes the event on to the default handler,
// which ends the process with the status Windows gives an interrupted program.
BOOL WINAPI CleanUpAndPassOn(DWORD) {
  if (const InterruptCleanup cleanup = interrupt_cleanup.load()) cleanup();
  return FALSE;
}

}  // namespace

void CallOnInterrupt(InterruptCleanup cleanup) {
  interrupt_cleanup.store(cleanup);
  ::SetConsoleCtrlHandler(CleanUpAndPassOn, TRUE);
}

}  // namespace quorvex::platform
