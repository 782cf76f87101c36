#pragma once
// A HID bus with the virtual mouse plugged in as one more interface, beside the system's
// own (or alone). The interface looks to the device search exactly like the target mouse:
// its USB ids, version 0x0104, feature report length 8. It can be opened again and again
// (the device watch reopens after a count drop), and pulled out and plugged back by tests.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/HidBus.h"
#include "device/VirtualMouse.h"

namespace qeltra3k::device {

constexpr const char* kVirtualMousePath = "virtual:mouse";

class VirtualMouseBus final : public HidBus {
public:
    // `inner` is the system's bus, or null for the virtual mouse alone. `mouse` must not be
    // null; it is shared so the caller can look at its memory and switch its faults.
    explicit VirtualMouseBus(std::shared_ptr<VirtualMouse> mouse, std::unique_ptr<HidBus> inner = nullptr);

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string& error) override;

    // Pulls the virtual mouse out: it leaves the list, cannot be opened, and every handle
    // opened before fails from now on, as a pulled-out device's handles do.
    void Unplug();
    // Plugs it back in as a fresh arrival; handles from before the unplug stay dead.
    void Plug();
    // False after Unplug, and while the mouse's own unplug-after fault has fired (it comes
    // back when its faults are switched again).
    bool Plugged() const;

    VirtualMouse& Mouse() const { return *link_->mouse; }

    // The list entry of the virtual mouse.
    static HidInterfaceInfo Describe();

private:
    // What the bus and its opened handles share, so a handle can outlive the bus.
    struct Link {
        std::shared_ptr<VirtualMouse> mouse;
        std::atomic<bool> plugged{true};
        std::atomic<std::uint64_t> arrival{0};  // counts plug-ins, to tell old handles apart
        bool Present() const;
    };
    class Handle;

    std::shared_ptr<Link> link_;
    std::unique_ptr<HidBus> inner_;
};

}  // namespace qeltra3k::device
