#include "cli/MacroReport.h"

#include <sstream>

#include "macros/MacroLibrary.h"
#include "macros/MacroRows.h"

namespace qeltra3k::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::size_t kEepromLibrarySize = macros::kLibraryFileSize;
constexpr std::size_t kDriverRecordSize = macros::DriverMacroRecord::kSize;

std::string DelayModeName(macros::DelayMode mode)
{
    switch (mode) {
    case macros::DelayMode::RealTime: return "real time";
    case macros::DelayMode::DelaySetting: return "fixed delay";
    case macros::DelayMode::NoDelay: return "no delay";
    }
    return "";
}

// One macro: its name, the options its body carries and its event rows (header row left out).
template <class Record>
Json MacroJson(const Record& record)
{
    macros::MacroOptions options;
    const macros::Rows rows = macros::DecodeRows(record, options);
    Json macro;
    macro["name"] = macros::NameToText(record.name);
    macro["empty"] = rows.empty();
    macro["stop_on_release"] = options.stopOnRelease;
    switch (options.repeat) {
    case macros::RepeatMode::Off: macro["repeat"] = 1; break;
    case macros::RepeatMode::Count: macro["repeat"] = options.loopCount; break;
    case macros::RepeatMode::Infinite: macro["repeat"] = "endless"; break;
    }
    macro["delay_mode"] = DelayModeName(options.delayMode);
    Json events = Json::array();
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto kind = macros::RowKind(rows[i]);
        std::string text = macros::RowDisplayText(rows[i]);
        if (kind == macros::row_kind::Press)
            text = "down " + text;
        else if (kind == macros::row_kind::Release)
            text = "up   " + text;
        events.push_back(text);
    }
    macro["events"] = events;
    return macro;
}

// The records in use (a name), numbered by their list position from 1.
template <class Records>
Json LibraryMacros(const Records& records)
{
    Json list = Json::array();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (macros::IsUnusedName(records[i].name))
            continue;
        Json macro = MacroJson(records[i]);
        macro["position"] = i + 1;
        list.push_back(macro);
    }
    return list;
}

}  // namespace

Json DeviceMacroSlotsReport(const macros::DeviceMacroSlots& slots)
{
    Json list = Json::array();
    for (std::size_t i = 0; i < macros::kSlotCount; ++i) {
        Json slot = MacroJson(slots.Slots()[i]);
        slot["slot"] = i + 1;
        slot["name"] = slots.Names()[i];
        list.push_back(slot);
    }
    return list;
}

Json LibraryReport(std::span<const std::uint8_t> bytes, const std::string& layout)
{
    Json report;
    const bool driver = layout.empty() ? bytes.size() != kEepromLibrarySize && bytes.size() % kDriverRecordSize == 0 &&
                                             !bytes.empty()
                                       : layout == "driver";
    report["layout"] = driver ? "driver" : "eeprom";
    report["size"] = bytes.size();
    Json list;
    if (driver) {
        list = LibraryMacros(macros::ReadDriverRecords(bytes));
    } else {
        macros::LibraryRecords records{};
        macros::ReadLibraryRecords(bytes, records);
        list = LibraryMacros(records);
    }
    report["macros"] = list;
    return report;
}

std::string FormatMacros(const Json& macros, bool numberBySlot)
{
    std::ostringstream out;
    for (const Json& macro : macros) {
        out << "  " << (numberBySlot ? "slot " : "") << macro[numberBySlot ? "slot" : "position"].get<int>() << ": ";
        const std::string name = macro["name"].get<std::string>();
        if (name.empty() && macro["empty"].get<bool>()) {
            out << "(empty)\n";
            continue;
        }
        out << (name.empty() ? "(no name)" : name);
        if (macro["empty"].get<bool>()) {
            out << "  (no events)\n";
            continue;
        }
        out << "  [" << (macro["stop_on_release"].get<bool>() ? "stops on release" : "plays to its end") << ", ";
        if (macro["repeat"].is_string())
            out << "repeats endlessly";
        else
            out << "plays " << macro["repeat"].get<int>() << (macro["repeat"].get<int>() == 1 ? " time" : " times");
        out << ", " << macro["delay_mode"].get<std::string>() << "]\n";
        for (const Json& event : macro["events"])
            out << "      " << event.get<std::string>() << '\n';
    }
    return out.str();
}

std::string FormatLibraryReport(const Json& report)
{
    std::ostringstream out;
    const bool driver = report["layout"] == "driver";
    out << (driver ? "Driver macro list" : "Macro library") << ", " << report["size"].get<std::size_t>() << " bytes, "
        << report["macros"].size() << (report["macros"].size() == 1 ? " macro" : " macros") << '\n';
    if (!driver && report["size"].get<std::size_t>() != kEepromLibrarySize)
        out << "Note: a library file is " << kEepromLibrarySize
            << " bytes; this one was read as far as it goes, as the editor reads it.\n";
    if (driver && report["size"].get<std::size_t>() % kDriverRecordSize != 0)
        out << "Note: the bytes after the last whole 2048-byte record are ignored.\n";
    out << FormatMacros(report["macros"], false);
    return out.str();
}

}  // namespace qeltra3k::cli
