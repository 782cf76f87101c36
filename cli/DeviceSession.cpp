#include "cli/DeviceSession.h"

#include <array>
#include <cstdlib>
#include <ostream>
#include <string_view>
#include <system_error>

#include <unistd.h>

#include "cli/Cli.h"
#include "config/ConfigImage.h"
#include "device/VirtualDriverChannel.h"
#include "device/VirtualMouseBus.h"
#include "ui/text/GeneralOptions.h"
#if defined(__linux__)
#include "device/LinuxHidBus.h"
#endif

namespace qeltra3k::cli {

namespace {

// A machine without HID interfaces, or a run that leaves the machine's alone.
class EmptyBus final : public device::HidBus {
public:
    std::vector<device::HidInterfaceInfo> Enumerate() override { return {}; }
    std::unique_ptr<device::HidDevice> Open(const std::string& path, std::string& error) override
    {
        error = "no interface \"" + path + "\"";
        return nullptr;
    }
};

struct OutcomeExit {
    app::Outcome outcome;
    int exitCode;
    // Said when the workflow itself showed no message, so a script's log tells why.
    std::string_view diagnostic;
};

constexpr std::array<OutcomeExit, 10> kOutcomeExits{{
    {app::Outcome::Done, kExitOk, ""},
    {app::Outcome::NoDevice, kExitNoDevice, "no mouse is connected"},
    {app::Outcome::NoAnswer, kExitNotReady, "the mouse did not answer; nothing was moved"},
    {app::Outcome::Refused, kExitRefused, "the mouse's manufacturer or product id is not accepted"},
    {app::Outcome::NotReady, kExitNotReady, "the mouse's memory is not ready; nothing was written"},
    {app::Outcome::VerifyFailed, kExitVerifyFailed, "the mouse's memory does not hold what was written"},
    {app::Outcome::TransferFailed, kExitFailure, "the transfer with the mouse broke off"},
    {app::Outcome::BadFile, kExitBadFile, "the file could not be used"},
    {app::Outcome::Cancelled, kExitFailure, "cancelled"},
    {app::Outcome::DriverFailed, kExitNoDevice, "the filter driver or the mouse's driver mode was not found"},
}};

const OutcomeExit& EntryFor(app::Outcome outcome)
{
    static constexpr OutcomeExit kUnknown{app::Outcome::TransferFailed, kExitFailure, "the workflow failed"};
    for (const auto& entry : kOutcomeExits)
        if (entry.outcome == outcome)
            return entry;
    return kUnknown;
}

bool ParseLanguage(std::string_view text, int& language)
{
    if (text != "1" && text != "2" && text != "3")
        return false;
    language = text[0] - '0';
    return true;
}

constexpr std::string_view kVirtualMouse = "--virtual-mouse";
constexpr std::string_view kVmFault = "--vm-fault";
constexpr std::string_view kDriverMode = "--driver-mode";
constexpr std::string_view kLanguage = "--language";

bool IsOptionWithValue(std::string_view arg, std::string_view name)
{
    return arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=';
}

}  // namespace

std::filesystem::path DefaultDataFolder()
{
    // A relative XDG_DATA_HOME is to be ignored, as the base directory rules say.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/')
        return std::filesystem::path(xdg) / "qeltra3k";
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
        return std::filesystem::path(home) / ".local" / "share" / "qeltra3k";
    return std::filesystem::current_path() / ".qeltra3k";
}

Environment MachineEnvironment()
{
    Environment environment;
#if defined(__linux__)
    environment.systemBus = [] { return std::make_unique<device::LinuxHidBus>(); };
#endif
    environment.dataFolder = DefaultDataFolder();
    environment.progress = isatty(STDERR_FILENO) == 1;
    return environment;
}

bool IsDeviceOption(const std::string& arg)
{
    return arg == kVirtualMouse || IsOptionWithValue(arg, kVirtualMouse) || arg == kVmFault ||
           IsOptionWithValue(arg, kVmFault) || arg == kDriverMode;
}

std::size_t DeviceOptionWords(const Args& args, std::size_t index)
{
    const std::string& arg = args[index];
    if (arg == kVmFault || arg == kLanguage)
        return index + 1 < args.size() ? 2 : 1;
    if (IsDeviceOption(arg) || IsOptionWithValue(arg, kLanguage))
        return 1;
    return 0;
}

bool TakeDeviceOptions(Args& args, DeviceOptions& options, std::string& error)
{
    Args rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == kVirtualMouse) {
            options.virtualMouse = true;
        } else if (IsOptionWithValue(arg, kVirtualMouse)) {
            options.virtualMouse = true;
            options.virtualMouseFile = arg.substr(kVirtualMouse.size() + 1);
            if (options.virtualMouseFile.empty()) {
                error = "--virtual-mouse= needs a file name";
                return false;
            }
        } else if (arg == kVmFault || IsOptionWithValue(arg, kVmFault)) {
            std::string faultText;
            if (arg == kVmFault) {
                if (i + 1 >= args.size()) {
                    error = "--vm-fault needs KIND[:ARG]";
                    return false;
                }
                faultText = args[++i];
            } else {
                faultText = arg.substr(kVmFault.size() + 1);
            }
            if (!device::AddFaults(faultText, options.faults, error)) {
                error = "--vm-fault=" + faultText + ": " + error;
                return false;
            }
            options.faultsGiven = true;
        } else if (arg == kDriverMode) {
            options.driverMode = true;
        } else if (arg == kLanguage || IsOptionWithValue(arg, kLanguage)) {
            std::string value;
            if (arg == kLanguage) {
                if (i + 1 < args.size())
                    value = args[++i];
            } else {
                value = arg.substr(kLanguage.size() + 1);
            }
            if (!ParseLanguage(value, options.language)) {
                error = "--language takes 1 (Polish), 2 (English) or 3 (Traditional Chinese)";
                return false;
            }
        } else {
            rest.push_back(arg);
        }
    }
    if (options.faultsGiven && !options.virtualMouse) {
        error = "--vm-fault switches faults of the virtual mouse: it needs --virtual-mouse";
        return false;
    }
    args = std::move(rest);
    return true;
}

