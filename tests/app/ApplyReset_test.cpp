// Apply and Confirm in EEPROM mode, the resets with their verified write, and the two layout
// presets, against the virtual mouse.
#include <gtest/gtest.h>

#include "ControllerRig.h"
#include "config/Checksum.h"
#include "config/Conversion.h"

namespace qeltra3k::app::testing {
namespace {

namespace f = config::field;
using device::ReadBlockCmd;
using device::WriteBlockCmd;
using Blocks = std::vector<BlockCommand>;

const BlockCommand kSettingsWrite{WriteBlockCmd, 0x000, 255};

macros::MacroRecord NamedMacro(const char* name)
{
    macros::MacroRecord record;
    record.name = *macros::NameFromText(name);
    const std::uint8_t events[] = {0xA1, 0xFE, 0x0C, 0x21};
    const auto body = macros::BuildBody(0, events, macros::BodyLayout::Eeprom);
    std::copy(body->begin(), body->end(), record.body.begin());
    return record;
}

config::DeviceImage WithSlotRecord(config::DeviceImage image, std::size_t address, const macros::MacroRecord& record)
{
    std::vector<std::uint8_t> bytes;
    macros::AppendRecordBytes(record, bytes);
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(address));
    return image;
}

// An image whose key `key` of `profile` has `code`, with the profile checksum renewed.
config::DeviceImage WithKeyCode(config::DeviceImage image, config::Profile profile, std::size_t key,
                                const char* code)
{
    const std::size_t offset = config::kProfile.imageOffset + *config::KeyCodeOffset(profile, key) -
                               config::kProfile.dataBufOffset;
    config::WriteKeyCodeText(image, offset, code);
    config::WriteSectionChecksum(std::span<std::uint8_t>(image).subspan(config::kProfile.imageOffset,
                                                                        config::kProfile.length));
    return image;
}

// ------------------------------------------------------------------------------ Apply

TEST(ApplyTest, WritesTheFormIntoTheSettingsStretchAndNothingElse)
{
    Rig rig;
    rig.FirstTick();
    Controller& c = *rig.controller;
    c.Form().cb_CPIStep = 1;  // three levels
    rig.log->Clear();

    EXPECT_EQ(c.Btn_Apply_0Click(), Outcome::Done);
    EXPECT_EQ(rig.Writes(), (Blocks{kSettingsWrite}));
    const config::DeviceImage memory = rig.mouse->Memory();
    EXPECT_EQ(memory[f::LevelCount], 3);
    EXPECT_TRUE(config::HasValidSectionChecksum(std::span<const std::uint8_t>(memory).first(48)));
    const config::DeviceImage defaults = DefaultImage(0);
    EXPECT_TRUE(std::equal(memory.begin() + 255, memory.end(), defaults.begin() + 255)) << "macro blocks untouched";
    EXPECT_EQ(memory[0x038], defaults[0x038]) << "gap bytes written back as read";
    EXPECT_EQ(rig.Commands().back(), device::CloseCmd);
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_FALSE(rig.view.overlayShown);
    EXPECT_TRUE(c.Timers().devTimer);
}

TEST(ApplyTest, AnImageTakenIntoTheFormIsWrittenAsItWas)
{
    Rig rig;
    rig.FirstTick();
    const config::DeviceImage image = DefaultImage(4);
    rig.controller->TakeImage(image);
    EXPECT_TRUE(rig.Writes().empty()) << "taking an image writes nothing";
    EXPECT_EQ(rig.controller->Form().keyCodeTexts[0][5], "020807");
    EXPECT_EQ(rig.controller->Btn_Apply_0Click(), Outcome::Done);
    const config::DeviceImage memory = rig.mouse->Memory();
    EXPECT_TRUE(std::equal(memory.begin(), memory.begin() + 255, image.begin()));
}

TEST(ApplyTest, WritesTheFireMacroBlockOnlyOnceItIsHeld)
{
    Rig rig;
    rig.FirstTick();
    Controller& c = *rig.controller;
    EXPECT_EQ(c.Btn_Apply_0Click(), Outcome::Done);
    EXPECT_EQ(rig.Writes(), (Blocks{kSettingsWrite}));

    EXPECT_EQ(c.ReadFireMacroBlock(), Outcome::Done);
    EXPECT_TRUE(c.FireMacroBlockLoaded());
    rig.log->Clear();
    EXPECT_EQ(c.Btn_Apply_0Click(), Outcome::Done);
    EXPECT_EQ(rig.Writes(), (Blocks{kSettingsWrite, {WriteBlockCmd, 0x500, 256}}));
}

struct FireReadCase {
    const char* name;
    std::uint8_t vendorByte;  // of the mouse
    device::FaultSwitches faults;  // switched on after the connection
    Outcome outcome;
    Keys message;  // empty: none
};

class FireReadTest : public ::testing::TestWithParam<FireReadCase> {};

TEST_P(FireReadTest, TheBlockIsHeldOnlyOnceItWasReallyRead)
{
    const FireReadCase& fire = GetParam();
    config::DeviceImage memory = DefaultImage(0);
    memory[0x36] = fire.vendorByte;
    std::fill(memory.begin() + 0x500, memory.begin() + 0x518, 0x11);
    Rig rig(WithMemory(memory));
    rig.FirstTick();
    rig.view.messages.clear();
    rig.mouse->SetFaults(fire.faults);
    Controller& c = *rig.controller;

    EXPECT_EQ(c.ReadFireMacroBlock(), fire.outcome);
    const bool read = fire.outcome == Outcome::Done;
    EXPECT_EQ(c.FireMacroBlockLoaded(), read);
    // A block that was not read keeps what it held (the defaults), so a later Apply cannot
    // write anything but the mouse's own block back.
    EXPECT_EQ(c.FireMacros().Block()[0], read ? 0x11 : 0x00);
    if (fire.message.empty()) {
        EXPECT_TRUE(rig.view.messages.empty());
    } else {
        EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{fire.message}));
    }
    EXPECT_EQ(rig.Commands().back(), device::CloseCmd);
    if (read) {
        rig.log->Clear();
        EXPECT_EQ(c.ReadFireMacroBlock(), Outcome::Done);
        EXPECT_TRUE(rig.log->Sent().empty()) << "read once only";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reads, FireReadTest,
    ::testing::Values(FireReadCase{"Accepted", 0xFF, {}, Outcome::Done, {}},
                      FireReadCase{"Refused", 0x12, {}, Outcome::Refused, {"Str107"}},
                      FireReadCase{"MemoryNotReady", 0xFF, Faults([](auto& f) { f.notReady = true; }),
                                   Outcome::NotReady, {"Str020"}},
                      FireReadCase{"NoAnswer", 0xFF, Faults([](auto& f) { f.noAnswer = true; }), Outcome::NoAnswer,
                                   {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SlotCase {
    const char* name;
    bool mouseHoldsMacro;  // slot 3 of the mouse holds "Burst", the macro key 3 plays
    bool pickLibraryMacro; // "Rapid" from the library is picked for key 4 (it gets slot 1)
    Blocks writes;
};

class ApplySlotTest : public ::testing::TestWithParam<SlotCase> {};

TEST_P(ApplySlotTest, WritesTheUsedSlotsTheMouseDoesNotHoldYet)
{
    const SlotCase& slot = GetParam();
    // Key 3 of key mode 2 plays slot 3; showing it after the read asks the mouse for the
    // slot's name.
    config::DeviceImage memory = WithKeyCode(DefaultImage(0), config::Profile::Two, 3, "060321");
    if (slot.mouseHoldsMacro)
        memory = WithSlotRecord(memory, 0x300, NamedMacro("Burst"));
    Rig rig(WithMemory(memory));
    rig.FirstTick();
    Controller& c = *rig.controller;
    ASSERT_EQ(c.Form().keyCodeTexts[1][2], "060321");
    EXPECT_EQ(c.SlotNamesFromMouse()[2], slot.mouseHoldsMacro ? "Burst" : "");

    if (slot.pickLibraryMacro) {
        macros::LibraryRecords library{};
        library[0] = NamedMacro("Rapid");
        ASSERT_TRUE(c.Library().Replace(library));
        const macros::MacroPick pick{0, config::Profile::Two, 4, macros::PickView::MainPage};
        ASSERT_EQ(c.LB_NameClick(pick), macros::AssignmentOutcome::Assigned);
        EXPECT_EQ(c.Form().keyCodeTexts[1][3], "060121");
        EXPECT_EQ(c.MacroNameList()[0], "Rapid");
    }
    rig.log->Clear();
    EXPECT_EQ(c.Btn_Apply_0Click(), Outcome::Done);
    EXPECT_EQ(rig.Writes(), slot.writes);
    if (slot.pickLibraryMacro) {
        const auto expected = WithSlotRecord(memory, 0x100, NamedMacro("Rapid"));
        const auto memoryAfter = rig.mouse->Memory();
        EXPECT_TRUE(std::equal(memoryAfter.begin() + 0x100, memoryAfter.begin() + 0x200, expected.begin() + 0x100));
    }
    EXPECT_TRUE(rig.view.messages.empty());
}

const BlockCommand kSlotOneName{WriteBlockCmd, 0x100, 32};
const BlockCommand kSlotOneBody{WriteBlockCmd, 0x120, 224};
const BlockCommand kSlotThreeName{WriteBlockCmd, 0x300, 32};
const BlockCommand kSlotThreeBody{WriteBlockCmd, 0x320, 224};

INSTANTIATE_TEST_SUITE_P(
    Slots, ApplySlotTest,
    ::testing::Values(
        SlotCase{"EmptySlotOfTheMouse", false, false, {kSettingsWrite, kSlotThreeName, kSlotThreeBody}},
        SlotCase{"AlreadyOnTheMouse", true, false, {kSettingsWrite}},
        SlotCase{"NewMacroBesideAnUnknownSlot", false, true,
                 {kSettingsWrite, kSlotOneName, kSlotOneBody, kSlotThreeName, kSlotThreeBody}},
        // Slot 1's name was never read from the mouse: an empty name elsewhere in the list
        // does not make it count as being on the mouse.
        SlotCase{"NewMacroBesideOneOnTheMouse", true, true, {kSettingsWrite, kSlotOneName, kSlotOneBody}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MacroAssignmentTest, RefusalsShowTheirMessage)
{
    Rig rig;
    rig.FirstTick();
    Controller& c = *rig.controller;
    macros::LibraryRecords library{};
    library[0] = NamedMacro("Rapid");
    ASSERT_TRUE(c.Library().Replace(library));
    // Key 1 holds the only left click of key mode 1.
    const macros::MacroPick pick{0, config::Profile::One, 1, macros::PickView::MainPage};
    EXPECT_EQ(c.LB_NameClick(pick), macros::AssignmentOutcome::KeepLeftKey);
    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str108"}}));
    EXPECT_EQ(c.Form().keyCodeTexts[0][0], "010100");
}

struct ApplyStatusCase {
    const char* name;
    device::FaultSwitches faults;
    Outcome outcome;
    Blocks writes;
};

class ApplyStatusTest : public ::testing::TestWithParam<ApplyStatusCase> {};

TEST_P(ApplyStatusTest, WritesOnlyToReadyMemoryAndAlwaysClosesTheTransaction)
{
    const ApplyStatusCase& status = GetParam();
    Rig rig;
    rig.FirstTick();
    rig.mouse->SetFaults(status.faults);
    rig.log->Clear();
    EXPECT_EQ(rig.controller->Btn_Apply_0Click(), status.outcome);
    EXPECT_EQ(rig.Writes(), status.writes);
    const std::vector<std::uint8_t> commands = rig.Commands();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[commands.size() - 2], device::SystemReloadCmd);
    EXPECT_EQ(commands.back(), device::CloseCmd);
    EXPECT_TRUE(rig.view.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Status, ApplyStatusTest,
    ::testing::Values(ApplyStatusCase{"MemoryNotReady", Faults([](auto& f) { f.notReady = true; }), Outcome::NotReady, {}},
                      // The chip code is not needed to apply.
                      ApplyStatusCase{"UnknownChip", Faults([](auto& f) { f.chipSource = 0x00; }), Outcome::Done, {kSettingsWrite}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyTest, PageButtonsWithoutAMouseOnlySayFindingTheDevice)
{
    Rig rig;
    Controller& c = *rig.controller;
    EXPECT_EQ(c.Btn_Apply_0Click(), Outcome::NoDevice);
    EXPECT_EQ(c.Btn_Confirm_0Click(), Outcome::NoDevice);
    EXPECT_EQ(c.Btn_ConfirmN_1Click(1), Outcome::NoDevice);
    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str020"}, {"Str020"}, {"Str020"}}));
    EXPECT_FALSE(rig.view.mainWindowClosed);
    // The engineer page's buttons do nothing at all.
    EXPECT_EQ(c.Btn_DefaultClick(), Outcome::NoDevice);
    EXPECT_EQ(c.btn_loadDefaultLEDClick(), Outcome::NoDevice);
    EXPECT_EQ(rig.view.messages.size(), 3u);
    EXPECT_TRUE(rig.log->Sent().empty());
}

TEST(ApplyTest, ConfirmAppliesThenClosesTheWindow)
{
    Rig rig;
    rig.FirstTick();
    rig.controller->Form().cb_CPIStep = 0;
    EXPECT_EQ(rig.controller->Btn_Confirm_0Click(), Outcome::Done);
    EXPECT_EQ(rig.mouse->Memory()[f::LevelCount], 2);
    EXPECT_TRUE(rig.view.mainWindowClosed);
}

TEST(ApplyTest, ConfirmKeepsTheWindowWhenTheApplyFails)
{
    Rig rig;
    rig.FirstTick();
    rig.controller->Form().cb_CPIStep = 0;
    device::FaultSwitches faults;
    faults.noAnswer = true;
    rig.mouse->SetFaults(faults);
    EXPECT_NE(rig.controller->Btn_Confirm_0Click(), Outcome::Done);
    EXPECT_FALSE(rig.view.mainWindowClosed);
    EXPECT_EQ(rig.controller->Form().cb_CPIStep, 0);  // the change on screen is still there
}

// ------------------------------------------------------------------------------ resets

TEST(ResetTest, WritesTheDefaultImageAndVerifiesIt)
{
    config::DeviceImage memory = DefaultImage(0);
    memory[0x700] = 0x55;
    memory[f::LevelCount] = 2;  // a broken section: shown as the built-in default before
    Rig rig(WithMemory(memory));
    rig.FirstTick();
    Controller& c = *rig.controller;
    rig.log->Clear();

    EXPECT_EQ(c.Btn_ConfirmN_1Click(1), Outcome::Done);
    EXPECT_EQ(rig.mouse->Memory(), DefaultImage(1));
    EXPECT_EQ(rig.Writes(), (Blocks{{WriteBlockCmd, 0, 2048}}));
    EXPECT_EQ(rig.Reads(), (Blocks{{ReadBlockCmd, 0, 2048}}));
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_TRUE(c.FireMacroBlockLoaded());
    EXPECT_EQ(c.Form().cb_CPIStep, 4);
    EXPECT_EQ(c.ReadBackBuffer(), DefaultImage(1));
    EXPECT_TRUE(c.Timers().devTimer);
    EXPECT_FALSE(rig.view.loadingShown);
}

TEST(ResetTest, AByteThatWillNotStickIsRewrittenThreeTimesThenFails)
{
    config::DeviceImage memory = DefaultImage(0);
    memory[0x5F3] = 0xAB;
    device::VirtualMouseOptions mouse;
    mouse.faults.stuckAddresses = {0x5F3};
    RigOptions options = WithMemory(memory);
    options.mouse = mouse;
    Rig rig(options);
    rig.FirstTick();
    rig.log->Clear();

    EXPECT_EQ(rig.controller->Btn_ConfirmN_1Click(0), Outcome::VerifyFailed);
    const BlockCommand repair{WriteBlockCmd, 0x5F3, 1};
    EXPECT_EQ(rig.Writes(), (Blocks{{WriteBlockCmd, 0, 2048}, repair, repair, repair}));
    EXPECT_EQ(rig.Reads().size(), 4u);
    ASSERT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str109"}}));
    EXPECT_EQ(rig.view.messages[0].style, MessageStyle::Dialog);
    EXPECT_EQ(rig.view.messages[0].text, "Fail");
    EXPECT_EQ(rig.mouse->Memory()[0x5F3], 0xAB);
}

TEST(ResetTest, MemoryNotReadyWritesNothingAndShowsTheDefaults)
{
    Rig rig;
    rig.FirstTick();
    rig.mouse->SetFaults(Faults([](auto& f) { f.notReady = true; }));
    rig.log->Clear();
    EXPECT_EQ(rig.controller->Btn_ConfirmN_1Click(0), Outcome::NotReady);
    EXPECT_TRUE(rig.Writes().empty());
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.Commands().back(), device::CloseCmd);
}

TEST(ResetTest, LayoutPresetsChangeTheProfileSection)
{
    Rig rig;
    rig.FirstTick();
    Controller& c = *rig.controller;
    EXPECT_EQ(c.btn_loadDefaultLEDClick(), Outcome::Done);
    EXPECT_EQ(rig.mouse->Memory(), DefaultImage(4));
    EXPECT_EQ(c.Form().keyCodeTexts[0][5], "020807");
    EXPECT_EQ(c.Form().keyCaptions[0][5], "Desktop");
    EXPECT_EQ(c.btn_loadDefaultCPIClick(), Outcome::Done);
    EXPECT_EQ(rig.mouse->Memory(), DefaultImage(3));
    EXPECT_EQ(c.Form().keyCodeTexts[0][5], "050000");
}

}  // namespace
}  // namespace qeltra3k::app::testing
