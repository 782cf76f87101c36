// The commands that take the mouse's configuration to the PC: read, show (without a file)
// and save-profile.
#include <algorithm>
#include <ostream>
#include <span>

#include "app/ProfileFiles.h"
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DeviceSession.h"
#include "cli/ImageReport.h"
#include "config/ConfigImage.h"
#include "device/AtomicFile.h"
#include "ui/text/LanguageTable.h"

namespace qeltra3k::cli {

namespace {

constexpr std::size_t kDriverStateOffset = config::driver::DriverTempCPIAndLedData;

int WriteOutput(const std::string& path, std::span<const std::uint8_t> bytes, std::ostream& err)
{
    std::string error;
    if (device::WriteFileAtomically(path, bytes, error))
        return kExitOk;
    err << "qeltra3k: cannot write '" << path << "': " << error << '\n';
    return kExitBadFile;
}

// The driver image as the filter driver holds it, with the state record the mouse runs,
// as a driver-mode profile carries it.
std::optional<std::vector<std::uint8_t>> DriverImageWithState(Session& session)
{
    device::DriverChannel* driver = session.Driver();
    auto image = driver != nullptr ? driver->ReadImage() : std::nullopt;
    if (!image || image->size() != config::kDriverImageSize)
        return std::nullopt;
    const auto& state = session.Controller().DriverTempCPIAndLedData();
    std::copy(state.begin(), state.end(), image->begin() + static_cast<std::ptrdiff_t>(kDriverStateOffset));
    return image;
}

}  // namespace

int ReadCommand(const Args& input, const Environment& environment, std::ostream& out, std::ostream& err)
{
    constexpr const char* kReadUsage = "usage: qeltra3k read [--full] -o FILE [DEVICE OPTIONS]\n";
    Args args = input;
    DeviceOptions options;
    if (!TakeDeviceOptions(args, options, err, kReadUsage))
        return kExitUsage;
    bool full = false;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--full")
            full = true;
        else if ((args[i] == "-o" || args[i] == "--output") && i + 1 < args.size() && output.empty())
            output = args[++i];
        else {
            err << kReadUsage;
            return kExitUsage;
        }
    }
    if (output.empty()) {
        err << kReadUsage;
        return kExitUsage;
    }

    Session session(environment, options, out, err);
    if (const int code = session.Start())
        return code;
    app::Controller& controller = session.Controller();

    if (!controller.EepromMode()) {
        // The driver holds the whole configuration; connecting has read its sections.
        const auto image = DriverImageWithState(session);
        if (!image) {
            err << "qeltra3k: the filter driver's image could not be read\n";
            return kExitFailure;
        }
        if (const int code = WriteOutput(output, *image, err))
            return code;
        out << "Read the driver image (" << image->size() << " bytes) into " << output << '\n';
        return kExitOk;
    }

    // Connecting has read the settings stretch, as the device watch does when the mouse
    // arrives; the whole image takes the full read of Save Profile.
    std::size_t length = config::kSettingsStretchLength;
    if (full) {
        if (const int code = session.Finish(controller.ReadDevInfo(true)))
            return code;
        length = config::kImageSize;
    }
    // Only what was read goes into the file: past the settings stretch the image holds no
    // bytes of the mouse.
    const auto bytes = std::span<const std::uint8_t>(controller.DeviceImage()).first(length);
    if (const int code = WriteOutput(output, bytes, err))
        return code;
    out << "Read " << length << " bytes from the mouse into " << output << '\n';
    return kExitOk;
}

int ShowDeviceCommand(const Args& input, const Environment& environment, std::ostream& out, std::ostream& err)
{
    constexpr const char* kShowUsage = "usage: qeltra3k show [--json] [DEVICE OPTIONS]\n";
    Args args = input;
    DeviceOptions options;
    if (!TakeDeviceOptions(args, options, err, kShowUsage))
        return kExitUsage;
    bool json = false;
    for (const std::string& arg : args) {
        if (arg != "--json") {
            err << kShowUsage;
            return kExitUsage;
        }
        json = true;
    }
    const text::LanguageTableLoading table = text::LoadLanguageTable(options.language);
    if (!table.table) {
        err << "qeltra3k: language table " << options.language << ": " << table.error << '\n';
        return kExitFailure;
    }

    Session session(environment, options, out, err);
    if (const int code = session.Start())
        return code;
    app::Controller& controller = session.Controller();

    config::DeviceImage image{};
    std::string source;
    if (controller.EepromMode()) {
        if (const int code = session.Finish(controller.ReadDevInfo(true)))
            return code;
        image = controller.DeviceImage();
        source = "Configuration read from the mouse";
    } else {
        // The driver holds the sections only: shown at their places in an erased image.
        image.fill(0xFF);
        config::DataBuf sections = controller.DataBuf();
        config::StoreSections(sections, image);
        source = "Configuration sections read from the filter driver";
    }
    const auto report = BuildImageReport(image, *table.table);
    if (json)
        out << report.dump(2) << '\n';
    else
        out << source << "\n\n" << FormatImageReport(report);
    return kExitOk;
}

int SaveProfileCommand(const Args& input, const Environment& environment, std::ostream& out, std::ostream& err)
{
    constexpr const char* kSaveUsage = "usage: qeltra3k save-profile FILE [DEVICE OPTIONS]\n";
    Args args = input;
    DeviceOptions options;
    if (!TakeDeviceOptions(args, options, err, kSaveUsage))
        return kExitUsage;
    if (args.size() != 1 || args[0].starts_with('-')) {
        err << kSaveUsage;
        return kExitUsage;
    }
    // The save dialog adds ".bin" to whatever name it is given; a name typed with ".bin"
    // already is taken as the file meant.
    std::string chosen = args[0];
    if (chosen.ends_with(app::kProfileExtension) && chosen.size() > std::string_view(app::kProfileExtension).size())
        chosen.resize(chosen.size() - std::string_view(app::kProfileExtension).size());

    Session session(environment, options, out, err);
    if (const int code = session.Start())
        return code;
    if (const int code = session.Finish(session.Controller().Btn_Save_0Click(chosen)))
        return code;
    out << "Saved the profile to " << app::ProfileFileName(chosen).string() << '\n';
    return kExitOk;
}

}  // namespace qeltra3k::cli
