#pragma once
// The key-assembly dialog's rules: modifiers come only from the four tick boxes, one key is
// captured from the keyboard, and the result is a keyboard code "02" + modifier mask + usage
// with the text the user saw. Also the single-key dialog's result line for a macro key row.
#include <cstdint>
#include <string>

namespace qeltra3k::config {

// Bits of the modifier mask, in the order their names are joined.
enum class AssemblyModifier : std::uint8_t { Ctrl = 0, Shift = 1, Alt = 2, Win = 3 };

struct KeyAssembly {
    std::string text;          // the read-only field, e.g. "Ctrl+Shift+F5"
    std::string keyName;       // the captured key's name; empty when none
    std::uint8_t usage = 0;    // the captured key's usage; 0 when none
    bool captured = false;
    std::uint8_t modifiers = 0;  // bit per AssemblyModifier
};

// The names of the ticked boxes ("Ctrl", "Shift", "Alt", "Win" in that order) joined by "+".
std::string ModifierText(std::uint8_t modifiers);

// A key pressed in the field. Windows keys, Shift, Ctrl and Alt themselves, and any key
// pressed while one of those is held are swallowed, but still drop a key captured before them.
void AssemblyKeyPressed(KeyAssembly& state, int virtualKey, bool modifierHeld);

// A tick box clicked: ticking rebuilds the text from the modifiers and the key; unticking
// takes the box's name out of the text.
void AssemblyToggle(KeyAssembly& state, AssemblyModifier modifier);

// Clear: empty field, no key, no boxes.
void AssemblyClear(KeyAssembly& state);

// "02" + mask + usage, upper-case hexadecimal.
std::string AssemblyCode(const KeyAssembly& state);

// The single-key dialog's line for virtual key `virtualKey`: "F5 CODE:823E" for a press,
// "Shift CODE:02E1" for a release.
std::string SingleKeyLine(int virtualKey, bool press);

}  // namespace qeltra3k::config
