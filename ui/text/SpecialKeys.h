#pragma once
// The special-keys submenu (Pnl_Special) as data: which entries Special_Config names,
// in which order, and where they sit.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qeltra3k::text {

inline constexpr int kSpecialEntryHeight = 25;
// The panel's border adds two pixels to the entries' own height.
inline constexpr int kSpecialPanelBorder = 2;

struct SpecialKeyInfo {
    std::string_view name;     // the menu entry's control name
    std::string_view textKey;  // its caption in the language tables
};

// The entries the submenu can show.
std::span<const SpecialKeyInfo> SpecialKeyEntries();

struct SpecialKeyPlacement {
    std::string name;  // canonical spelling, e.g. "Key_Fire"
    int top = 0;
};

struct SpecialKeysLayout {
    std::vector<SpecialKeyPlacement> entries;  // in display order
    int panelHeight = kSpecialPanelBorder;
    std::optional<int> cpiKeyArrowTop;         // top of ST_CPIKey when Key_CPIKey is shown
    std::vector<std::string> warnings;
};

// Lays out the comma-separated entry names of `specialConfig`. Names are matched without
// regard to letter case and blanks around them; unknown and repeated names are skipped
// with a warning, so the entries shown stay packed without gaps.
SpecialKeysLayout LayoutSpecialKeys(std::string_view specialConfig);

}  // namespace qeltra3k::text
