#pragma once
// A controller wired to the virtual mouse (and in driver mode the virtual filter driver) on
// a bus that also lists a few other HID devices, with a view that records what it is asked
// to show and a waiter that never sleeps. A spy between the bus and the mouse records every
// command report, so tests can check which blocks a workflow moved.
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/Controller.h"
#include "config/ConfigImage.h"
#include "device/DeviceFakes.h"
#include "device/VirtualDriverChannel.h"
#include "device/VirtualMouse.h"
#include "device/VirtualMouseBus.h"

namespace qeltra3k::app::testing {

using device::Report;

// The other HID devices of the system: `count` of them, or per Enumerate call the next count
// of `script` while it lasts (to make the device watch see unsteady counts).
class OtherDevicesBus : public device::HidBus {
public:
    int count = 3;
    std::deque<int> script;

    std::vector<device::HidInterfaceInfo> Enumerate() override
    {
        int n = count;
        if (!script.empty()) {
            n = script.front();
            script.pop_front();
        }
        std::vector<device::HidInterfaceInfo> list;
        for (int i = 0; i < n; ++i) {
            device::HidInterfaceInfo info;
            info.path = "other:" + std::to_string(i);
            info.vendorId = 0x046D;
            info.productId = static_cast<std::uint16_t>(0xC000 + i);
            info.version = 0x0100;
            info.featureReportLength = 0;
            list.push_back(info);
        }
        return list;
    }

    std::unique_ptr<device::HidDevice> Open(const std::string&, std::string& error) override
    {
        error = "not a mouse this test opens";
        return nullptr;
    }
};

// Every report the controller sent to the mouse, in order.
struct ReportLog {
    std::mutex mutex;
    std::vector<Report> sent;

    void Add(const Report& report)
    {
        std::lock_guard lock(mutex);
        sent.push_back(report);
    }
    std::vector<Report> Sent()
    {
        std::lock_guard lock(mutex);
        return sent;
    }
    void Clear()
    {
        std::lock_guard lock(mutex);
        sent.clear();
    }
};

class SpyDevice : public device::HidDevice {
public:
    SpyDevice(std::unique_ptr<device::HidDevice> inner, std::shared_ptr<ReportLog> log)
        : inner_(std::move(inner)), log_(std::move(log))
    {
    }
    bool SetFeature(const Report& report) override
    {
        log_->Add(report);
        return inner_->SetFeature(report);
    }
    bool GetFeature(Report& report) override { return inner_->GetFeature(report); }

private:
    std::unique_ptr<device::HidDevice> inner_;
    std::shared_ptr<ReportLog> log_;
};

class SpyBus : public device::HidBus {
public:
    SpyBus(device::HidBus& inner, std::shared_ptr<ReportLog> log) : inner_(inner), log_(std::move(log)) {}

    std::vector<device::HidInterfaceInfo> Enumerate() override
    {
        ++enumerations;
        return inner_.Enumerate();
    }
    std::unique_ptr<device::HidDevice> Open(const std::string& path, std::string& error) override
    {
        ++openings;
        auto device = inner_.Open(path, error);
        if (!device)
            return nullptr;
        return std::make_unique<SpyDevice>(std::move(device), log_);
    }

    int enumerations = 0;
    int openings = 0;

private:
    device::HidBus& inner_;
    std::shared_ptr<ReportLog> log_;
};

// What the controller asked of the screen.
class FakeView : public ControllerView {
public:
    std::vector<ViewMessage> messages;
    std::vector<RefreshRequest> refreshes;
    bool overlayShown = false;
    bool loadingShown = false;
    int closeMenus = 0;
    bool mainWindowClosed = false;
    bool keyTestButtonEnabled = true;
    std::vector<std::optional<std::string>> keyTestCaptions;

    void ShowMessage(const ViewMessage& message) override { messages.push_back(message); }
    void ShowBusyOverlay() override { overlayShown = true; }
    void HideBusyOverlay() override { overlayShown = false; }
    void ShowLoadingWindow() override { loadingShown = true; }
    void HideLoadingWindow() override { loadingShown = false; }
    void Refresh(RefreshRequest what) override { refreshes.push_back(what); }
    void CloseMenus() override { ++closeMenus; }
    void CloseMainWindow() override { mainWindowClosed = true; }
    void SetKeyTestButtonEnabled(bool enabled) override { keyTestButtonEnabled = enabled; }
    void ShowKeyTestCaption(const std::optional<std::string>& countdown) override
    {
        keyTestCaptions.push_back(countdown);
    }

    // Poller thread. While `holdFlashes` is set the first step of a flash waits until the
    // test lets it go, so the test can look at the controller in the middle of a flash.
    void SetKeyButtonVisible(const std::string& buttonName, bool visible) override
    {
        std::unique_lock lock(flashMutex_);
        flashes_.push_back({buttonName, visible});
        flashChanged_.notify_all();
        flashChanged_.wait(lock, [this] { return !holdFlashes_; });
    }
    void HoldFlashes(bool hold)
    {
        std::lock_guard lock(flashMutex_);
        holdFlashes_ = hold;
        flashChanged_.notify_all();
    }
    // Waits until at least `count` flash steps were shown; false after a generous timeout.
    bool WaitForFlashSteps(std::size_t count)
    {
        std::unique_lock lock(flashMutex_);
        return flashChanged_.wait_for(lock, std::chrono::seconds(10), [&] { return flashes_.size() >= count; });
    }
    std::vector<std::pair<std::string, bool>> Flashes()
    {
        std::lock_guard lock(flashMutex_);
        return flashes_;
    }

