#include "cli/Cli.h"

#include <iostream>

namespace qeltra3k::cli {

int Run(int, char**)
{
    std::cerr << "usage: qeltra3k COMMAND ...\n";
    return 2;
}

}  // namespace qeltra3k::cli
