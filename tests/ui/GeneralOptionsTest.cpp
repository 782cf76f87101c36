#include "ui/text/GeneralOptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qeltra3k::text {
namespace {

using Lines = std::vector<std::pair<std::string, std::string>>;

const Lines kShippedLines = {
    {"Web_Enable", "1"},
    {"Web", "https://example.test/mouse"},
    {"Web_X", "420"},
    {"Web_Y", "600"},
    {"Rev_Manu_ID", "255"},
    {"Rev_Pro_ID", "255"},
    {"Path", ""},
    {"TR_Enable", "0"},
    {"GD_Enable", "0"},
    {"Main_Pnl_Height_With_Gun", "195"},
    {"Main_Pnl_Height_WithNo_Gun", "165"},
    {"DPILED_Status", "1"},
    {"Gun6_Num", "2"},
    {"Gun7_Num", "3"},
    {"Num_Order", "0"},
    {"Ap_Mode", "0"},
    {"DPI_Count", "11"},
    {"Special_Config", "Key_CPIKey,Key_Fire,Key_AIMKey,Key_LEDMode,Key_LEDSwitch"},
};

// The general section with `key` set to `value`, or left out when `value` is empty.
IniFile Org(const std::string& key = {}, std::optional<std::string> value = {})
{
    std::string text = "[org]\r\n";
    bool replaced = false;
    for (const auto& [name, shipped] : kShippedLines) {
        if (name == key) {
            replaced = true;
            if (value)
                text += name + "=" + *value + "\r\n";
        } else {
            text += name + "=" + shipped + "\r\n";
        }
    }
    if (!replaced && !key.empty() && value)
        text += key + "=" + *value + "\r\n";
    return IniFile::Parse(text);
}

GeneralOptionsReading With(const std::string& key, std::optional<std::string> value)
{
    return ReadGeneralOptions(Org(key, std::move(value)));
}

int FieldOf(const GeneralOptions& o, const std::string& key)
{
    const std::pair<const char*, int GeneralOptions::*> fields[] = {
        {"Web_Enable", &GeneralOptions::Web_Enable},
        {"Web_X", &GeneralOptions::Web_X},
        {"Web_Y", &GeneralOptions::Web_Y},
        {"Rev_Manu_ID", &GeneralOptions::Rev_Manu_ID},
        {"Rev_Pro_ID", &GeneralOptions::Rev_Pro_ID},
        {"TR_Enable", &GeneralOptions::TR_Enable},
        {"GD_Enable", &GeneralOptions::GD_Enable},
        {"Main_Pnl_Height_With_Gun", &GeneralOptions::Main_Pnl_Height_With_Gun},
        {"Main_Pnl_Height_WithNo_Gun", &GeneralOptions::Main_Pnl_Height_WithNo_Gun},
        {"DPILED_Status", &GeneralOptions::DPILED_Status},
        {"Gun6_Num", &GeneralOptions::Gun6_Num},
        {"Gun7_Num", &GeneralOptions::Gun7_Num},
        {"Num_Order", &GeneralOptions::Num_Order},
        {"Ap_Mode", &GeneralOptions::Ap_Mode},
        {"DPI_Count", &GeneralOptions::DPI_Count},
    };
    for (const auto& [name, field] : fields) {
        if (key == name)
            return o.*field;
    }
    ADD_FAILURE() << "no field " << key;
    return -1;
}

TEST(GeneralOptions, ShippedSectionReadsCleanly)
{
    const auto reading = LoadGeneralOptions();
    EXPECT_TRUE(reading.warnings.empty()) << reading.warnings.front();
    const GeneralOptions& o = reading.options;
    EXPECT_EQ(o.Web, "https://github.com/qeltra3k/qeltra3k-editor");
    EXPECT_EQ(o.Path, "");
    EXPECT_EQ(o.Web_Enable, 1);
    EXPECT_EQ(o.Web_X, 420);
    EXPECT_EQ(o.Web_Y, 600);
    EXPECT_EQ(o.Rev_Manu_ID, 255);
    EXPECT_EQ(o.Rev_Pro_ID, 255);
    EXPECT_EQ(o.TR_Enable, 0);
    EXPECT_EQ(o.GD_Enable, 0);
    EXPECT_EQ(o.Main_Pnl_Height_With_Gun, 195);
    EXPECT_EQ(o.Main_Pnl_Height_WithNo_Gun, 165);
    EXPECT_EQ(o.DPILED_Status, 1);
    EXPECT_EQ(o.Gun6_Num, 2);
    EXPECT_EQ(o.Gun7_Num, 3);
    EXPECT_EQ(o.Num_Order, 0);
    EXPECT_EQ(o.Ap_Mode, 0);
    EXPECT_EQ(o.DPI_Count, 11);
    EXPECT_EQ(o.Special_Config, kShippedSpecialConfig);
    EXPECT_TRUE(o.eepromMode);
    EXPECT_EQ(MainPanelHeight(o), 165) << "no gun functions in the shipped layout";
}

TEST(GeneralOptions, ValuesAreTakenFromTheSection)
{
    IniFile ini = IniFile::Parse(
        "[ORG]\r\nweb_enable = 0\r\nWeb = http://x.test/a b \r\nWeb_X=-5\r\nWeb_Y=7\r\n"
        "Rev_Manu_ID=4660\r\nRev_Pro_ID=1\r\nPath=C:\\Macros\r\nTR_Enable=1\r\nGD_Enable=1\r\n"
        "Main_Pnl_Height_With_Gun=300\r\nMain_Pnl_Height_WithNo_Gun=100\r\nDPILED_Status=0\r\n"
        "Gun6_Num=1\r\nGun7_Num=2\r\nNum_Order=1\r\nAp_Mode=2\r\nDPI_Count=12\r\n"
        "Special_Config=Key_Fire\r\n");
    const auto reading = ReadGeneralOptions(ini);
    EXPECT_TRUE(reading.warnings.empty());
    const GeneralOptions& o = reading.options;
    EXPECT_EQ(o.Web_Enable, 0);
    EXPECT_EQ(o.Web, "http://x.test/a b");
    EXPECT_EQ(o.Web_X, -5) << "positions are used as they are";
    EXPECT_EQ(o.Web_Y, 7);
    EXPECT_EQ(o.Rev_Manu_ID, 4660);
    EXPECT_EQ(o.Rev_Pro_ID, 1);
    EXPECT_EQ(o.Path, "C:\\Macros");
    EXPECT_EQ(o.TR_Enable, 1);
    EXPECT_EQ(o.GD_Enable, 1);
    EXPECT_EQ(o.DPILED_Status, 0);
    EXPECT_EQ(o.Gun6_Num, 1);
    EXPECT_EQ(o.Gun7_Num, 2);
    EXPECT_EQ(o.Num_Order, 1);
    EXPECT_EQ(o.Ap_Mode, 2);
    EXPECT_EQ(o.DPI_Count, 12);
    EXPECT_EQ(o.Special_Config, "Key_Fire");
    EXPECT_EQ(MainPanelHeight(o), 300);
}

TEST(GeneralOptions, ClampsGunCountsAndNumberOrder)
{
    struct Case {
        const char* key;
        const char* value;
        int expected;
    };
    const Case cases[] = {
        {"Gun6_Num", "0", 1},   {"Gun6_Num", "-4", 1}, {"Gun6_Num", "1", 1},
        {"Gun6_Num", "2", 2},   {"Gun6_Num", "3", 2},  {"Gun6_Num", "1000", 2},
        {"Gun7_Num", "5", 3},   {"Gun7_Num", "3", 3},  {"Gun7_Num", "2", 2},
        {"Gun7_Num", "0", 1},   {"Gun7_Num", "-1", 1},
        {"Num_Order", "-1", 0}, {"Num_Order", "0", 0}, {"Num_Order", "1", 1},
        {"Num_Order", "2", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        const auto reading = With(c.key, std::string(c.value));
        EXPECT_EQ(FieldOf(reading.options, c.key), c.expected);
        EXPECT_TRUE(reading.warnings.empty()) << "clamping is designed behaviour, not a fault";
    }
}

TEST(GeneralOptions, ApModeDecidesTheEepromFlagAndTheGunFunctions)
{
    struct Case {
        const char* apMode;
        const char* gdEnable;
        int expectedApMode;
        bool eepromMode;
        int expectedGd;
        bool warns;
    };
    const Case cases[] = {
        {"0", "1", 0, true, 1, false},
        {"0", "0", 0, true, 0, false},
        {"1", "1", 1, false, 0, false},  // driver mode hides the gun functions
        {"1", "0", 1, false, 0, false},
        {"2", "1", 2, true, 1, false},   // both: behaves as 0
        {"2", "0", 2, true, 0, false},
        {"3", "1", 0, true, 1, true},    // unknown mode: the shipped one, with a warning
        {"-1", "1", 0, true, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("Ap_Mode=") + c.apMode + " GD_Enable=" + c.gdEnable);
        IniFile ini = Org("Ap_Mode", std::string(c.apMode));
        ini.AddLine(std::string("GD_Enable=") + c.gdEnable);  // the later line wins
        const auto reading = ReadGeneralOptions(ini);
        EXPECT_EQ(reading.options.Ap_Mode, c.expectedApMode);
        EXPECT_EQ(reading.options.eepromMode, c.eepromMode);
        EXPECT_EQ(reading.options.GD_Enable, c.expectedGd);
        EXPECT_EQ(reading.warnings.size(), c.warns ? 1u : 0u);
        if (c.warns && !reading.warnings.empty()) {
            EXPECT_NE(reading.warnings[0].find("Ap_Mode"), std::string::npos);
            EXPECT_NE(reading.warnings[0].find(c.apMode), std::string::npos);
        }
    }
}

TEST(GeneralOptions, GunPanelHeightFollowsGdEnableAfterTheApModeRule)
{
    GeneralOptions o;
    o.Main_Pnl_Height_With_Gun = 195;
    o.Main_Pnl_Height_WithNo_Gun = 165;
    o.GD_Enable = 1;
    EXPECT_EQ(MainPanelHeight(o), 195);
    o.GD_Enable = 0;
    EXPECT_EQ(MainPanelHeight(o), 165);

    IniFile ini = Org("Ap_Mode", "1");
    ini.AddLine("GD_Enable=1");
    EXPECT_EQ(MainPanelHeight(ReadGeneralOptions(ini).options), 165);
}

// Every required key, missing or broken, falls back to the shipped value and says so.
TEST(GeneralOptions, RequiredKeysFallBackToShippedValuesWithAWarning)
{
    const std::pair<const char*, int> required[] = {
        {"Web_Enable", 1},  {"Web_X", 420},    {"Web_Y", 600},   {"Rev_Manu_ID", 255},
        {"Rev_Pro_ID", 255}, {"TR_Enable", 0}, {"GD_Enable", 0}, {"DPILED_Status", 1},
        {"Gun6_Num", 2},    {"Gun7_Num", 3},   {"Num_Order", 0}, {"Ap_Mode", 0},
        {"DPI_Count", 11},
    };
    for (const auto& [key, shipped] : required) {
        for (const std::optional<std::string>& value :
             {std::optional<std::string>{}, std::optional<std::string>{"abc"},
              std::optional<std::string>{""}}) {
            SCOPED_TRACE(std::string(key) + (value ? "=" + *value : " missing"));
            // A non-shipped neighbour shows that only the broken key is replaced.
            IniFile ini = Org(key, value);
            ini.AddLine(std::string(key) == "Web_Y" ? "Web_X=11" : "Web_Y=11");
            const auto reading = ReadGeneralOptions(ini);
            EXPECT_EQ(FieldOf(reading.options, key), shipped);
            EXPECT_EQ(FieldOf(reading.options, std::string(key) == "Web_Y" ? "Web_X" : "Web_Y"), 11);
            ASSERT_EQ(reading.warnings.size(), 1u);
            const std::string& warning = reading.warnings[0];
            EXPECT_NE(warning.find(key), std::string::npos) << warning;
            EXPECT_NE(warning.find("using " + std::to_string(shipped)), std::string::npos) << warning;
            if (value && !value->empty()) {
                EXPECT_NE(warning.find(*value), std::string::npos) << "names the bad value: " << warning;
            }
        }
    }
}

TEST(GeneralOptions, MenuPanelHeightsHaveTheirOwnDefault)
{
    for (const char* key : {"Main_Pnl_Height_With_Gun", "Main_Pnl_Height_WithNo_Gun"}) {
        SCOPED_TRACE(key);
        const auto missing = With(key, std::nullopt);
        EXPECT_EQ(FieldOf(missing.options, key), 190);
        EXPECT_TRUE(missing.warnings.empty()) << "a designed default needs no warning";

        const auto broken = With(key, std::string("tall"));
        EXPECT_EQ(FieldOf(broken.options, key), 190);
        ASSERT_EQ(broken.warnings.size(), 1u);
        EXPECT_NE(broken.warnings[0].find(key), std::string::npos);
        EXPECT_NE(broken.warnings[0].find("tall"), std::string::npos);
        EXPECT_NE(broken.warnings[0].find("190"), std::string::npos);
    }
}

TEST(GeneralOptions, TextKeys)
{
    const auto noWeb = With("Web", std::nullopt);
    EXPECT_EQ(noWeb.options.Web, "");
    EXPECT_TRUE(noWeb.warnings.empty());

    const auto noPath = With("Path", std::nullopt);
    EXPECT_EQ(noPath.options.Path, "");
    EXPECT_TRUE(noPath.warnings.empty());

    const auto noOrder = With("Special_Config", std::nullopt);
    EXPECT_EQ(noOrder.options.Special_Config, kShippedSpecialConfig);
    ASSERT_EQ(noOrder.warnings.size(), 1u);
    EXPECT_NE(noOrder.warnings[0].find("Special_Config"), std::string::npos);
    EXPECT_NE(noOrder.warnings[0].find(kShippedSpecialConfig), std::string::npos);

    const auto emptyOrder = With("Special_Config", std::string());
    EXPECT_EQ(emptyOrder.options.Special_Config, "") << "an empty order is the author's choice";
    EXPECT_TRUE(emptyOrder.warnings.empty());
}

TEST(GeneralOptions, MissingSectionGivesShippedValuesAndOneWarning)
{
    const auto reading = ReadGeneralOptions(IniFile::Parse("[org1]\r\nAp_Mode=1\r\n"));
    EXPECT_EQ(reading.options.Ap_Mode, 0);
    EXPECT_TRUE(reading.options.eepromMode);
    EXPECT_EQ(reading.options.Special_Config, kShippedSpecialConfig);
    ASSERT_EQ(reading.warnings.size(), 1u);
    EXPECT_NE(reading.warnings[0].find("[org]"), std::string::npos);
}

TEST(GeneralOptions, LedNumberLabelOrder)
{
    for (int picture = 1; picture <= 10; ++picture) {
        EXPECT_EQ(LedNumberLabelUnder(picture, 0), picture);
        EXPECT_EQ(LedNumberLabelUnder(picture, 1), 11 - picture);
    }
    EXPECT_EQ(LedNumberLabelUnder(1, 1), 10) << "leftmost picture shows label 10";
}

}  // namespace
}  // namespace qeltra3k::text