    std::vector<std::vector<std::string>> MessageKeys() const
    {
        std::vector<std::vector<std::string>> keys;
        for (const auto& message : messages)
            keys.push_back(message.keys);
        return keys;
    }
    bool Refreshed(RefreshRequest what) const
    {
        return std::find(refreshes.begin(), refreshes.end(), what) != refreshes.end();
    }

private:
    std::mutex flashMutex_;
    std::condition_variable flashChanged_;
    std::vector<std::pair<std::string, bool>> flashes_;
    bool holdFlashes_ = false;
};

struct RigOptions {
    bool eepromMode = true;
    std::optional<config::DeviceImage> memory;  // the mouse's memory; the default image when unset
    device::VirtualMouseOptions mouse;
    bool driverPresent = true;
    int reserveVendor = 255;
    int reserveProduct = 255;
};

// Fault switches made by editing the defaults (designated initializers would leave the
// other members to the compiler's warnings).
template <class Edit>
device::FaultSwitches Faults(Edit edit)
{
    device::FaultSwitches faults;
    edit(faults);
    return faults;
}

inline RigOptions WithMemory(const config::DeviceImage& memory)
{
    RigOptions options;
    options.memory = memory;
    return options;
}

inline RigOptions WithFaults(const device::FaultSwitches& faults)
{
    RigOptions options;
    options.mouse.faults = faults;
    return options;
}

struct BlockCommand {
    std::uint8_t code;
    std::uint16_t address;
    std::uint16_t length;
    friend bool operator==(const BlockCommand&, const BlockCommand&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const BlockCommand& block)
{
    return out << "{" << int(block.code) << ", 0x" << std::hex << block.address << std::dec << ", " << block.length
               << "}";
}

class Rig {
public:
    explicit Rig(RigOptions options = {})
    {
        config::DeviceImage memory;
        if (options.memory)
            memory = *options.memory;
        else
            memory = *device::VirtualMouse::DefaultMemory();
        mouse = std::make_shared<device::VirtualMouse>(memory, options.mouse);
        auto othersOwned = std::make_unique<OtherDevicesBus>();
        others = othersOwned.get();
        mouseBus = std::make_unique<device::VirtualMouseBus>(mouse, std::move(othersOwned));
        log = std::make_shared<ReportLog>();
        bus = std::make_unique<SpyBus>(*mouseBus, log);

        device::VirtualDriverOptions driverOptions;
        driverOptions.present = options.driverPresent;
        driverOptions.productId = options.mouse.productId;
        const auto driverImage = config::LoadDefaultDriverImage(0);
        driver = std::move(device::VirtualDriverChannel::FromImage(*driverImage, driverOptions).channel);

        ControllerSetup setup;
        setup.bus = bus.get();
        setup.waiting = &waiting;
        setup.view = &view;
        setup.driver = driver.get();
        setup.options.eepromMode = options.eepromMode;
        setup.options.Ap_Mode = options.eepromMode ? 0 : 1;
        setup.options.Rev_Manu_ID = options.reserveVendor;
        setup.options.Rev_Pro_ID = options.reserveProduct;
        setup.dataFolder = folder.Path();
        setup.language = 2;  // English
        controller = std::make_unique<Controller>(setup);
        controller->Start();
    }

    // The first device search after start: the watch finds the mouse and identifies it.
    void FirstTick()
    {
        log->Clear();
        controller->DevTimerTimer();
    }

    std::vector<BlockCommand> Blocks(std::uint8_t code)
    {
        std::vector<BlockCommand> blocks;
        for (const auto& report : log->Sent())
            if (report[1] == code)
                blocks.push_back({code, static_cast<std::uint16_t>(report[2] | report[3] << 8),
                                  static_cast<std::uint16_t>(report[4] | report[5] << 8)});
        return blocks;
    }
    std::vector<BlockCommand> Writes() { return Blocks(device::WriteBlockCmd); }
    std::vector<BlockCommand> Reads() { return Blocks(device::ReadBlockCmd); }
    // Command codes sent, chunks left out.
    std::vector<std::uint8_t> Commands()
    {
        std::vector<std::uint8_t> codes;
        for (const auto& report : log->Sent())
            if (report[1] != device::ReadChunkCmd && report[1] != device::WriteChunkCmd)
                codes.push_back(report[1]);
        return codes;
    }

    device::testing::TempFolder folder;
    std::shared_ptr<device::VirtualMouse> mouse;
    OtherDevicesBus* others = nullptr;
    std::unique_ptr<device::VirtualMouseBus> mouseBus;
    std::shared_ptr<ReportLog> log;
    std::unique_ptr<SpyBus> bus;
    std::unique_ptr<device::VirtualDriverChannel> driver;
    device::RecordingWaiting waiting;
    FakeView view;
    std::unique_ptr<Controller> controller;
};

using Keys = std::vector<std::string>;
inline const Keys kNoDeviceKeys{"Str100", "Str101"};

inline config::DeviceImage DefaultImage(int type)
{
    return *config::LoadDefaultImage(type);
}

}  // namespace qeltra3k::app::testing
