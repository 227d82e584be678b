// The program's arguments and its console, in UTF-8 on every system.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace quorvex::platform {

/// The program's arguments after its name, in UTF-8. On Windows they are read from the wide
/// command line, since argv holds them in the system's code page and loses what it cannot hold.
std::vector<std::string> ProgramArguments(int argc, char** argv);

/// Makes a console show the UTF-8 text the program prints: on Windows the console's output code
/// page is UTF-8 until the program ends. Nothing elsewhere, where terminals take UTF-8 as it is.
void UseUtf8Console();

/// Whether `stream` is a terminal that takes a progress line's "\r" and "\033[K". On Windows
/// this switches the console's handling of such escapes on, and a console without it is no such
/// terminal.
bool IsEscapeTerminal(std::FILE* stream);

}  // namespace quorvex::platform
