#include "device/VirtualMouseBus.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "device/FeatureProtocol.h"
#include "device/TargetMouse.h"
#include "device/Waiting.h"

namespace qeltra3k::device {
namespace {

// The system's bus as the virtual mouse sees it: a fixed list, and opens that only say
// which path was asked for.
class ListedBus : public HidBus {
public:
    std::vector<HidInterfaceInfo> Enumerate() override { return listed; }
    std::unique_ptr<HidDevice> Open(const std::string& path, std::string& error) override
    {
        opened.push_back(path);
        error = "listed bus cannot open " + path;
        return nullptr;
    }

    std::vector<HidInterfaceInfo> listed;
    std::vector<std::string> opened;
};

config::DeviceImage Image()
{
    config::DeviceImage image{};
    image[0x36] = 0x12;
    image[0x37] = 0x34;
    return image;
}

class VirtualMouseBusTest : public ::testing::Test {
protected:
    // One identification-style exchange through `device`: OpenCmd, then the ID bytes.
    bool Talk(HidDevice* device)
    {
        FeatureProtocol protocol(waiting);
        if (!protocol.SetDevice(device) || !protocol.SendCommand(OpenCmd) || !protocol.SendCommand(StatusCmd))
            return false;
        std::array<std::uint8_t, 2> ids{};
        const bool read = protocol.ReadBlock(0x36, 2, ids, false);
        protocol.SendCommand(CloseCmd);
        return read && ids[0] == 0x12 && ids[1] == 0x34;
    }

    std::shared_ptr<VirtualMouse> mouse = std::make_shared<VirtualMouse>(Image());
    RecordingWaiting waiting;
};

TEST_F(VirtualMouseBusTest, ListsTheMouseAsTheTargetMouseAfterTheSystemsInterfaces)
{
    auto system = std::make_unique<ListedBus>();
    HidInterfaceInfo keyboard;
    keyboard.path = "/dev/hidraw0";
    keyboard.featureReportLength = 0;
    system->listed = {keyboard};
    VirtualMouseBus bus(mouse, std::move(system));

    const auto interfaces = bus.Enumerate();
    ASSERT_EQ(interfaces.size(), 2u);
    EXPECT_EQ(interfaces[0].path, "/dev/hidraw0");
    const HidInterfaceInfo& virtualMouse = interfaces[1];
    EXPECT_EQ(virtualMouse.path, kVirtualMousePath);
    EXPECT_EQ(virtualMouse.vendorId, kTargetVendorId);
    EXPECT_EQ(virtualMouse.productId, kTargetProductId);
    EXPECT_EQ(virtualMouse.version, 0x0104);
    EXPECT_EQ(virtualMouse.featureReportLength, std::optional<std::size_t>(8));
    EXPECT_EQ(virtualMouse.problem, "");
}

TEST_F(VirtualMouseBusTest, OpensAgainAndAgainOntoTheSameMemory)
{
    VirtualMouseBus bus(mouse);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        std::string error;
        auto device = bus.Open(kVirtualMousePath, error);
        ASSERT_NE(device, nullptr) << error;
        EXPECT_TRUE(Talk(device.get()));
    }
    // Two openings side by side, as a reopen before the old handle is dropped.
    std::string error;
    auto first = bus.Open(kVirtualMousePath, error);
    auto second = bus.Open(kVirtualMousePath, error);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(Talk(second.get()));
    EXPECT_TRUE(Talk(first.get()));
}

TEST_F(VirtualMouseBusTest, UnpluggedMouseLeavesTheListAndItsHandlesDie)
{
    VirtualMouseBus bus(mouse);
    std::string error;
    auto before = bus.Open(kVirtualMousePath, error);
    ASSERT_NE(before, nullptr) << error;

    bus.Unplug();
    EXPECT_FALSE(bus.Plugged());
    EXPECT_TRUE(bus.Enumerate().empty());
    EXPECT_EQ(bus.Open(kVirtualMousePath, error), nullptr);
    EXPECT_NE(error.find("unplugged"), std::string::npos) << error;
    Report report{ReportId, OpenCmd};
    EXPECT_FALSE(before->SetFeature(report));
    EXPECT_FALSE(before->GetFeature(report));
    EXPECT_FALSE(Talk(before.get()));

    // Back in: a new arrival. The old handle belongs to the device that was pulled out.
    bus.Plug();
    EXPECT_TRUE(bus.Plugged());
    EXPECT_EQ(bus.Enumerate().size(), 1u);
    EXPECT_FALSE(Talk(before.get()));
    auto after = bus.Open(kVirtualMousePath, error);
    ASSERT_NE(after, nullptr) << error;
    EXPECT_TRUE(Talk(after.get()));
}

TEST_F(VirtualMouseBusTest, HandleOpenedAcrossAQuickReplugIsDeadToo)
{
    VirtualMouseBus bus(mouse);
    std::string error;
    auto before = bus.Open(kVirtualMousePath, error);
    ASSERT_NE(before, nullptr) << error;
    bus.Unplug();
    bus.Plug();  // the handle was not used in between
    EXPECT_FALSE(Talk(before.get()));
}

TEST_F(VirtualMouseBusTest, MousePulledByItsUnplugFaultLeavesTheList)
{
    VirtualMouseBus bus(mouse);
    FaultSwitches faults;
    faults.unplugAfter = 3;
    mouse->SetFaults(faults);
    std::string error;
    auto device = bus.Open(kVirtualMousePath, error);
    ASSERT_NE(device, nullptr) << error;
    EXPECT_FALSE(Talk(device.get()));  // needs more than three feature calls

    EXPECT_FALSE(bus.Plugged());
    EXPECT_TRUE(bus.Enumerate().empty());
    EXPECT_EQ(bus.Open(kVirtualMousePath, error), nullptr);

    // Switching the faults again brings it back; the old handle stays dead.
    mouse->SetFaults({});
    EXPECT_EQ(bus.Enumerate().size(), 1u);
    EXPECT_FALSE(Talk(device.get()));
    auto again = bus.Open(kVirtualMousePath, error);
    ASSERT_NE(again, nullptr) << error;
    EXPECT_TRUE(Talk(again.get()));
}

TEST_F(VirtualMouseBusTest, OtherPathsGoToTheSystemsBus)
{
    auto system = std::make_unique<ListedBus>();
    ListedBus* systemBus = system.get();
    VirtualMouseBus withSystem(mouse, std::move(system));
    std::string error;
    EXPECT_EQ(withSystem.Open("/dev/hidraw4", error), nullptr);
    EXPECT_EQ(systemBus->opened, std::vector<std::string>{"/dev/hidraw4"});
    EXPECT_EQ(error, "listed bus cannot open /dev/hidraw4");

    VirtualMouseBus alone(mouse);
    EXPECT_EQ(alone.Open("/dev/hidraw4", error), nullptr);
    EXPECT_NE(error.find("/dev/hidraw4"), std::string::npos) << error;
}

}  // namespace
}  // namespace qeltra3k::device
