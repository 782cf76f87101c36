#include "cli/Cli.h"

#include <iostream>

#if defined(__linux__)
#include <sys/prctl.h>
#endif

#include "cli/Commands.h"
#include "cli/DeviceSession.h"

namespace qeltra3k::cli {

namespace {

constexpr const char* kUsage =
    "usage: qeltra3k COMMAND [ARGS] [DEVICE OPTIONS]\n"
    "\n"
    "commands on files:\n"
    "  show IMAGE_FILE [--language N] [--json]\n"
    "                      print the decoded configuration of a 2048-byte image\n"
    "  macros LIBRARY_FILE [--eeprom | --driver] [--json]\n"
    "                      list the macros of a \"Macro.bin\" or \"Driver_Macro.bin\" with their rows\n"
    "  resource NAME [-o FILE]\n"
    "                      write an embedded resource's bytes (to standard output by default)\n"
    "  resource --list     list the embedded resources\n"
    "  help                show this text\n"
    "\n"
    "commands on the mouse (each first finds, identifies and reads it as the editor does):\n"
    "  list                list the HID interfaces: path, vendor:product, version, feature report\n"
    "                      length, and whether the mouse search accepts them or why not\n"
    "  show [--json]       read the whole memory of the mouse and print it as show IMAGE_FILE does\n"
    "  read [--full] -o FILE\n"
    "                      write the 255-byte settings stretch (--full: the 2048-byte image; in\n"
    "                      driver mode the 40960-byte driver image) to FILE\n"
    "  save-profile FILE   save the profile (\".bin\" is added when FILE lacks it)\n"
    "  load-profile FILE   load a profile into the mouse, written and verified\n"
    "  reset 1|2|3|cpi|led reset to default configuration 1, 2 or 3, or the DPI or lighting defaults\n"
    "  apply IMAGE         write an image's sections (and, for a whole image, the macro slots its\n"
    "                      buttons use and its fire macros) as Apply writes them; in driver mode\n"
    "                      IMAGE is a 40960-byte driver image\n"
    "  key-test            show the buttons pressed until five seconds pass without a press\n"
    "\n"
    "device options (before or after the command):\n"
    "  --virtual-mouse[=IMAGE_FILE]\n"
    "                      use the virtual mouse, its memory kept in IMAGE_FILE (default:\n"
    "                      virtual-mouse.bin in $XDG_DATA_HOME/qeltra3k)\n"
    "  --vm-fault=KIND[:ARG]\n"
    "                      a fault of the virtual mouse, repeatable: no-answer, lose-chunk:N,\n"
    "                      stuck:ADDR, not-ready, chip:BYTE, slow:N, unplug-after:N\n"
    "  --driver-mode       the configuration lives in the PC filter driver\n"
    "  --language N        messages in language 1 (Polish), 2 (English, the default) or 3\n"
    "\n"
    "exit codes: 0 done, 1 failure, 2 wrong use, 3 bad file, 4 no device,\n"
    "            5 identification refused, 6 mouse not ready, 7 verify failed\n";

using CommandRun = int (*)(const Args&, const Environment&, std::ostream&, std::ostream&);

// A command on files runs the same in every environment.
template <int (*Command)(const Args&, std::ostream&, std::ostream&)>
int OnFiles(const Args& args, const Environment&, std::ostream& out, std::ostream& err)
{
    return Command(args, out, err);
}

// `show` decodes a file when it is given one, and reads the mouse when not.
int ShowEither(const Args& args, const Environment& environment, std::ostream& out, std::ostream& err)
{
    bool file = false;
    bool deviceOption = false;
    for (std::size_t i = 0; i < args.size();) {
        if (const std::size_t words = DeviceOptionWords(args, i)) {
            deviceOption = deviceOption || IsDeviceOption(args[i]);
            i += words;
            continue;
        }
        file = file || !args[i].starts_with('-');
        ++i;
    }
    if (!file)
        return ShowDeviceCommand(args, environment, out, err);
    if (deviceOption) {
        err << "qeltra3k: show decodes IMAGE_FILE or reads the mouse, not both\n";
        return kExitUsage;
    }
    return ShowCommand(args, out, err);
}

struct Command {
    const char* name;
    CommandRun run;
};

constexpr Command kCommands[] = {
    {"show", ShowEither},
    {"macros", OnFiles<MacrosCommand>},
    {"resource", OnFiles<ResourceCommand>},
    {"list", ListCommand},
    {"read", ReadCommand},
    {"save-profile", SaveProfileCommand},
    {"load-profile", LoadProfileCommand},
    {"reset", ResetCommand},
    {"apply", ApplyCommand},
    {"key-test", KeyTestCommand},
};

}  // namespace

int RunIn(const Environment& environment, const std::vector<std::string>& args, std::ostream& out,
          std::ostream& err)
{
    // Device options may stand before the command: they join its own words.
    Args leading;
    std::size_t first = 0;
    while (first < args.size()) {
        const std::size_t words = DeviceOptionWords(args, first);
        if (words == 0)
            break;
        leading.insert(leading.end(), args.begin() + static_cast<std::ptrdiff_t>(first),
                       args.begin() + static_cast<std::ptrdiff_t>(first + words));
        first += words;
    }
    if (first == args.size()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string& name = args[first];
    if (name == "help" || name == "--help" || name == "-h") {
        out << kUsage;
        return kExitOk;
    }
    Args rest(args.begin() + static_cast<std::ptrdiff_t>(first) + 1, args.end());
    rest.insert(rest.end(), leading.begin(), leading.end());
    for (const Command& command : kCommands) {
        if (name == command.name)
            return command.run(rest, environment, out, err);
    }
    err << "qeltra3k: unknown command '" << name << "'\n\n" << kUsage;
    return kExitUsage;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    return RunIn(MachineEnvironment(), args, out, err);
}

int Run(int argc, char** argv)
{
#if defined(__linux__)
    // A transfer is hundreds of 5 and 10 ms pauses: the default 50 us timer slack on each
    // would add a few percent to every read and write for nothing.
    prctl(PR_SET_TIMERSLACK, 1UL);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    return Run(args, std::cout, std::cerr);
}

}  // namespace qeltra3k::cli
