#pragma once
// The keyboard component the recorder listens to (`TKeyboardHook`). The platform's raw
// keyboard input (which sees keys typed into any window) is fed in as key-down and key-up
// transitions; the component keeps the held keys and a count of key-downs since the last
// key-up, and tells its listener each key with a state: the first key down (`kh_On`), a
// further key down while keys are held, auto-repeat included (`kh_Repeat`), or a key up
// (`kh_Off`). No OS call is made here; the capture that feeds it lives with the page.
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace qeltra3k::macros {

enum class KeyboardHookState { kh_On, kh_Off, kh_Repeat };

enum class KeyTransition { Down, Up };

// The transition a raw keyboard message stands for: WM_KEYDOWN and WM_SYSKEYDOWN are downs,
// WM_KEYUP and WM_SYSKEYUP ups; nothing for any other message.
std::optional<KeyTransition> KeyTransitionOfMessage(unsigned message);

// The state a key event is told with, from the key-down count after it: 0 `kh_Off`,
// 1 `kh_On`, 2 or more `kh_Repeat`.
KeyboardHookState StateForDownCount(int downCount);

// Which of Shift, Ctrl and Alt a finished key combination held.
struct ShiftState {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    friend bool operator==(const ShiftState&, const ShiftState&) = default;
};

struct HeldKey {
    int key = 0;
    bool down = false;
    bool released = false;
    friend bool operator==(const HeldKey&, const HeldKey&) = default;
};

// One key event as the listener gets it (`OnReceive`).
struct KeyReceive {
    int key = 0;
    KeyboardHookState state = KeyboardHookState::kh_Off;
    int repeatCount = 0;  // key-downs since the last key-up
    friend bool operator==(const KeyReceive&, const KeyReceive&) = default;
};

class KeyboardHook {
public:
    using ReceiveHandler = std::function<void(const KeyReceive&)>;
    // The keys of a finished combination other than Shift, Ctrl and Alt, and which of those
    // three it held.
    using CombinationHandler = std::function<void(const std::vector<int>& keys, ShiftState shiftState)>;

    void SetEnabled(bool enabled) { enabled_ = enabled; }
    bool Enabled() const { return enabled_; }
    void SetOnReceive(ReceiveHandler handler) { onReceive_ = std::move(handler); }
    void SetOnKeyCombination(CombinationHandler handler) { onKeyCombination_ = std::move(handler); }

    // One keyboard message. The bookkeeping runs whether or not the component is enabled,
    // so a key held while a recording starts is known; the listeners are told only while it
    // is enabled. Returns the event told to `OnReceive` (also when no handler is set, so a
    // caller may route it itself), nothing while disabled.
    std::optional<KeyReceive> HandleKey(int virtualKey, KeyTransition transition);

    const std::vector<HeldKey>& HeldKeys() const { return heldKeys_; }
    int DownCount() const { return downCount_; }

private:
    bool enabled_ = false;
    ReceiveHandler onReceive_;
    CombinationHandler onKeyCombination_;
    std::vector<HeldKey> heldKeys_;
    int downCount_ = 0;
};

}  // namespace qeltra3k::macros
