#include "macros/QtKeyTable.h"


namespace qeltra3k::macros {

namespace {

struct KeyEntry {
    int qtKey;
    int virtualKey;
};

// Qt's keys outside the printable range, and the punctuation of a US layout.
constexpr KeyEntry kKeys[] = {
    {0x01000000, 0x1B},  // Escape
    {0x01000001, 0x09},  // Tab
    {0x01000002, 0x09},  // Backtab (Shift+Tab)
    {0x01000003, 0x08},  // Backspace
    {0x01000004, 0x0D},  // Return
    {0x01000005, 0x0D},  // Enter (the keypad's, sent as Return)
    {0x01000006, 0x2D},  // Insert
    {0x01000007, 0x2E},  // Delete
    {0x01000008, 0x13},  // Pause
    {0x01000009, 0x2C},  // Print
    {0x0100000a, 0x2C},  // SysReq
    {0x0100000b, 0x0C},  // Clear
    {0x01000010, 0x24},  // Home
    {0x01000011, 0x23},  // End
    {0x01000012, 0x25},  // Left
    {0x01000013, 0x26},  // Up
    {0x01000014, 0x27},  // Right
    {0x01000015, 0x28},  // Down
    {0x01000016, 0x21},  // PageUp
    {0x01000017, 0x22},  // PageDown
    {0x01000020, 0x10},  // Shift
    {0x01000021, 0x11},  // Control
    {0x01000022, 0x5B},  // Meta: the Windows key on a PC keyboard
    {0x01000023, 0x12},  // Alt
    {0x01001103, 0x12},  // AltGr: right Alt, recorded as the generic Alt
    {0x01000024, 0x14},  // CapsLock
    {0x01000025, 0x90},  // NumLock
    {0x01000026, 0x91},  // ScrollLock
    {0x01000053, 0x5B},  // Super_L
    {0x01000054, 0x5C},  // Super_R
    {0x01000055, 0x5D},  // Menu
    {0x01000061, 0xA6},  // Back (browser)
    {0x01000062, 0xA7},  // Forward
    {0x01000063, 0xA9},  // Stop
    {0x01000064, 0xA8},  // Refresh
    {0x01000070, 0xAE},  // VolumeDown
    {0x01000071, 0xAD},  // VolumeMute
    {0x01000072, 0xAF},  // VolumeUp
    {0x01000080, 0xB3},  // MediaPlay
    {0x01000081, 0xB2},  // MediaStop
    {0x01000082, 0xB1},  // MediaPrevious
    {0x01000083, 0xB0},  // MediaNext
    {0x01000086, 0xB3},  // MediaTogglePlayPause
    {0x01000090, 0xAC},  // HomePage
    {0x01000091, 0xAB},  // Favorites
    {0x01000092, 0xAA},  // Search
    {0x010000a0, 0xB4},  // LaunchMail
    {0x20, 0x20},        // Space
    {0x3B, 0xBA}, {0x3A, 0xBA},  // ; :
    {0x3D, 0xBB}, {0x2B, 0xBB},  // = +
    {0x2C, 0xBC}, {0x3C, 0xBC},  // , <
    {0x2D, 0xBD}, {0x5F, 0xBD},  // - _
    {0x2E, 0xBE}, {0x3E, 0xBE},  // . >
    {0x2F, 0xBF}, {0x3F, 0xBF},  // / ?
    {0x60, 0xC0}, {0x7E, 0xC0},  // ` ~
    {0x5B, 0xDB}, {0x7B, 0xDB},  // [ {
    {0x5C, 0xDC}, {0x7C, 0xDC},  // \ |
    {0x5D, 0xDD}, {0x7D, 0xDD},  // ] }
    {0x27, 0xDE}, {0x22, 0xDE},  // ' "
    // Shifted digits.
    {0x21, '1'}, {0x40, '2'}, {0x23, '3'}, {0x24, '4'}, {0x25, '5'},
    {0x5E, '6'}, {0x26, '7'}, {0x2A, '8'}, {0x28, '9'}, {0x29, '0'},
};

// The number pad: digits and operators with the keypad modifier.
constexpr KeyEntry kKeypadOperators[] = {
    {0x2A, 0x6A},  // *
    {0x2B, 0x6B},  // +
    {0x2D, 0x6D},  // -
    {0x2E, 0x6E},  // .
    {0x2C, 0x6E},  // , (the decimal key of some layouts)
    {0x2F, 0x6F},  // /
};
constexpr int kVirtualKeyNumpad0 = 0x60;

constexpr int kQtKeyF1 = 0x01000030;
constexpr int kQtKeyF24 = 0x01000047;
constexpr int kVirtualKeyF1 = 0x70;

struct ButtonEntry {
    int qtButton;
    unsigned down;
    unsigned up;
    std::uint32_t mouseData;
};

constexpr ButtonEntry kButtons[] = {
    {0x01, 0x0201, 0x0202, 0},          // LeftButton
    {0x02, 0x0204, 0x0205, 0},          // RightButton
    {0x04, 0x0207, 0x0208, 0},          // MiddleButton
    {0x08, 0x020B, 0x020C, 1u << 16},   // BackButton (XButton1)
    {0x10, 0x020B, 0x020C, 2u << 16},   // ForwardButton (XButton2)
};

std::optional<int> Lookup(const auto& table, int qtKey)
{
    for (const KeyEntry& entry : table) {
        if (entry.qtKey == qtKey)
            return entry.virtualKey;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> QtKeyToVirtualKey(int qtKey, bool keypad)
{
    if (keypad) {
        if (qtKey >= '0' && qtKey <= '9')
            return kVirtualKeyNumpad0 + (qtKey - '0');
        if (const auto key = Lookup(kKeypadOperators, qtKey))
            return key;
    }
    if ((qtKey >= '0' && qtKey <= '9') || (qtKey >= 'A' && qtKey <= 'Z'))
        return qtKey;  // the virtual keys of digits and letters are their upper-case codes
    if (qtKey >= kQtKeyF1 && qtKey <= kQtKeyF24)
        return kVirtualKeyF1 + (qtKey - kQtKeyF1);
    return Lookup(kKeys, qtKey);
}

std::optional<HookMouseMessage> QtButtonToHookMessage(int qtButton, bool press)
{
    for (const ButtonEntry& entry : kButtons) {
        if (entry.qtButton == qtButton)
            return HookMouseMessage{press ? entry.down : entry.up, entry.mouseData};
    }
    return std::nullopt;
}

}  // namespace qeltra3k::macros
