#pragma once
// The events a macro body is made of: one or two bytes each, the first byte saying what the
// event is. The mouse and the filter driver play them; the editor only stores them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qeltra3k::macros {

// First byte of each event.
namespace event {
inline constexpr std::uint8_t KeyDown = 0x82;       // + keyboard usage
inline constexpr std::uint8_t KeyUp = 0x02;         // + keyboard usage
inline constexpr std::uint8_t ModifierDown = 0x81;  // + modifier mask
inline constexpr std::uint8_t ModifierUp = 0x01;    // + modifier mask
inline constexpr std::uint8_t LeftDown = 0xA1;
inline constexpr std::uint8_t LeftUp = 0x21;
inline constexpr std::uint8_t RightDown = 0xA2;
inline constexpr std::uint8_t RightUp = 0x22;
inline constexpr std::uint8_t MiddleDown = 0xA4;
inline constexpr std::uint8_t MiddleUp = 0x24;
inline constexpr std::uint8_t ForwardDown = 0xA8;
inline constexpr std::uint8_t ForwardUp = 0x28;
inline constexpr std::uint8_t BackwardDown = 0xB0;
inline constexpr std::uint8_t BackwardUp = 0x30;
inline constexpr std::uint8_t MoveX = 0xFB;         // + signed byte
inline constexpr std::uint8_t MoveY = 0xFA;         // + signed byte
inline constexpr std::uint8_t Delay = 0xFE;         // + units of 8 ms
inline constexpr std::uint8_t RepeatStart = 0xFD;   // + count - 1, or InfiniteRepeat
inline constexpr std::uint8_t RepeatEnd = 0xFC;
}  // namespace event

inline constexpr std::uint8_t kInfiniteRepeat = 0xFF;
inline constexpr int kDelayUnitMs = 8;
inline constexpr int kMaxDelayUnits = 255;
inline constexpr int kMaxDelayEventMs = kDelayUnitMs * kMaxDelayUnits;  // 2040 ms

struct EventInfo {
    std::uint8_t code;
    std::string_view name;
    std::uint8_t size;  // bytes, the code included
};

inline constexpr std::array<EventInfo, 19> kEvents{{
    {event::KeyDown, "KeyDown", 2},
    {event::KeyUp, "KeyUp", 2},
    {event::ModifierDown, "ModifierDown", 2},
    {event::ModifierUp, "ModifierUp", 2},
    {event::LeftDown, "LeftDown", 1},
    {event::LeftUp, "LeftUp", 1},
    {event::RightDown, "RightDown", 1},
    {event::RightUp, "RightUp", 1},
    {event::MiddleDown, "MiddleDown", 1},
    {event::MiddleUp, "MiddleUp", 1},
    {event::ForwardDown, "ForwardDown", 1},
    {event::ForwardUp, "ForwardUp", 1},
    {event::BackwardDown, "BackwardDown", 1},
    {event::BackwardUp, "BackwardUp", 1},
    {event::MoveX, "MoveX", 2},
    {event::MoveY, "MoveY", 2},
    {event::Delay, "Delay", 2},
    {event::RepeatStart, "RepeatStart", 2},
    {event::RepeatEnd, "RepeatEnd", 1},
}};

// The event whose first byte is `code`; nothing for a byte that starts no event.
std::optional<EventInfo> FindEvent(std::uint8_t code);

// Mouse buttons: press = 0xA0 | bit, release = 0x20 | bit. `rowName` is how event rows
// call the button.
struct MouseButton {
    std::uint8_t bit;
    std::string_view rowName;
};
inline constexpr std::array<MouseButton, 5> kMouseButtons{{
    {0x01, "LeftKey"},
    {0x02, "RightKey"},
    {0x04, "MiddleKey"},
    {0x08, "Forward"},
    {0x10, "Backward"},
}};
constexpr std::uint8_t ButtonPress(std::uint8_t bit) { return static_cast<std::uint8_t>(0xA0 | bit); }
constexpr std::uint8_t ButtonRelease(std::uint8_t bit) { return static_cast<std::uint8_t>(0x20 | bit); }

// The button a one-byte press or release event stands for, and whether it is the press.
struct ButtonEvent {
    MouseButton button;
    bool press;
};
std::optional<ButtonEvent> FindButtonEvent(std::uint8_t code);

// Modifier mask bits the editor writes, one per event, and the virtual key whose name a
// decoded row shows for each (the generic Ctrl, Shift and Alt, the two Windows keys).
struct ModifierBit {
    std::uint8_t mask;
    int virtualKey;
};
inline constexpr std::array<ModifierBit, 5> kModifierBits{{
    {0x01, 0x11},  // Ctrl
    {0x02, 0x10},  // Shift
    {0x04, 0x12},  // Alt
    {0x08, 0x5B},  // left Windows key
    {0x80, 0x5C},  // right Windows key
}};

// True for a mask the editor itself writes: exactly one of the five bits above.
bool IsEditorModifierMask(std::uint8_t mask);

// Name a row shows for a modifier mask. One of the five bits gives its key's name
// ("Ctrl", "Shift", "Alt", "Left Windows", "Right Windows"). Any other mask (only in bodies
// made elsewhere) names every key it holds, joined by "+", the three right-hand bits by
// their keyboard names ("Right Ctrl", ...), so the row still says what the mouse will press;
// an empty mask is "None".
std::string ModifierName(std::uint8_t mask);

}  // namespace qeltra3k::macros
