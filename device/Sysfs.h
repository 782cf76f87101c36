#pragma once
// What sysfs tells about a hidraw node that hidapi does not: the raw report descriptor (from
// which the feature report length is worked out as Windows does) and the USB device's
// bcdDevice (the HID version number of Windows' attributes). Everything is read below a root
// folder, "/" on a real system, so tests can stand up a fake tree.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/HidBus.h"

namespace qeltra3k::device {

class Sysfs {
public:
    explicit Sysfs(std::filesystem::path root = "/");

    // `node` is a hidraw device path ("/dev/hidraw3") or its name ("hidraw3"); anything else
    // is refused, so a path can never lead the lookups outside the hidraw class folder.
    // Both return nothing on failure and say why in `error`.
    std::optional<std::vector<std::uint8_t>> ReportDescriptor(std::string_view node, std::string& error) const;
    std::optional<std::uint16_t> UsbVersion(std::string_view node, std::string& error) const;

    // The node's name ("hidraw3"), or nothing when `node` does not name a hidraw node.
    static std::optional<std::string> NodeName(std::string_view node);

private:
    std::filesystem::path NodeFolder(const std::string& name) const;

    std::filesystem::path root_;
};

// One of hidapi's entries: it lists a node once for every top-level usage it carries.
struct HidrawEntry {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// One interface per node, in the order the nodes first appear, with the version and the
// feature report length from sysfs. An interface whose length or version cannot be worked
// out is still listed (it is present, and counts), with `problem` saying why; its
// featureReportLength is then empty or its version 0.
std::vector<HidInterfaceInfo> DescribeInterfaces(std::span<const HidrawEntry> entries, const Sysfs& sysfs);

}  // namespace qeltra3k::device
