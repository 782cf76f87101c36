#include "cli/ImageReport.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>

#include "config/ConfigImage.h"
#include "config/Conversion.h"
#include "config/DpiTable.h"
#include "config/FormFields.h"
#include "config/FormModel.h"
#include "cli/MacroReport.h"
#include "fire/FireMacroRecord.h"
#include "macros/DeviceMacroSlots.h"

namespace qeltra3k::cli {

namespace {

using Json = nlohmann::ordered_json;
using config::DataBuf;
using config::FormModel;

// The engineer page's English item texts of the sensor orientation list, in item order.
constexpr std::array<const char*, config::kSensorOriItemCount> kSensorOriTexts{
    "0°", "90°", "180°", "270°", "X Reverse", "Y Reverse", "XY Swap XY Reverse", "XY Swap XY NoReverse"};

constexpr const char* kMcuModeKeys[] = {"Str821", "Str822", "Str823", "Str824", "Str825", "Str826", "Str827"};
constexpr const char* kRbModeKeys[] = {"Str828", "Str829", "Str830", "Str831", "Str832", "Str833", "Str834"};

std::string HexColour(const config::RgbEdits& rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", config::ColourValue(rgb.R), config::ColourValue(rgb.G),
                  config::ColourValue(rgb.B));
    return text;
}

std::string FamilyTitle(config::LedFamily family)
{
    switch (family) {
    case config::LedFamily::MCULED: return "MCU flowing LED";
    case config::LedFamily::RBLED: return "RB two-colour LED";
    case config::LedFamily::SyncLED: return "colour sync LED";
    case config::LedFamily::BreLED: return "colour breathing LED";
    case config::LedFamily::Neither: break;
    }
    return "";
}

Json Switch(config::OnOff value)
{
    if (value == config::OnOff::Neither)
        return nullptr;
    return value == config::OnOff::On;
}

Json DpiLevels(const FormModel& form, const text::LanguageTable& language)
{
    Json levels = Json::array();
    const int count = form.cb_CPIStep + 2;
    for (int n = 0; n < count && n < static_cast<int>(config::kMaxLevels); ++n) {
        Json level;
        level["level"] = n + 1;
        const auto dpi = config::DpiForIndex(form.cb_CPI[n]);
        level["dpi"] = dpi ? Json(*dpi) : Json(nullptr);
        level["text"] = dpi ? language.Text(config::kDpiTable[form.cb_CPI[n]].textKey) : std::string();
        level["colour"] = HexColour(form.edt_CPI[n]);
        level["active"] = form.cb_CurrentCPI == n;
        levels.push_back(level);
    }
    return levels;
}

Json KeyModes(const FormModel& form)
{
    Json modes = Json::array();
    for (std::size_t p = 0; p < config::kProfileCount; ++p) {
        Json mode;
        mode["mode"] = p + 1;
        mode["active"] = form.cb_KeyMode == static_cast<int>(p);
        Json keys = Json::array();
        for (std::size_t k = 0; k < config::kKeysPerProfile; ++k) {
            Json key;
            key["button"] = "Key" + std::to_string(k + 1);
            key["name"] = form.keyCaptions[p][k];
            key["code"] = form.keyCodeTexts[p][k];
            keys.push_back(key);
        }
        mode["keys"] = keys;
        modes.push_back(mode);
    }
    return modes;
}

Json Lighting(const FormModel& form, const DataBuf& dataBuf, const text::LanguageTable& language)
{
    Json light;
    light["family"] = config::LedFamilyName(form.ledFamily);
    light["family_title"] = FamilyTitle(form.ledFamily);
    light["on"] = form.rb_LED == config::OnOff::Neither ? Json(nullptr) : Json(form.rb_LED == config::OnOff::On);
    const bool mcu = form.ledFamily == config::LedFamily::MCULED;
    const bool rb = form.ledFamily == config::LedFamily::RBLED;
    const int mode = mcu ? form.cb_MCULEDCurrentMode : rb ? form.cb_RBLEDCurrentMode : config::kNoSelection;
    if ((mcu || rb) && mode >= 0 && mode < 7) {
        light["mode"] = mode + 1;
        light["mode_name"] = language.Text(mcu ? kMcuModeKeys[mode] : kRbModeKeys[mode]);
    } else {
        light["mode"] = nullptr;
        light["mode_name"] = "";
    }
    if (mcu) {
        Json enabled = Json::array();
        for (std::size_t m = 0; m < config::kMcuModeCount; ++m) {
            if (form.cb_Mode[m])
                enabled.push_back(m + 1);
        }
        light["enabled_modes"] = enabled;
        light["led_count"] = config::LedCountValue(form.edt_MCULEDNum);
        light["step"] = config::StepValue(form.edt_MCULEDCrtStep);
        light["full_brightness"] = form.rb_MCULEDControl == config::FlowBrightness::Full;
    }
    light["left_dpi_switches_mode"] = Switch(form.rb_LCPI);
    light["middle_dpi_switches_on_off"] = Switch(form.rb_B4CPI);
    light["raw"] = {{"ModeFlags", dataBuf[config::field::ModeFlags]},
                    {"SwitchFlags", dataBuf[config::field::SwitchFlags]},
                    {"LedFlowFlags", dataBuf[config::field::LedFlowFlags]},
                    {"LedModeMask", dataBuf[config::field::LedModeMask]},
                    {"LedState", dataBuf[config::field::LedState]}};
    return light;
}

Json FireKey(const FormModel& form)
{
    Json fire;
    fire["continuous"] = form.cb_IsFireContinue;
    fire["count"] = form.cb_IsFireContinue ? Json(nullptr) : Json(form.cb_FireCount + 1);
    const int units = config::FireTimeValue(form.edt_FireTime);
    fire["interval_units"] = units;
    fire["interval_ms"] = units * 8;
    fire["fn_plus_left"] = Switch(form.rb_FireFn);
    return fire;
}

// The ten fire macros: each record as the fire macro page reads it, with its entries of the
// key, offset and colour tables.
Json FireMacros(const config::DeviceImage& image, const FormModel& form, const DataBuf& dataBuf)
{
    Json rows = Json::array();
    for (std::size_t k = 0; k < config::kFireMacroCount; ++k) {
        fire::FireMacroRecord record{};
        const std::size_t at = config::kFireMacroBlock.offset + k * fire::kFireMacroRecordSize;
        std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(at), record.size(), record.begin());
        const auto fields = fire::DecodeFireMacroRecord(record);
        const auto code = config::ReadKeyCode(dataBuf, config::field::FireMacroKeyTable + 3 * k);
        Json row;
        row["fire_macro"] = k + 1;
        row["empty"] = record[fire::record_offset::Length] == 0;
        if (fields) {
            row["stop_on_release"] = fields->stopOnRelease;
            row["count"] = fields->count;
            row["x"] = fields->x;
            row["y"] = fields->y;
            row["time_ms"] = fields->timeMs;
        } else {
            // A stop flag that is neither 0 nor 1: erased or foreign memory, not shown.
            row["stop_on_release"] = nullptr;
        }
        row["y_offset"] = std::stoi(config::YOffsetText(dataBuf[config::field::FireMacroOffsetTable + 2 * k]));
        row["colour"] = HexColour(form.edt_FireMacroColor[k]);
        row["key_code"] = code ? config::KeyCodeText(*code) : std::string();
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

Json BuildImageReport(const config::DeviceImage& image, const text::LanguageTable& language)
{
    DataBuf dataBuf{};
    const config::SectionHealth health = config::LoadSections(image, dataBuf);

    macros::DeviceMacroSlots slots;
    slots.ReadAndRefreshMacro(image);

    config::KeyNameContext context;
    context.languageText = [&language](std::string_view key) { return language.Text(key); };
    context.deviceMacroNames = slots.Names();
    const config::KeyNameFn nameOf = [&context](std::string_view code) { return config::KeyCodeName(code, context); };
    FormModel form;
    config::DataBufToUI(form, dataBuf, nameOf, language.Text("Str222"));

    Json report;
    report["language"] = language.Index();
    report["sections"] = {{"parameter_a", health.parameterA},
                          {"parameter_b", health.parameterB},
                          {"profile", health.profile},
                          {"fire_key", health.fireKey}};
    report["dpi_levels"] = DpiLevels(form, language);
    report["key_modes"] = KeyModes(form);
    report["aim_value"] = config::HasAimKey(form, nameOf, language.Text("Str222"))
                              ? Json(config::DpiForIndex(form.cb_AIMKeyValue).value_or(0))
                              : Json(nullptr);
    report["lighting"] = Lighting(form, dataBuf, language);
    report["key_mode_switch"] = {{"long_press_middle", form.cb_MidPress},
                                 {"long_press_dpi", form.cb_CPIPress},
                                 {"long_press_gun", form.cb_GunPress},
                                 {"remember_key_mode", form.rb_Save == config::SaveChoice::Save}};
    report["sensor_orientation"] =
        form.cb_SensorOri >= 0 ? Json(kSensorOriTexts[form.cb_SensorOri]) : Json(nullptr);
    report["smoothing"] = form.cb_Smooth;
    report["fire_key"] = FireKey(form);
    report["macro_slots"] = DeviceMacroSlotsReport(slots);
    report["fire_macros"] = FireMacros(image, form, dataBuf);
    report["identity"] = {{"vendor", dataBuf[config::field::VendorByte]},
                          {"product", dataBuf[config::field::ProductByte]}};
    return report;
}

}  // namespace qeltra3k::cli
