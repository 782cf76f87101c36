#pragma once
// What the device commands of the qeltra3k tool share: the options that pick the mouse
// (`--virtual-mouse`, `--vm-fault`, `--driver-mode`, `--language`), the machine the run
// takes its HID bus, pauses and data folder from, and one session with the controller
// from the first device search to the device watch after the workflow.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "app/Controller.h"
#include "app/Outcome.h"
#include "cli/TerminalView.h"
#include "device/DriverChannel.h"
#include "device/HidBus.h"
#include "device/VirtualMouse.h"
#include "device/VirtualMouseFaults.h"
#include "device/Waiting.h"

namespace qeltra3k::device {
class VirtualDriverChannel;
}

namespace qeltra3k::cli {

using Args = std::vector<std::string>;

// Where a run takes what lies outside the program. A default-made one attaches no HID
// interface of the machine and sleeps for real; the tool itself runs with MachineEnvironment,
// tests run the commands in the process with a waiting that does not sleep.
struct Environment {
    // The protocol's pauses; null: real sleeps.
    device::Waiting* waiting = nullptr;
    // The machine's HID interfaces; null: none.
    std::function<std::unique_ptr<device::HidBus>()> systemBus;
    // Folder of the data files; empty: DefaultDataFolder().
    std::filesystem::path dataFolder;
    // A short progress line on the error stream while a block moves.
    bool progress = false;
    // Told about the virtual mouse once it is attached (tests press its buttons).
    std::function<void(device::VirtualMouse&)> onVirtualMouse;
};

// $XDG_DATA_HOME/qeltra3k, or ~/.local/share/qeltra3k when that is not set.
std::filesystem::path DefaultDataFolder();

// The machine's own: hidraw interfaces on Linux, real sleeps, progress when the error
// stream is a terminal.
Environment MachineEnvironment();

// Runs the tool's command line in `environment`; returns the exit code.
int RunIn(const Environment& environment, const std::vector<std::string>& args, std::ostream& out,
          std::ostream& err);

inline constexpr int kEnglish = 2;
inline constexpr const char* kVirtualMouseFileName = "virtual-mouse.bin";

struct DeviceOptions {
    bool virtualMouse = false;
    std::filesystem::path virtualMouseFile;  // empty: the data folder's virtual-mouse.bin
    device::FaultSwitches faults;
    bool faultsGiven = false;
    bool driverMode = false;
    int language = kEnglish;
};

// Whether `arg` is one of the options that pick the mouse (the language is not: `show FILE`
// takes it too).
bool IsDeviceOption(const std::string& arg);
// Whether `arg` starts an option of DeviceOptions, and how many words it takes (1 or 2).
std::size_t DeviceOptionWords(const Args& args, std::size_t index);

// Takes the options of DeviceOptions out of `args`, wherever they stand; the other words stay
// in order. False with `error` set on a bad option.
bool TakeDeviceOptions(Args& args, DeviceOptions& options, std::string& error);

// TakeDeviceOptions for a command: a bad option is said on `err` with the command's usage.
bool TakeDeviceOptions(Args& args, DeviceOptions& options, std::ostream& err, const char* usage);

// The exit code a workflow's outcome gives.
int ExitCodeFor(app::Outcome outcome);

class Session {
public:
    Session(const Environment& environment, DeviceOptions options, std::ostream& out, std::ostream& err);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Attaches the virtual mouse when asked and makes the controller, in the no-device state
    // as at start. kExitOk, or the exit code of what went wrong (said on the error stream).
    int Open();

    // The first device search as the device watch makes it when a mouse arrives: open,
    // identify, read the settings. kExitOk when the mouse is connected and read.
    int Connect();

    // Open, then Connect.
    int Start();

    // The device watch once more after a workflow, so a mouse that went away during it is
    // noticed as the editor would; then the exit code of `outcome` (no device when the mouse
    // was lost, whatever the workflow said).
    int Finish(app::Outcome outcome);

    app::Controller& Controller() { return *controller_; }
    device::HidBus& Bus() { return *bus_; }
    device::Waiting& Waiting() { return *waiting_; }
    device::DriverChannel* Driver() { return driver_.get(); }

private:
    // Whether the virtual mouse and its driver kept their files; says why not.
    bool FilesKept();

    const Environment& environment_;
    DeviceOptions options_;
    std::ostream& out_;
    std::ostream& err_;

    std::unique_ptr<device::Waiting> ownWaiting_;
    std::unique_ptr<ProgressWaiting> waiting_;
    std::unique_ptr<TerminalView> view_;
    std::shared_ptr<device::VirtualMouse> mouse_;
    std::unique_ptr<device::HidBus> bus_;
    std::unique_ptr<device::DriverChannel> driver_;
    device::VirtualDriverChannel* virtualDriver_ = nullptr;  // driver_, when it is the virtual one
    std::unique_ptr<app::Controller> controller_;
    std::size_t mark_ = 0;  // messages shown before the running workflow
};

}  // namespace qeltra3k::cli
