#pragma once
// The fault switches of the virtual mouse, and their text form KIND[:ARG] as both
// programs take it on their command lines:
//   no-answer        no command is ever done
//   lose-chunk:N     chunk N (counted from 0) of every block read is never answered
//   stuck:ADDR       the memory byte at ADDR (0 .. 2047) keeps its old value when written
//   not-ready        the memory is not ready: status says so, block commands are refused
//   chip:BYTE        StatusCmd names another chip (reply byte 3)
//   slow:N           the first N polls after each command read "not finished"
//   unplug-after:N   after N feature calls every call fails, as if the mouse was pulled
// Numbers are decimal or hexadecimal with 0x.
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace qeltra3k::device {

struct FaultSwitches {
    bool noAnswer = false;
    std::set<std::uint32_t> lostChunks;
    std::set<std::uint16_t> stuckAddresses;
    bool notReady = false;
    std::optional<std::uint8_t> chipSource;
    std::uint32_t slowPolls = 0;
    std::optional<std::uint64_t> unplugAfter;

    bool operator==(const FaultSwitches&) const = default;
};

// Adds the switch that `text` names to `faults`. On a bad text returns false, leaves
// `faults` unchanged and puts the reason in `error`.
bool AddFault(std::string_view text, FaultSwitches& faults, std::string& error);

// The same for a comma-separated list ("slow:3,stuck:0x36"); all or nothing.
bool AddFaults(std::string_view list, FaultSwitches& faults, std::string& error);

}  // namespace qeltra3k::device
