#include "ui/text/SpecialKeys.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/text/LanguageTable.h"

namespace qeltra3k::text {
namespace {

using Placements = std::vector<std::pair<std::string, int>>;

Placements PlacementsOf(const SpecialKeysLayout& layout)
{
    Placements out;
    for (const auto& entry : layout.entries)
        out.emplace_back(entry.name, entry.top);
    return out;
}

TEST(SpecialKeys, LaysOutTheNamedEntries)
{
    struct Case {
        const char* config;
        Placements entries;
        int panelHeight;
        std::optional<int> cpiArrowTop;
        std::size_t warnings;
    };
    const Case cases[] = {
        {"Key_Fire,Key_AIMKey", {{"Key_Fire", 0}, {"Key_AIMKey", 25}}, 52, std::nullopt, 0},
        {"Key_CPIKey,Key_Fire,Key_AIMKey,Key_LEDMode,Key_LEDSwitch",
         {{"Key_CPIKey", 0}, {"Key_Fire", 25}, {"Key_AIMKey", 50}, {"Key_LEDMode", 75}, {"Key_LEDSwitch", 100}},
         127, 0, 0},
        {"Key_Fire,Key_CPIKey", {{"Key_Fire", 0}, {"Key_CPIKey", 25}}, 52, 25, 0},
        {" key_fire , KEY_AIMKEY ", {{"Key_Fire", 0}, {"Key_AIMKey", 25}}, 52, std::nullopt, 0},
        {"Key_KeyMode,Key_KeyOff,Key_FnFire", {{"Key_KeyMode", 0}, {"Key_KeyOff", 25}, {"Key_FnFire", 50}},
         77, std::nullopt, 0},
        // Unknown and repeated names are skipped and the rest stay packed.
        {"Key_Fire,Key_Bogus,Key_AIMKey", {{"Key_Fire", 0}, {"Key_AIMKey", 25}}, 52, std::nullopt, 1},
        {"Key_Fire,Key_Fire,Key_AIMKey", {{"Key_Fire", 0}, {"Key_AIMKey", 25}}, 52, std::nullopt, 1},
        {"11111110", {}, 2, std::nullopt, 1},
        // Empty items are no entries, and no fault either.
        {"", {}, 2, std::nullopt, 0},
        {"Key_Fire,,Key_AIMKey,", {{"Key_Fire", 0}, {"Key_AIMKey", 25}}, 52, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config);
        const SpecialKeysLayout layout = LayoutSpecialKeys(c.config);
        EXPECT_EQ(PlacementsOf(layout), c.entries);
        EXPECT_EQ(layout.panelHeight, c.panelHeight);
        EXPECT_EQ(layout.cpiKeyArrowTop, c.cpiArrowTop);
        EXPECT_EQ(layout.warnings.size(), c.warnings);
    }
}

TEST(SpecialKeys, WarningNamesTheSkippedEntry)
{
    const auto layout = LayoutSpecialKeys("Key_Fire, Key_Turbo");
    ASSERT_EQ(layout.warnings.size(), 1u);
    EXPECT_NE(layout.warnings[0].find("\"Key_Turbo\""), std::string::npos) << layout.warnings[0];
}

TEST(SpecialKeys, AllEightEntriesFitOnePanel)
{
    std::string config;
    for (const SpecialKeyInfo& info : SpecialKeyEntries())
        config += std::string(info.name) + ",";
    const auto layout = LayoutSpecialKeys(config);
    EXPECT_EQ(layout.entries.size(), 8u);
    EXPECT_EQ(layout.panelHeight, 8 * 25 + 2);
    EXPECT_TRUE(layout.warnings.empty());
}

TEST(SpecialKeys, EntriesShowTheirLanguageTexts)
{
    const LanguageTable english = LanguageTable::FromText(
        "[lang2]\n\"Str220=Fire Key\"\n\"Str222=AIM\"\n", 2);
    const auto layout = LayoutSpecialKeys("Key_Fire,Key_AIMKey");
    std::vector<std::pair<std::string, int>> shown;
    for (const auto& entry : layout.entries) {
        for (const SpecialKeyInfo& info : SpecialKeyEntries()) {
            if (info.name == entry.name)
                shown.emplace_back(english.Text(info.textKey), entry.top);
        }
    }
    const std::vector<std::pair<std::string, int>> expected = {{"Fire Key", 0}, {"AIM", 25}};
    EXPECT_EQ(shown, expected);
}

}  // namespace
}  // namespace qeltra3k::text
