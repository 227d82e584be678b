// The program's arguments from the wide command line, and a console that shows UTF-8.
#include "platform/Console.h"

#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdlib>

#include "platform/windows/WideText.h"

namespace quorvex::platform {
namespace {

UINT console_code_page_before = 0;

// The console's code page outlives the program; the user's own is given back.
void RestoreConsoleCodePage() {
  ::SetConsoleOutputCP(console_code_page_before);
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
  }
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

void UseUtf8Console() {
  const UINT before = ::GetConsoleOutputCP();
  if (before == 0 || before == CP_UTF8 || !::SetConsoleOutputCP(CP_UTF8)) return;
  console_code_page_before = before;
  std::atexit(RestoreConsoleCodePage);
}

bool IsEscapeTerminal(std::FILE* stream) {
  const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
  DWORD mode = 0;
  if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode)) return false;
  return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
         ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace quorvex::platform
