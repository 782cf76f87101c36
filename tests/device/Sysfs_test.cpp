#include "device/Sysfs.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DeviceFakes.h"

namespace qeltra3k::device {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A feature report 4 of seven bytes in a vendor collection: feature length 8.
const Bytes kMouseDescriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x04,
                                0x75, 0x08, 0x95, 0x07, 0xB1, 0x02, 0xC0};

void WriteFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A small copy of the sysfs shape around hidraw nodes: the class folder links to the node
// folder under the HID device, whose `device` link leads back up to it; above the HID
// device sit the USB interface and the USB device (with bcdDevice), then the root hub
// (with a bcdDevice of its own that must not be taken).
class FakeSysfs {
public:
    FakeSysfs()
    {
        WriteFile(Root() / "bcdDevice", "0999\n");  // outside sys/: never to be reached
        WriteFile(Sys() / "devices/pci0000:00/0000:00:14.0/usb1/bcdDevice", "0602\n");
        fs::create_directories(Sys() / "class/hidraw");
    }

    const fs::path& Root() const { return folder_.Path(); }
    fs::path Sys() const { return Root() / "sys"; }

    // A node of a USB device; `bcd` nothing for a device without bcdDevice.
    void AddUsbNode(const std::string& node, const std::optional<std::string>& bcd, const Bytes& descriptor)
    {
        const fs::path usbDevice = Sys() / "devices/pci0000:00/0000:00:14.0/usb1/1-2";
        if (bcd)
            WriteFile(usbDevice / "bcdDevice", *bcd);
        AddNode(node, usbDevice / "1-2:1.1" / ("0003:1209:0001." + node.substr(6)), descriptor);
    }

