// The program's arguments and its terminal on POSIX systems, where both are UTF-8 bytes as they are.
#include "platform/Console.h"

#include <unistd.h>

namespace quorvex::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

void UseUtf8Console() {}

bool IsEscapeTerminal(std::FILE* stream) {
  return ::isatty(::fileno(stream)) != 0;
}

}  // namespace quorvex::platform
