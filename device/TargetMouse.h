#pragma once
// The USB identity of the mouse this editor is built for, in one place: the first candidate
// pair of the device search, the identity the virtual mouse presents, and the ids the udev
// rule (udev/60-qeltra3k.rules) grants the desktop user access to.
//
// The QELTRA3K design has no vendor id registered for it, so the pair is the pid.codes test
// pair (vendor 0x1209, product 0x0001), which is set aside for devices that have no id of
// their own. A build for a particular mouse changes these two constants and the udev rule
// together; a test keeps the two in step.
#include <cstddef>
#include <cstdint>

namespace qeltra3k::device {

constexpr std::uint16_t kTargetVendorId = 0x1209;
constexpr std::uint16_t kTargetProductId = 0x0001;

// What the acceptance test of the device search asks of an interface: the HID version
// number (USB bcdDevice) and the feature report length, report id byte included.
constexpr std::uint16_t kTargetVersion = 0x0104;
constexpr std::size_t kTargetFeatureReportLength = 8;

}  // namespace qeltra3k::device
