#pragma once
// The system's HID interfaces on Linux: hidraw nodes found and opened through hidapi, with
// the attributes hidapi does not give (version number, feature report length as Windows
// states it) taken from sysfs.
//
// A hidraw node is one USB interface; Windows shows each top-level collection of it as an
// interface of its own. Here the node is listed once, with the feature report length of
// the collection that carries the protocol's report id (see NodeFeatureReportLength), since
// every collection's reports travel through the same node.
#if defined(__linux__)

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device/HidBus.h"
#include "device/Sysfs.h"

namespace qeltra3k::device {

class LinuxHidBus final : public HidBus {
public:
    // `sysfsRoot` is "/" on a real system; tests point it at a fake tree.
    explicit LinuxHidBus(std::filesystem::path sysfsRoot = "/");

    std::vector<HidInterfaceInfo> Enumerate() override;
    // Opens "/dev/hidrawN" read-write; other paths are refused without touching the system.
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string& error) override;

private:
    Sysfs sysfs_;
};

}  // namespace qeltra3k::device

#endif