    // A node with no USB device above it, as Bluetooth and uhid devices have.
    void AddVirtualNode(const std::string& node, const Bytes& descriptor)
    {
        AddNode(node, Sys() / "devices/virtual/misc/uhid" / ("0005:1209:0001." + node.substr(6)), descriptor);
    }

private:
    void AddNode(const std::string& node, const fs::path& hidDevice, const Bytes& descriptor)
    {
        WriteFile(hidDevice / "report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        const fs::path nodeFolder = hidDevice / "hidraw" / node;
        fs::create_directories(nodeFolder);
        fs::create_directory_symlink("../..", nodeFolder / "device");
        fs::create_directory_symlink(fs::relative(nodeFolder, Sys() / "class/hidraw"), Sys() / "class/hidraw" / node);
    }

    testing::TempFolder folder_;
};

TEST(Sysfs, ReadsVersionAndDescriptorOfAUsbNode)
{
    FakeSysfs tree;
    tree.AddUsbNode("hidraw3", "0104\n", kMouseDescriptor);
    const Sysfs sysfs(tree.Root());
    std::string error;
    EXPECT_EQ(sysfs.UsbVersion("/dev/hidraw3", error), std::optional<std::uint16_t>(0x0104)) << error;
    EXPECT_EQ(sysfs.ReportDescriptor("hidraw3", error), std::optional<Bytes>(kMouseDescriptor)) << error;
}

TEST(Sysfs, VersionProblemsAreReportedNotGuessed)
{
    struct Case {
        const char* what;
        std::optional<std::string> bcd;  // nothing: a node with no USB device above it
        const char* reason;
    };
    const Case cases[] = {
        {"no USB device above", std::nullopt, "no USB device above hidraw1"},
        {"not hexadecimal", std::string("01G4\n"), "four-digit hexadecimal"},
        {"too long", std::string("10104\n"), "four-digit hexadecimal"},
        {"empty", std::string(""), "four-digit hexadecimal"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        FakeSysfs tree;
        if (test.bcd)
            tree.AddUsbNode("hidraw1", test.bcd, kMouseDescriptor);
        else
            tree.AddVirtualNode("hidraw1", kMouseDescriptor);
        std::string error;
        EXPECT_EQ(Sysfs(tree.Root()).UsbVersion("/dev/hidraw1", error), std::nullopt);
        EXPECT_NE(error.find(test.reason), std::string::npos) << error;
    }
}

TEST(Sysfs, OnlyHidrawNodesAreLookedUp)
{
    const struct {
        const char* node;
        std::optional<std::string> name;
    } cases[] = {
        {"/dev/hidraw0", "hidraw0"},
        {"hidraw12", "hidraw12"},
        {"/dev/hidraw", std::nullopt},
        {"/dev/hidraw1x", std::nullopt},
        {"/dev/hidraw1/../../etc/passwd", std::nullopt},
        {"../hidraw1", std::nullopt},
        {"/tmp/hidraw1", std::nullopt},
        {"/dev/hidraw1234567", std::nullopt},
        {"virtual:mouse", std::nullopt},
    };
    FakeSysfs tree;
    const Sysfs sysfs(tree.Root());
    for (const auto& test : cases) {
        SCOPED_TRACE(test.node);
        EXPECT_EQ(Sysfs::NodeName(test.node), test.name);
        if (!test.name) {
            std::string error;
            EXPECT_EQ(sysfs.ReportDescriptor(test.node, error), std::nullopt);
            EXPECT_NE(error.find("not a hidraw node"), std::string::npos) << error;
        }
    }
}

TEST(Sysfs, DescribeListsEachNodeOnceInOrderOfFirstAppearance)
{
    FakeSysfs tree;
    tree.AddUsbNode("hidraw2", "0104\n", kMouseDescriptor);
    tree.AddUsbNode("hidraw5", "0104\n", kMouseDescriptor);
    // hidapi lists a node once per top-level usage.
    const std::vector<HidrawEntry> entries = {{"/dev/hidraw5", 0x1209, 0x0001},
                                              {"/dev/hidraw2", 0x1209, 0x0001},
                                              {"/dev/hidraw5", 0x1209, 0x0001},
                                              {"/dev/hidraw5", 0x1209, 0x0001}};
    const auto interfaces = DescribeInterfaces(entries, Sysfs(tree.Root()));
    ASSERT_EQ(interfaces.size(), 2u);
    EXPECT_EQ(interfaces[0].path, "/dev/hidraw5");
    EXPECT_EQ(interfaces[1].path, "/dev/hidraw2");
    for (const auto& info : interfaces) {
        SCOPED_TRACE(info.path);
        EXPECT_EQ(info.vendorId, 0x1209);
        EXPECT_EQ(info.productId, 0x0001);
        EXPECT_EQ(info.version, 0x0104);
        EXPECT_EQ(info.featureReportLength, std::optional<std::size_t>(8));
        EXPECT_EQ(info.problem, "");
    }
}

TEST(Sysfs, DescribeKeepsNodesWhoseAttributesCannotBeWorkedOut)
{
    FakeSysfs tree;
    tree.AddVirtualNode("hidraw0", kMouseDescriptor);
    tree.AddUsbNode("hidraw1", "0104\n", {0xA1, 0x01, 0xB4, 0xC0});  // Pop on an empty stack
    const std::vector<HidrawEntry> entries = {
        {"/dev/hidraw0", 1, 2}, {"/dev/hidraw1", 3, 4}, {"/dev/hidraw9", 5, 6}};
    const auto interfaces = DescribeInterfaces(entries, Sysfs(tree.Root()));
    ASSERT_EQ(interfaces.size(), 3u);

    EXPECT_EQ(interfaces[0].version, 0);
    EXPECT_EQ(interfaces[0].featureReportLength, std::optional<std::size_t>(8));
    EXPECT_NE(interfaces[0].problem.find("version unknown"), std::string::npos) << interfaces[0].problem;

    EXPECT_EQ(interfaces[1].version, 0x0104);
    EXPECT_EQ(interfaces[1].featureReportLength, std::nullopt);
    EXPECT_NE(interfaces[1].problem.find("report descriptor not accepted: Pop without a Push"), std::string::npos)
        << interfaces[1].problem;

    // Gone from sysfs between hidapi's list and our look (unplugged just then).
    EXPECT_EQ(interfaces[2].version, 0);
    EXPECT_EQ(interfaces[2].featureReportLength, std::nullopt);
    EXPECT_NE(interfaces[2].problem.find("version unknown"), std::string::npos);
    EXPECT_NE(interfaces[2].problem.find("no report descriptor"), std::string::npos);
}

}  // namespace
}  // namespace qeltra3k::device
