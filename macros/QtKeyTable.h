#pragma once
// What the recorder needs of the toolkit's input events, as plain tables: the Windows
// virtual key a Qt key stands for, and the low-level mouse hook message a Qt mouse button
// press or release stands for. The numbers are Qt's own enumeration values, written out so
// that the recorder's rules stay free of the toolkit.
#include <cstdint>
#include <optional>

namespace qeltra3k::macros {

// The virtual key of a Qt key (`QKeyEvent::key()`); `keypad` when the event carried the
// keypad modifier, so the number pad's digits and operators get their own keys. Shifted
// punctuation gives the key it is typed on ('!' is the 1 key). Nothing for a key without one.
std::optional<int> QtKeyToVirtualKey(int qtKey, bool keypad);

// A mouse hook message with the high word of its mouse data (1 backward, 2 forward for the
// extra buttons), as MacroRecorder::MouseMessage takes it.
struct HookMouseMessage {
    unsigned message = 0;
    std::uint32_t mouseData = 0;
};

// The message of a press or release of a Qt mouse button (`Qt::MouseButton` value); nothing
// for a button the mouse cannot record.
std::optional<HookMouseMessage> QtButtonToHookMessage(int qtButton, bool press);

}  // namespace qeltra3k::macros
