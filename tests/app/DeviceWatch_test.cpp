// Finding the mouse: the start state, the device watch's counting and its reactions, and the
// identification that decides whether the mouse is read.
#include <gtest/gtest.h>

#include "ControllerRig.h"
#include "config/Checksum.h"

namespace qeltra3k::app::testing {
namespace {

namespace f = config::field;

TEST(StartTest, NoDeviceStateWithTheFirstDefaultsAndTheFirstSearchArmed)
{
    Rig rig;
    const Controller& c = *rig.controller;
    EXPECT_FALSE(c.HasDevice());
    EXPECT_TRUE(c.NoDevice());
    EXPECT_TRUE(c.Timers().devTimerFirst);
    EXPECT_FALSE(c.Timers().devTimer);
    EXPECT_EQ(c.DeviceImage(), DefaultImage(0));
    EXPECT_EQ(rig.controller->Form().keyCodeTexts[0][8], "0600F0");
    EXPECT_EQ(c.PrimaryIdPair(), (IdPair{0xFF, 0xFF}));
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST(DeviceWatchTest, ReadAfterPlugInMovesTheSettingsStretchOnly)
{
    config::DeviceImage memory = DefaultImage(0);
    // A mouse set to three levels (a valid section, so the read keeps it).
    memory[f::LevelCount] = 3;
    memory[f::ParameterAChecksum] =
        config::SectionChecksum(std::span<const std::uint8_t>(memory).first(f::ParameterAChecksum));
    Rig rig(WithMemory(memory));
    rig.FirstTick();

    Controller& c = *rig.controller;
    EXPECT_TRUE(c.HasDevice());
    EXPECT_FALSE(c.NoDevice());
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.Reads(), (std::vector<BlockCommand>{{device::ReadBlockCmd, 0x036, 2}, {device::ReadBlockCmd, 0, 255}}));
    EXPECT_EQ(c.Form().cb_CPIStep, 1);
    EXPECT_EQ(c.DataBuf()[f::LevelCount], 3);
    // The rest of the image reads as 0xFF; the macro and fire buffers keep the defaults.
    EXPECT_EQ(c.DeviceImage()[255], 0xFF);
    EXPECT_EQ(c.DeviceImage()[0x500], 0xFF);
    EXPECT_EQ(c.FireMacros().Block()[0], 0x00);
    EXPECT_EQ(rig.Commands().back(), device::CloseCmd);
    // The first search is over: only the 3-second watch runs now.
    EXPECT_FALSE(c.Timers().devTimerFirst);
    EXPECT_TRUE(c.Timers().devTimer);
    EXPECT_FALSE(rig.view.overlayShown);
    EXPECT_EQ(c.LastInterfaceCount(), 4);
}

TEST(DeviceWatchTest, FirstSearchEndsWithTheWatchOnWhateverItFound)
{
    Rig rig;
    rig.mouseBus->Unplug();
    rig.others->count = 0;
    rig.controller->DevTimerTimer();  // nothing at all to count
    EXPECT_FALSE(rig.controller->Timers().devTimerFirst);
    EXPECT_TRUE(rig.controller->Timers().devTimer);
}

TEST(DeviceWatchTest, EachTickCountsFivePairs)
{
    Rig rig;
    rig.bus->enumerations = 0;
    rig.FirstTick();
    // Ten counts; the mouse is opened through one more listing.
    EXPECT_EQ(rig.bus->enumerations, 11);
}

TEST(DeviceWatchTest, UnsteadyCountsAreLookedAtAgainOnTheNextTick)
{
    Rig rig;
    rig.FirstTick();
    ASSERT_EQ(rig.controller->LastInterfaceCount(), 4);
    // Another device arrives, but only one pair of the five agrees.
    rig.others->script = {4, 5, 4, 5, 4, 5, 4, 5, 4, 4};
    rig.controller->DevTimerTimer();
    EXPECT_EQ(rig.controller->LastInterfaceCount(), 4);
    // Steady now: the change is taken.
    rig.others->count = 5;
    rig.controller->DevTimerTimer();
    EXPECT_EQ(rig.controller->LastInterfaceCount(), 6);
}

TEST(DeviceWatchTest, AnotherDeviceComingOrGoingWhileConnectedChangesOnlyTheCount)
{
    Rig rig;
    rig.FirstTick();
    for (const int others : {5, 2}) {
        rig.log->Clear();
        rig.others->count = others;
        rig.controller->DevTimerTimer();
        EXPECT_EQ(rig.controller->LastInterfaceCount(), others + 1);
        EXPECT_TRUE(rig.controller->HasDevice());
        EXPECT_TRUE(rig.view.messages.empty());
        EXPECT_TRUE(rig.Commands().empty()) << "nothing is sent to the mouse";
    }
}

TEST(DeviceWatchTest, PulledOutMouseGivesTheNoDeviceStateAndItsDialog)
{
    Rig rig;
    rig.FirstTick();
    rig.controller->Form().cb_CPIStep = 0;  // an edit on screen, to be replaced by the defaults
    rig.mouseBus->Unplug();
    rig.controller->DevTimerTimer();

    const Controller& c = *rig.controller;
    EXPECT_FALSE(c.HasDevice());
    EXPECT_TRUE(c.NoDevice());
    EXPECT_EQ(c.CurrentVendorId(), 0);
    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{kNoDeviceKeys}));
    const ViewMessage& dialog = rig.view.messages.front();
    EXPECT_EQ(dialog.style, MessageStyle::Dialog);
    EXPECT_EQ(dialog.title, "Gaming Mouse");
    EXPECT_EQ(dialog.text, "Please Connect the USB Device\n\nPlease check your device is attached to USB port");
    EXPECT_TRUE(rig.view.overlayShown);
    EXPECT_EQ(rig.controller->Form().cb_CPIStep, 4);
    EXPECT_TRUE(c.Timers().devTimer);

