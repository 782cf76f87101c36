#pragma once
// One opened HID interface of the mouse, as the feature-report protocol sees it. The real
// device (hidapi) and the virtual mouse both sit behind this, so the protocol never knows
// which one it talks to.
#include <array>
#include <cstdint>

namespace qeltra3k::device {

// Every exchange with the mouse is one 8-byte feature report; byte 0 is the report id.
using Report = std::array<std::uint8_t, 8>;

class HidDevice {
public:
    virtual ~HidDevice() = default;

    // Sends `report` as a feature report; false when the system call failed.
    virtual bool SetFeature(const Report& report) = 0;

    // Reads the feature report whose id is in report[0] into `report`; false when the
    // system call failed (the content of `report` is then not to be trusted).
    virtual bool GetFeature(Report& report) = 0;
};

}  // namespace qeltra3k::device
