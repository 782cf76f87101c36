// Driver mode: identification and read through the virtual filter driver, the driver state
// record and its files, apply, reset and profiles.
#include <filesystem>

#include <gtest/gtest.h>

#include "ControllerRig.h"
#include "config/Checksum.h"
#include "device/AtomicFile.h"

namespace qeltra3k::app::testing {
namespace {

using device::testing::WriteTestFile;

namespace fs = std::filesystem;
namespace f = config::field;
using State = std::array<std::uint8_t, 4>;

RigOptions DriverMode(std::uint8_t lightingFamily = 0x00)
{
    RigOptions options;
    options.eepromMode = false;
    options.mouse.lightingFamily = lightingFamily;
    return options;
}

std::vector<std::uint8_t> Stretch(const std::vector<std::uint8_t>& image, std::size_t offset, std::size_t length)
{
    return {image.begin() + static_cast<std::ptrdiff_t>(offset),
            image.begin() + static_cast<std::ptrdiff_t>(offset + length)};
}

TEST(DriverModeTest, IdentificationReadsTheDriversSections)
{
    Rig rig(DriverMode(0x85));
    rig.FirstTick();
    const Controller& c = *rig.controller;

    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_FALSE(c.NoDevice());
    EXPECT_EQ(c.LightingFamilyName(), "RBLED");
    EXPECT_EQ(c.DataBuf()[f::ModeFlags], 0x45) << "parameter A of the driver image";
    // The driver's fire key 0E00F0 is shown and kept as 0600F0.
    EXPECT_EQ(c.Form().keyCodeTexts[0][8], "0600F0");
    EXPECT_EQ(c.DataBuf()[f::Profile1 + 24], 0x06);
    EXPECT_EQ(c.DriverCopies().parameterB[2], 0x42);
    EXPECT_TRUE(rig.Reads().empty()) << "the mouse's memory is not read in driver mode";
    EXPECT_TRUE(rig.driver->IsOpen());
    EXPECT_TRUE(c.Timers().devTimer);
    EXPECT_FALSE(rig.view.overlayShown);
}

struct StateCase {
    const char* name;
    std::optional<State> stateFile;
    std::optional<State> referenceFile;
    State expected;
};

class DriverStateTest : public ::testing::TestWithParam<StateCase> {};

TEST_P(DriverStateTest, TheRecordComesFromTheStateFileTheReferenceFileOrTheDefaultImage)
{
    const StateCase& state = GetParam();
    Rig rig(DriverMode());
    if (state.stateFile)
        WriteTestFile(rig.folder / std::string(kDriverStateFileName), {state.stateFile->begin(), state.stateFile->end()});
    if (state.referenceFile) {
        std::vector<std::uint8_t> reference(config::kDriverImageSize, 0);
        std::copy(state.referenceFile->begin(), state.referenceFile->end(), reference.begin() + 160);
        WriteTestFile(rig.folder / std::string(kDriverReferenceFileName), reference);
    }
    rig.FirstTick();

    EXPECT_EQ(rig.controller->DriverTempCPIAndLedData(), state.expected);
    EXPECT_EQ(rig.mouse->DriverState(), state.expected) << "DriverStateCmd carried it";
}

INSTANTIATE_TEST_SUITE_P(
    Sources, DriverStateTest,
    ::testing::Values(StateCase{"NeitherFile", std::nullopt, std::nullopt, {0x01, 0x02, 0xFF, 0x04}},
                      StateCase{"ReferenceFile", std::nullopt, State{0x02, 0x0B, 0x00, 0x07}, {0x02, 0x0B, 0x00, 0x07}},
                      StateCase{"StateFileFirst", State{0x03, 0x2A, 0x00, 0x09}, State{0x02, 0x0B, 0x00, 0x07},
                                {0x03, 0x2A, 0x00, 0x09}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FallbackCase {
    const char* name;
    std::uint8_t openReply;
    bool driverPresent;
    std::vector<std::uint8_t> commands;
};

class DriverFallbackTest : public ::testing::TestWithParam<FallbackCase> {};

TEST_P(DriverFallbackTest, AFailedIdentificationSaysSoAndSendsTheFallbackExchange)
{
    const FallbackCase& fallback = GetParam();
    RigOptions options = DriverMode();
    options.driverPresent = fallback.driverPresent;
    options.mouse.openReply = fallback.openReply;
    Rig rig(options);
    rig.FirstTick();

    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str020"}}));
    EXPECT_TRUE(rig.controller->HasDevice());
    EXPECT_EQ(rig.Commands(), fallback.commands);
    EXPECT_TRUE(rig.controller->Timers().devTimer);
}

using device::CloseCmd, device::DriverStateCmd, device::OpenCmd, device::ProductIdCmd, device::StatusCmd,
    device::SystemReloadCmd;

INSTANTIATE_TEST_SUITE_P(
    Exchanges, DriverFallbackTest,
    ::testing::Values(
        // Not under the driver: identification stops at OpenCmd; the fallback runs through.
        FallbackCase{"MouseAnswersTheFallback", 0xA6, true,
                     {OpenCmd, OpenCmd, StatusCmd, StatusCmd, SystemReloadCmd, CloseCmd}},
        // No driver device: identification reaches the channel; the fallback stops at once.
        FallbackCase{"NoDriverDevice", 0xA5, false,
                     {OpenCmd, StatusCmd, StatusCmd, DriverStateCmd, CloseCmd, ProductIdCmd, OpenCmd}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriverModeTest, ApplySendsTheFormAndTheDriverHandsItBackIntact)
{
    Rig rig(DriverMode());
    rig.FirstTick();
    Controller& c = *rig.controller;
    c.Form().cb_CPIStep = 1;                 // three levels
    c.Form().rb_LCPI = config::OnOff::Off;   // parameter A byte 0, bit 2
    c.Form().cb_CurrentCPI = 2;
    c.Form().cb_Smooth = true;
    ASSERT_EQ(c.Btn_Apply_0Click(), Outcome::Done);

    const auto image = rig.driver->Image();
    EXPECT_EQ(image[f::LevelCount], 3);
    EXPECT_EQ(image[f::ModeFlags] & 0x04, 0);
    EXPECT_TRUE(config::HasValidSectionChecksum(Stretch(image, 0, 48)));
    EXPECT_EQ(image[48], 0x82) << "active level with the smooth option";
    EXPECT_EQ(image[49], 0x7D);
    EXPECT_EQ(image[252], 0) << "the fire key's checksum byte stays 0 in the driver";
    EXPECT_EQ(c.DriverTempCPIAndLedData()[0], 0x82);
    EXPECT_EQ(rig.mouse->DriverState()[0], 0x82);

    // Read back: the settings survive the section checks.
    ASSERT_EQ(c.Btn_Read_0Click(), Outcome::Done);
    EXPECT_EQ(c.DataBuf()[f::LevelCount], 3);
    EXPECT_EQ(c.DataBuf()[f::ModeFlags] & 0x04, 0);
    EXPECT_EQ(c.Form().cb_CPIStep, 1);
}

TEST(DriverModeTest, ApplyWritesTheDriverMacroListTheKeysPointInto)
{
    Rig rig(DriverMode());
    rig.FirstTick();
    Controller& c = *rig.controller;
    macros::DriverMacroRecord record;
    record.name = *macros::NameFromText("Spray");
    record.body[2] = 0x05;
    c.DriverMacroList().Append(record);
    c.DriverMacroList().Append(record);
    ASSERT_EQ(c.Btn_Apply_0Click(), Outcome::Done);

    std::vector<std::uint8_t> expected;
    macros::AppendRecordBytes(record, expected);
    macros::AppendRecordBytes(record, expected);
    EXPECT_EQ(Stretch(rig.driver->Image(), 0x100, expected.size()), expected);
}

TEST(DriverModeTest, ResetAndProfilesLeaveTheDriversMacrosAlone)
{
    Rig rig(DriverMode());
    rig.FirstTick();
    Controller& c = *rig.controller;
    const std::vector<std::uint8_t> macroMark{0xAB, 0xCD};
    ASSERT_TRUE(rig.driver->Write(0x300, macroMark));

    // Save: the driver image with the state record in it.
    ASSERT_EQ(c.Btn_Save_0Click(rig.folder / "drv"), Outcome::Done);
    const auto saved = device::ReadWholeFile(rig.folder / "drv.bin").bytes.value();
    ASSERT_EQ(saved.size(), config::kDriverImageSize);
    const State state = c.DriverTempCPIAndLedData();
    EXPECT_EQ(Stretch(saved, 160, 4), std::vector<std::uint8_t>(state.begin(), state.end()));

    // Changed, then reset: the sections are the default's, the macros stay.
    c.Form().cb_CPIStep = 0;
    ASSERT_EQ(c.Btn_Apply_0Click(), Outcome::Done);
    ASSERT_EQ(rig.driver->Image()[f::LevelCount], 2);
    EXPECT_EQ(c.Btn_ConfirmN_1Click(1), Outcome::Done);
    const auto defaults = *config::LoadDefaultDriverImage(1);
    EXPECT_EQ(Stretch(rig.driver->Image(), 0, 253), Stretch(defaults, 0, 253));
    EXPECT_EQ(Stretch(rig.driver->Image(), 0x300, 2), macroMark);

    // Loading the profile brings its sections back, the macros still stay.
    c.Form().cb_CPIStep = 0;
    ASSERT_EQ(c.Btn_Apply_0Click(), Outcome::Done);
    EXPECT_EQ(c.Btn_Load_0Click(rig.folder / "drv.bin"), Outcome::Done);
    EXPECT_EQ(Stretch(rig.driver->Image(), 0, 119), Stretch(saved, 0, 119));
    EXPECT_EQ(Stretch(rig.driver->Image(), 242, 11), Stretch(saved, 242, 11));
    EXPECT_EQ(Stretch(rig.driver->Image(), 0x300, 2), macroMark);
    EXPECT_EQ(c.Form().cb_CPIStep, 4);
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST(DriverModeTest, AProfileTooShortForTheSectionsIsRefused)
{
    Rig rig(DriverMode());
    rig.FirstTick();
    const auto before = rig.driver->Image();
    const fs::path file = rig.folder / "short.bin";
    WriteTestFile(file, std::vector<std::uint8_t>(252, 0x11));
    rig.log->Clear();

    EXPECT_EQ(rig.controller->Btn_Load_0Click(file), Outcome::BadFile);
    ASSERT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str102"}}));
    EXPECT_EQ(rig.view.messages[0].text, "BIN file type error\n" + file.string());
    EXPECT_EQ(rig.driver->Image(), before);
    EXPECT_TRUE(rig.log->Sent().empty());
    EXPECT_FALSE(rig.view.overlayShown);
    EXPECT_TRUE(rig.controller->Timers().devTimer);
}

}  // namespace
}  // namespace qeltra3k::app::testing