bool TakeDeviceOptions(Args& args, DeviceOptions& options, std::ostream& err, const char* usage)
{
    std::string error;
    if (TakeDeviceOptions(args, options, error))
        return true;
    err << "qeltra3k: " << error << '\n' << usage;
    return false;
}

int ExitCodeFor(app::Outcome outcome)
{
    return EntryFor(outcome).exitCode;
}

// ------------------------------------------------------------------------------ session

Session::Session(const Environment& environment, DeviceOptions options, std::ostream& out, std::ostream& err)
    : environment_(environment), options_(std::move(options)), out_(out), err_(err)
{
}

Session::~Session() = default;

int Session::Open()
{
    const std::filesystem::path dataFolder =
        environment_.dataFolder.empty() ? DefaultDataFolder() : environment_.dataFolder;

    device::Waiting* inner = environment_.waiting;
    if (inner == nullptr) {
        ownWaiting_ = std::make_unique<device::SleepingWaiting>();
        inner = ownWaiting_.get();
    }
    waiting_ = std::make_unique<ProgressWaiting>(*inner, environment_.progress ? &err_ : nullptr);
    view_ = std::make_unique<TerminalView>(out_, err_, *waiting_);

    text::GeneralOptions general = text::LoadGeneralOptions().options;
    if (options_.driverMode) {
        // What the layout's Ap_Mode 1 gives: the configuration lives in the PC driver.
        general.Ap_Mode = 1;
        general.eepromMode = false;
        general.GD_Enable = 0;
    }

    std::unique_ptr<device::HidBus> system = environment_.systemBus ? environment_.systemBus() : nullptr;
    if (options_.virtualMouse) {
        std::filesystem::path file = options_.virtualMouseFile;
        if (file.empty()) {
            file = dataFolder / kVirtualMouseFileName;
            std::error_code ignored;  // a folder that cannot be made shows as the file's error
            std::filesystem::create_directories(dataFolder, ignored);
        }
        device::VirtualMouseOptions mouseOptions;
        mouseOptions.faults = options_.faults;
        auto opening = device::VirtualMouse::OpenFile(file, mouseOptions);
        if (!opening.mouse) {
            err_ << "qeltra3k: virtual mouse: " << opening.error << '\n';
            return kExitBadFile;
        }
        mouse_ = std::move(opening.mouse);
        if (environment_.onVirtualMouse)
            environment_.onVirtualMouse(*mouse_);
        if (!general.eepromMode) {
            // A new virtual driver starts from the driver default image, as an installed
            // driver starts from the one delivered with it.
            const auto initial = config::LoadDefaultDriverImage(0);
            auto driver = device::VirtualDriverChannel::OpenFile(
                device::VirtualDriverFileBeside(file),
                initial ? std::span<const std::uint8_t>(*initial) : std::span<const std::uint8_t>());
            if (!driver.channel) {
                err_ << "qeltra3k: virtual driver: " << driver.error << '\n';
                return kExitBadFile;
            }
            virtualDriver_ = driver.channel.get();
            driver_ = std::move(driver.channel);
        }
        bus_ = std::make_unique<device::VirtualMouseBus>(mouse_, std::move(system));
    } else {
        bus_ = system ? std::move(system) : std::make_unique<EmptyBus>();
#ifdef _WIN32
        if (!general.eepromMode)
            driver_ = device::MakeWindowsDriverChannel();
#endif
    }

    app::ControllerSetup setup;
    setup.bus = bus_.get();
    setup.waiting = waiting_.get();
    setup.view = view_.get();
    setup.driver = driver_.get();
    setup.options = general;
    setup.dataFolder = dataFolder;
    setup.language = options_.language;
    controller_ = std::make_unique<app::Controller>(setup);
    // The state the editor starts in: no device, the first default configuration. The PC
    // macro library is not loaded: no command of the tool uses it, and loading it would
    // make the library file in the data folder as a side effect.
    controller_->RefreshErrorAP();
    mark_ = view_->MessageCount();
    return kExitOk;
}