    // Plugged back in: found and read again.
    rig.view.messages.clear();
    rig.mouseBus->Plug();
    rig.controller->DevTimerTimer();
    EXPECT_TRUE(c.HasDevice());
    EXPECT_FALSE(c.NoDevice());
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST(DeviceWatchTest, WithoutAMouseEveryCountChangeShowsTheNoDeviceDialogOnce)
{
    Rig rig;
    rig.mouseBus->Unplug();
    // Start: 3 other devices arrive; the second candidate pair (0, 0) is never tried.
    rig.controller->DevTimerTimer();
    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{kNoDeviceKeys}));
    EXPECT_EQ(rig.bus->openings, 0);
    // One of them goes away: no mouse to reopen, so the dialog comes again.
    rig.others->count = 2;
    rig.controller->DevTimerTimer();
    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{kNoDeviceKeys, kNoDeviceKeys}));
}

TEST(DeviceWatchTest, AnInterfaceIsAcceptedOnlyWithTheMouseIdsVersionAndReportLength)
{
    Rig rig;
    auto info = device::VirtualMouseBus::Describe();
    std::uint16_t version = kExpectedVersion;
    EXPECT_TRUE(rig.controller->OpenMouse(info.vendorId, info.productId, version));
    EXPECT_FALSE(rig.controller->OpenMouse(info.vendorId, static_cast<std::uint16_t>(info.productId + 1), version));
    std::uint16_t otherVersion = 0x0105;
    EXPECT_FALSE(rig.controller->OpenMouse(info.vendorId, info.productId, otherVersion));
}

// ------------------------------------------------------------------------------ identification

struct IdCase {
    const char* name;
    std::uint8_t vendorByte;
    std::uint8_t productByte;
    int reserveVendor;
    int reserveProduct;
    bool accepted;
};

class IdentificationTest : public ::testing::TestWithParam<IdCase> {};

