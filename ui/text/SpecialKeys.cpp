#include "ui/text/SpecialKeys.h"

#include <algorithm>

#include "ui/text/IniFile.h"

namespace qeltra3k::text {

namespace {

constexpr SpecialKeyInfo kSpecialKeys[] = {
    {"Key_CPIKey", "Str230"},
    {"Key_Fire", "Str220"},
    {"Key_AIMKey", "Str222"},
    {"Key_LEDMode", "Str226"},
    {"Key_LEDSwitch", "Str221"},
    {"Key_KeyMode", "Str225"},
    {"Key_KeyOff", "Str224"},
    {"Key_FnFire", "Str223"},
};

constexpr std::string_view kCpiKey = "Key_CPIKey";

const SpecialKeyInfo* FindSpecialKey(std::string_view name)
{
    const std::string folded = FoldCase(name);
    for (const SpecialKeyInfo& info : kSpecialKeys) {
        if (FoldCase(info.name) == folded)
            return &info;
    }
    return nullptr;
}

}  // namespace

std::span<const SpecialKeyInfo> SpecialKeyEntries()
{
    return kSpecialKeys;
}

SpecialKeysLayout LayoutSpecialKeys(std::string_view specialConfig)
{
    SpecialKeysLayout layout;
    std::string_view rest = specialConfig;
    while (true) {
        const auto comma = rest.find(',');
        const std::string_view item = TrimBlanks(rest.substr(0, comma));
        if (!item.empty()) {
            const SpecialKeyInfo* info = FindSpecialKey(item);
            const bool repeated =
                info && std::any_of(layout.entries.begin(), layout.entries.end(),
                                    [&](const SpecialKeyPlacement& p) { return p.name == info->name; });
            if (!info) {
                layout.warnings.push_back("Special_Config: unknown menu entry \"" + std::string(item) +
                                          "\" skipped");
            } else if (repeated) {
                // One control cannot sit in two places; the second mention would leave a blank row.
                layout.warnings.push_back("Special_Config: menu entry \"" + std::string(info->name) +
                                          "\" named twice; the second is skipped");
            } else {
                const int top = static_cast<int>(layout.entries.size()) * kSpecialEntryHeight;
                layout.entries.push_back({std::string(info->name), top});
                if (info->name == kCpiKey)
                    layout.cpiKeyArrowTop = top;
            }
        }
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    layout.panelHeight =
        static_cast<int>(layout.entries.size()) * kSpecialEntryHeight + kSpecialPanelBorder;
    return layout;
}

}  // namespace qeltra3k::text
