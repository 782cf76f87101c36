#include "macros/KeyboardHook.h"

#include <algorithm>
#include <array>

namespace qeltra3k::macros {

namespace {

struct MessageTransition {
    unsigned message;
    KeyTransition transition;
};

constexpr std::array<MessageTransition, 4> kKeyMessages{{
    {0x0100, KeyTransition::Down},  // WM_KEYDOWN
    {0x0104, KeyTransition::Down},  // WM_SYSKEYDOWN (keys typed with Alt, F10)
    {0x0101, KeyTransition::Up},    // WM_KEYUP
    {0x0105, KeyTransition::Up},    // WM_SYSKEYUP
}};

// Generic, left-hand and right-hand virtual keys of Shift, Ctrl and Alt.
constexpr std::array<int, 3> kShiftKeys{0x10, 0xA0, 0xA1};
constexpr std::array<int, 3> kCtrlKeys{0x11, 0xA2, 0xA3};
constexpr std::array<int, 3> kAltKeys{0x12, 0xA4, 0xA5};

template <std::size_t N>
bool OneOf(int key, const std::array<int, N>& keys)
{
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

std::optional<KeyTransition> KeyTransitionOfMessage(unsigned message)
{
    for (const MessageTransition& entry : kKeyMessages) {
        if (entry.message == message)
            return entry.transition;
    }
    return std::nullopt;
}

KeyboardHookState StateForDownCount(int downCount)
{
    if (downCount <= 0)
        return KeyboardHookState::kh_Off;
    return downCount == 1 ? KeyboardHookState::kh_On : KeyboardHookState::kh_Repeat;
}

std::optional<KeyReceive> KeyboardHook::HandleKey(int virtualKey, KeyTransition transition)
{
    const auto held = std::find_if(heldKeys_.begin(), heldKeys_.end(),
                                   [virtualKey](const HeldKey& entry) { return entry.key == virtualKey; });
    bool allReleased = false;
    if (transition == KeyTransition::Down) {
        ++downCount_;
        // A key pressed again after its release is held again.
        if (held == heldKeys_.end())
            heldKeys_.push_back({virtualKey, true, false});
        else
            *held = {virtualKey, true, false};
    } else {
        if (held != heldKeys_.end()) {
            held->down = false;
            held->released = true;
        }
        const auto released = [](const HeldKey& entry) { return entry.released; };
        allReleased = !heldKeys_.empty() && std::all_of(heldKeys_.begin(), heldKeys_.end(), released);
        downCount_ = 0;
    }

    std::optional<KeyReceive> told;
    if (enabled_) {
        told = KeyReceive{virtualKey, StateForDownCount(downCount_), downCount_};
        if (onReceive_)
            onReceive_(*told);
    }

    if (allReleased) {
        if (enabled_ && onKeyCombination_) {
            std::vector<int> keys;
            ShiftState shiftState;
            for (const HeldKey& entry : heldKeys_) {
                if (OneOf(entry.key, kShiftKeys))
                    shiftState.shift = true;
                else if (OneOf(entry.key, kCtrlKeys))
                    shiftState.ctrl = true;
                else if (OneOf(entry.key, kAltKeys))
                    shiftState.alt = true;
                else
                    keys.push_back(entry.key);
            }
            onKeyCombination_(keys, shiftState);
        }
        // Emptied whether or not anyone listens: a finished combination must not linger
        // into the next one.
        heldKeys_.clear();
    }
    return told;
}

}  // namespace qeltra3k::macros
