// Save Profile and Load Profile in EEPROM mode, and a mouse pulled out in the middle of a
// transfer.
#include <filesystem>

#include <gtest/gtest.h>

#include "ControllerRig.h"
#include "app/ProfileFiles.h"
#include "device/AtomicFile.h"

namespace qeltra3k::app::testing {
namespace {

namespace fs = std::filesystem;
namespace f = config::field;

std::vector<std::uint8_t> FileBytes(const fs::path& path)
{
    return device::ReadWholeFile(path).bytes.value_or(std::vector<std::uint8_t>{});
}

TEST(ProfileFileNameTest, AlwaysAppendsBin)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/tmp/abc", "/tmp/abc.bin"},
        {"/tmp/abc.bin", "/tmp/abc.bin.bin"},
        {"abc.BIN", "abc.BIN.bin"},
    };
    for (const auto& [chosen, file] : cases)
        EXPECT_EQ(ProfileFileName(chosen), fs::path(file)) << chosen;
}

TEST(ProfileTest, SaveReadsTheWholeMouseAndLoadWritesItBackVerified)
{
    config::DeviceImage memory = DefaultImage(0);
    memory[0x650] = 0x42;  // something in macro block B, which only a full read brings
    Rig rig(WithMemory(memory));
    rig.FirstTick();
    Controller& c = *rig.controller;
    c.Form().cb_CPIStep = 0;  // an unsaved edit: the file holds the mouse, not the screen

    const fs::path chosen = rig.folder / "mine";
    EXPECT_EQ(c.Btn_Save_0Click(chosen), Outcome::Done);
    const fs::path file = rig.folder / "mine.bin";
    const auto saved = FileBytes(file);
    ASSERT_EQ(saved.size(), 2048u);
    EXPECT_TRUE(std::equal(saved.begin(), saved.end(), memory.begin()));
    EXPECT_EQ(c.Form().cb_CPIStep, 4) << "the save re-read the mouse onto the screen";

    // The mouse changes; loading the profile puts it back.
    c.Form().cb_CPIStep = 0;
    ASSERT_EQ(c.Btn_Apply_0Click(), Outcome::Done);
    ASSERT_NE(rig.mouse->Memory(), memory);
    rig.log->Clear();
    EXPECT_EQ(c.Btn_Load_0Click(file), Outcome::Done);
    EXPECT_EQ(rig.mouse->Memory(), memory);
    EXPECT_EQ(rig.Writes(), (std::vector<BlockCommand>{{device::WriteBlockCmd, 0, 2048}}));
    EXPECT_TRUE(c.FireMacroBlockLoaded());
    EXPECT_EQ(c.Form().cb_CPIStep, 4);
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST(ProfileTest, AShortFileReplacesOnlyItsOwnLengthOfWhatTheMouseHolds)
{
    // The mouse holds a macro in slot 6; the connect-time read only read the settings.
    config::DeviceImage memory = DefaultImage(0);
    for (std::size_t i = 0x700; i < 0x800; ++i)
        memory[i] = static_cast<std::uint8_t>(i);
    Rig rig(WithMemory(memory));
    rig.FirstTick();
    Controller& c = *rig.controller;
    const fs::path file = rig.folder / "short.bin";
    const std::vector<std::uint8_t> bytes(100, 0x5A);
    std::string error;
    ASSERT_TRUE(device::WriteFileAtomically(file, bytes, error)) << error;

    EXPECT_EQ(c.Btn_Load_0Click(file), Outcome::Done);
    const config::DeviceImage& after = c.DeviceImage();
    EXPECT_TRUE(std::equal(after.begin(), after.begin() + 100, bytes.begin()));
    EXPECT_TRUE(std::equal(after.begin() + 100, after.end(), memory.begin() + 100));
    // The mouse keeps its macros: only the file's bytes changed in its memory.
    EXPECT_TRUE(std::equal(rig.mouse->Memory().begin() + 100, rig.mouse->Memory().end(), memory.begin() + 100));
}

TEST(ProfileTest, FilesThatCannotBeUsedAreNamedAndChangeNothing)
{
    Rig rig;
    rig.FirstTick();
    Controller& c = *rig.controller;
    rig.log->Clear();

    const fs::path missing = rig.folder / "missing.bin";
    EXPECT_EQ(c.Btn_Load_0Click(missing), Outcome::BadFile);
    ASSERT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str102"}}));
    EXPECT_EQ(rig.view.messages[0].text, "BIN file type error\n" + missing.string());

    // A folder that does not exist cannot take the file.
    const fs::path nowhere = rig.folder / "no-such-folder" / "p";
    EXPECT_EQ(c.Btn_Save_0Click(nowhere), Outcome::BadFile);
    EXPECT_EQ(rig.view.messages.back().keys, Keys{"Str109"});
    EXPECT_EQ(rig.view.messages.back().text, "Fail\n" + (nowhere.string() + ".bin"));

    EXPECT_EQ(c.Btn_Save_0Click(std::nullopt), Outcome::Cancelled);
    EXPECT_EQ(c.Btn_Load_0Click(std::nullopt), Outcome::Cancelled);
    EXPECT_TRUE(rig.Writes().empty());
}

TEST(ProfileTest, WithoutAMouseProfilesOnlySayFindingTheDevice)
{
    Rig rig;
    EXPECT_EQ(rig.controller->Btn_Save_0Click(rig.folder / "p"), Outcome::NoDevice);
    EXPECT_EQ(rig.controller->Btn_Load_0Click(rig.folder / "p.bin"), Outcome::NoDevice);
    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str020"}, {"Str020"}}));
    EXPECT_FALSE(fs::exists(rig.folder / "p.bin"));
}

TEST(ProfileTest, RefusedMouseSavesNothing)
{
    config::DeviceImage memory = DefaultImage(0);
    memory[0x36] = 0x12;
    Rig rig(WithMemory(memory));
    rig.FirstTick();
    rig.view.messages.clear();
    EXPECT_EQ(rig.controller->Btn_Save_0Click(rig.folder / "p"), Outcome::Refused);
    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str107"}}));
    EXPECT_FALSE(fs::exists(rig.folder / "p.bin"));
}

TEST(UnplugTest, PulledOutDuringASaveLeavesNoFileAndTheNoDeviceState)
{
    Rig rig;
    rig.FirstTick();
    Controller& c = *rig.controller;
    const fs::path profiles = rig.folder / "profiles";
    fs::create_directories(profiles);
    const auto dataFiles = [&] {
        std::vector<fs::path> files;
        for (const auto& entry : fs::recursive_directory_iterator(rig.folder.Path()))
            files.push_back(entry.path());
        return files;
    };
    const auto filesBefore = dataFiles();

    // Gone after 200 feature calls: in the middle of the 2048-byte read.
    rig.mouse->SetFaults(Faults([](auto& f) { f.unplugAfter = 200; }));
    EXPECT_EQ(c.Btn_Save_0Click(profiles / "p"), Outcome::TransferFailed);
    EXPECT_TRUE(rig.mouse->Unplugged());
    EXPECT_EQ(dataFiles(), filesBefore) << "no profile, nothing else";
    EXPECT_EQ(rig.view.MessageKeys(), (std::vector<Keys>{{"Str109"}}));

    // The device watch sees it gone.
    c.DevTimerTimer();
    EXPECT_FALSE(c.HasDevice());
    EXPECT_TRUE(c.NoDevice());
    EXPECT_EQ(rig.view.messages.back().keys, kNoDeviceKeys);
    EXPECT_EQ(c.DeviceImage(), DefaultImage(0));
    EXPECT_EQ(dataFiles(), filesBefore);
}

TEST(UnplugTest, PulledOutDuringAnApplyOrAResetEndsWithoutHarm)
{
    for (const bool reset : {false, true}) {
        Rig rig;
        rig.FirstTick();
        rig.mouse->SetFaults(Faults([](auto& f) { f.unplugAfter = 60; }));
        const Outcome outcome = reset ? rig.controller->Btn_ConfirmN_1Click(0) : rig.controller->Btn_Apply_0Click();
        EXPECT_EQ(outcome, reset ? Outcome::VerifyFailed : Outcome::TransferFailed);
        EXPECT_FALSE(rig.view.overlayShown);
        rig.controller->DevTimerTimer();
        EXPECT_TRUE(rig.controller->NoDevice());
        EXPECT_FALSE(rig.controller->HasDevice());
    }
}

}  // namespace
}  // namespace qeltra3k::app::testing
