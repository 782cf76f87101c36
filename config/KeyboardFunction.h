#pragma once
// Keyboard tables: the names of keyboard usages as a button label shows them, and the
// correspondence between Windows virtual keys and those usages used when a key is captured.
#include <cstdint>
#include <string_view>

namespace qeltra3k::config {

// Name of a keyboard usage (the keyboard page, plus the sixteen program codes the mouse uses
// for browser and media keys). Empty for a usage without a name, and for anything outside
// 0..255. The text has static lifetime.
std::string_view UsageName(int usage);

// Usage that a Windows virtual key is sent as; 0 for a key the mouse cannot send.
std::uint8_t VirtualKeyToUsage(int virtualKey);

// Name shown while a key is being captured. Mostly the usage name, but the generic
// modifiers and a few keys the mouse cannot send have their own; "None" for any key
// without an entry. The text has static lifetime.
std::string_view VirtualKeyName(int virtualKey);

}  // namespace qeltra3k::config
