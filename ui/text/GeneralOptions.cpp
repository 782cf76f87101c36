#include "ui/text/GeneralOptions.h"

#include <algorithm>

namespace qeltra3k::text {

namespace {

// How a missing or non-numeric integer key is handled.
enum class Missing {
    Required,   // no designed default: the shipped value is used, with a warning
    Defaulted,  // the designed default is used quietly when the key is absent
};

struct IntKey {
    std::string_view name;
    int GeneralOptions::*field;
    Missing missing;
    int fallback;
};

// In the order of the section; the fallbacks of required keys are the shipped values.
constexpr IntKey kIntKeys[] = {
    {"Web_Enable", &GeneralOptions::Web_Enable, Missing::Required, 1},
    {"Web_X", &GeneralOptions::Web_X, Missing::Required, 420},
    {"Web_Y", &GeneralOptions::Web_Y, Missing::Required, 600},
    {"Rev_Manu_ID", &GeneralOptions::Rev_Manu_ID, Missing::Required, 255},
    {"Rev_Pro_ID", &GeneralOptions::Rev_Pro_ID, Missing::Required, 255},
    {"TR_Enable", &GeneralOptions::TR_Enable, Missing::Required, 0},
    {"GD_Enable", &GeneralOptions::GD_Enable, Missing::Required, 0},
    {"Main_Pnl_Height_With_Gun", &GeneralOptions::Main_Pnl_Height_With_Gun, Missing::Defaulted, 190},
    {"Main_Pnl_Height_WithNo_Gun", &GeneralOptions::Main_Pnl_Height_WithNo_Gun, Missing::Defaulted, 190},
    {"DPILED_Status", &GeneralOptions::DPILED_Status, Missing::Required, 1},
    {"Gun6_Num", &GeneralOptions::Gun6_Num, Missing::Required, 2},
    {"Gun7_Num", &GeneralOptions::Gun7_Num, Missing::Required, 3},
    {"Num_Order", &GeneralOptions::Num_Order, Missing::Required, 0},
    {"Ap_Mode", &GeneralOptions::Ap_Mode, Missing::Required, 0},
    {"DPI_Count", &GeneralOptions::DPI_Count, Missing::Required, 11},
};

struct Clamp {
    int GeneralOptions::*field;
    int low;
    int high;
};

constexpr Clamp kClamps[] = {
    {&GeneralOptions::Gun6_Num, 1, 2},
    {&GeneralOptions::Gun7_Num, 1, 3},
    {&GeneralOptions::Num_Order, 0, 1},
};

struct TextKey {
    std::string_view name;
    std::string GeneralOptions::*field;
};

constexpr TextKey kTextKeys[] = {
    {"Web", &GeneralOptions::Web},
    {"Path", &GeneralOptions::Path},
};

std::string Prefix()
{
    return "layout [" + std::string(kGeneralSectionName) + "]: ";
}

std::string Quoted(const std::string& value)
{
    return "\"" + value + "\"";
}

}  // namespace

GeneralOptionsReading ReadGeneralOptions(const IniFile& layout)
{
    GeneralOptionsReading result;
    GeneralOptions& options = result.options;
    const auto section = kGeneralSectionName;

    if (!layout.HasSection(section)) {
        result.warnings.push_back(Prefix() + "section is missing; using the shipped values");
        return result;
    }

    for (const IntKey& key : kIntKeys) {
        const IntReading reading = layout.ReadInt(section, key.name);
        if (reading.Ok()) {
            options.*key.field = reading.value;
            continue;
        }
        options.*key.field = key.fallback;
        const std::string used = std::to_string(key.fallback);
        if (reading.status == IntStatus::NotANumber) {
            result.warnings.push_back(Prefix() + std::string(key.name) + "=" +
                                      Quoted(*layout.Find(section, key.name)) +
                                      " is not a decimal number; using " + used);
        } else if (key.missing == Missing::Required) {
            result.warnings.push_back(Prefix() + std::string(key.name) + " is missing; using " + used);
        }
    }

    for (const TextKey& key : kTextKeys)
        options.*key.field = layout.ReadString(section, key.name);

    if (const std::string* order = layout.Find(section, "Special_Config")) {
        options.Special_Config = *order;
    } else {
        // The designed default ("11111110") names no menu entry, so the special-keys
        // menu would come up empty; the shipped order is the useful fallback.
        options.Special_Config = std::string(kShippedSpecialConfig);
        result.warnings.push_back(Prefix() + "Special_Config is missing; using " +
                                  Quoted(options.Special_Config));
    }

    for (const Clamp& clamp : kClamps)
        options.*clamp.field = std::clamp(options.*clamp.field, clamp.low, clamp.high);

    // Every mode-dependent decision tests Ap_Mode or the flag made from it; a mode
    // outside 0 ... 2 would mean something different to each of them.
    if (options.Ap_Mode < 0 || options.Ap_Mode > 2) {
        result.warnings.push_back(Prefix() + "Ap_Mode=" + std::to_string(options.Ap_Mode) +
                                  " is not a known mode (0, 1 or 2); using 0");
        options.Ap_Mode = 0;
    }
    options.eepromMode = options.Ap_Mode != 1;
    // The gun functions are not offered in driver mode, whatever the layout says.
    if (options.Ap_Mode == 1)
        options.GD_Enable = 0;

    return result;
}

GeneralOptionsReading LoadGeneralOptions()
{
    const auto layout = IniFile::FromResource(kGeneralSectionName);
    if (!layout) {
        GeneralOptionsReading result;
        result.warnings.push_back("layout resource \"" + std::string(kGeneralSectionName) +
                                  "\" is not embedded; using the shipped values");
        return result;
    }
    return ReadGeneralOptions(*layout);
}

int MainPanelHeight(const GeneralOptions& options)
{
    return options.GD_Enable == 1 ? options.Main_Pnl_Height_With_Gun
                                  : options.Main_Pnl_Height_WithNo_Gun;
}

int LedNumberLabelUnder(int picture, int numOrder)
{
    constexpr int kLedNumbers = 10;
    return numOrder == 1 ? kLedNumbers + 1 - picture : picture;
}

}  // namespace qeltra3k::text
