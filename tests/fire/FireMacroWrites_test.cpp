#include "fire/FireMacroWrites.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "device/VirtualMouse.h"
#include "device/Waiting.h"

namespace qeltra3k::fire {
namespace {

using device::Report;
using device::WriteFrameOutcome;
using device::WriteFrameResult;

// The virtual mouse, with every command the host sends noted (chunk transfers left out),
// and optionally a status reply that does not say "ready".
class WatchedMouse : public device::HidDevice {
public:
    explicit WatchedMouse(const config::DeviceImage& memory, device::VirtualMouseOptions options = {})
        : mouse_(memory, std::move(options))
    {
    }

    bool SetFeature(const Report& report) override
    {
        lastCommand_ = report[1];
        if (report[1] != device::WriteChunkCmd && report[1] != device::ReadChunkCmd)
            commands_.push_back(report[1]);
        return mouse_.SetFeature(report);
    }

    bool GetFeature(Report& report) override
    {
        const bool ok = mouse_.GetFeature(report);
        if (ok && notReadyStatus && lastCommand_ == device::StatusCmd)
            report[1] = 0x00;
        return ok;
    }

    // Commands in order, each attempt counted.
    const std::vector<std::uint8_t>& Commands() const { return commands_; }
    config::DeviceImage Memory() const { return mouse_.Memory(); }

    bool notReadyStatus = false;

private:
    device::VirtualMouse mouse_;
    std::uint8_t lastCommand_ = 0;
    std::vector<std::uint8_t> commands_;
};

config::DeviceImage Patterned()
{
    config::DeviceImage image;
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 13 + 5);
    return image;
}

class FireMacroWritesTest : public ::testing::Test {
protected:
    WatchedMouse& Attach(device::VirtualMouseOptions options = {})
    {
        mouse = std::make_unique<WatchedMouse>(initial, std::move(options));
        EXPECT_TRUE(protocol.SetDevice(mouse.get()));
        return *mouse;
    }

    config::DeviceImage initial = Patterned();
    device::RecordingWaiting waiting;
    device::FeatureProtocol protocol{waiting};
    std::unique_ptr<WatchedMouse> mouse;
};

const std::vector<std::uint8_t> kFullFrame{device::OpenCmd, device::StatusCmd, device::WriteBlockCmd,
                                           device::SystemReloadCmd, device::CloseCmd};

TEST_F(FireMacroWritesTest, PresetBlockLandsAtItsAddressAndNothingElseChanges)
{
    Attach();
    FireMacros macros;
    ASSERT_TRUE(LoadFireMacroPreset(macros, 2));
    const WriteFrameResult result = WriteFireMacroBlock(protocol, macros.Block());
    EXPECT_EQ(result.outcome, WriteFrameOutcome::Written);
    EXPECT_TRUE(result.memoryReady);
    EXPECT_EQ(result.chipCode, 0x90);
    EXPECT_EQ(mouse->Commands(), kFullFrame);

    config::DeviceImage expected = initial;
    std::copy(macros.Block().begin(), macros.Block().end(), expected.begin() + 0x500);
    EXPECT_EQ(mouse->Memory(), expected);
}

TEST_F(FireMacroWritesTest, ConfirmWritesTheThreeTablesThenThePackedBlock)
{
    Attach();
    FireMacros macros;
    ASSERT_TRUE(LoadFireMacroPreset(macros, 1));
    config::DataBuf dataBuf{};
    for (std::size_t i = 0; i < dataBuf.size(); ++i)
        dataBuf[i] = static_cast<std::uint8_t>(200 - i);
    ASSERT_TRUE(macros.Decode(4, dataBuf));
    ASSERT_TRUE(macros.SetParameter(4, FireParameter::Y, 20));  // only in the working copy so far

    const WriteFrameResult result = ConfirmFireMacros(protocol, macros, dataBuf);
    EXPECT_EQ(result.outcome, WriteFrameOutcome::Written);
    EXPECT_EQ(mouse->Commands(),
              (std::vector<std::uint8_t>{device::OpenCmd, device::StatusCmd, device::WriteBlockCmd,
                                         device::WriteBlockCmd, device::WriteBlockCmd, device::WriteBlockCmd,
                                         device::SystemReloadCmd, device::CloseCmd}));
    EXPECT_EQ(macros.Block()[3 * 24 + 9], 20) << "packed before writing";

    config::DeviceImage expected = initial;
    std::copy_n(dataBuf.begin() + 111, 30, expected.begin() + 0x80);
    std::copy_n(dataBuf.begin() + 141, 20, expected.begin() + 0xB0);
    std::copy_n(dataBuf.begin() + 161, 30, expected.begin() + 0xD0);
    std::copy(macros.Block().begin(), macros.Block().end(), expected.begin() + 0x500);
    EXPECT_EQ(mouse->Memory(), expected);
}

TEST_F(FireMacroWritesTest, NothingIsWrittenUnlessTheMouseIsReadyWithAKnownChip)
{
    struct Case {
        std::string_view name;
        std::string_view faults;
        bool notReadyStatus;
        WriteFrameOutcome outcome;
        std::vector<std::uint8_t> commands;
    };
    const Case cases[] = {
        {"memory not ready", "not-ready", false, WriteFrameOutcome::MemoryNotReady,
         {device::OpenCmd, device::StatusCmd, device::SystemReloadCmd, device::CloseCmd}},
        {"unknown chip", "chip:0x12", false, WriteFrameOutcome::MemoryNotReady,
         {device::OpenCmd, device::StatusCmd, device::SystemReloadCmd, device::CloseCmd}},
        {"status not ready", "", true, WriteFrameOutcome::Stopped, {device::OpenCmd, device::StatusCmd}},
        {"no answer", "no-answer", false, WriteFrameOutcome::Stopped,
         std::vector<std::uint8_t>(device::CommandAttempts, device::OpenCmd)},
    };
    for (const Case& c : cases) {
        device::VirtualMouseOptions options;
        std::string error;
        if (!c.faults.empty()) {
            ASSERT_TRUE(device::AddFaults(c.faults, options.faults, error)) << error;
        }
        Attach(options).notReadyStatus = c.notReadyStatus;
        FireMacros macros;
        ASSERT_TRUE(LoadFireMacroPreset(macros, 1));
        const WriteFrameResult result = ConfirmFireMacros(protocol, macros, config::DataBuf{});
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        EXPECT_EQ(mouse->Commands(), c.commands) << c.name;
        EXPECT_EQ(mouse->Memory(), initial) << c.name;
    }
}

TEST_F(FireMacroWritesTest, NoDeviceMeansNothingSent)
{
    FireMacros macros;
    EXPECT_EQ(WriteFireMacroBlock(protocol, macros.Block()).outcome, WriteFrameOutcome::Stopped);
}


}  // namespace
}  // namespace qeltra3k::fire
