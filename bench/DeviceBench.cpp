// How close the device workflows come to the time the protocol itself insists on.
//
// Each workflow runs through the controller against the virtual mouse with real pauses. The
// floor is the sum of the pauses the protocol asked for while it ran (a counting wrapper
// around the sleeping waiting): the least time the same exchange takes on any mouse. The
// ratio time / floor says what the program adds on top; the target is 1.05 at most.
// The device watch's tick, which runs every 3 seconds for the whole session, is timed too.
//
// Usage: qeltra3k_bench [RUNS]   (RUNS per workflow, 3 by default)
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Controller.h"
#include "device/VirtualMouse.h"
#include "device/VirtualMouseBus.h"
#include "device/Waiting.h"
#if defined(__linux__)
#include <sys/prctl.h>

#include "device/LinuxHidBus.h"
#endif

namespace {

using namespace qeltra3k;
using Clock = std::chrono::steady_clock;

constexpr double kTargetRatio = 1.05;

// Sleeps as the tool does, and adds up what it was asked to sleep.
class CountingWaiting final : public device::Waiting {
public:
    explicit CountingWaiting(bool sleep) : sleep_(sleep) {}

    void Pause(std::chrono::milliseconds duration) override
    {
        asked_ += duration.count();
        if (sleep_)
            sleeping_.Pause(duration);
    }
    void ProcessPendingMessages() override {}
    void ShowLoadingWindow(std::size_t, std::size_t) override {}

    long long AskedMilliseconds() const { return asked_; }
    void Reset() { asked_ = 0; }

private:
    bool sleep_;
    device::SleepingWaiting sleeping_;
    std::atomic<long long> asked_{0};
};

// Nothing to show: the benchmark measures the workflows, not a screen.
class QuietView final : public app::ControllerView {
public:
    void ShowMessage(const app::ViewMessage& message) override { messages.push_back(message.text); }
    void ShowBusyOverlay() override {}
    void HideBusyOverlay() override {}
    void ShowLoadingWindow() override {}
    void HideLoadingWindow() override {}
    void Refresh(app::RefreshRequest) override {}
    void CloseMenus() override {}
    void CloseMainWindow() override {}
    void SetKeyTestButtonEnabled(bool) override {}
    void ShowKeyTestCaption(const std::optional<std::string>&) override {}
    void SetKeyButtonVisible(const std::string&, bool) override {}

    std::vector<std::string> messages;
};

// A controller on a bus, its waiting and its view.
struct Rig {
    Rig(std::unique_ptr<device::HidBus> hidBus, bool sleep) : bus(std::move(hidBus)), waiting(sleep)
    {
        app::ControllerSetup setup;
        setup.bus = bus.get();
        setup.waiting = &waiting;
        setup.view = &view;
        setup.language = 2;
        controller = std::make_unique<app::Controller>(setup);
        controller->RefreshErrorAP();
    }

    std::unique_ptr<device::HidBus> bus;
    CountingWaiting waiting;
    QuietView view;
    std::unique_ptr<app::Controller> controller;
};

std::unique_ptr<device::HidBus> VirtualBus()
{
    auto mouse = std::make_shared<device::VirtualMouse>(*device::VirtualMouse::DefaultMemory());
    return std::make_unique<device::VirtualMouseBus>(mouse);
}

struct Workflow {
    const char* name;
    std::function<app::Outcome(app::Controller&)> run;
};

struct Measured {
    double medianMs;
    double floorMs;
    double worstRatio;
    bool allDone;
};

Measured Measure(Rig& rig, const Workflow& workflow, int runs)
{
    std::vector<double> times;
    std::vector<double> ratios;
    double floorMs = 0;
    bool allDone = true;
    for (int run = 0; run < runs; ++run) {
        rig.waiting.Reset();
        const auto start = Clock::now();
        const app::Outcome outcome = workflow.run(*rig.controller);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        allDone = allDone && outcome == app::Outcome::Done;
        floorMs = static_cast<double>(rig.waiting.AskedMilliseconds());
        times.push_back(ms);
        ratios.push_back(floorMs > 0 ? ms / floorMs : 0);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], floorMs, *std::max_element(ratios.begin(), ratios.end()), allDone};
}

// Mean cost of one device watch tick that finds nothing changed, in microseconds.
double TickMicros(app::Controller& controller, int ticks)
{
    controller.DevTimerTimer();  // the first tick may find the mouse; later ones find no change
    const auto start = Clock::now();
    for (int i = 0; i < ticks; ++i)
        controller.DevTimerTimer();
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / ticks;
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
#if defined(__linux__)
    // As the tool does: the default 50 us timer slack, added to each of hundreds of 5 ms
    // pauses, is the kernel's and not the program's.
    prctl(PR_SET_TIMERSLACK, 1UL);
#endif

    Rig rig(VirtualBus(), true);
    rig.controller->DevTimerTimer();  // plug-in: identify and read, not measured
    if (!rig.controller->HasDevice() || rig.controller->NoDevice()) {
        std::fprintf(stderr, "qeltra3k_bench: the virtual mouse was not connected\n");
        return 1;
    }

    const Workflow workflows[] = {
        {"Read (settings stretch)", [](app::Controller& c) { return c.Btn_Read_0Click(); }},
        {"Full read", [](app::Controller& c) { return c.ReadDevInfo(true); }},
        {"Apply", [](app::Controller& c) { return c.Btn_Apply_0Click(); }},
        {"Verified reset", [](app::Controller& c) { return c.Btn_ConfirmN_1Click(0); }},
    };

    std::printf("Device workflows against the virtual mouse, real pauses, %d runs each\n\n", runs);
    std::printf("%-26s %12s %12s %12s  %s\n", "workflow", "time (ms)", "floor (ms)", "worst ratio", "");
    bool allWithin = true;
    for (const Workflow& workflow : workflows) {
        const Measured m = Measure(rig, workflow, runs);
        const bool within = m.allDone && m.worstRatio <= kTargetRatio;
        allWithin = allWithin && within;
        std::printf("%-26s %12.1f %12.1f %12.3f  %s\n", workflow.name, m.medianMs, m.floorMs, m.worstRatio,
                    !m.allDone ? "FAILED" : within ? "ok" : "over target");
    }

    std::printf("\nDevice watch tick (ten interface counts, nothing changed)\n\n");
    {
        Rig virtualRig(VirtualBus(), false);
        std::printf("%-26s %12.1f us\n", "virtual bus", TickMicros(*virtualRig.controller, 2000));
    }
#if defined(__linux__)
    {
        Rig linuxRig(std::make_unique<device::LinuxHidBus>(), false);
        const std::size_t interfaces = linuxRig.bus->Enumerate().size();
        const double micros = TickMicros(*linuxRig.controller, 200);
        std::printf("%-26s %12.1f us  (%zu HID interfaces on this machine)\n", "Linux bus (hidraw)", micros,
                    interfaces);
    }
#endif
    std::printf("\ntarget: every ratio <= %.2f: %s\n", kTargetRatio, allWithin ? "met" : "NOT met");
    return allWithin ? 0 : 1;
}
