#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace qeltra3k::cli {

// Exit codes of the qeltra3k tool; scripts can tell the failures apart.
enum ExitCode : int {
    kExitOk = 0,
    kExitFailure = 1,
    kExitUsage = 2,
    kExitBadFile = 3,
    kExitNoDevice = 4,
    kExitRefused = 5,
    kExitNotReady = 6,
    kExitVerifyFailed = 7,
};

// Runs the qeltra3k command line with `args` (without the program name); returns the exit code.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

int Run(int argc, char** argv);

}  // namespace qeltra3k::cli
