// The commands that change the mouse: load-profile, reset, apply, and the key test.
#include <algorithm>
#include <array>
#include <chrono>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>
#include <vector>

#include "app/ControllerSteps.h"
#include "cli/Cli.h"
#include "cli/Commands.h"
#include "cli/DeviceSession.h"
#include "config/ConfigImage.h"
#include "config/FormModel.h"
#include "device/AtomicFile.h"

namespace qeltra3k::cli {

namespace {

// One-argument commands: FILE or WHICH after the command, nothing else but device options.
bool TakeSingleArgument(const Args& input, DeviceOptions& options, std::string& argument, std::ostream& err,
                        const char* usage)
{
    Args args = input;
    if (!TakeDeviceOptions(args, options, err, usage))
        return false;
    if (args.size() != 1 || args[0].starts_with('-')) {
        err << usage;
        return false;
    }
    argument = args[0];
    return true;
}

std::optional<std::vector<std::uint8_t>> ReadInput(const std::string& path, std::ostream& err)
{
    device::FileContent file = device::ReadWholeFile(path);
    if (!file.bytes)
        err << "qeltra3k: cannot read '" << path << "': " << file.error << '\n';
    return std::move(file.bytes);
}

struct ResetEntry {
    std::string_view name;
    app::Outcome (*run)(app::Controller&);
};

// The reset buttons of the pages (default configurations 1 to 3) and the engineer page's two
// default buttons.
constexpr std::array<ResetEntry, 5> kResets{{
    {"1", [](app::Controller& c) { return c.Btn_ConfirmN_1Click(0); }},
    {"2", [](app::Controller& c) { return c.Btn_ConfirmN_1Click(1); }},
    {"3", [](app::Controller& c) { return c.Btn_ConfirmN_1Click(2); }},
    {"cpi", [](app::Controller& c) { return c.btn_loadDefaultCPIClick(); }},
    {"led", [](app::Controller& c) { return c.btn_loadDefaultLEDClick(); }},
}};

struct SectionName {
    bool config::SectionHealth::*valid;
    std::string_view name;
};
constexpr std::array<SectionName, 4> kCheckedSections{{
    {&config::SectionHealth::parameterA, "parameter A (DPI levels, lighting)"},
    {&config::SectionHealth::parameterB, "parameter B (active level, key mode)"},
    {&config::SectionHealth::profile, "button assignments"},
    {&config::SectionHealth::fireKey, "fire key"},
}};

// An image whose section fails its check would put the built-in default on the mouse in its
// place: the user asked for the file's configuration, so nothing is written at all.
bool SectionsValid(const config::SectionHealth& health, const std::string& path, std::ostream& err)
{
    bool valid = true;
    for (const auto& section : kCheckedSections) {
        if (health.*section.valid)
            continue;
        err << "qeltra3k: '" << path << "': the " << section.name << " section fails its check\n";
        valid = false;
    }
    if (!valid)
        err << "qeltra3k: nothing was written\n";
    return valid;
}

// The time between two ticks of TestTimer.
constexpr std::chrono::milliseconds kTestTimerInterval{1000};

}  // namespace

int LoadProfileCommand(const Args& input, const Environment& environment, std::ostream& out, std::ostream& err)
{
    constexpr const char* kLoadUsage = "usage: qeltra3k load-profile FILE [DEVICE OPTIONS]\n";
    DeviceOptions options;
    std::string path;
    if (!TakeSingleArgument(input, options, path, err, kLoadUsage))
        return kExitUsage;
    const auto bytes = ReadInput(path, err);
    if (!bytes)
        return kExitBadFile;

    Session session(environment, options, out, err);
    if (const int code = session.Start())
        return code;
    if (const int code = session.Finish(session.Controller().Btn_Load_0Click(std::filesystem::path(path))))
        return code;
    out << "Loaded the profile " << path << '\n';
    return kExitOk;
}

int ResetCommand(const Args& input, const Environment& environment, std::ostream& out, std::ostream& err)
{
    constexpr const char* kResetUsage = "usage: qeltra3k reset 1|2|3|cpi|led [DEVICE OPTIONS]\n";
    DeviceOptions options;
    std::string which;
    if (!TakeSingleArgument(input, options, which, err, kResetUsage))
        return kExitUsage;
    const ResetEntry* reset = nullptr;
    for (const auto& entry : kResets)
        if (entry.name == which)
            reset = &entry;
    if (reset == nullptr) {
        err << kResetUsage;
        return kExitUsage;
    }

    Session session(environment, options, out, err);
    if (const int code = session.Start())
        return code;
    if (const int code = session.Finish(reset->run(session.Controller())))
        return code;
    out << "Reset to the defaults " << which << '\n';
    return kExitOk;
}

int ApplyCommand(const Args& input, const Environment& environment, std::ostream& out, std::ostream& err)
{
    constexpr const char* kApplyUsage = "usage: qeltra3k apply IMAGE [DEVICE OPTIONS]\n";
    DeviceOptions options;
    std::string path;
    if (!TakeSingleArgument(input, options, path, err, kApplyUsage))
        return kExitUsage;
    const auto bytes = ReadInput(path, err);
    if (!bytes)
        return kExitBadFile;
    // A file is read as the kind the mode expects: the mouse's image (or its settings
    // stretch, as `read` writes it), or the driver image.
    const bool wholeImage = bytes->size() == config::kImageSize;
    const bool fits = options.driverMode ? bytes->size() == config::kDriverImageSize
                                         : wholeImage || bytes->size() == config::kSettingsStretchLength;
    if (!fits) {
        err << "qeltra3k: '" << path << "' holds " << bytes->size() << " bytes; apply takes "
            << (options.driverMode ? "a 40960-byte driver image"
                                   : "a 2048-byte image or its 255-byte settings stretch")
            << '\n';
        return kExitBadFile;
    }

    // The sections go through the store's checks before anything moves.
    config::DeviceImage image{};
    image.fill(0xFF);
    std::copy_n(bytes->begin(), std::min(bytes->size(), image.size()), image.begin());
    const auto loadSections = [&](config::DataBuf& dataBuf) -> std::optional<config::SectionHealth> {
        if (!options.driverMode)
            return config::LoadSections(image, dataBuf);
        config::DriverSectionCopies copies;
        return config::LoadDriverSections(*bytes, dataBuf, copies);
    };
    config::DataBuf scratch{};
    const auto health = loadSections(scratch);
    if (!health || !SectionsValid(*health, path, err))
        return kExitBadFile;

    Session session(environment, options, out, err);
    if (const int code = session.Start())
        return code;
    app::Controller& controller = session.Controller();
    if (controller.EepromMode()) {
        if (wholeImage) {
            // Apply writes the fire macro block only once it is held, as after the engineer
            // page has read it: read it, then the image's takes its place below.
            if (const int code = session.Finish(controller.ReadFireMacroBlock()))
                return code;
        }
        // Sections, macro slots and fire macro block as a load takes them; Apply then
        // writes the sections, the slots the buttons use that the mouse does not hold yet,
        // and the fire macro block when it is held.
        controller.TakeImage(image);
    } else {
        loadSections(controller.DataBuf());
        config::DataBufToUI(controller.Form(), controller.DataBuf(), controller.NameOf(),
                            controller.Text(app::kAimNameKey));
    }
    if (const int code = session.Finish(controller.Btn_Apply_0Click()))
        return code;
    out << "Applied " << path << '\n';
    return kExitOk;
}

int KeyTestCommand(const Args& input, const Environment& environment, std::ostream& out, std::ostream& err)
{
    constexpr const char* kKeyTestUsage = "usage: qeltra3k key-test [DEVICE OPTIONS]\n";
    Args args = input;
    DeviceOptions options;
    if (!TakeDeviceOptions(args, options, err, kKeyTestUsage))
        return kExitUsage;
    if (!args.empty()) {
        err << kKeyTestUsage;
        return kExitUsage;
    }

    Session session(environment, options, out, err);
    if (const int code = session.Start())
        return code;
    app::Controller& controller = session.Controller();
    out << "Press the mouse buttons one by one; the test ends " << app::kKeyTestCountdown + 1
        << " seconds after the last press." << std::endl;
    controller.btn_TestKeysClick();
    while (controller.Timers().testTimer) {
        session.Waiting().Pause(kTestTimerInterval);
        controller.TestTimerTimer();
    }
    return session.Finish(app::Outcome::Done);
}

}  // namespace qeltra3k::cli
