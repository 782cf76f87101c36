#include "config/Conversion.h"

#include "config/KeyboardFunction.h"

namespace qeltra3k::config {
namespace {

// A function menu entry with a fixed code, and the language key of its name.
struct FixedCode {
    int tag;
    KeyCode code;
    std::string_view textKey;
};

constexpr FixedCode kFixedCodes[] = {
    {900, {0x01, 0x01, 0x00}, "Str210"},   // left click
    {901, {0x01, 0x02, 0x00}, "Str211"},   // right click
    {902, {0x01, 0x04, 0x00}, "Str212"},   // middle click
    {903, {0x01, 0x08, 0x00}, "Str213"},   // back
    {904, {0x01, 0x10, 0x00}, "Str214"},   // forward
    {1000, kFireKeyCode, "Str220"},        // fire key
    {1001, {0x09, 0x00, 0x00}, "Str221"},  // LED on/off
    {1003, {0x0D, 0x00, 0x00}, "Str223"},  // gun key Fn
    {1004, {0x00, 0x00, 0x00}, "Str224"},  // key off
    {1005, {0x0F, 0x00, 0x00}, "Str225"},  // key mode switch
    {1006, {0x10, 0x00, 0x00}, "Str226"},  // LED mode
    {1100, {0x03, 0x01, 0x94}, "Str240"},  // my computer
    {1101, {0x03, 0x01, 0x92}, "Str241"},  // calculator
    {1102, {0x03, 0x01, 0x8A}, "Str242"},  // e-mail
    {1103, {0x02, 0x08, 0x07}, "Str243"},  // desktop: Win+D, named as the function it serves
    {1300, {0x03, 0x00, 0xCD}, "Str250"},  // play/pause
    {1301, {0x03, 0x00, 0xB7}, "Str251"},  // stop
    {1302, {0x03, 0x00, 0xB6}, "Str252"},  // previous track
    {1303, {0x03, 0x00, 0xB5}, "Str253"},  // next track
    {1304, {0x03, 0x00, 0xE9}, "Str254"},  // volume +
    {1305, {0x03, 0x00, 0xEA}, "Str255"},  // volume -
    {1306, {0x03, 0x00, 0xE2}, "Str256"},  // mute
    {1400, {0x03, 0x02, 0x23}, "Str260"},  // web home
    {1401, {0x03, 0x02, 0x21}, "Str261"},  // web search
    {1402, {0x03, 0x02, 0x24}, "Str262"},  // web back
    {1403, {0x03, 0x02, 0x25}, "Str263"},  // web forward
    {1404, {0x03, 0x02, 0x26}, "Str264"},  // web stop
    {1405, {0x03, 0x02, 0x27}, "Str265"},  // web refresh
    {1406, {0x03, 0x02, 0x2A}, "Str266"},  // web favorites
    {2000, {0x05, 0x00, 0x00}, "Str231"},  // DPI loop
    {2001, {0x07, 0x00, 0x00}, "Str232"},  // DPI +
    {2002, {0x08, 0x00, 0x00}, "Str233"},  // DPI -
};

// Every aim code has one name, whatever DPI index it carries.
constexpr std::string_view kAimTextKey = "Str222";

struct NamedCode {
    KeyCode code;
    std::string_view textKey;
};

// The fire macro page's gun keys. Guns 6 and 7 may cover several fire macros, so each of
// their possible ranges carries the gun's name.
constexpr NamedCode kPresetGunKeys[] = {
    {{0x0C, 0x01, 0x01}, "Str600"}, {{0x0C, 0x02, 0x02}, "Str601"}, {{0x0C, 0x03, 0x03}, "Str602"},
    {{0x0C, 0x04, 0x04}, "Str603"}, {{0x0C, 0x05, 0x05}, "Str604"}, {{0x0C, 0x06, 0x06}, "Str605"},
    {{0x0C, 0x06, 0x07}, "Str605"}, {{0x0C, 0x08, 0x08}, "Str606"}, {{0x0C, 0x08, 0x09}, "Str606"},
    {{0x0C, 0x08, 0x0A}, "Str606"},
};

constexpr std::string_view kCustomGunKeyPrefix = "Fire Macro";

struct ModifierPrefix {
    std::uint8_t bit;
    std::string_view text;
};

constexpr ModifierPrefix kModifierPrefixes[] = {
    {modifier::Ctrl, "Ctrl+"},
    {modifier::Shift, "Shift+"},
    {modifier::Alt, "Alt+"},
    {modifier::Win, "Win+"},
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::optional<std::uint8_t> HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<std::uint8_t>(c - 'a' + 10);
    return std::nullopt;
}

bool FitsAt(std::size_t bufferSize, std::size_t offset)
{
    return bufferSize >= kKeyCodeSize && offset <= bufferSize - kKeyCodeSize;
}

std::string LanguageText(const KeyNameContext& context, std::string_view key)
{
    return context.languageText ? context.languageText(key) : std::string{};
}

std::string KeyboardName(KeyCode code)
{
    std::string name;
    for (const ModifierPrefix& prefix : kModifierPrefixes) {
        if (code.data1 & prefix.bit)
            name += prefix.text;
    }
    // A code of modifiers only shows as "Ctrl+" and the like, telling the user a key is missing.
    if (code.data2 != 0)
        name += UsageName(code.data2);
    return name;
}

std::string MacroName(KeyCode code, const KeyNameContext& context)
{
    const std::uint16_t address = code.Address();
    if (context.eepromMode) {
        const std::optional<std::size_t> slot = DeviceMacroSlotForAddress(address);
        if (!slot)
            return {};
        if (*slot < context.deviceMacroNames.size() && !context.deviceMacroNames[*slot].empty())
            return context.deviceMacroNames[*slot];
        return context.readDeviceMacroName ? context.readDeviceMacroName(*slot) : std::string{};
    }
    const std::optional<std::size_t> index = DriverMacroIndexForAddress(address);
    if (!index || *index >= context.driverMacroNames.size())
        return {};
    return context.driverMacroNames[*index];
}

std::string GunKeyName(KeyCode code, const KeyNameContext& context)
{
    if (context.customGunKeys) {
        // The same range may sit in the list twice; the later entry names it.
        std::optional<std::size_t> position;
        const std::span<const std::string> list = *context.customGunKeys;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (ParseKeyCode(list[i]) == code)
                position = i + 1;
        }
        return position ? std::string(kCustomGunKeyPrefix) + std::to_string(*position) : std::string{};
    }
    for (const NamedCode& gun : kPresetGunKeys) {
        if (gun.code == code)
            return LanguageText(context, gun.textKey);
    }
    return {};
}

}  // namespace