int Session::Connect()
{
    app::Controller& controller = *controller_;
    const std::size_t from = view_->MessageCount();
    controller.DevTimerTimer();
    if (controller.HasDevice()) {
        // A mouse pulled out during identification or the read is seen by the next watch.
        controller.DevTimerTimer();
        if (!controller.HasDevice()) {
            mark_ = view_->MessageCount();
            return kExitNoDevice;  // the no-device dialog has been shown
        }
    }
    mark_ = view_->MessageCount();

    if (!controller.HasDevice()) {
        if (view_->ShownSince(from, "Str020"))
            return kExitNotReady;  // memory not ready, or an unknown chip
        // With no HID interface at all the watch sees no change and says nothing: say what
        // its no-device dialog says.
        if (!view_->ShownSince(from, "Str100"))
            err_ << controller.Text("Str100") << "\n\n" << controller.Text("Str101") << '\n';
        if (!options_.virtualMouse)
            err_ << "qeltra3k: 'qeltra3k list' shows the HID interfaces and why none was taken for the mouse\n";
        return kExitNoDevice;
    }
    if (view_->ShownSince(from, "Str107"))
        return kExitRefused;
    if (!controller.EepromMode() && view_->ShownSince(from, "Str020"))
        return ExitCodeFor(app::Outcome::DriverFailed);
    if (controller.NoDevice()) {
        // Opened, but identification stopped without a word: nothing was read.
        err_ << "qeltra3k: " << EntryFor(app::Outcome::NoAnswer).diagnostic << '\n';
        return ExitCodeFor(app::Outcome::NoAnswer);
    }
    return FilesKept() ? kExitOk : kExitFailure;
}

int Session::Start()
{
    if (const int code = Open())
        return code;
    return Connect();
}

int Session::Finish(app::Outcome outcome)
{
    app::Controller& controller = *controller_;
    const bool hadDevice = controller.HasDevice();
    controller.DevTimerTimer();
    const bool lost = hadDevice && !controller.HasDevice();

    int code = lost ? kExitNoDevice : ExitCodeFor(outcome);
    if (!lost && outcome != app::Outcome::Done && view_->MessageCount() == mark_)
        err_ << "qeltra3k: " << EntryFor(outcome).diagnostic << '\n';
    mark_ = view_->MessageCount();
    if (!FilesKept() && code == kExitOk)
        code = kExitFailure;
    return code;
}

bool Session::FilesKept()
{
    bool kept = true;
    if (mouse_ && !mouse_->SaveError().empty()) {
        err_ << "qeltra3k: the virtual mouse could not keep its memory: " << mouse_->SaveError() << '\n';
        kept = false;
    }
    if (virtualDriver_ != nullptr && !virtualDriver_->SaveError().empty()) {
        err_ << "qeltra3k: the virtual driver could not keep its image: " << virtualDriver_->SaveError() << '\n';
        kept = false;
    }
    return kept;
}

}  // namespace qeltra3k::cli
