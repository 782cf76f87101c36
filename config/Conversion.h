#pragma once
// Key function codes: the three bytes (type, data 1, data 2) that give a mouse button its
// function, their six-digit text form, the codes of the function menu, the macro addresses
// the macro codes point at, and the name a button shows for a code.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace qeltra3k::config {

// The type byte: what kind of function the code gives.
namespace code_type {
inline constexpr std::uint8_t KeyOff = 0x00;
inline constexpr std::uint8_t MouseButton = 0x01;      // data 1: button mask
inline constexpr std::uint8_t Keyboard = 0x02;         // data 1: modifier mask, data 2: usage
inline constexpr std::uint8_t Consumer = 0x03;         // data 1, 2: consumer usage, high byte first
inline constexpr std::uint8_t DpiLoop = 0x05;
inline constexpr std::uint8_t DeviceMacro = 0x06;      // plays to its end; data: body address
inline constexpr std::uint8_t DpiUp = 0x07;
inline constexpr std::uint8_t DpiDown = 0x08;
inline constexpr std::uint8_t LedOnOff = 0x09;
inline constexpr std::uint8_t Aim = 0x0A;              // data 1: DPI value index
inline constexpr std::uint8_t FireMacroToEnd = 0x0B;   // fire macro key table only
inline constexpr std::uint8_t GunKey = 0x0C;           // data 1, 2: first and last fire macro, 1-based
inline constexpr std::uint8_t GunKeyFn = 0x0D;
inline constexpr std::uint8_t DeviceMacroHeld = 0x0E;  // stops on release; data: body address
inline constexpr std::uint8_t KeyModeSwitch = 0x0F;
inline constexpr std::uint8_t LedModeSwitch = 0x10;
}  // namespace code_type

// Bits of data 1 in a keyboard code.
namespace modifier {
inline constexpr std::uint8_t Ctrl = 0x01;
inline constexpr std::uint8_t Shift = 0x02;
inline constexpr std::uint8_t Alt = 0x04;
inline constexpr std::uint8_t Win = 0x08;
}  // namespace modifier

struct KeyCode {
    std::uint8_t type = 0;
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;

    // Macro codes carry a device address in the data bytes, high byte first.
    constexpr std::uint16_t Address() const { return static_cast<std::uint16_t>(data1 << 8 | data2); }
    static constexpr KeyCode WithAddress(std::uint8_t type, std::uint16_t address)
    {
        return {type, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF)};
    }

    friend constexpr bool operator==(const KeyCode&, const KeyCode&) = default;
};

inline constexpr std::size_t kKeyCodeSize = 3;
inline constexpr std::size_t kKeyCodeTextLength = 6;

// Exactly six hexadecimal digits (either case); anything else, including signs, prefixes
// and blanks, gives nothing rather than a half-read code.
std::optional<KeyCode> ParseKeyCode(std::string_view text);
// Six upper-case hexadecimal digits, two per byte.
std::string KeyCodeText(KeyCode code);

// A code at a byte offset (DataBuf, device image or driver image). Nothing is read or
// written when the three bytes do not fit inside the buffer, or the text is not a code.
std::optional<KeyCode> ReadKeyCode(std::span<const std::uint8_t> bytes, std::size_t offset);
bool WriteKeyCode(std::span<std::uint8_t> bytes, std::size_t offset, KeyCode code);
bool WriteKeyCodeText(std::span<std::uint8_t> bytes, std::size_t offset, std::string_view codeText);

// --- Macro addresses -------------------------------------------------------------------
// A macro code addresses the length byte of the macro's body. The name sits 0x21 bytes
// before it (32 name bytes, then the stop flag).
inline constexpr std::size_t kDeviceMacroSlotCount = 6;
inline constexpr std::array<std::uint16_t, kDeviceMacroSlotCount> kDeviceMacroSlotAddresses{
    0x0121, 0x0221, 0x0321, 0x0421, 0x0621, 0x0721};
inline constexpr std::uint16_t kMacroRecordToBodyAddress = 0x21;
// Driver macro n has its body at 0x0120 + 2048 n in the driver image.
inline constexpr std::uint32_t kDriverMacroFirstAddress = 0x0120;
inline constexpr std::uint32_t kDriverMacroStride = 2048;
// The fire key's own program in the fire key section.
inline constexpr std::uint16_t kFireKeyAddress = 0x00F0;
inline constexpr KeyCode kFireKeyCode{code_type::DeviceMacro, 0x00, 0xF0};

// Address of the name of device slot `slot` (0-based), where an on-demand name read starts.
constexpr std::optional<std::uint16_t> DeviceMacroNameAddress(std::size_t slot)
{
    if (slot >= kDeviceMacroSlotCount)
        return std::nullopt;
    return static_cast<std::uint16_t>(kDeviceMacroSlotAddresses[slot] - kMacroRecordToBodyAddress);
}
// 0-based slot whose body address this is.
std::optional<std::size_t> DeviceMacroSlotForAddress(std::uint16_t address);
// Body address of driver macro `index`; nothing for an index whose address would not fit
// the two data bytes of a code (index 32 and beyond).
std::optional<std::uint16_t> DriverMacroAddress(std::size_t index);
// Driver macro index whose body address this is.
std::optional<std::size_t> DriverMacroIndexForAddress(std::uint16_t address);

// --- Function menu ---------------------------------------------------------------------
inline constexpr int kAimMenuTag = 1002;
// Aim codes carry an index into the twelve-entry DPI value table.
inline constexpr int kAimValueIndexCount = 12;

// Code of a fixed menu entry. The aim entry takes the current aim value index (0..11).
// Empty text for a tag not in the menu, or an aim index outside the DPI value table.
std::string CodeForMenuTag(int tag, int aimValueIndex);

// --- Names -----------------------------------------------------------------------------
// Everything naming looks at, owned by the caller.
struct KeyNameContext {
    // Text of a language key ("Str210") in the current language. Absent: names are empty.
    std::function<std::string(std::string_view key)> languageText;
    bool eepromMode = true;
    // EEPROM mode: the six device slot names in slot order; an empty entry is not known yet.
    std::span<const std::string> deviceMacroNames;
    // Reads the name of 0-based device slot i from the mouse when its entry is empty (the
    // reader keeps what it read). May be absent, e.g. with no mouse attached.
    std::function<std::string(std::size_t slot)> readDeviceMacroName;
    // Driver mode: the names of the driver macro list, in list order.
    std::span<const std::string> driverMacroNames;
    // The ten custom gun-key code texts, present only when their file existed at start-up.
    std::optional<std::span<const std::string>> customGunKeys;
};

// Name a button shows for a code text; empty when the code has no name (or is not a code).
std::string KeyCodeName(std::string_view codeText, const KeyNameContext& context);

}  // namespace qeltra3k::config
