#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/MacroReport.h"
#include "device/AtomicFile.h"

namespace qeltra3k::cli {

int MacrosCommand(const Args& args, std::ostream& out, std::ostream& err)
{
    constexpr const char* kUsage = "usage: qeltra3k macros LIBRARY_FILE [--eeprom | --driver] [--json]\n";
    std::string path;
    std::string layout;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg == "--json")
            json = true;
        else if ((arg == "--eeprom" || arg == "--driver") && layout.empty())
            layout = arg.substr(2);
        else if (path.empty() && !arg.starts_with('-'))
            path = arg;
        else {
            err << kUsage;
            return kExitUsage;
        }
    }
    if (path.empty()) {
        err << kUsage;
        return kExitUsage;
    }
    const device::FileContent file = device::ReadWholeFile(path);
    if (!file.bytes) {
        err << "qeltra3k: cannot read '" << path << "': " << file.error << '\n';
        return kExitBadFile;
    }
    const auto report = LibraryReport(*file.bytes, layout);
    if (json)
        out << report.dump(2) << '\n';
    else
        out << FormatLibraryReport(report);
    return kExitOk;
}

}  // namespace qeltra3k::cli
