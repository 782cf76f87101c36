#pragma once
// Macros as `qeltra3k show` and `qeltra3k macros` tell them: name, options and event rows.
#include <nlohmann/json.hpp>

#include <span>
#include <string>

#include "config/ImageLayout.h"
#include "macros/DeviceMacroSlots.h"

namespace qeltra3k::cli {

// The six device macro slots of an image (slots 1 to 4 checked as the editor checks them).
nlohmann::ordered_json DeviceMacroSlotsReport(const macros::DeviceMacroSlots& slots);

// A library file's macros; the layout follows the file's size (25,600 bytes: the 100-record
// library "Macro.bin"; a multiple of 2,048: the driver list "Driver_Macro.bin"), unless
// `layout` names one ("eeprom" or "driver").
nlohmann::ordered_json LibraryReport(std::span<const std::uint8_t> bytes, const std::string& layout);

// Text forms for a person.
std::string FormatMacros(const nlohmann::ordered_json& macros, bool numberBySlot);
std::string FormatLibraryReport(const nlohmann::ordered_json& report);

}  // namespace qeltra3k::cli
