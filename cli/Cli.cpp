#include "cli/Cli.h"

#include <iostream>

#include "cli/Commands.h"

namespace qeltra3k::cli {

namespace {

constexpr const char* kUsage =
    "usage: qeltra3k COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  show IMAGE_FILE [--language N] [--json]\n"
    "                      print the decoded configuration of a 2048-byte image\n"
    "  macros LIBRARY_FILE [--eeprom | --driver] [--json]\n"
    "                      list the macros of a \"Macro.bin\" or \"Driver_Macro.bin\" with their rows\n"
    "  resource NAME [-o FILE]\n"
    "                      write an embedded resource's bytes (to standard output by default)\n"
    "  resource --list     list the embedded resources\n"
    "  help                show this text\n";

struct Command {
    const char* name;
    int (*run)(const Args&, std::ostream&, std::ostream&);
};

constexpr Command kCommands[] = {
    {"show", ShowCommand},
    {"macros", MacrosCommand},
    {"resource", ResourceCommand},
};

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& name = args.front();
    if (name == "help" || name == "--help" || name == "-h") {
        out << kUsage;
        return kExitOk;
    }
    for (const Command& command : kCommands) {
        if (name == command.name)
            return command.run(Args(args.begin() + 1, args.end()), out, err);
    }
    err << "qeltra3k: unknown command '" << name << "'\n\n" << kUsage;
    return kExitUsage;
}

int Run(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return Run(args, std::cout, std::cerr);
}

}  // namespace qeltra3k::cli
