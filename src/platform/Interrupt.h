// Cleaning up when the user interrupts the program or the system asks it to end.
#pragma once

namespace quorvex::platform {

/// What runs on an interrupt; it must be async-signal-safe on POSIX systems.
using InterruptCleanup = void (*)() noexcept;

/// Makes an interrupt (Ctrl-C), a termination request or a hang-up run `cleanup` before the
/// program ends as it would have ended without it: on POSIX systems SIGINT, SIGTERM and SIGHUP
/// (keeping the exit status, 130 for ^C), on Windows Ctrl-C, Ctrl-Break and closing the console.
/// Call it once, early in main.
void CallOnInterrupt(InterruptCleanup cleanup);

}  // namespace quorvex::platform
