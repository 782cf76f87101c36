#include "config/KeyAssembly.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "config/KeyboardFunction.h"

namespace qeltra3k::config {

namespace {

constexpr std::array<std::string_view, 4> kModifierNames{"Ctrl", "Shift", "Alt", "Win"};
constexpr int kLeftWin = 0x5B;
constexpr int kRightWin = 0x5C;

// A Shift, Ctrl or Alt key (generic, left or right) is itself held while it goes down, so it
// is swallowed like any key pressed with it: modifiers come from the boxes alone.
bool IsModifierKey(int virtualKey)
{
    return (virtualKey >= 0x10 && virtualKey <= 0x12) || (virtualKey >= 0xA0 && virtualKey <= 0xA5);
}

std::string Hex2(unsigned value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value & 0xFFu);
    return text;
}

std::uint8_t Bit(AssemblyModifier modifier)
{
    return static_cast<std::uint8_t>(1u << static_cast<unsigned>(modifier));
}

}  // namespace

std::string ModifierText(std::uint8_t modifiers)
{
    std::string text;
    for (std::size_t bit = 0; bit < kModifierNames.size(); ++bit) {
        if ((modifiers & (1u << bit)) == 0)
            continue;
        if (!text.empty())
            text += '+';
        text += kModifierNames[bit];
    }
    return text;
}

void AssemblyKeyPressed(KeyAssembly& state, int virtualKey, bool modifierHeld)
{
    if (state.captured) {
        state.keyName.clear();
        state.usage = 0;
        state.text = ModifierText(state.modifiers);
        state.captured = false;
    }
    if (virtualKey == kLeftWin || virtualKey == kRightWin || modifierHeld || IsModifierKey(virtualKey))
        return;
    state.keyName = std::string(VirtualKeyName(virtualKey));
    state.text = state.text.empty() ? state.keyName : state.text + '+' + state.keyName;
    state.usage = VirtualKeyToUsage(virtualKey);
    state.captured = true;
}

void AssemblyToggle(KeyAssembly& state, AssemblyModifier modifier)
{
    state.modifiers ^= Bit(modifier);
    if ((state.modifiers & Bit(modifier)) != 0) {
        state.text = ModifierText(state.modifiers);
        if (state.captured) {
            // A key alone has no modifier text to follow.
            state.text = state.text.empty() ? state.keyName : state.text + '+' + state.keyName;
        }
        return;
    }
    const std::string name(kModifierNames[static_cast<std::size_t>(modifier)]);
    std::string piece = "+" + name;
    if (state.text == name)
        piece = name;
    else if (state.text.starts_with(name) && state.text.size() > name.size())
        piece = name + "+";
    if (const std::size_t at = state.text.find(piece); at != std::string::npos)
        state.text.erase(at, piece.size());
}

void AssemblyClear(KeyAssembly& state)
{
    state = KeyAssembly{};
}

std::string AssemblyCode(const KeyAssembly& state)
{
    return "02" + Hex2(state.modifiers) + Hex2(state.usage);
}

std::string SingleKeyLine(int virtualKey, bool press)
{
    return std::string(VirtualKeyName(virtualKey)) + " CODE:" + (press ? "82" : "02") +
           Hex2(VirtualKeyToUsage(virtualKey));
}

}  // namespace qeltra3k::config
