#include "config/KeyAssembly.h"

#include <gtest/gtest.h>

namespace qeltra3k::config {
namespace {

constexpr int kF5 = 0x74;
constexpr int kA = 0x41;
constexpr int kB = 0x42;
constexpr int kShift = 0x10;
constexpr int kLeftWin = 0x5B;

TEST(KeyAssembly, TickedModifiersThenAKeyGiveTextAndCode)
{
    KeyAssembly state;
    AssemblyToggle(state, AssemblyModifier::Alt);
    AssemblyToggle(state, AssemblyModifier::Ctrl);
    EXPECT_EQ(state.text, "Ctrl+Alt");
    AssemblyKeyPressed(state, kF5, false);
    EXPECT_EQ(state.text, "Ctrl+Alt+F5");
    EXPECT_EQ(AssemblyCode(state), "02053E");
}

TEST(KeyAssembly, AKeyHeldWithAModifierIsSwallowedButDropsTheKeyBeforeIt)
{
    KeyAssembly state;
    AssemblyToggle(state, AssemblyModifier::Ctrl);
    AssemblyKeyPressed(state, kA, true);
    EXPECT_EQ(state.text, "Ctrl");
    EXPECT_FALSE(state.captured);

    AssemblyKeyPressed(state, kA, false);
    ASSERT_EQ(state.text, "Ctrl+A");
    AssemblyKeyPressed(state, kLeftWin, false);
    EXPECT_EQ(state.text, "Ctrl");
    AssemblyKeyPressed(state, kShift, false);
    EXPECT_EQ(state.text, "Ctrl");
    EXPECT_FALSE(state.captured);
    EXPECT_EQ(AssemblyCode(state), "020100");
}

TEST(KeyAssembly, EachNewKeyReplacesThePreviousOne)
{
    KeyAssembly state;
    AssemblyToggle(state, AssemblyModifier::Shift);
    AssemblyKeyPressed(state, kA, false);
    AssemblyKeyPressed(state, kB, false);
    EXPECT_EQ(state.text, "Shift+B");
    EXPECT_EQ(AssemblyCode(state), "020205");
}

TEST(KeyAssembly, WinAloneGivesAnEmptyUsage)
{
    KeyAssembly state;
    AssemblyToggle(state, AssemblyModifier::Win);
    EXPECT_EQ(state.text, "Win");
    EXPECT_EQ(AssemblyCode(state), "020800");
}

TEST(KeyAssembly, UntickingTakesTheNameOutWhereverItStands)
{
    struct Case {
        std::uint8_t ticked;  // boxes ticked first, in Ctrl, Shift, Alt, Win order
        bool withKey;
        AssemblyModifier untick;
        const char* expected;
    };
    const Case cases[] = {
        {0b0001, false, AssemblyModifier::Ctrl, ""},
        {0b0011, true, AssemblyModifier::Ctrl, "Shift+F5"},
        {0b0011, true, AssemblyModifier::Shift, "Ctrl+F5"},
        {0b1100, false, AssemblyModifier::Win, "Alt"},
        {0b0001, true, AssemblyModifier::Ctrl, "F5"},
    };
    for (const Case& c : cases) {
        KeyAssembly state;
        for (unsigned bit = 0; bit < 4; ++bit) {
            if ((c.ticked & (1u << bit)) != 0)
                AssemblyToggle(state, static_cast<AssemblyModifier>(bit));
        }
        if (c.withKey)
            AssemblyKeyPressed(state, kF5, false);
        AssemblyToggle(state, c.untick);
        EXPECT_EQ(state.text, c.expected) << int(c.ticked) << " untick " << int(c.untick);
        EXPECT_EQ(state.modifiers, c.ticked & ~(1u << static_cast<unsigned>(c.untick)));
    }
}

TEST(KeyAssembly, TickingAfterAKeyKeepsTheKeyLast)
{
    KeyAssembly state;
    AssemblyKeyPressed(state, kF5, false);
    AssemblyToggle(state, AssemblyModifier::Win);
    EXPECT_EQ(state.text, "Win+F5");
    EXPECT_EQ(AssemblyCode(state), "02083E");
    AssemblyClear(state);
    EXPECT_EQ(state.text, "");
    EXPECT_EQ(AssemblyCode(state), "020000");
}

TEST(SingleKeyLine, PressesAndReleasesCarryTheirOwnPrefix)
{
    EXPECT_EQ(SingleKeyLine(kShift, false), "Shift CODE:02E1");
    EXPECT_EQ(SingleKeyLine(kF5, true), "F5 CODE:823E");
}

}  // namespace
}  // namespace qeltra3k::config