TEST_P(IdentificationTest, ReadsOnlyAMouseOfAnAcceptedPair)
{
    const IdCase& id = GetParam();
    config::DeviceImage memory = DefaultImage(0);
    memory[0x36] = id.vendorByte;
    memory[0x37] = id.productByte;
    memory[f::LevelCount] = 3;  // breaks the checksum: read, it would show the built-in 4 levels
    RigOptions options = WithMemory(memory);
    options.reserveVendor = id.reserveVendor;
    options.reserveProduct = id.reserveProduct;
    Rig rig(options);
    rig.FirstTick();

    Controller& c = *rig.controller;
    EXPECT_TRUE(c.HasDevice()) << "the handle stays open either way";
    EXPECT_EQ(c.Form().edt_VendorID, std::to_string(id.vendorByte));
    if (id.accepted) {
        EXPECT_TRUE(rig.view.messages.empty());
        EXPECT_EQ(rig.Reads().size(), 2u);
        EXPECT_EQ(c.DataBuf()[f::LevelCount], 4);
        EXPECT_FALSE(c.NoDevice());
    } else {
        ASSERT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str107"}}));
        EXPECT_EQ(rig.view.messages[0].style, MessageStyle::Box);
        EXPECT_EQ(rig.view.messages[0].title, "");
        EXPECT_EQ(rig.Reads().size(), 1u) << "only the ID bytes";
        EXPECT_EQ(c.DataBuf()[f::LevelCount], 6) << "the defaults stay on screen";
        EXPECT_TRUE(c.NoDevice());
        EXPECT_TRUE(c.Timers().devTimer);
        EXPECT_FALSE(c.Timers().devTimerFirst);
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, IdentificationTest,
                         ::testing::Values(IdCase{"Generic", 0xFF, 0xFF, 255, 255, true},
                                           IdCase{"Neither", 0x12, 0x34, 255, 255, false},
                                           IdCase{"Reserve", 0x12, 0x34, 0x12, 0x34, true},
                                           IdCase{"HalfReserve", 0x12, 0xFF, 0x12, 0x34, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StatusCase {
    const char* name;
    device::FaultSwitches faults;
    Keys message;       // empty: none
    bool handleKept;
};

class StatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusTest, AMouseThatIsNotReadyIsNotRead)
{
    const StatusCase& status = GetParam();
    device::VirtualMouseOptions mouse;
    mouse.faults = status.faults;
    Rig rig(WithFaults(mouse.faults));
    rig.FirstTick();

    EXPECT_EQ(rig.controller->HasDevice(), status.handleKept);
    EXPECT_TRUE(rig.Reads().empty());
    EXPECT_TRUE(rig.controller->NoDevice());
    if (status.message.empty()) {
        EXPECT_TRUE(rig.view.messages.empty());
    } else {
        EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{status.message}));
    }
    EXPECT_TRUE(rig.controller->Timers().devTimer);
}

INSTANTIATE_TEST_SUITE_P(Faults, StatusTest,
                         ::testing::Values(StatusCase{"MemoryNotReady", Faults([](auto& f) { f.notReady = true; }), {"Str020"}, false},
                                           StatusCase{"UnknownChip", Faults([](auto& f) { f.chipSource = 0x00; }), {"Str020"}, false},
                                           StatusCase{"NoAnswer", Faults([](auto& f) { f.noAnswer = true; }), {}, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReadTest, ALostChunkReadsAsErasedBytesAndItsSectionGetsItsDefault)
{
    device::VirtualMouseOptions mouse;
    mouse.faults.lostChunks = {1};  // bytes 6..11 of the settings stretch: level values of parameter A
    Rig rig(WithFaults(mouse.faults));
    rig.FirstTick();

    const Controller& c = *rig.controller;
    EXPECT_TRUE(rig.view.messages.empty());
    for (std::size_t i = 6; i < 12; ++i)
        EXPECT_EQ(c.DeviceImage()[i], 0xFF) << i;
    // Parameter A failed its checksum: the built-in default (4 levels, values 1..7).
    EXPECT_EQ(c.DataBuf()[f::LevelCount], 4);
    EXPECT_EQ(c.DataBuf()[f::LevelValue], 1);
    EXPECT_TRUE(config::HasValidSectionChecksum(std::span<const std::uint8_t>(c.DataBuf()).first(48)));
    // The sections after it came through as the mouse holds them.
    EXPECT_EQ(c.DataBuf()[f::LedState], DefaultImage(0)[0x32]);
}

TEST(ReadTest, ReadButtonWithoutAMouseOnlySaysSo)
{
    Rig rig;
    EXPECT_EQ(rig.controller->Btn_Read_0Click(), Outcome::NoDevice);
    ASSERT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str020"}}));
    EXPECT_EQ(rig.view.messages[0].text, "Finding the specified device");
    EXPECT_EQ(rig.bus->openings, 0);
}

}  // namespace
}  // namespace qeltra3k::app::testing
