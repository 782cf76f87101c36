#include "config/KeyboardFunction.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace qeltra3k::config {
namespace {

struct UsageCase {
    int usage;
    const char* name;
};

TEST(KeyboardUsageName, NamesTheKeyboardPageAndTheProgramCodes)
{
    const UsageCase cases[] = {
        {0x04, "A"}, {0x1D, "Z"}, {0x1E, "1"}, {0x26, "9"}, {0x27, "0"},
        {0x28, "Enter"}, {0x29, "Esc"}, {0x2A, "Backspace"}, {0x2B, "Tab"}, {0x2C, "Space bar"},
        {0x2D, "OEM_Minus"}, {0x2E, "OEM_Plus"}, {0x2F, "OEM_4"}, {0x30, "OEM_6"}, {0x31, "OEM_5"},
        {0x33, "OEM_1"}, {0x34, "OEM_7"}, {0x35, "OEM_3"}, {0x36, "OEM_Comma"}, {0x37, "OEM_Period"},
        {0x38, "OEM_2"}, {0x39, "Caps Lock"}, {0x3A, "F1"}, {0x3E, "F5"}, {0x45, "F12"},
        {0x46, "Print Screen"}, {0x47, "Scroll Lock"}, {0x48, "Pause"},
        {0x49, "Insert"}, {0x4A, "Home"}, {0x4B, "Page Up"}, {0x4C, "Delete"}, {0x4D, "End"},
        {0x4E, "Page Down"}, {0x4F, "Right Arrow"}, {0x50, "Left Arrow"}, {0x51, "Down Arrow"},
        {0x52, "Up Arrow"}, {0x53, "Num Lock"}, {0x54, "Divide (numeric pad)"},
        {0x55, "Multiply (numeric pad)"}, {0x56, "Subtract (numeric pad)"}, {0x57, "Add (numeric pad)"},
        {0x58, "Separator (numeric pad)"}, {0x59, "1 (numeric pad)"}, {0x61, "9 (numeric pad)"},
        {0x62, "0 (numeric pad)"}, {0x63, "Decimal (numeric pad)"}, {0x65, "Applications"},
        {0x68, "F13"}, {0x73, "F24"}, {0x75, "Help"}, {0x77, "Select"}, {0x9C, "Clear"},
        {0xC0, "Media_Next_Track"}, {0xC3, "Media_Play_Pause"}, {0xC4, "Volume_Mute"},
        {0xC7, "Launch_Mail"}, {0xCE, "Browser_Favorites"}, {0xD1, "Launch_Media_Select"},
        {0xE0, "Left Ctrl"}, {0xE1, "Left Shift"}, {0xE2, "Left Alt"}, {0xE3, "Win"},
        {0xE4, "Right Ctrl"}, {0xE5, "Right Shift"}, {0xE6, "Right Alt"}, {0xE7, "Win"},
    };
    for (const UsageCase& c : cases) {
        SCOPED_TRACE(c.usage);
        EXPECT_EQ(UsageName(c.usage), c.name);
    }
}

TEST(KeyboardUsageName, GapsAndOutOfRangeUsagesAreEmpty)
{
    for (int usage : {0x00, 0x01, 0x03, 0x32, 0x64, 0x66, 0x67, 0x74, 0x76, 0x78, 0x9B, 0x9D, 0xBF,
                      0xCF, 0xD0, 0xD2, 0xDF, 0xE8, 0xFF, -1, 0x100, 0x104}) {
        SCOPED_TRACE(usage);
        EXPECT_EQ(UsageName(usage), "");
    }
}

struct VirtualKeyCase {
    int virtualKey;
    int usage;
    const char* name;
};

TEST(KeyboardVirtualKey, MapsToUsageAndName)
{
    const VirtualKeyCase cases[] = {
        {0x41, 0x04, "A"}, {0x5A, 0x1D, "Z"}, {0x31, 0x1E, "1"}, {0x39, 0x26, "9"}, {0x30, 0x27, "0"},
        {0x0D, 0x28, "Enter"}, {0x1B, 0x29, "Esc"}, {0x08, 0x2A, "Backspace"}, {0x09, 0x2B, "Tab"},
        {0x20, 0x2C, "Space bar"},
        {0xBA, 0x33, "OEM_1"}, {0xBB, 0x2E, "OEM_Plus"}, {0xBC, 0x36, "OEM_Comma"},
        {0xBD, 0x2D, "OEM_Minus"}, {0xBE, 0x37, "OEM_Period"}, {0xBF, 0x38, "OEM_2"},
        {0xC0, 0x35, "OEM_3"}, {0xDB, 0x2F, "OEM_4"}, {0xDC, 0x31, "OEM_5"}, {0xDD, 0x30, "OEM_6"},
        {0xDE, 0x34, "OEM_7"},
        {0x14, 0x39, "Caps Lock"}, {0x70, 0x3A, "F1"}, {0x74, 0x3E, "F5"}, {0x7B, 0x45, "F12"},
        {0x7C, 0x68, "F13"}, {0x87, 0x73, "F24"},
        {0x2C, 0x46, "Print Screen"}, {0x91, 0x47, "Scroll Lock"}, {0x13, 0x48, "Pause"},
        {0x2D, 0x49, "Insert"}, {0x24, 0x4A, "Home"}, {0x21, 0x4B, "Page Up"}, {0x2E, 0x4C, "Delete"},
        {0x23, 0x4D, "End"}, {0x22, 0x4E, "Page Down"},
        {0x27, 0x4F, "Right Arrow"}, {0x25, 0x50, "Left Arrow"}, {0x28, 0x51, "Down Arrow"},
        {0x26, 0x52, "Up Arrow"}, {0x90, 0x53, "Num Lock"},
        {0x60, 0x62, "0 (numeric pad)"}, {0x61, 0x59, "1 (numeric pad)"}, {0x69, 0x61, "9 (numeric pad)"},
        {0x6A, 0x55, "Multiply (numeric pad)"}, {0x6B, 0x57, "Add (numeric pad)"},
        {0x6C, 0x58, "Separator (numeric pad)"}, {0x6D, 0x56, "Subtract (numeric pad)"},
        {0x6E, 0x63, "Decimal (numeric pad)"}, {0x6F, 0x54, "Divide (numeric pad)"},
        {0x5D, 0x65, "Applications"}, {0x2F, 0x75, "Help"}, {0x29, 0x77, "Select"}, {0x0C, 0x9C, "Clear"},
        // Generic modifiers: left-hand usage, but their own short names.
        {0x10, 0xE1, "Shift"}, {0x11, 0xE0, "Ctrl"}, {0x12, 0xE2, "Alt"},
        {0xA0, 0xE1, "Left Shift"}, {0xA1, 0xE5, "Right Shift"}, {0xA2, 0xE0, "Left Ctrl"},
        {0xA3, 0xE4, "Right Ctrl"}, {0xA4, 0xE2, "Left Alt"}, {0xA5, 0xE6, "Right Alt"},
        {0x5B, 0xE3, "Left Windows"}, {0x5C, 0xE7, "Right Windows"},
        // Browser and media keys become program codes.
        {0xB0, 0xC0, "Media_Next_Track"}, {0xB1, 0xC1, "Media_Prev_Track"}, {0xB2, 0xC2, "Media_Stop"},
        {0xB3, 0xC3, "Media_Play_Pause"}, {0xAD, 0xC4, "Volume_Mute"}, {0xAF, 0xC5, "Volume_Up"},
        {0xAE, 0xC6, "Volume_Down"}, {0xB4, 0xC7, "Launch_Mail"}, {0xAA, 0xC8, "Browser_Search"},
        {0xAC, 0xC9, "Browser_Home"}, {0xA6, 0xCA, "Browser_Back"}, {0xA7, 0xCB, "Browser_Forward"},
        {0xA9, 0xCC, "Browser_Stop"}, {0xA8, 0xCD, "Browser_Refresh"}, {0xAB, 0xCE, "Browser_Favorites"},
        {0xB5, 0xD1, "Launch_Media_Select"},
        // Named, but nothing the mouse can send.
        {0xB6, 0x00, "Launch_App1"}, {0xB7, 0x00, "Launch_App2"}, {0xDF, 0x00, "OEM_8"}, {0xFF, 0x00, "255"},
        // No entry at all.
        {0x00, 0x00, "None"}, {0x01, 0x00, "None"}, {0x5E, 0x00, "None"}, {0x88, 0x00, "None"},
        {0xE2, 0x00, "None"}, {0xFE, 0x00, "None"}, {-1, 0x00, "None"}, {0x100, 0x00, "None"},
        {0x141, 0x00, "None"},
    };
    for (const VirtualKeyCase& c : cases) {
        SCOPED_TRACE(c.virtualKey);
        EXPECT_EQ(VirtualKeyToUsage(c.virtualKey), c.usage);
        EXPECT_EQ(VirtualKeyName(c.virtualKey), c.name);
    }
}

// Catches a slip in either table: a key the mouse can send must have a name on a button,
// and every virtual key must show something while it is captured.
TEST(KeyboardVirtualKey, TablesAgreeWithEachOther)
{
    std::map<int, int> virtualKeysPerUsage;
    for (int vk = 0; vk <= 0xFF; ++vk) {
        SCOPED_TRACE(vk);
        EXPECT_FALSE(VirtualKeyName(vk).empty());
        const int usage = VirtualKeyToUsage(vk);
        if (usage == 0)
            continue;
        EXPECT_FALSE(UsageName(usage).empty());
        ++virtualKeysPerUsage[usage];
    }
    // Only the three modifiers are reachable twice (generic and left-hand key).
    for (const auto& [usage, count] : virtualKeysPerUsage) {
        SCOPED_TRACE(usage);
        const bool genericModifier = usage == 0xE0 || usage == 0xE1 || usage == 0xE2;
        EXPECT_EQ(count, genericModifier ? 2 : 1);
    }
    // All sixteen program codes are reachable.
    for (int usage : {0xC0, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD,
                      0xCE, 0xD1}) {
        SCOPED_TRACE(usage);
        EXPECT_EQ(virtualKeysPerUsage[usage], 1);
    }
}

}  // namespace
}  // namespace qeltra3k::config