std::optional<KeyCode> ParseKeyCode(std::string_view text)
{
    if (text.size() != kKeyCodeTextLength)
        return std::nullopt;
    std::array<std::uint8_t, kKeyCodeSize> bytes{};
    for (std::size_t i = 0; i < kKeyCodeSize; ++i) {
        const std::optional<std::uint8_t> high = HexDigitValue(text[2 * i]);
        const std::optional<std::uint8_t> low = HexDigitValue(text[2 * i + 1]);
        if (!high || !low)
            return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(*high << 4 | *low);
    }
    return KeyCode{bytes[0], bytes[1], bytes[2]};
}

std::string KeyCodeText(KeyCode code)
{
    std::string text;
    text.reserve(kKeyCodeTextLength);
    for (std::uint8_t byte : {code.type, code.data1, code.data2}) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0x0F];
    }
    return text;
}

std::optional<KeyCode> ReadKeyCode(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    if (!FitsAt(bytes.size(), offset))
        return std::nullopt;
    return KeyCode{bytes[offset], bytes[offset + 1], bytes[offset + 2]};
}

bool WriteKeyCode(std::span<std::uint8_t> bytes, std::size_t offset, KeyCode code)
{
    if (!FitsAt(bytes.size(), offset))
        return false;
    bytes[offset] = code.type;
    bytes[offset + 1] = code.data1;
    bytes[offset + 2] = code.data2;
    return true;
}

bool WriteKeyCodeText(std::span<std::uint8_t> bytes, std::size_t offset, std::string_view codeText)
{
    const std::optional<KeyCode> code = ParseKeyCode(codeText);
    return code && WriteKeyCode(bytes, offset, *code);
}

std::optional<std::size_t> DeviceMacroSlotForAddress(std::uint16_t address)
{
    for (std::size_t slot = 0; slot < kDeviceMacroSlotCount; ++slot) {
        if (kDeviceMacroSlotAddresses[slot] == address)
            return slot;
    }
    return std::nullopt;
}

std::optional<std::uint16_t> DriverMacroAddress(std::size_t index)
{
    constexpr std::size_t kLastIndex = (0xFFFF - kDriverMacroFirstAddress) / kDriverMacroStride;
    if (index > kLastIndex)
        return std::nullopt;
    return static_cast<std::uint16_t>(kDriverMacroFirstAddress + kDriverMacroStride * index);
}

std::optional<std::size_t> DriverMacroIndexForAddress(std::uint16_t address)
{
    if (address < kDriverMacroFirstAddress || (address - kDriverMacroFirstAddress) % kDriverMacroStride != 0)
        return std::nullopt;
    return (address - kDriverMacroFirstAddress) / kDriverMacroStride;
}

std::string CodeForMenuTag(int tag, int aimValueIndex)
{
    if (tag == kAimMenuTag) {
        // An index past the DPI value table would send the mouse to a value it does not have.
        if (aimValueIndex < 0 || aimValueIndex >= kAimValueIndexCount)
            return {};
        return KeyCodeText({code_type::Aim, static_cast<std::uint8_t>(aimValueIndex), 0x00});
    }
    for (const FixedCode& entry : kFixedCodes) {
        if (entry.tag == tag)
            return KeyCodeText(entry.code);
    }
    return {};
}

std::string KeyCodeName(std::string_view codeText, const KeyNameContext& context)
{
    const std::optional<KeyCode> code = ParseKeyCode(codeText);
    if (!code)
        return {};
    // Fixed codes first: Win+D is "Desktop" and 0600F0 the fire key, not a keyboard
    // combination or a macro.
    for (const FixedCode& entry : kFixedCodes) {
        if (entry.code == *code)
            return LanguageText(context, entry.textKey);
    }
    switch (code->type) {
    case code_type::Aim:
        return LanguageText(context, kAimTextKey);
    case code_type::Keyboard:
        return KeyboardName(*code);
    case code_type::DeviceMacro:
    case code_type::DeviceMacroHeld:
        return MacroName(*code, context);
    case code_type::GunKey:
        return GunKeyName(*code, context);
    default:
        return {};
    }
}

}  // namespace qeltra3k::config
