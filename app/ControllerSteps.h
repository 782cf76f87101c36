#pragma once
// The fixed values and small tables the controller's workflows are built from: the chip code
// table, the lighting families of driver mode, the checked command exchanges, the device
// slot layout and the key test's buttons.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "config/Conversion.h"
#include "config/FormModel.h"
#include "config/ImageLayout.h"
#include "device/FeatureProtocol.h"
#include "macros/DriverMacroList.h"
#include "macros/MacroRecord.h"

namespace qeltra3k::app {

// Image address of VendorByte (ProductByte follows), which identification reads on its own.
inline constexpr std::uint16_t kIdBytesAddress = static_cast<std::uint16_t>(
    config::kParameterB.imageOffset + (config::field::VendorByte - config::kParameterB.dataBufOffset));
static_assert(kIdBytesAddress == 0x36);

// The short pause of the button entry and the device search (10 ms, then messages).
inline constexpr std::chrono::milliseconds kStepPause{10};
inline constexpr int kButtonEntrySteps = 11;   // 110 ms before Apply, Confirm and the resets
inline constexpr int kSearchSteps = 3;         // before each candidate pair is tried
inline constexpr int kWatchPairs = 5;          // count pairs per device watch tick
inline constexpr int kStableRequired = 2;      // agreeing pairs needed to act on a change

inline constexpr std::string_view kAimNameKey = "Str222";
inline constexpr std::string_view kFireKeyNameKey = "Str220";
inline constexpr std::string_view kLeftNameKey = "Str210";

// Driver mode: byte 3 of the 0x5A, 0xD9 status reply names the lighting family, a quarter
// of the byte's range each, lowest quarter first.
struct LightingFamilyEntry {
    config::LedFamily family;
    std::string_view name;
};
inline constexpr std::array<LightingFamilyEntry, 4> kLightingFamilies{{
    {config::LedFamily::SyncLED, "SyncLED"},
    {config::LedFamily::BreLED, "BreLED"},
    {config::LedFamily::RBLED, "RBLED"},
    {config::LedFamily::MCULED, "MCULED"},
}};

constexpr const LightingFamilyEntry& LightingFamilyFor(std::uint8_t statusByte3)
{
    return kLightingFamilies[statusByte3 >> 6];
}

// One command whose reply must carry a value: (reply[byte] & mask) == value.
struct CheckedCommand {
    std::uint8_t code;
    std::uint8_t p1;
    std::uint8_t p2;
    std::size_t byte;
    std::uint8_t mask;
    std::uint8_t value;
};

inline constexpr CheckedCommand kDriverOpen{device::OpenCmd, 0, 0, 1, 0xFF, device::OpenDriverMode};
inline constexpr CheckedCommand kFallbackOpen{device::OpenCmd, 0, 0, 1, 0xFF, device::OpenFallback};
inline constexpr CheckedCommand kStatusReady{device::StatusCmd, 0, 0, 1, 0xFF, device::StatusReady};
inline constexpr CheckedCommand kLightingQuery{device::StatusCmd, device::DriverQuery, device::LightingFamilyQuery,
                                               2, device::DriverModeFlag, device::DriverModeFlag};
inline constexpr CheckedCommand kFallbackQuery{device::StatusCmd, device::DriverQuery, 0x00, 2,
                                               device::DriverModeFlag, device::DriverModeFlag};

// Sends the commands in order and stops at the first one that is not done or whose reply
// does not match; true when all matched.
inline bool RunChecked(device::FeatureProtocol& protocol, std::span<const CheckedCommand> steps)
{
    for (const auto& step : steps) {
        if (!protocol.SendCommand(step.code, step.p1, step.p2))
            return false;
        if ((protocol.LastReply()[step.byte] & step.mask) != step.value)
            return false;
    }
    return true;
}

// Driver image: the macro records follow the sections; no more than fit in the image.
inline constexpr std::size_t kDriverMacroRecordSize = macros::DriverMacroRecord::kSize;
inline constexpr std::size_t kDriverMacroBodySize = macros::kDriverBodySize;
// Profile files of driver mode: at most this much of the file is read.
inline constexpr std::size_t kDriverProfileReadLimit = 102400;
inline constexpr std::size_t kDriverStateOffset = config::driver::DriverTempCPIAndLedData;

// Key test: the key bits PollKeys returns and the engineer-page button each one flashes.
struct KeyTestButton {
    std::uint16_t bit;
    std::string_view name;
};
inline constexpr std::array<KeyTestButton, 9> kKeyTestButtons{{
    {0x0001, "btn_Key101"},
    {0x0002, "btn_Key102"},
    {0x0004, "btn_Key103"},
    {0x0008, "btn_Key104"},
    {0x0010, "btn_Key105"},
    {0x0020, "btn_Key106"},
    {0x0100, "btn_Key107"},
    {0x0200, "btn_Key108"},
    {0x0400, "btn_Key109"},
}};
// A flash: hidden, shown, hidden, shown, with this pause after each step but the last.
inline constexpr std::array<bool, 4> kFlashSteps{false, true, false, true};
inline constexpr std::chrono::milliseconds kFlashPause{500};
inline constexpr int kKeyTestCountdown = 5;

}  // namespace qeltra3k::app
