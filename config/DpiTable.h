#pragma once
// The twelve DPI values a level (or the aim key) can take, the language keys that name them,
// and the ruler that turns a mouse position on a slider into a table index.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qeltra3k::config {

struct DpiEntry {
    int dpi;
    std::string_view textKey;  // language key of the advanced page's text for this value
};

inline constexpr std::size_t kDpiValueCount = 12;

inline constexpr std::array<DpiEntry, kDpiValueCount> kDpiTable{{
    {500, "Str300"},
    {800, "Str301"},
    {1000, "Str302"},
    {1200, "Str303"},
    {1600, "Str304"},
    {2000, "Str305"},
    {2400, "Str306"},
    {3200, "Str307"},
    {4000, "Str308"},
    {4800, "Str309"},
    {6400, "Str310"},
    {8000, "Str311"},
}};

// The aim value list of the engineer page holds only the first eleven values.
inline constexpr std::size_t kAimListItemCount = 11;

// A stored level value byte that means "no value chosen".
inline constexpr std::uint8_t kNoLevelValue = 0xFF;

// DPI of a table index; nothing outside 0..11.
std::optional<int> DpiForIndex(int index);

// Item text of the engineer page's value lists ("500" .. "8000"); empty outside the table.
std::string DpiItemText(int index);

// Language key of the text shown for a stored level value: the table's key for 0..11,
// the key of the first value for "no value" (0xFF), and no text for anything else.
std::string_view LevelValueTextKey(std::uint8_t levelValue);

// The slider ruler: segment i covers (start + width i, start + width (i + 1)]; a position at
// or left of `start` gives 0 and a position past the last segment gives `segments`.
int RulerIndex(int x, int start, int width, int segments);

// Layout value DPI_Count as the sliders use it: how many table entries they offer. The
// layout should say 11 or 12; anything outside 1..12 is held to that range so that a bad
// layout can neither divide by zero nor reach past the table.
int EffectiveDpiCount(int dpiCount);

// Table index for a release at position x on a DPI slider (level or aim slider).
int DpiSliderIndex(int x, int dpiCount);

// Slider maximum (index x 100 for the last offered entry).
int DpiSliderMaximum(int dpiCount);

}  // namespace qeltra3k::config
