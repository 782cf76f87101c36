#include "ui/text/SkinSection.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "resources/Resources.h"

namespace qeltra3k::text {
namespace {

std::string ShippedText(int index)
{
    const auto bytes = resources::Find(SkinSectionName(index));
    EXPECT_TRUE(bytes.has_value()) << SkinSectionName(index) << " is not embedded";
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string{};
}

IniFile Shipped(int index)
{
    return IniFile::Parse(ShippedText(index));
}

// The shipped section `index` with the line of `key` replaced by key=value, or dropped
// when there is no value.
IniFile ShippedWith(int index, const std::string& key, std::optional<std::string> value)
{
    const std::string text = ShippedText(index);
    std::string edited;
    bool found = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(start, end - start);
        if (line.rfind(key + "=", 0) == 0) {
            found = true;
            if (value)
                edited += key + "=" + *value + "\r\n";
        } else {
            edited += line;
        }
        start = end;
    }
    EXPECT_TRUE(found) << key << " is not in the shipped section " << index;
    return IniFile::Parse(edited);
}

bool Mentions(const std::vector<std::string>& warnings, std::string_view a, std::string_view b)
{
    for (const std::string& w : warnings) {
        if (w.find(a) != std::string::npos && w.find(b) != std::string::npos)
            return true;
    }
    return false;
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += line + "\n";
    return all;
}

TEST(SkinSection, EveryShippedSectionReadsWithoutWarning)
{
    for (int index = 1; index <= kSkinCount; ++index) {
        const SkinSectionReading reading = LoadSkinSection(index);
        EXPECT_TRUE(reading.warnings.empty()) << "skin " << index << ":\n" << Joined(reading.warnings);
        EXPECT_EQ(reading.skin.index, index);
    }
}

TEST(SkinSection, ShippedSectionsHoldTheSameKeys)
{
    const std::vector<std::string> first = Shipped(1).KeyNames("org1");
    EXPECT_FALSE(first.empty());
    for (int index = 2; index <= kSkinCount; ++index)
        EXPECT_EQ(Shipped(index).KeyNames(SkinSectionName(index)), first) << "skin " << index;
}

TEST(SkinSection, EverySkinReachesEveryLanguageAndKeepsTheGameModePageOff)
{
    for (int index = 1; index <= kSkinCount; ++index) {
        const SkinSection skin = LoadSkinSection(index).skin;
        for (int b : {8, 9, 10}) {
            const SkinSwitched& button = skin.pageButtons.Btn_B[b - 1];
            EXPECT_TRUE(button.enabled) << "skin " << index << " B" << b;
            ASSERT_TRUE(button.position.has_value());
            EXPECT_LT(button.position->x, 3000) << "skin " << index << " B" << b << " is out of view";
        }
        EXPECT_FALSE(skin.pageButtons.Btn_B[1].enabled) << "skin " << index << " B2";
        EXPECT_FALSE(skin.pageButtons.Btn_B[2].enabled) << "B3 does not exist";
    }
}

TEST(SkinSection, ColoursCombineAsRPlus256GPlus65536B)
{
    const IniFile layout = IniFile::Parse("[org2]\r\nColor_A_R=1\r\nColor_A_G=2\r\nColor_A_B=3\r\n");
    const IniFile fallback = Shipped(1);
    const SkinSection skin = ReadSkinSection(layout, 2, &fallback).skin;
    EXPECT_EQ(skin.topBar.Color_A, (SkinColour{1, 2, 3}));
    EXPECT_EQ(skin.topBar.Color_A.Value(), 1 + 2 * 256 + 3 * 65536);
}

TEST(SkinSection, PositionsOfAHiddenFamilyAreNotRead)
{
    const IniFile fallback = Shipped(1);
    struct Case {
        std::string flag;
        bool shown;
    };
    for (const Case& c : {Case{"0", false}, Case{"2", false}, Case{"1", true}}) {
        IniFile layout = ShippedWith(2, "Btn_A1_Enable", c.flag);
        layout.AddLine("[org2]");
        layout.AddLine("Btn_A1_X=nonsense");
        layout.AddLine("Btn_A1_Y=321");
        const SkinSectionReading reading = ReadSkinSection(layout, 2, &fallback);
        const SkinSwitched& a1 = reading.skin.topBar.Btn_A[0];
        EXPECT_EQ(a1.enabled, c.shown) << "Btn_A1_Enable=" << c.flag;
        EXPECT_EQ(a1.position.has_value(), c.shown) << "Btn_A1_Enable=" << c.flag;
        // Only a shown button reads its (broken) X and warns about it.
        EXPECT_EQ(Mentions(reading.warnings, "[org2]", "Btn_A1_X"), c.shown) << Joined(reading.warnings);
        if (c.shown) {
            EXPECT_EQ(a1.position->y, 321);
        }
    }
}

// A broken key of skin 2 takes skin 1's value and is reported with section and key.
TEST(SkinSection, MissingOrUnusableKeysTakeSkinOnesValueWithAWarning)
{
    const IniFile fallback = Shipped(1);
    const SkinSection skin1 = ReadSkinSection(fallback, 1, nullptr).skin;
    struct Case {
        std::string key;
        std::optional<std::string> value;  // none: the key is left out
        std::function<int(const SkinSection&)> field;
    };
    const std::vector<Case> cases = {
        {"Key_Width", std::nullopt, [](const SkinSection& s) { return s.keyPage.Key_Width; }},
        {"Key_Width", "wide", [](const SkinSection& s) { return s.keyPage.Key_Width; }},
        {"P2_X", "", [](const SkinSection& s) { return s.advancedPage.P2.x; }},
        {"Size_F", "0", [](const SkinSection& s) { return s.macroPage.Size_F; }},
        {"Color_J_G", "256", [](const SkinSection& s) { return s.firePage.Color_J.g; }},
        {"Color_G_Back_B", "-1", [](const SkinSection& s) { return s.keyMenu.Color_G_Back.b; }},
        {"Marco_List_Lable_Width", "12px", [](const SkinSection& s) { return s.captionLabels[28].width; }},
        {"LED_Mode_7_Lable_Y", std::nullopt,
         [](const SkinSection& s) { return s.optionLabels.LED_Mode[6].position.y; }},
        {"AK_Close_X", "x", [](const SkinSection& s) { return s.assemblyDialog.AK_Close.x; }},
        {"Btn_B9_Enable", std::nullopt,
         [](const SkinSection& s) { return s.pageButtons.Btn_B[8].enabled ? 1 : 0; }},
    };
    for (const Case& c : cases) {
        const SkinSectionReading reading = ReadSkinSection(ShippedWith(2, c.key, c.value), 2, &fallback);
        EXPECT_EQ(c.field(reading.skin), c.field(skin1)) << c.key;
        EXPECT_TRUE(Mentions(reading.warnings, "[org2]", c.key)) << c.key << ":\n" << Joined(reading.warnings);
        EXPECT_EQ(reading.warnings.size(), 1u) << c.key << ":\n" << Joined(reading.warnings);
    }
}

TEST(SkinSection, WithoutSkinOneBrokenKeysTakeSafeValues)
{
    struct Case {
        std::string key;
        std::function<int(const SkinSection&)> field;
        int expected;
    };
    const std::vector<Case> cases = {
        // A control whose flag is lost stays hidden rather than landing anywhere.
        {"Key3_Enable", [](const SkinSection& s) { return s.keyPage.Key[2].enabled ? 1 : 0; }, 0},
        {"P1_Y", [](const SkinSection& s) { return s.keyPage.P1.y; }, 9000},
        {"Size_A", [](const SkinSection& s) { return s.topBar.Size_A; }, 9},
        {"Combox_Width", [](const SkinSection& s) { return s.keyPage.Combox_Width; }, 0},
    };
    for (const Case& c : cases) {
        const SkinSectionReading reading = ReadSkinSection(ShippedWith(3, c.key, std::nullopt), 3, nullptr);
        EXPECT_EQ(c.field(reading.skin), c.expected) << c.key;
        EXPECT_TRUE(Mentions(reading.warnings, "[org3]", c.key)) << c.key;
    }
}

TEST(SkinSection, AMissingSectionIsReadFromSkinOneWithOneWarning)
{
    const IniFile fallback = Shipped(1);
    const SkinSectionReading reading = ReadSkinSection(IniFile::Parse("[other]\r\nSize_A=30\r\n"), 2, &fallback);
    ASSERT_EQ(reading.warnings.size(), 1u) << Joined(reading.warnings);
    EXPECT_TRUE(Mentions(reading.warnings, "[org2]", "missing"));
    const SkinSection skin1 = ReadSkinSection(fallback, 1, nullptr).skin;
    EXPECT_EQ(reading.skin.index, 2);
    EXPECT_EQ(reading.skin.keyPage.Key[0].position->x, skin1.keyPage.Key[0].position->x);
    EXPECT_EQ(reading.skin.topBar.Color_A, skin1.topBar.Color_A);
}

TEST(SkinSection, AnUnknownSkinIndexLoadsSkinOne)
{
    for (int index : {0, 4}) {
        const SkinSectionReading reading = LoadSkinSection(index);
        EXPECT_EQ(reading.skin.index, 1);
        ASSERT_EQ(reading.warnings.size(), 1u) << Joined(reading.warnings);
        EXPECT_NE(reading.warnings[0].find(std::to_string(index)), std::string::npos);
    }
}

}  // namespace
}  // namespace qeltra3k::text
