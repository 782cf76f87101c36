#include "device/VirtualMouseFaults.h"

#include <array>
#include <charconv>
#include <limits>

#include "config/ImageLayout.h"

namespace qeltra3k::device {

namespace {

enum class Argument { None, Number };

struct FaultKind {
    std::string_view name;
    Argument argument;
    std::uint64_t maximum;  // largest argument accepted
    std::string_view argumentName;
    void (*apply)(FaultSwitches&, std::uint64_t);
};

constexpr std::array kFaultKinds{
    FaultKind{"no-answer", Argument::None, 0, "", [](FaultSwitches& f, std::uint64_t) { f.noAnswer = true; }},
    FaultKind{"lose-chunk", Argument::Number, 0xFFFF, "a chunk number",
              [](FaultSwitches& f, std::uint64_t n) { f.lostChunks.insert(static_cast<std::uint32_t>(n)); }},
    FaultKind{"stuck", Argument::Number, config::kImageSize - 1, "a memory address",
              [](FaultSwitches& f, std::uint64_t n) { f.stuckAddresses.insert(static_cast<std::uint16_t>(n)); }},
    FaultKind{"not-ready", Argument::None, 0, "", [](FaultSwitches& f, std::uint64_t) { f.notReady = true; }},
    FaultKind{"chip", Argument::Number, 0xFF, "a byte",
              [](FaultSwitches& f, std::uint64_t n) { f.chipSource = static_cast<std::uint8_t>(n); }},
    // A poll budget beyond this is "never" in all but name; no-answer says that plainly.
    FaultKind{"slow", Argument::Number, 1000, "a number of polls",
              [](FaultSwitches& f, std::uint64_t n) { f.slowPolls = static_cast<std::uint32_t>(n); }},
    FaultKind{"unplug-after", Argument::Number, std::numeric_limits<std::uint32_t>::max(), "a number of calls",
              [](FaultSwitches& f, std::uint64_t n) { f.unplugAfter = n; }},
};

std::string KnownKinds()
{
    std::string names;
    for (const auto& kind : kFaultKinds) {
        if (!names.empty())
            names += ", ";
        names += kind.name;
        if (kind.argument == Argument::Number)
            names += ":N";
    }
    return names;
}

std::optional<std::uint64_t> ParseNumber(std::string_view text)
{
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint64_t value = 0;
    const auto* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || ec != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

}  // namespace

bool AddFault(std::string_view text, FaultSwitches& faults, std::string& error)
{
    const auto colon = text.find(':');
    const std::string_view name = text.substr(0, colon);
    const bool hasArgument = colon != std::string_view::npos;
    const std::string_view argument = hasArgument ? text.substr(colon + 1) : std::string_view{};

    for (const auto& kind : kFaultKinds) {
        if (kind.name != name)
            continue;
        if (kind.argument == Argument::None) {
            if (hasArgument) {
                error = "fault \"" + std::string(text) + "\": " + std::string(name) + " takes no argument";
                return false;
            }
            kind.apply(faults, 0);
            return true;
        }
        if (!hasArgument || argument.empty()) {
            error = "fault \"" + std::string(text) + "\": " + std::string(name) + " needs " +
                    std::string(kind.argumentName) + " (" + std::string(name) + ":N)";
            return false;
        }
        const auto value = ParseNumber(argument);
        if (!value || *value > kind.maximum) {
            error = "fault \"" + std::string(text) + "\": " + std::string(kind.argumentName) +
                    " from 0 to " + std::to_string(kind.maximum) + " was expected, not \"" +
                    std::string(argument) + "\"";
            return false;
        }
        kind.apply(faults, *value);
        return true;
    }
    error = "unknown fault \"" + std::string(text) + "\"; known faults: " + KnownKinds();
    return false;
}

bool AddFaults(std::string_view list, FaultSwitches& faults, std::string& error)
{
    FaultSwitches result = faults;
    while (true) {
        const auto comma = list.find(',');
        if (!AddFault(list.substr(0, comma), result, error))
            return false;
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    faults = std::move(result);
    return true;
}

}  // namespace qeltra3k::device
