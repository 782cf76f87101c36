// The key test: its countdown, driven tick by tick, and a button press that restarts it.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "ControllerRig.h"

namespace qeltra3k::app::testing {
namespace {

using Captions = std::vector<std::optional<std::string>>;

const Captions kFullCountdown{"5...", "4...", "3...", "2...", "1...", "0...", std::nullopt};

void ExpectEnded(Rig& rig)
{
    const Controller& c = *rig.controller;
    EXPECT_FALSE(c.KeyTestRunning());
    EXPECT_TRUE(rig.view.keyTestButtonEnabled);
    EXPECT_FALSE(c.Timers().testTimer);
    EXPECT_TRUE(c.Timers().devTimer);
    const auto commands = rig.Commands();
    ASSERT_GE(commands.size(), 2u);
    EXPECT_EQ(commands[commands.size() - 2], device::SystemReloadCmd);
    EXPECT_EQ(commands.back(), device::CloseCmd);
}

TEST(KeyTestTest, WithNoButtonPressedItEndsAfterSixTicks)
{
    Rig rig;
    rig.FirstTick();
    Controller& c = *rig.controller;
    c.btn_TestKeysClick();
    EXPECT_TRUE(c.KeyTestRunning());
    EXPECT_FALSE(rig.view.keyTestButtonEnabled);
    EXPECT_TRUE(c.Timers().testTimer);
    EXPECT_FALSE(c.Timers().devTimer);

    for (int tick = 0; tick < 5; ++tick)
        c.TestTimerTimer();
    EXPECT_TRUE(c.KeyTestRunning());
    c.TestTimerTimer();
    EXPECT_EQ(rig.view.keyTestCaptions, kFullCountdown);
    ExpectEnded(rig);
    EXPECT_TRUE(rig.view.Flashes().empty());
}

TEST(KeyTestTest, APressedButtonFlashesAndRestartsTheCountdown)
{
    Rig rig;
    rig.FirstTick();
    Controller& c = *rig.controller;
    rig.view.HoldFlashes(true);
    rig.mouse->SetKeys(0x0004);  // the middle key: btn_Key103
    c.btn_TestKeysClick();
    c.TestTimerTimer();  // "5..."
    c.TestTimerTimer();  // "4..."

    // In the middle of the flash, a tick puts the caption back and starts the count again.
    ASSERT_TRUE(rig.view.WaitForFlashSteps(1));
    EXPECT_TRUE(c.KeyTestBusy());
    c.TestTimerTimer();
    rig.mouse->SetKeys(0);
    rig.view.HoldFlashes(false);
    ASSERT_TRUE(rig.view.WaitForFlashSteps(4));
    for (int wait = 0; wait < 1000 && c.KeyTestBusy(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_FALSE(c.KeyTestBusy());

    for (int tick = 0; tick < 6; ++tick)
        c.TestTimerTimer();
    Captions expected{"5...", "4...", std::nullopt};
    expected.insert(expected.end(), kFullCountdown.begin(), kFullCountdown.end());
    EXPECT_EQ(rig.view.keyTestCaptions, expected);
    ExpectEnded(rig);
    const std::vector<std::pair<std::string, bool>> flash{
        {"btn_Key103", false}, {"btn_Key103", true}, {"btn_Key103", false}, {"btn_Key103", true}};
    EXPECT_EQ(rig.view.Flashes(), flash);
    // A flash takes three half-second pauses.
    EXPECT_GE(rig.waiting.TotalPause(), std::chrono::milliseconds(1500));
}

}  // namespace
}  // namespace qeltra3k::app::testing
