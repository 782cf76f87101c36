#include "macros/KeyboardHook.h"

#include <gtest/gtest.h>

namespace qeltra3k::macros {
namespace {

using State = KeyboardHookState;
constexpr int kA = 0x41;
constexpr int kB = 0x42;
constexpr int kShift = 0x10;
constexpr int kCtrl = 0x11;
constexpr int kRightAlt = 0xA5;

struct Message {
    int key;
    KeyTransition transition;
};
constexpr Message Down(int key) { return {key, KeyTransition::Down}; }
constexpr Message Up(int key) { return {key, KeyTransition::Up}; }

TEST(KeyboardHook, MessagesAndStates)
{
    struct Case {
        unsigned message;
        std::optional<KeyTransition> transition;
    };
    const Case cases[]{
        {0x0100, KeyTransition::Down}, {0x0104, KeyTransition::Down}, {0x0101, KeyTransition::Up},
        {0x0105, KeyTransition::Up},   {0x0102, std::nullopt},         {0x00FF, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyTransitionOfMessage(c.message), c.transition) << c.message;

    EXPECT_EQ(StateForDownCount(0), State::kh_Off);
    EXPECT_EQ(StateForDownCount(1), State::kh_On);
    EXPECT_EQ(StateForDownCount(2), State::kh_Repeat);
    EXPECT_EQ(StateForDownCount(40), State::kh_Repeat);
}

TEST(KeyboardHook, StatesOfATypedSequence)
{
    const struct Step {
        Message message;
        KeyReceive told;
    } steps[]{
        {Down(kA), {kA, State::kh_On, 1}},
        {Down(kA), {kA, State::kh_Repeat, 2}},  // auto-repeat
        {Down(kA), {kA, State::kh_Repeat, 3}},
        {Down(kB), {kB, State::kh_Repeat, 4}},  // a second key while A is held
        {Up(kB), {kB, State::kh_Off, 0}},
        {Down(kA), {kA, State::kh_On, 1}},      // A repeats again after a key-up
        {Up(kA), {kA, State::kh_Off, 0}},
        {Down(kB), {kB, State::kh_On, 1}},
        {Up(kB), {kB, State::kh_Off, 0}},
    };
    KeyboardHook hook;
    hook.SetEnabled(true);
    std::vector<KeyReceive> received;
    hook.SetOnReceive([&received](const KeyReceive& told) { received.push_back(told); });
    for (const Step& step : steps) {
        const std::optional<KeyReceive> told = hook.HandleKey(step.message.key, step.message.transition);
        ASSERT_TRUE(told);
        EXPECT_EQ(*told, step.told);
    }
    ASSERT_EQ(received.size(), std::size(steps));
    EXPECT_EQ(received.back(), steps[std::size(steps) - 1].told);
}

TEST(KeyboardHook, DisabledKeepsItsBookkeepingButTellsNobody)
{
    KeyboardHook hook;
    int calls = 0;
    hook.SetOnReceive([&calls](const KeyReceive&) { ++calls; });
    hook.SetOnKeyCombination([&calls](const std::vector<int>&, ShiftState) { ++calls; });
    EXPECT_FALSE(hook.HandleKey(kA, KeyTransition::Down));
    EXPECT_EQ(hook.DownCount(), 1);
    ASSERT_EQ(hook.HeldKeys().size(), 1u);
    EXPECT_EQ(hook.HeldKeys()[0], (HeldKey{kA, true, false}));

    // Enabled while A is held: the next key is a further key down.
    hook.SetEnabled(true);
    EXPECT_EQ(hook.HandleKey(kB, KeyTransition::Down), (KeyReceive{kB, State::kh_Repeat, 2}));
    EXPECT_EQ(calls, 1);
}

TEST(KeyboardHook, CombinationWhenAllHeldKeysAreReleased)
{
    KeyboardHook hook;
    hook.SetEnabled(true);
    std::vector<std::pair<std::vector<int>, ShiftState>> combinations;
    hook.SetOnKeyCombination(
        [&combinations](const std::vector<int>& keys, ShiftState shift) { combinations.emplace_back(keys, shift); });

    for (const Message& m : {Down(kCtrl), Down(kShift), Down(kA), Down(kA), Up(kA), Up(kShift)})
        hook.HandleKey(m.key, m.transition);
    EXPECT_TRUE(combinations.empty());  // Ctrl is still held
    ASSERT_EQ(hook.HeldKeys().size(), 3u);
    EXPECT_EQ(hook.HeldKeys()[2], (HeldKey{kA, false, true}));

    hook.HandleKey(kCtrl, KeyTransition::Up);
    ASSERT_EQ(combinations.size(), 1u);
    EXPECT_EQ(combinations[0].first, std::vector<int>{kA});
    EXPECT_EQ(combinations[0].second, (ShiftState{true, true, false}));
    EXPECT_TRUE(hook.HeldKeys().empty());

    for (const Message& m : {Down(kRightAlt), Down(kB), Up(kRightAlt), Up(kB)})
        hook.HandleKey(m.key, m.transition);
    ASSERT_EQ(combinations.size(), 2u);
    EXPECT_EQ(combinations[1].first, std::vector<int>{kB});
    EXPECT_EQ(combinations[1].second, (ShiftState{false, false, true}));
}

TEST(KeyboardHook, HeldListEmptiesWithoutACombinationListener)
{
    KeyboardHook hook;
    hook.SetEnabled(true);
    for (const Message& m : {Down(kA), Up(kA), Down(kA)})
        hook.HandleKey(m.key, m.transition);
    // A pressed again is held again, not left marked released from before.
    ASSERT_EQ(hook.HeldKeys().size(), 1u);
    EXPECT_EQ(hook.HeldKeys()[0], (HeldKey{kA, true, false}));

    // A key-up of a key never seen down still resets the count, and finishes nothing.
    hook.HandleKey(kB, KeyTransition::Up);
    EXPECT_EQ(hook.DownCount(), 0);
    EXPECT_EQ(hook.HeldKeys().size(), 1u);
}

}  // namespace
}  // namespace qeltra3k::macros
