// Cleaning up on SIGINT, SIGTERM and SIGHUP, then ending as the signal ends a program.
#include "platform/Interrupt.h"

#include <signal.h>

#include <atomic>

namespace quorvex::platform {
namespace {

std::atomic<InterruptCleanup> interrupt_cleanup{nullptr};

void CleanUpAndEnd(int signal_number) {
  if (const InterruptCleanup cleanup = interrupt_cleanup.load()) cleanup();
  // Ending as the signal ends a program keeps the exit status the caller expects (130 for ^C).
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

}  // namespace

void CallOnInterrupt(InterruptCleanup cleanup) {
  interrupt_cleanup.store(cleanup);
  struct sigaction action = {};
  action.sa_handler = CleanUpAndEnd;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    ::sigaction(signal_number, &action, nullptr);
  }
}

}  // namespace quorvex::platform
