// The quorvex command line: parses the arguments, converts, and catches at the top.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "automation/builtin/BuiltinApplication.h"
#include "cli/CommandLine.h"
#include "cli/ConsoleControls.h"
#include "cli/ConvertCommand.h"
#include "cli/ListCommand.h"
#include "platform/Console.h"
#include "sheet/writers/TemporaryFiles.h"

int main(int argc, char** argv) {
  using namespace quorvex;
  // An interrupted run leaves no half-written temporary file behind.
  sheet::RemoveTemporaryFilesOnInterrupt();
  platform::UseUtf8Console();
  try {
    const std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
    const cli::ParsedCommandLine parsed = cli::ParseCommandLine(arguments);
    if (parsed.show_help) {
      std::fputs(cli::HelpText().c_str(), stdout);
      return 0;
    }
    if (parsed.show_version) {
      std::printf("quorvex %s\n", QUORVEX_VERSION);
      return 0;
    }
    if (parsed.list) {
      return cli::RunList(*parsed.list, stdout, stderr, &automation::CreateBuiltinApplication);
    }
    if (!parsed.convert) {
      std::fprintf(stderr, "quorvex: %s\nTry 'quorvex --help'.\n", parsed.error.c_str());
      return 2;
    }
    cli::ConsoleControls controls(stdout, stderr, parsed.convert->quiet, platform::IsEscapeTerminal(stderr));
    return cli::RunConvert(*parsed.convert, controls,
                           automation::BuiltinApplicationFactory(parsed.convert->save));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "quorvex: %s\n", error.what());
    return 1;
  }
}
