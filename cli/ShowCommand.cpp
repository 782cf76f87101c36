#include <algorithm>
#include <ostream>

#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/ImageReport.h"
#include "device/AtomicFile.h"
#include "ui/text/LanguageTable.h"

namespace qeltra3k::cli {

namespace {

constexpr const char* kShowUsage = "usage: qeltra3k show IMAGE_FILE [--language N] [--json]\n";
constexpr int kEnglish = 2;

}  // namespace

int ShowCommand(const Args& args, std::ostream& out, std::ostream& err)
{
    std::string path;
    int language = kEnglish;
    bool json = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--json")
            json = true;
        else if (args[i] == "--language" && i + 1 < args.size()) {
            const std::string& n = args[++i];
            if (n != "1" && n != "2" && n != "3") {
                err << "qeltra3k: --language takes 1 (Polish), 2 (English) or 3 (Traditional Chinese)\n";
                return kExitUsage;
            }
            language = n[0] - '0';
        } else if (path.empty() && !args[i].starts_with('-'))
            path = args[i];
        else {
            err << kShowUsage;
            return kExitUsage;
        }
    }
    if (path.empty()) {
        err << kShowUsage;
        return kExitUsage;
    }

    const device::FileContent file = device::ReadWholeFile(path);
    if (!file.bytes) {
        err << "qeltra3k: cannot read '" << path << "': " << file.error << '\n';
        return kExitBadFile;
    }
    if (file.bytes->size() != config::kImageSize) {
        err << "qeltra3k: '" << path << "' holds " << file.bytes->size()
            << " bytes; a configuration image is exactly " << config::kImageSize << " bytes";
        if (file.bytes->size() == config::kSettingsStretchLength)
            err << " (this is a settings read: `qeltra3k read --full` reads the whole image)";
        err << '\n';
        return kExitBadFile;
    }
    const text::LanguageTableLoading table = text::LoadLanguageTable(language);
    if (!table.table) {
        err << "qeltra3k: language table " << language << ": " << table.error << '\n';
        return kExitFailure;
    }
    config::DeviceImage image{};
    std::copy(file.bytes->begin(), file.bytes->end(), image.begin());
    const auto report = BuildImageReport(image, *table.table);
    if (json)
        out << report.dump(2) << '\n';
    else
        out << "Configuration image " << path << "\n\n" << FormatImageReport(report);
    return kExitOk;
}

}  // namespace qeltra3k::cli
