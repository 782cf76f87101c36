#pragma once
// How a device workflow ended. The user has already seen whatever message the workflow
// shows; the outcome is for callers that need more than the screen (the command-line tool's
// exit codes, the tests).
#include <array>
#include <string_view>

namespace qeltra3k::app {

enum class Outcome {
    Done,            // ran to its end
    NoDevice,        // no mouse open (Str020)
    NoAnswer,        // OpenCmd or StatusCmd not done, or the mouse not ready: nothing moved
    Refused,         // ID bytes match neither accepted pair (Str107)
    NotReady,        // configuration memory not ready, or chip code 0
    VerifyFailed,    // bytes that would not stick, or a verified write that could not run (Str109)
    TransferFailed,  // the transaction broke off (mouse pulled out, driver gone)
    BadFile,         // a profile file that cannot be read, written or used
    Cancelled,       // no file chosen
    DriverFailed,    // driver-mode identification or driver channel failed (Str020)
};

struct OutcomeEntry {
    Outcome outcome;
    std::string_view name;
};

inline constexpr std::array<OutcomeEntry, 10> kOutcomeNames{{
    {Outcome::Done, "done"},
    {Outcome::NoDevice, "no device"},
    {Outcome::NoAnswer, "no answer"},
    {Outcome::Refused, "identification refused"},
    {Outcome::NotReady, "not ready"},
    {Outcome::VerifyFailed, "verify failed"},
    {Outcome::TransferFailed, "transfer failed"},
    {Outcome::BadFile, "bad file"},
    {Outcome::Cancelled, "cancelled"},
    {Outcome::DriverFailed, "driver mode failed"},
}};

constexpr std::string_view OutcomeName(Outcome outcome)
{
    for (const auto& entry : kOutcomeNames)
        if (entry.outcome == outcome)
            return entry.name;
    return "unknown";
}

}  // namespace qeltra3k::app
