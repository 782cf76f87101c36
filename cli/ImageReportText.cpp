#include <iomanip>
#include <sstream>

#include "cli/ImageReport.h"
#include "cli/MacroReport.h"

namespace qeltra3k::cli {

namespace {

using Json = nlohmann::ordered_json;

std::string YesNo(const Json& value, const char* yes = "yes", const char* no = "no")
{
    if (value.is_null())
        return "not set";
    return value.get<bool>() ? yes : no;
}

void Sections(std::ostream& out, const Json& sections)
{
    static const std::pair<const char*, const char*> kTitles[] = {
        {"parameter_a", "DPI and LED settings"},
        {"parameter_b", "active level, LED state and key mode"},
        {"profile", "button assignments"},
        {"fire_key", "fire key program"},
    };
    for (const auto& [key, title] : kTitles) {
        if (!sections[key].get<bool>())
            out << "Note: the " << title << " section failed its check; the built-in defaults are shown.\n";
    }
}

void DpiLevels(std::ostream& out, const Json& levels)
{
    out << "DPI levels (" << levels.size() << ")\n";
    for (const Json& level : levels) {
        out << "  " << (level["active"].get<bool>() ? "* " : "  ") << "level " << level["level"].get<int>() << "  ";
        if (level["dpi"].is_null())
            out << std::setw(9) << std::left << "no value";
        else
            out << std::setw(5) << std::right << level["dpi"].get<int>() << " DPI";
        out << std::left << "  " << level["colour"].get<std::string>() << '\n';
    }
}

void KeyModes(std::ostream& out, const Json& modes)
{
    for (const Json& mode : modes) {
        out << "\nKey mode " << mode["mode"].get<int>() << (mode["mode"].get<int>() == 1 ? " (office)" : " (game)")
            << (mode["active"].get<bool>() ? "  [active]" : "") << '\n';
        for (const Json& key : mode["keys"]) {
            std::string name = key["name"].get<std::string>();
            if (name.empty())
                name = "(unnamed)";
            out << "  " << std::setw(6) << key["button"].get<std::string>() << std::setw(24) << name
                << key["code"].get<std::string>() << '\n';
        }
    }
}

void Lighting(std::ostream& out, const Json& light)
{
    out << "\nLighting: " << light["family_title"].get<std::string>() << ", " << YesNo(light["on"], "on", "off")
        << '\n';
    if (!light["mode"].is_null())
        out << "  current mode: " << light["mode"].get<int>() << " (" << light["mode_name"].get<std::string>()
            << ")\n";
    if (light.contains("enabled_modes")) {
        out << "  enabled modes:";
        for (const Json& m : light["enabled_modes"])
            out << ' ' << m.get<int>();
        out << "\n  LEDs: " << light["led_count"].get<int>() << ", step " << light["step"].get<int>()
            << ", brightness " << (light["full_brightness"].get<bool>() ? "full" : "half") << '\n';
    }
    out << "  left key + DPI switches the LED mode: " << YesNo(light["left_dpi_switches_mode"]) << '\n'
        << "  middle key + DPI switches the LED on/off: " << YesNo(light["middle_dpi_switches_on_off"]) << '\n';
}

void FireKey(std::ostream& out, const Json& fire)
{
    out << "\nFire key: ";
    if (fire["continuous"].get<bool>())
        out << "fires while held";
    else
        out << fire["count"].get<int>() << " shots";
    out << ", interval " << fire["interval_ms"].get<int>() << " ms\n"
        << "  recoil function (Fn + left key): " << YesNo(fire["fn_plus_left"]) << '\n';
}

void FireMacros(std::ostream& out, const Json& rows)
{
    out << "\nFire macros\n  macro  stop on release  shots  X     Y     time     Y offset  colour   key code\n";
    for (const Json& row : rows) {
        out << "  " << std::setw(5) << std::right << row["fire_macro"].get<int>() << "  " << std::left;
        if (row["stop_on_release"].is_null())
            out << std::setw(45) << "(not a fire macro)";
        else if (row["empty"].get<bool>())
            out << std::setw(45) << "(empty)";
        else {
            const int count = row["count"].get<int>();
            out << std::setw(17) << (row["stop_on_release"].get<bool>() ? "yes" : "no") << std::setw(7)
                << (count == 256 ? std::string("endless") : std::to_string(count)) << std::setw(6)
                << row["x"].get<int>() << std::setw(6) << row["y"].get<int>() << std::setw(9)
                << (std::to_string(row["time_ms"].get<int>()) + " ms");
        }
        out << std::setw(10) << row["y_offset"].get<int>() << std::setw(9) << row["colour"].get<std::string>()
            << row["key_code"].get<std::string>() << '\n';
    }
}

}  // namespace

std::string FormatImageReport(const Json& report)
{
    std::ostringstream out;
    Sections(out, report["sections"]);
    DpiLevels(out, report["dpi_levels"]);
    if (!report["aim_value"].is_null())
        out << "  aim key: " << report["aim_value"].get<int>() << " DPI\n";
    KeyModes(out, report["key_modes"]);
    const Json& modeSwitch = report["key_mode_switch"];
    out << "\nKey mode switching by a 3 s press of: middle key " << YesNo(modeSwitch["long_press_middle"])
        << ", DPI key " << YesNo(modeSwitch["long_press_dpi"]) << ", gun key " << YesNo(modeSwitch["long_press_gun"])
        << "\n  key mode kept over power-up: " << YesNo(modeSwitch["remember_key_mode"]) << '\n';
    Lighting(out, report["lighting"]);
    FireKey(out, report["fire_key"]);
    out << "\nDevice macro slots\n" << FormatMacros(report["macro_slots"], true);
    FireMacros(out, report["fire_macros"]);
    out << "\nSensor orientation: "
        << (report["sensor_orientation"].is_null() ? "not set" : report["sensor_orientation"].get<std::string>())
        << "\nSmoothing: " << (report["smoothing"].get<bool>() ? "on" : "off") << "\nIdentity: vendor "
        << report["identity"]["vendor"].get<int>() << ", product " << report["identity"]["product"].get<int>() << '\n';
    return out.str();
}

}  // namespace qeltra3k::cli
