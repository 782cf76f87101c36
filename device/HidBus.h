#pragma once
// The system's HID interfaces as the device search sees them: a list of interfaces with the
// attributes the acceptance test needs, and a way to open one for feature reports. The Linux
// implementation sits on hidapi; the virtual mouse can be attached as one more interface.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/HidDevice.h"

namespace qeltra3k::device {

struct HidInterfaceInfo {
    std::string path;            // what Open takes; unique per interface
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t version = 0;   // the HID attributes' version number (USB bcdDevice)
    // Feature report length as the system's HID capabilities give it (report id byte included);
    // nothing when it could not be worked out, `problem` then says why.
    std::optional<std::size_t> featureReportLength;
    std::string problem;
};

class HidBus {
public:
    virtual ~HidBus() = default;
    // Every present HID interface, one entry per interface (not per usage).
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Opens an interface for feature reports; nothing when it cannot be opened (`error` says why).
    virtual std::unique_ptr<HidDevice> Open(const std::string& path, std::string& error) = 0;
};

}  // namespace qeltra3k::device
