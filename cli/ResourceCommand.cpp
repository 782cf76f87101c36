#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "device/AtomicFile.h"
#include "resources/Resources.h"

namespace qeltra3k::cli {

int ResourceCommand(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && args[0] == "--list") {
        for (std::string_view name : resources::Names()) {
            const auto bytes = resources::Find(name);
            out << name << '\t' << bytes->size() << '\n';
        }
        return kExitOk;
    }
    std::string name;
    std::string outputPath;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size())
            outputPath = args[++i];
        else if (name.empty() && !args[i].starts_with('-'))
            name = args[i];
        else {
            err << "usage: qeltra3k resource NAME [-o FILE] | qeltra3k resource --list\n";
            return kExitUsage;
        }
    }
    if (name.empty()) {
        err << "usage: qeltra3k resource NAME [-o FILE] | qeltra3k resource --list\n";
        return kExitUsage;
    }
    const auto bytes = resources::Find(name);
    if (!bytes) {
        err << "qeltra3k: no resource named '" << name << "' (see qeltra3k resource --list)\n";
        return kExitFailure;
    }
    if (outputPath.empty()) {
        out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
        return out ? kExitOk : kExitFailure;
    }
    std::string error;
    if (!device::WriteFileAtomically(outputPath, *bytes, error)) {
        err << "qeltra3k: cannot write '" << outputPath << "': " << error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace qeltra3k::cli
